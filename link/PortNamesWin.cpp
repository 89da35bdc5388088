#include "link/PortNames.h"

#include <QCoreApplication>

// On Windows a COM name is the device itself, reached through the device
// namespace so that COM10 and above open like COM1. A name already in that
// namespace stays as it is.
namespace {
const QLatin1String kDeviceNamespace("\\\\.\\");
} // namespace

bool IsDevicePath(const QString &portName)
{
    return portName.startsWith(kDeviceNamespace) && ComNumber(portName.mid(kDeviceNamespace.size())) > 0;
}

QString PortNamesAccepted()
{
    return QCoreApplication::translate("PortNames",
                                       "COM1-COM%1 или \\\\.\\COMn (в Windows нет путей к устройствам с /)")
        .arg(kComPortCount);
}

QString PortDevicePath(const QString &portName)
{
    if (IsDevicePath(portName))
        return portName;
    const int n = ComNumber(portName);
    return n > 0 ? kDeviceNamespace + ComName(n) : QString();
}

QString PortIdentity(const QString &portName)
{
    return PortDevicePath(portName).toUpper();
}
