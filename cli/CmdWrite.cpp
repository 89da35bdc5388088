#include "cli/Commands.h"

#include "cli/CliPrint.h"
#include "cli/CliText.h"
#include "cli/PortRun.h"

namespace Cli {

namespace {

int WriteOrVerify(Args &a, bool write)
{
    QString port, error;
    JobRange range;
    if (!PortArgs(a, 1, &port, &range, &error))
        return Fail(ExitUsage, error);
    ImageFileData file;
    int code = ExitOk;
    const Suspect suspect = !write ? Suspect::Warn : a.parser.isSet(kForce) ? Suspect::Force : Suspect::Refuse;
    if (!LoadInput(a.positionals.constFirst(), &file, &code, suspect))
        return code;
    if (write && !a.parser.isSet(kForce))
        if (const QString why = UnheldWords(a.positionals.constFirst(), file, range); !why.isEmpty())
            return Fail(ExitFile, a.positionals.constFirst() + QStringLiteral(": ") + why);
    QString trace;
    if (!TraceAccepted(a, &trace, &code))
        return code;

    PortRun run(port, a.parser.isSet(kQuiet));
    if (!run.Open(port, trace))
        return run.code;
    if (write) {
        run.session.Buf = file.image;
        if (a.parser.isSet(kNoVerify))
            run.Job(WriteJob(range.range), range);
        else
            run.WriteThenVerify(range);
    } else {
        run.Verify(file.image, range, Text::tr("file", "column of the file's words"));
    }
    return run.Close();
}

} // namespace

int RunWrite(Args &a) { return WriteOrVerify(a, true); }
int RunVerify(Args &a) { return WriteOrVerify(a, false); }

} // namespace Cli
