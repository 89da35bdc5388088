#include "cli/Commands.h"

#include "cli/CliArgs.h"
#include "cli/CliPorts.h"
#include "cli/CliPrint.h"

namespace Cli {

int RunProbe(Args &a)
{
    QString port, error;
    JobRange range;
    if (!PortArgs(a, 0, &port, &range, &error))
        return Fail(ExitUsage, error);
    QString trace;
    if (int code = ExitOk; !TraceAccepted(a, &trace, &code))
        return code;
    return ProbeCommand(port, Out, trace);
}

} // namespace Cli
