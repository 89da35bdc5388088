// The window's port handlers.
#include "app/Unit1.h"

#include <QComboBox>
#include <QAction>

// Port errors (EComPort) leave these handlers for the application's error box.
void TForm1::OpenPortExecute()
{
    COM.Port = ComboBox1->currentText();
    COM.Open();
}

void TForm1::ClosePortExecute()
{
    COM.Close();
}

void TForm1::COMAfterOpen()
{
    Act.OpenPort->setEnabled(false);
    Act.ClosePort->setEnabled(true);
    EnablePortActions();
}

void TForm1::COMAfterClose()
{
    Act.OpenPort->setEnabled(true);
    Act.ClosePort->setEnabled(false);
    DisablePortActions();
}

void TForm1::FormClose()
{
    COM.Close();
}

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
