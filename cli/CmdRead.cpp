#include "cli/Commands.h"

#include "cli/CliInterrupt.h"
#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "cli/CliPrint.h"
#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "image/Backups.h"
#include "image/ReadMark.h"
#include "link/PortNames.h"
#include "radio/InfoList.h"

#include <QDateTime>
#include <QDir>

namespace Cli {

namespace {

// read, write and verify share the port's bookkeeping: opening it, running
// a job and reporting how it ended, reading back, closing.
struct PortRun {
    CliSession session;
    QString port;
    bool quiet;
    QString traceFile; // --trace: every job of the command goes there
    int code = ExitOk;

    PortRun(const QString &portName, bool beQuiet)
        : session(!beQuiet && StderrIsTerminal()), port(portName), quiet(beQuiet)
    {
        // Messages name the device behind a COM name too.
        const QString device = PortDevicePath(portName);
        if (device != portName)
            port = QStringLiteral("%1 (%2)").arg(portName, device);
    }

    // ExitPort only for a port that did not open: once a job has begun, its
    // failure is the job's, whatever the cause.
    int PortFailure(const QString &message, int platformCode, int exitCode = ExitPort)
    {
        const QString remedy = PortRemedy(platformCode);
        return Fail(exitCode, port + QStringLiteral(": ") + message + (remedy.isEmpty() ? QString() : QStringLiteral("\n  ") + remedy));
    }

    bool Open(const QString &portName, const QString &trace)
    {
        traceFile = trace;
        session.Session.TraceLastJobOnly = false;
        session.Session.RussianTexts = RussianOutput();
        try {
            session.Open(portName);
            return true;
        } catch (const EComPort &e) {
            code = PortFailure(e.Message(), e.PlatformCode());
            return false;
        }
    }

    // Runs a job and reports how it ended; false when it did not complete.
    bool Job(EngineJob job, const JobRange &range) { return Report(job, session.Run(job, range.addr)); }

    bool Report(EngineJob job, const CliSession::Result &r)
    {
        if (!r.status.isEmpty() && (r.outcome != CliSession::Outcome::Completed || !quiet))
            Note(JobName(job) + QStringLiteral(": ") + r.status);
        if (r.outcome == CliSession::Outcome::Completed)
            return true;
        if (r.job.fault.Kind != EngineFault::None)
            Note(QStringLiteral("quillon-cli: ") + FaultText(r.job.fault, RussianOutput()));
        if (JobTable[size_t(job)].Writing && r.started)
            Note(QStringLiteral("quillon-cli: ") + PartialWriteText(r.job.written));
        switch (r.outcome) {
        case CliSession::Outcome::Completed: break;
        case CliSession::Outcome::Failed: code = ExitJobFailed; break;
        case CliSession::Outcome::Interrupted: code = Fail(ExitJobFailed, Text::tr("interrupted")); break;
        case CliSession::Outcome::PortError: code = PortFailure(r.portError, r.portCode, ExitJobFailed); break;
        }
        return false;
    }

    // The words first..last read back and compared with `expected`.
    bool Verify(const EepromImage &expected, const JobRange &range, const QString &expectedColumn)
    {
        const EngineJob job = ReadJob(range.range);
        const CliSession::Result r = session.Verify(job, range.addr, expected);
        if (!Report(job, r))
            return false;
        const std::vector<WordDiff> &diffs = r.job.diffs;
        const int words = LastAddr(range) - FirstAddr(range) + 1;
        if (!diffs.empty()) {
            Out(DiffTable(diffs, expectedColumn, Text::tr("read", "column of the words read back")));
            code = Fail(ExitWordsDiffer, Text::tr("%1 of %n words did not verify", nullptr, words).arg(diffs.size()));
            return false;
        }
        if (!quiet)
            Note(Text::tr("verify: %n words read back as expected", nullptr, words));
        return true;
    }

    int Close()
    {
        // Written whatever the jobs' end: a failure is what it is for.
        if (!traceFile.isEmpty() && !WriteTrace(traceFile, session.Session.Trace) && code == ExitOk)
            code = ExitFile;
        try {
            session.COM.Close();
        } catch (const EComPort &e) {
            const int closeCode = PortFailure(e.Message(), e.PlatformCode(), ExitJobFailed);
            if (code == ExitOk)
                code = closeCode;
        }
        return code;
    }
};

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
    run.session.Session.BackUpFullReads = !a.parser.isSet(kNoBackup);
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
    bool ok = true;
    if (write) {
        run.session.Buf = file.image;
        ok = run.Job(WriteJob(range.range), range);
    }
    if (ok && (!write || !a.parser.isSet(kNoVerify)))
        run.Verify(file.image, range,
                   write ? Text::tr("written", "column of the words written") : Text::tr("file", "column of the file's words"));
    return run.Close();
}

} // namespace

int RunWrite(Args &a) { return WriteOrVerify(a, true); }
int RunVerify(Args &a) { return WriteOrVerify(a, false); }

} // namespace Cli
