#include "link/PortNames.h"

// On Windows a COM name is the device itself, reached through the device
// namespace so that COM10 and above open like COM1. A name already in that
// namespace stays as it is.
namespace {
const QLatin1String kDeviceNamespace("\\\\.\\");

// n of "COMn" (any case), 0 for anything else.
int ComNumber(const QString &name)
{
    bool ok = false;
    const int n = name.mid(3).toInt(&ok);
    return name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive) && ok && n >= 1 &&
                   name.mid(3) == QString::number(n)
               ? n
               : 0;
}
} // namespace

bool IsDevicePath(const QString &portName)
{
    return portName.startsWith(kDeviceNamespace) && ComNumber(portName.mid(kDeviceNamespace.size())) > 0;
}

QString PortNamesAccepted()
{
    return QStringLiteral("COM1-COM15 or \\\\.\\COMn (Windows has no device paths with /)");
}

QString PortDevicePath(const QString &portName)
{
    if (IsDevicePath(portName))
        return portName;
    const int n = ComNumber(portName);
    return n > 0 ? QStringLiteral("\\\\.\\COM%1").arg(n) : QString();
}
