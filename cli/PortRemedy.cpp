// What to do about a port error, by Linux's error numbers (the Windows table
// is PortRemedyWin.cpp).

#include "cli/CliNames.h"
#include "cli/CliPorts.h"
#include "cli/CliText.h"

#include <cerrno>

namespace Cli {

const char kPortHelp[] = QT_TRANSLATE_NOOP("Cli", "The serial port: COM1-COM15 (mapped as in the window, "
                                                  "QUILLON_COMn overrides) or a device path.");

QString PortRemedy(int code)
{
    switch (code) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return Text::tr("no such device: check the port's name and that the adapter is plugged in; "
                        "'quillon-cli ports' lists the ports present");
    case EACCES:
    case EPERM:
        return Text::tr("no permission: add yourself to the group dialout "
                        "(sudo usermod -aG dialout $USER), then log out and in again; "
                        "'quillon-cli ports' tells which of the two is missing");
    case EBUSY:
    case EAGAIN:
        return Text::tr("another program holds the port (or it is this session's own terminal): close "
                        "that program first; 'quillon-cli ports' names it");
    case ENOTTY:
    case EISDIR:
        return Text::tr("this is not a serial port; 'quillon-cli ports' lists the ports present");
    case EIO:
        return Text::tr("the device went away: check the cable and the adapter, then run the job again");
    }
    return QString();
}

QString NoPortsText()
{
    return Text::tr("No serial devices found. Plug the adapter in and look again; 'sudo dmesg | tail' "
                    "shows whether the kernel saw it.\n");
}

QString LatencyAdvice()
{
    return QString();
}

} // namespace Cli
