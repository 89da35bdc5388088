#include "cli/CliSession.h"

#include "cli/CliInterrupt.h"
#include "cli/CliProgress.h"
#include "cli/CliText.h"

#include <QEventLoop>

#include <cstdio>

void CliSession::CatchInterrupt()
{
    CatchInterruptSignals();
}

bool CliSession::Interrupted()
{
    return InterruptSeen();
}

CliSession::CliSession(bool progressOn) : ProgressOn(progressOn)
{
    InterruptNotifier = NewInterruptWatcher(this, [this] { Session.Cancel(); });
    const int tickMs = qEnvironmentVariableIntValue("QUILLON_TICK_MS");
    if (tickMs > 0)
        Driver.Timer1.setInterval(tickMs); // tests; the program keeps the window's tick
}

void CliSession::Open(const QString &port)
{
    COM.Port = port;
    COM.Open();
}

CliSession::Result CliSession::Run(EngineJob job, uint8_t selectedAddr, bool readBack)
{
    JobRequest request;
    request.job = job;
    request.addr = selectedAddr;
    request.verify = readBack;
    request.backup = BackUpReads;
    return Await(request);
}

// The engine ends every job on one of two texts; the session shows the
// write's "Завершено!" again after a read-back that failed, so the last
// status shown is not the read-back's.
CliSession::Result CliSession::WritePart(const Result &r)
{
    Result write = r;
    write.outcome = Outcome::Completed;
    write.status = Cli::WindowText(EngineTexts::Completed);
    write.portError.clear();
    write.portCode = -1;
    return write;
}

CliSession::Result CliSession::ReadBackPart(const Result &r)
{
    Result check = r;
    const bool completed = r.job.check == JobOutcome::Check::Completed;
    check.status = Cli::WindowText(completed ? EngineTexts::Completed : EngineTexts::NotDone);
    check.job.fault = r.job.checkFault;
    if (r.outcome == Outcome::Completed || r.outcome == Outcome::Failed)
        check.outcome = completed ? Outcome::Completed : Outcome::Failed;
    return check;
}

ProbeResult CliSession::Probe(const QString &port, int echoes)
{
    if (Interrupted()) {
        ProbeResult cancelled;
        cancelled.outcome = ProbeOutcome::Cancelled;
        return cancelled;
    }
    QEventLoop loop;
    std::optional<ProbeResult> result;
    Session.StartProbe(
        echoes, *this,
        [&](const ProbeResult &r) {
            result = r;
            loop.quit();
        },
        port);
    if (!result)
        loop.exec();
    if (result->lost)
        throw *result->lost;
    return *result;
}

CliSession::Result CliSession::Verify(EngineJob readJob, uint8_t selectedAddr, const EepromImage &expected)
{
    EepromImage words = expected;
    JobRequest request;
    request.job = readJob;
    request.addr = selectedAddr;
    request.image = &words;
    request.verify = true;
    return Await(request);
}

CliSession::Result CliSession::Await(const JobRequest &request)
{
    Result result;
    if (Interrupted()) {
        result.outcome = Outcome::Interrupted;
        return result;
    }
    QEventLoop loop;
    bool ended = false;
    Status.clear();
    Progress = 0;
    Clock.start();
    result.started = true;
    Session.Start(request, *this, [&](const JobOutcome &o) {
        ended = true;
        result.job = o;
        loop.quit();
    });
    if (!ended)
        loop.exec();
    ClearLine();

    result.status = Status;
    if (const std::optional<EComPort> &error = result.job.portError) {
        result.outcome = Outcome::PortError;
        result.portError = error->Message();
        result.portCode = error->PlatformCode();
    } else if (Interrupted())
        result.outcome = Outcome::Interrupted;
    else
        result.outcome = result.job.completed ? Outcome::Completed : Outcome::Failed;
    return result;
}

void CliSession::ShowStatus(const QString &text)
{
    // A job clears the cancel when it opens; a Ctrl+C that came before must
    // still stop it.
    if (Interrupted() && Engine.Active)
        Driver.Cancel();
    GaugeView::ShowStatus(Cli::WindowText(text));
}

void CliSession::Draw()
{
    // Nothing before the job has said what it does.
    if (!ProgressOn || !Engine.Active || Status.isEmpty())
        return;
    const QString line =
        Cli::ProgressLine(Status, Progress, Maximum, Cli::JobAddress(Engine), Clock.elapsed(), TerminalColumns());
    if (LineDrawn && line == LastLine)
        return;
    WriteText(stderr, Cli::RedrawnLine(line, LineDrawn ? int(LastLine.size()) : 0, EraseToLineEnd()));
    std::fflush(stderr);
    LineDrawn = true;
    LastLine = line;
}

void CliSession::ClearLine()
{
    if (!LineDrawn)
        return;
    WriteText(stderr, Cli::RedrawnLine(QString(), int(LastLine.size()), EraseToLineEnd()));
    std::fflush(stderr);
    LineDrawn = false;
}
