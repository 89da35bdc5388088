#include "cli/Commands.h"

#include "cli/CliPrint.h"
#include "cli/CmdSet.h"

namespace Cli {

int RunSet(Args &a)
{
    const auto value = [&a](const QCommandLineOption &o) { return a.parser.isSet(o) ? std::optional(a.parser.value(o)) : std::nullopt; };
    return SetCommand({a.positionals, value(kOutput), value(kSetFrom), a.parser.isSet(kQuiet)},
                      {[](const QString &p, ImageFileData *f, int *c) { return LoadInput(p, f, c); },
                       [](const QString &p, ImageFileData *f, ImageFileCheck *check, int *c) {
                           return LoadInput(p, f, c, Suspect::RefuseOutright, check);
                       },
                       Out, Note, Fail});
}

} // namespace Cli
