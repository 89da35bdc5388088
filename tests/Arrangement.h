#pragma once

// The window's port-open or port-closed arrangement of actions, as the user sees it.

#include "app/Unit1.h"
#include "FormUi.h"

#include <QAction>
#include <QComboBox>
#include <gtest/gtest.h>

inline void ExpectPortArrangement(TForm1 &form, bool portOpen)
{
    EXPECT_EQ(form.COM.Connected(), portOpen);
    EXPECT_EQ(Ui(form).Act.OpenPort->isEnabled(), !portOpen);
    for (QAction *a : {Ui(form).Act.ClosePort, Ui(form).Act.Write258, Ui(form).Act.WriteCur, Ui(form).Act.WriteBlock,
                       Ui(form).Act.Read258, Ui(form).Act.ReadCur, Ui(form).Act.ReadBlock})
        EXPECT_EQ(a->isEnabled(), portOpen) << a->objectName().toStdString();
    EXPECT_EQ(Ui(form).ComboBox1->isEnabled(), !portOpen);
}
