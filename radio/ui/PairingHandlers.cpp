// The "Связь" page's handlers: the page itself (PairingPage) owns its fields;
// pairing a handset with its base takes a base's file through the window's
// dialogs.
#include "app/Unit1.h"

#include "app/ErrorBox.h"

#include "image/Backups.h"
#include "image/ImageCheck.h"
#include "image/ImageFile.h"
#include "image/ReadMark.h"
#include "radio/InfoList.h"
#include "radio/Pairing.h"
#include "radio/ui/PairingPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

void TForm1::CreatePairPage()
{
    connect(TabSheet8, &PairingPage::Stored, this, [this] { RefreshBufExecute(); });
    connect(TabSheet8, &PairingPage::RestoreIdClicked, this, [this] { SafeCall([this] { RestoreIdExecute(); }); });
}

void TForm1::PairFromBuf()
{
    if (TabSheet8)
        TabSheet8->FromImage();
}

void TForm1::PairPageHide()
{
    TabSheet8->StoreTyped();
}

void TForm1::PairFromBaseExecute()
{
    LoadResult loaded;
    ImageFileCheck check;
    const QString chosen = ChooseImageInBackups(&loaded.data, &check);
    if (chosen.isEmpty())
        return;
    const QString name = QFileInfo(chosen).fileName();
    if (!check.IsImage()) {
        Dialogs->Error(
            check.kind == ImageFileCheck::Text
                ? QCoreApplication::translate("Quillon", "Файл %1 не образ: это текст.").arg(name)
                : QCoreApplication::translate("Quillon", "Файл %1 не образ: байт модели %2, а в образе 00-08 или FF.")
                      .arg(name, ByteToHex(check.modelByte)));
        return;
    }
    // A file saved from a partial read holds FFFF for the words it never
    // read: those are no base's ID code and channels.
    if (!check.Holds({Pairing::kFirstWord, Pairing::kLastWord})) {
        Dialogs->Error(QCoreApplication::translate("Quillon", "В файле %1 нет слов 37-3A: он сохранён после чтения %2.")
                           .arg(name, ReadRangeMark(*check.held)));
        return;
    }
    ImageState after = Doc.State();
    Pairing::CopyFrom(after.image, loaded.data.image);
    Doc.Apply(QCoreApplication::translate("Quillon", "Взять у базы ") + name, after);
    RefreshBufExecute();
    const Pairing::Words words = Pairing::WordsOf(loaded.data.image);
    const Pairing::SysChannels sys = Pairing::SysChannelsOf(words);
    const QString plan = Pairing::PlanName(words[1]);
    QString text = QCoreApplication::translate("Quillon", "ID %1, %2, каналы %3 %4 %5 %6 взяты из %7")
                       .arg(words[0])
                       .arg(plan.isEmpty() ? QStringLiteral("%1-%2").arg(words[1] >> 8).arg(words[1] & 0xFF) : plan)
                       .arg(sys[0])
                       .arg(sys[1])
                       .arg(sys[2])
                       .arg(sys[3])
                       .arg(name);
    if (!InfoList::IsBase(loaded.data.image))
        text = QCoreApplication::translate("Quillon", "Это образ трубы, не базы! ") + text;
    ShowPanel1(text, text + u'\n' + QDir::toNativeSeparators(chosen));
    // Panel 1 cuts a long name short: the page says it whole.
    TabSheet8->ShowTaken(text);
}

void TForm1::RestoreIdExecute()
{
    if (const std::optional<uint16_t> id = TabSheet8->RestoreId())
        ShowPanel1(QCoreApplication::translate("Quillon", "ID-код %1 возвращён").arg(*id));
}

void TForm1::PresetZeroedId(uint16_t before)
{
    if (!TabSheet8->KeepZeroedId(before))
        return;
    const QString zeroed = QCoreApplication::translate("Quillon", "ID-код %1 обнулён (вернуть: «Связь»)").arg(before);
    ShowPanel1(zeroed, zeroed + u'\n'
                           + QCoreApplication::translate("Quillon", "Стандартные блоки не несут ID-кода. Было %1 (%2).")
                                 .arg(before)
                                 .arg(WordToHex(before)));
}
