#include "app/ErrorBox.h"

#include <QFileInfo>
#include <QMessageBox>

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
