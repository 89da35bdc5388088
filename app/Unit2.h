#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// "О программе": the about box.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    QFrame *Panel1;
    QLabel *ProgramIcon;
    QLabel *ProductName;
    QLabel *Version;
    QPlainTextEdit *Memo1;
    QPushButton *OKButton;
};
