#include "link/PortNames.h"

#include <QByteArray>

bool IsDevicePath(const QString &portName)
{
    return portName.contains(u'/');
}

QString PortNamesAccepted()
{
    return QStringLiteral("COM1-COM15 or a device path");
}

QString PortDevicePath(const QString &portName)
{
    if (IsDevicePath(portName))
        return portName; // a device path already (quillon-cli takes them)
    const QByteArray override = qgetenv(("QUILLON_" + portName.toUpper()).toLatin1().constData());
    if (!override.isEmpty())
        return QString::fromLocal8Bit(override);
    bool ok = false;
    const int n = portName.mid(3).toInt(&ok);
    if (!portName.startsWith(QLatin1String("COM"), Qt::CaseInsensitive) || !ok || n < 1)
        return QString();
    if (n <= 4)
        return QStringLiteral("/dev/ttyS%1").arg(n - 1);
    return QStringLiteral("/dev/ttyUSB%1").arg(n - 5);
}
