#include "cli/Commands.h"

#include "cli/CliPrint.h"
#include "cli/CliText.h"

namespace Cli {

int RunDiff(Args &a)
{
    if (a.positionals.size() != 2)
        return Fail(ExitUsage, Text::tr("two image files expected"));
    if (a.positionals[0] == QLatin1String("-") && a.positionals[1] == QLatin1String("-"))
        return Fail(ExitUsage, Text::tr("only one of the two can be standard input"));
    ImageFileData files[2];
    int code = ExitOk;
    for (int i = 0; i < 2; ++i)
        if (!LoadInput(a.positionals[i], &files[i], &code))
            return code;
    const std::vector<WordDiff> diffs = DiffWords(files[0].image, files[1].image);
    if (diffs.empty())
        return ExitOk;
    Out(DiffTable(diffs, Printable(a.positionals[0]), Printable(a.positionals[1])));
    return ExitWordsDiffer;
}

} // namespace Cli
