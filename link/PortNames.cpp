#include "link/PortNames.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>

#include <sys/stat.h>

bool IsDevicePath(const QString &portName)
{
    return portName.contains(u'/');
}

QString PortNamesAccepted()
{
    return QCoreApplication::translate("PortNames", "COM1-COM%1 или путь к устройству").arg(kComPortCount);
}

QString PortDevicePath(const QString &portName)
{
    if (IsDevicePath(portName))
        return portName; // a device path already (quillon-cli takes them)
    const QByteArray override = qgetenv(("QUILLON_" + portName.toUpper()).toLatin1().constData());
    if (!override.isEmpty())
        return QString::fromLocal8Bit(override);
    const int n = ComNumber(portName);
    if (n < 1)
        return QString();
    if (n <= 4)
        return QStringLiteral("/dev/ttyS%1").arg(n - 1);
    return QStringLiteral("/dev/ttyUSB%1").arg(n - 5);
}

QString PortIdentity(const QString &portName)
{
    const QString path = PortDevicePath(portName);
    struct stat node {};
    if (!path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &node) == 0)
        return QStringLiteral("node %1:%2").arg(node.st_dev).arg(node.st_ino);
    return path;
}
