#include "cli/PortRun.h"

#include "cli/CliImageText.h"
#include "cli/CliInterrupt.h"
#include "cli/CliNames.h"
#include "cli/CliPorts.h"
#include "cli/CliPrint.h"
#include "cli/CliText.h"
#include "link/JobReport.h"
#include "link/PortNames.h"

namespace Cli {

PortRun::PortRun(const QString &portName, bool beQuiet)
    : session(!beQuiet && StderrIsTerminal()), port(portName), quiet(beQuiet)
{
    // Messages name the device behind a COM name too.
    const QString device = PortDevicePath(portName);
    if (device != portName)
        port = QStringLiteral("%1 (%2)").arg(portName, device);
}

int PortRun::PortFailure(const QString &message, int platformCode, int exitCode)
{
    const QString remedy = PortRemedy(platformCode);
    return Fail(exitCode, port + QStringLiteral(": ") + message + (remedy.isEmpty() ? QString() : QStringLiteral("\n  ") + remedy));
}

bool PortRun::Open(const QString &portName, const QString &trace)
{
    traceFile = trace;
    session.Session.TraceLastJobOnly = false;
    try {
        session.Open(portName);
        return true;
    } catch (const EComPort &e) {
        code = PortFailure(e.Message(), e.PlatformCode());
        return false;
    }
}

bool PortRun::Report(EngineJob job, const CliSession::Result &r)
{
    if (!r.status.isEmpty() && (r.outcome != CliSession::Outcome::Completed || !quiet))
        Note(JobName(job) + QStringLiteral(": ") + r.status);
    if (r.outcome == CliSession::Outcome::Completed)
        return true;
    if (r.job.fault.Kind != EngineFault::None)
        Note(QStringLiteral("quillon-cli: ") + FaultText(r.job.fault));
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

bool PortRun::Verify(const EepromImage &expected, const JobRange &range, const QString &expectedColumn)
{
    const EngineJob job = ReadJob(range.range);
    return Compared(job, session.Verify(job, range.addr, expected), range, expectedColumn);
}

bool PortRun::WriteThenVerify(const JobRange &range)
{
    const EngineJob job = WriteJob(range.range);
    const CliSession::Result r = session.Run(job, range.addr, true);
    if (r.job.check == JobOutcome::Check::None)
        return Report(job, r); // the write did not complete: nothing was read back
    Report(job, CliSession::WritePart(r));
    return Compared(ReadJob(range.range), CliSession::ReadBackPart(r), range,
                    Text::tr("written", "column of the words written"));
}

bool PortRun::Compared(EngineJob readJob, const CliSession::Result &r, const JobRange &range,
                       const QString &expectedColumn)
{
    if (!Report(readJob, r))
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

int PortRun::Close()
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

} // namespace Cli
