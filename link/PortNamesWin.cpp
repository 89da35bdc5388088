#include "link/PortNames.h"

// On Windows a COM name is the device itself, reached through the device
// namespace so that COM10 and above open like COM1. A name already in that
// namespace stays as it is.
QString PortDevicePath(const QString &portName)
{
    if (portName.startsWith(QLatin1String("\\\\.\\")))
        return portName;
    bool ok = false;
    const int n = portName.mid(3).toInt(&ok);
    if (!portName.startsWith(QLatin1String("COM"), Qt::CaseInsensitive) || !ok || n < 1)
        return QString();
    return QStringLiteral("\\\\.\\COM%1").arg(n);
}
