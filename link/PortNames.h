#pragma once

#include <QString>

// The port list: COM1 to COM15.
constexpr int kComPortCount = 15;
// "COM<n>".
QString ComName(int n);
// n of "COMn" (any case; digits only, without sign or leading zero), 0 for
// anything else. Any n from 1, not only the port list's.
int ComNumber(const QString &name);

// "COMn" -> device path. COM1-COM4 are the board's /dev/ttyS0-3, COM5-COM15
// the USB adapters /dev/ttyUSB0-10; QUILLON_COMn in the environment overrides
// one name with any path (for example a /dev/serial/by-id link). A name that
// holds a "/" is a device path and stays as it is.
QString PortDevicePath(const QString &portName);

// A name that is a device path already: on Linux one holding a "/", on
// Windows \\.\COMn. quillon-cli takes these besides the COM names.
bool IsDevicePath(const QString &portName);
// What --port takes, for its error message (context "PortNames").
QString PortNamesAccepted();

// What tells two port names apart: the device node they open (a symlink, a
// by-id link and a QUILLON_COMn setting all lead to it); the device path
// when there is no node. Two names with the same identity are one port.
QString PortIdentity(const QString &portName);
