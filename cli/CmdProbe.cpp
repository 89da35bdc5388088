#include "cli/Commands.h"

#include "cli/CliPorts.h"
#include "cli/CliPrint.h"

namespace Cli {

int RunProbe(Args &a)
{
    QString port, error;
    JobRange range;
    if (!PortArgs(a, 0, &port, &range, &error))
        return Fail(ExitUsage, error);
    return ProbeCommand(port, Out);
}

} // namespace Cli
