#include "cli/Commands.h"

#include "cli/CliPrint.h"
#include "cli/CliText.h"
#include "image/Presets.h"

namespace Cli {

int RunPreset(Args &a)
{
    if (a.parser.isSet(kList)) {
        for (const Preset &p : PresetTable)
            Out(QString::fromLatin1(p.name).leftJustified(18) + WindowText(p.caption) + u'\n');
        return ExitOk;
    }
    if (a.positionals.size() != 1)
        return Fail(ExitUsage, Text::tr("one preset name expected (see --list)"));
    const int p = FindPreset(a.positionals.constFirst());
    if (p < 0)
        return Fail(ExitUsage, Text::tr("unknown preset %1 (see --list)").arg(a.positionals.constFirst()));
    if (!a.parser.isSet(kOutput))
        return Fail(ExitUsage, Text::tr("-o FILE is required"));
    if (int code = ExitOk; !CommentAccepted(a, &code))
        return code;
    EepromImage image;
    ApplyPreset(image, p);
    const int code = SaveOutput(a.parser.value(kOutput), image, PresetTable[p].model,
                                a.parser.value(kComment));
    if (code == ExitOk && !a.parser.isSet(kQuiet))
        Note(WindowText(PresetReminder));
    return code;
}

} // namespace Cli
