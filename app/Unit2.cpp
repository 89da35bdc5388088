#include "app/Unit2.h"

#include "app/Controls.h"
#include "app/Pictures.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QCoreApplication::translate("Quillon", "О программе"));
    setFixedSize(298, 244);
    setModal(true);

    Panel1 = new QFrame(this);
    Panel1->setGeometry(8, 8, 281, 121);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setGeometry(8, 8, 65, 81);
    ProgramIcon->setPixmap(Picture(QStringLiteral("phone"), QSize(65, 81)));

    ProductName = new QLabel(QStringLiteral("Quillon SN258/258+"), Panel1);
    ProductName->move(88, 16);
    Version = new QLabel(QStringLiteral("Version 3.4 XP"), Panel1);
    Version->move(88, 40);
    FitLabelText(ProductName);
    FitLabelText(Version);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setGeometry(8, 136, 281, 65);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setBackgroundRole(QPalette::Button);
    Memo1->setStyleSheet(QStringLiteral("QPlainTextEdit { background: palette(button); }"));
    // One paragraph per item: the lines wrap at this toolkit's font width.
    Memo1->setPlainText(QCoreApplication::translate(
        "Quillon", "* Добавлена функция SwapByte (Поменять байты местами)\n"
                   "*Исправлена ошибка при открытии файла \n"
                   "*Добавленные стандартные прошивки и украинские (НУ ЗАЧЕМ ТАМ УКРАИНСКИЕ "
                   "НУЖНЫ.как нехотел я их туда писать! Это же стандартные SENAO)\n"
                   "*Добавлена схема преобразователя уровней\n"
                   "*Добавлено иоформация о буфере (вкладка)"));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setGeometry(111, 212, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    OKButton->setFocus();
}
