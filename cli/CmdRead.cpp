#include "cli/Commands.h"

#include "cli/CliInterrupt.h"
#include "cli/CliNames.h"
#include "cli/CliOutput.h"
#include "cli/CliPrint.h"
#include "cli/CliPrintable.h"
#include "cli/CliText.h"
#include "cli/PortRun.h"
#include "image/Backups.h"
#include "image/ReadMark.h"
#include "link/PortNames.h"
#include "radio/InfoList.h"

#include <QDir>

namespace Cli {

namespace {

// The session keeps every completed read of the whole EEPROM; a backup that
// cannot be written is reported and fails nothing.
void ReportBackup(const PortRun &run, const JobOutcome &job)
{
    if (!job.backupTaken)
        return;
    if (job.backup.error)
        Note(Text::tr("quillon-cli: backup not saved in %1: %2")
                 .arg(QDir::toNativeSeparators(job.backupFolder), IoErrorText(job.backup.error)));
    else if (!run.quiet)
        Note(Text::tr("backup: %1").arg(QDir::toNativeSeparators(job.backup.path)));
}

} // namespace

int RunRead(Args &a)
{
    QString port, error;
    JobRange range;
    if (!PortArgs(a, 0, &port, &range, &error))
        return Fail(ExitUsage, error);
    if (!a.parser.isSet(kOutput))
        return Fail(ExitUsage, Text::tr("-o FILE is required"));
    const QString output = a.parser.value(kOutput);
    if (output.isEmpty())
        return Fail(ExitUsage, Text::tr("-o needs a file name, or - for standard output"));
    bool ok = true;
    const int model = a.parser.isSet(kModel) ? a.parser.value(kModel).toInt(&ok) : 0;
    if (!ok || model < 0 || model >= kModelCount)
        return Fail(ExitUsage, Text::tr("--model takes 0-8:") + u'\n' + ModelListText());
    if (int code = ExitOk; !CommentAccepted(a, &code))
        return code;
    QString trace;
    if (int code = ExitOk; !TraceAccepted(a, &trace, &code))
        return code;
    // Whatever can be found out before the job is: its words would be lost.
    if (output == QLatin1String("-")) {
        const QString problem = StdoutClosed() ? Text::tr("closed", "standard output") : StandardOutputProblem();
        if (!problem.isEmpty())
            return Fail(ExitFile, Text::tr("standard output: %1").arg(problem));
    } else if (const QString problem = OutputProblem(output); !problem.isEmpty()) {
        return Fail(ExitFile, output + QStringLiteral(": ") + problem);
    }

    PortRun run(port, a.parser.isSet(kQuiet));
    if (!run.Open(port, trace))
        return run.code;
    run.session.BackUpReads = !a.parser.isSet(kNoBackup);
    run.session.Session.BackupModel = [model] { return model; };
    const EngineJob job = ReadJob(range.range);
    const CliSession::Result result = run.session.Run(job, range.addr);
    if (run.Report(job, result))
        ReportBackup(run, result.job);
    if (const int code = run.Close(); code != ExitOk)
        return code; // nothing is saved of a job that did not complete
    // Words a block or word read did not read are FFFF, and only the comment
    // can say so; write refuses to put them back over the telephone's words.
    QString comment = a.parser.value(kComment);
    if (range.range != Range::All)
        comment = WithReadRangeMark(comment, ReadRange{FirstAddr(range), LastAddr(range)});
    return SaveOutput(output, run.session.Buf, model, comment);
}

} // namespace Cli
