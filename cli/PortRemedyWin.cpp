// What to do about a port error, by Windows's error numbers. Windows has no
// device list of ours to point to: Device Manager shows the COM ports under
// "Ports (COM & LPT)", with the number each adapter got.

#include "cli/CliNames.h"
#include "cli/CliPorts.h"
#include "cli/CliText.h"

#include <windows.h>

namespace Cli {

// Windows has no device paths with / and no QUILLON_COMn overrides.
const char kPortHelp[] = QT_TRANSLATE_NOOP("Cli", "The serial port: COM1-COM15 or \\\\.\\COMn, the number Device "
                                                  "Manager shows under Ports (COM & LPT).");

QString PortRemedy(int code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return Text::tr("no such port: check that the adapter is plugged in and which COM number it has in "
                        "Device Manager (Ports (COM & LPT))");
    case ERROR_INVALID_NAME:
        return Text::tr("not a Windows port name: give COMn or \\\\.\\COMn, with the number Device Manager "
                        "shows under Ports (COM & LPT)");
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        // Also what a transfer gets once the adapter is unplugged.
        return Text::tr("the port is in use or gone: close the program that holds it (a terminal, "
                        "another Quillon); if the adapter was unplugged during the job, plug it in and "
                        "run the job again");
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_HANDLE:
        return Text::tr("this is not a serial port; Device Manager lists the COM ports under "
                        "Ports (COM & LPT)");
    case ERROR_NOT_READY:
    case ERROR_BAD_COMMAND:
    case ERROR_GEN_FAILURE:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEVICE_REMOVED:
        return Text::tr("the device went away: check the cable and the adapter, then run the job again");
    }
    return QString();
}

QString NoPortsText()
{
    return Text::tr("No COM ports found. Plug the adapter in and look again; Device Manager shows under "
                    "Ports (COM & LPT) whether Windows saw it and which driver it lacks.\n");
}

QString LatencyAdvice()
{
    return Text::tr("a USB adapter holds what it receives for its latency timer (16 ms by default), which "
                    "makes a write about a tenth slower: set it to 1 in Device Manager, the port's "
                    "Properties, \"Port Settings\", \"Advanced...\", \"Latency Timer (msec)\"");
}

} // namespace Cli
