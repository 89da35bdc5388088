#pragma once

#include <QString>

// "COMn" -> device path. COM1-COM4 are the board's /dev/ttyS0-3, COM5-COM15
// the USB adapters /dev/ttyUSB0-10; QUILLON_COMn in the environment overrides
// one name with any path (for example a /dev/serial/by-id link). A name that
// holds a "/" is a device path and stays as it is.
QString PortDevicePath(const QString &portName);

// A name that is a device path already: on Linux one holding a "/", on
// Windows \\.\COMn. quillon-cli takes these besides the COM names.
bool IsDevicePath(const QString &portName);
// What --port takes, for its error message.
QString PortNamesAccepted();
