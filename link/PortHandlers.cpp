// The window's port handlers.
#include "app/Unit1.h"

#include <QComboBox>
#include <QAction>

void TForm1::OpenPortExecute() {}
void TForm1::ClosePortExecute() {}
void TForm1::COMAfterOpen() {}
void TForm1::COMAfterClose() {}
void TForm1::FormClose() {}

void TForm1::EnablePortActions()
{
    for (QAction *a : {Act.Write258, Act.WriteCur, Act.WriteBlock, Act.Read258, Act.ReadCur,
                       Act.ReadBlock, Act.ClosePort})
        a->setEnabled(true);
    ComboBox1->setEnabled(false);
}

void TForm1::DisablePortActions()
{
    for (QAction *a : {Act.Write258, Act.WriteCur, Act.WriteBlock, Act.Read258, Act.ReadCur,
                       Act.ReadBlock, Act.ClosePort})
        a->setEnabled(false);
    ComboBox1->setEnabled(true);
}
