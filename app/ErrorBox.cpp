#include "app/ErrorBox.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

QString ApplicationTitleFromPath(const QString &programPath)
{
    const QString base = QFileInfo(programPath).completeBaseName();
    if (base.isEmpty())
        return base;
    return base.left(1).toUpper() + base.mid(1).toLower();
}

QString ErrorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

void ShowErrorBox(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), ErrorBoxText(message),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void ShowInfoBox(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), message, QMessageBox::Ok, parent);
    box.exec();
}

bool AskYesNo(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question, QMessageBox::NoButton, parent);
    QPushButton *yes = box.addButton(QCoreApplication::translate("Quillon", "Да"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QCoreApplication::translate("Quillon", "Нет"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(ApplicationTitleFromPath(QString::fromLocal8Bit(argv[0])));
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    SafeCall([&] { result = QApplication::notify(receiver, event); });
    return result;
}
