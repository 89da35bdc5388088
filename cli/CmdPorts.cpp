#include "cli/Commands.h"

#include "cli/CliPorts.h"
#include "cli/CliPrint.h"
#include "cli/CliText.h"

namespace Cli {

int RunPorts(Args &a)
{
    if (!a.positionals.isEmpty())
        return Fail(ExitUsage, Text::tr("unexpected argument %1").arg(a.positionals.constFirst()));
    return PortsCommand(a.parser.isSet(kJson), Out);
}

} // namespace Cli
