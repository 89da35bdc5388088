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

CliSession::Result CliSession::Run(EngineJob job, uint8_t selectedAddr)
{
    JobRequest request;
    request.job = job;
    request.addr = selectedAddr;
    request.backup = BackUpReads;
    return Await(request);
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
    }
    else if (Interrupted())
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
