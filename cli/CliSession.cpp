#include "cli/CliSession.h"

#include "cli/CliCore.h"

#include <QEventLoop>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

int g_interruptPipe[2] = {-1, -1};
volatile sig_atomic_t g_interrupted = 0;

void OnInterrupt(int)
{
    const int saved = errno;
    g_interrupted = 1;
    if (g_interruptPipe[1] >= 0)
        (void)!::write(g_interruptPipe[1], "!", 1);
    errno = saved;
}

} // namespace

void CliSession::CatchInterrupt()
{
    if (g_interruptPipe[0] < 0 && ::pipe2(g_interruptPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        g_interruptPipe[0] = g_interruptPipe[1] = -1;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    // A `timeout` (SIGTERM) or a dropped ssh session (SIGHUP) must not leave
    // a write half done either.
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

bool CliSession::Interrupted()
{
    return g_interrupted != 0;
}

CliSession::CliSession(bool progressOn) : ProgressOn(progressOn)
{
    if (g_interruptPipe[0] >= 0) {
        InterruptNotifier = new QSocketNotifier(g_interruptPipe[0], QSocketNotifier::Read, this);
        connect(InterruptNotifier, &QSocketNotifier::activated, this, [this] {
            char drain[16];
            while (::read(g_interruptPipe[0], drain, sizeof drain) > 0) {
            }
            Driver.Cancel();
        });
    }
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
    Result result;
    if (Interrupted()) {
        result.outcome = Outcome::Interrupted;
        return result;
    }
    QEventLoop loop;
    bool ended = false, completed = false;
    const auto connection = connect(&Driver, &EngineDriver::JobEnded, &loop, [&](bool ok) {
        ended = true;
        completed = ok;
        loop.quit();
    });
    Driver.OnError = [&](const QString &message) { result.portError = message; };
    Status.clear();
    Progress = 0;
    Clock.start();
    result.started = true;
    Driver.StartJob(job, selectedAddr);
    if (!ended)
        loop.exec();
    disconnect(connection);
    Driver.OnError = nullptr;
    ClearLine();

    result.status = Status;
    if (!result.portError.isEmpty()) {
        result.outcome = Outcome::PortError;
        result.portCode = Driver.LastErrorCode;
    }
    else if (Interrupted())
        result.outcome = Outcome::Interrupted;
    else
        result.outcome = completed ? Outcome::Completed : Outcome::Failed;
    return result;
}

void CliSession::SetGaugeMax(int max)
{
    Maximum = max;
    Draw();
}

void CliSession::SetGaugeProgress(int progress)
{
    Progress = qBound(0, progress, Maximum);
    Draw();
}

void CliSession::ShowStatus(const QString &text)
{
    Status = text;
    // A job clears the cancel when it opens; a Ctrl+C that came before must
    // still stop it.
    if (Interrupted() && Engine.Active)
        Driver.Cancel();
    Draw();
}

void CliSession::Draw()
{
    // Nothing before the job has said what it does.
    if (!ProgressOn || !Engine.Active || Status.isEmpty())
        return;
    struct winsize size {};
    const int columns = ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
    const QString line =
        Cli::ProgressLine(Status, Progress, Maximum, Cli::JobAddress(Engine), Clock.elapsed(), columns);
    if (LineDrawn && line == LastLine)
        return;
    std::fprintf(stderr, "\r%s\033[K", line.toUtf8().constData());
    std::fflush(stderr);
    LineDrawn = true;
    LastLine = line;
}

void CliSession::ClearLine()
{
    if (!LineDrawn)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    LineDrawn = false;
}
