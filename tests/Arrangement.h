#pragma once

// The window's port-open or port-closed arrangement of actions, as the user sees it.

#include "app/Unit1.h"

#include <QAction>
#include <QComboBox>
#include <gtest/gtest.h>

inline void ExpectPortArrangement(TForm1 &form, bool portOpen)
{
    EXPECT_EQ(form.COM.Connected(), portOpen);
    EXPECT_EQ(form.Act.OpenPort->isEnabled(), !portOpen);
    for (QAction *a : {form.Act.ClosePort, form.Act.Write258, form.Act.WriteCur, form.Act.WriteBlock,
                       form.Act.Read258, form.Act.ReadCur, form.Act.ReadBlock})
        EXPECT_EQ(a->isEnabled(), portOpen) << a->objectName().toStdString();
    EXPECT_EQ(form.ComboBox1->isEnabled(), !portOpen);
}
