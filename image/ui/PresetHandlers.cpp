// Factory radio blocks: the "Стандартные для..." submenu.
#include "app/Unit1.h"

#include "image/Presets.h"

#include <QCoreApplication>

void TForm1::LoadPreset(int p)
{
    ImageState after = Doc.State();
    const uint16_t idBefore = after.image[Addr::BaseId];
    if (!ApplyPreset(after.image, p))
        return;
    after.model = PresetTable[p].model;
    Doc.Apply(QCoreApplication::translate("Quillon", PresetTable[p].caption), after);
    RefreshBufExecute();
    TabSheet7Show(); // the frequency page is refilled whether it is shown or not
    PresetZeroedId(idBefore);
    Dialogs->Information(QCoreApplication::translate("Quillon", PresetReminder));
}

void TForm1::L258Hand10625Execute() { LoadPreset(0); }
void TForm1::L258Hand12800Execute() { LoadPreset(1); }
void TForm1::L258Hand21250Execute() { LoadPreset(2); }
void TForm1::L258Base10625Execute() { LoadPreset(3); }
void TForm1::L258Base12800Execute() { LoadPreset(4); }
void TForm1::L258Base21250Execute() { LoadPreset(5); }
void TForm1::L258PHand12800Execute() { LoadPreset(6); }
void TForm1::L258PHand21250Execute() { LoadPreset(7); }
void TForm1::L258PBase12800Execute() { LoadPreset(8); }
void TForm1::L258PBase21250Execute() { LoadPreset(9); }
void TForm1::L258Hand21250UkrExecute() { LoadPreset(10); }
void TForm1::L258Base21250UkrExecute() { LoadPreset(11); }
