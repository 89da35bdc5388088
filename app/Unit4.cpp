#include "app/Unit4.h"

#include "app/Pictures.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

TForm3::TForm3(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QCoreApplication::translate("Quillon", "Схема преобразователя уровней"));
    setWindowIcon(PictureIcon(QStringLiteral("scheme_icon"), QSize(32, 32)));
    setFixedSize(470, 266);
    setModal(true);

    Image1 = new QLabel(this);
    Image1->setGeometry(8, 8, 452, 214);
    Image1->setPixmap(Picture(QStringLiteral("scheme"), QSize(452, 214)));

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(200, 232, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}
