#pragma once

// The window's controls as a person finds them, by their names: the window
// keeps its widgets to itself, and tests look them up here.

#include "app/ActionTable.h"
#include "app/Controls.h"
#include "app/HelpWindow.h"
#include "app/Unit1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>

struct FormUi {
    explicit FormUi(const QWidget &form) : form(form)
    {
        for (int i = 0; i < ActionCount; ++i)
            Act.*(ActionTable[i].member) = Find<QAction>(ActionTable[i].name);
    }

    template <class T> T *Find(const char *name) const { return form.findChild<T *>(QLatin1String(name)); }

    const QWidget &form;
    QMenuBar *const ActionMainMenuBar1 = Find<QMenuBar>("ActionMainMenuBar1");
    QToolBar *const ActionToolBar1 = Find<QToolBar>("ActionToolBar1");
    QMenu *const PresetMenu = Find<QMenu>("PresetMenu");
    QTabWidget *const PageControl2 = Find<QTabWidget>("PageControl2");
    QWidget *const TabSheet5 = Find<QWidget>("TabSheet5");
    QWidget *const TabSheet6 = Find<QWidget>("TabSheet6");
    QWidget *const TabSheet7 = Find<QWidget>("TabSheet7");
    QWidget *const TabSheet8 = Find<QWidget>("TabSheet8");
    QComboBox *const ComboBox1 = Find<QComboBox>("ComboBox1");
    QComboBox *const ComboBox2 = Find<QComboBox>("ComboBox2");
    QLabel *const Label1 = Find<QLabel>("Label1");
    QFrame *const Panel1 = Find<QFrame>("Panel1");
    QProgressBar *const Gauge1 = Find<QProgressBar>("Gauge1");
    QLineEdit *const Edit1 = Find<QLineEdit>("Edit1");
    QLabel *const Label14 = Find<QLabel>("Label14");
    QStatusBar *const StatusBar1 = Find<QStatusBar>("StatusBar1");
    QLabel *const StatusPanel0 = Find<QLabel>("StatusPanel0");
    QLabel *const StatusPanel1 = Find<QLabel>("StatusPanel1");
    QTableWidget *const StringGrid1 = Find<QTableWidget>("StringGrid1");
    QLabel *const Label13 = Find<QLabel>("Label13");
    QLabel *const Label12 = Find<QLabel>("Label12");
    TMaskEdit *const MaskEdit1 = Find<TMaskEdit>("MaskEdit1");
    QPlainTextEdit *const DeScrypt = Find<QPlainTextEdit>("DeScrypt");
    QTreeWidget *const Prop = Find<QTreeWidget>("Prop");
    THelpWindow *const HelpWindow = Find<THelpWindow>("HelpWindow"); // once F1 made it
    // "Частота"
    QRadioButton *const RadioButton3 = Find<QRadioButton>("RadioButton3");
    QRadioButton *const RadioButton4 = Find<QRadioButton>("RadioButton4");
    QRadioButton *const RadioButton5 = Find<QRadioButton>("RadioButton5");
    TMaskEdit *const Edit2 = Find<TMaskEdit>("Edit2");
    TMaskEdit *const Edit3 = Find<TMaskEdit>("Edit3");
    TMaskEdit *const MaskEdit3 = Find<TMaskEdit>("MaskEdit3");
    TMaskEdit *const Edit4 = Find<TMaskEdit>("Edit4");
    TMaskEdit *const MaskEdit4 = Find<TMaskEdit>("MaskEdit4");
    QCheckBox *const CheckBox1 = Find<QCheckBox>("CheckBox1");
    TMaskEdit *const MaskEdit5 = Find<TMaskEdit>("MaskEdit5");
    QPushButton *const Button2 = Find<QPushButton>("Button2");
    QPushButton *const Button3 = Find<QPushButton>("Button3");
    TActions Act; // every command, by its action name
};

inline FormUi Ui(const QWidget &form)
{
    return FormUi(form);
}
