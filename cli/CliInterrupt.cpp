#include "cli/CliInterrupt.h"

#include "cli/CliText.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
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

void CatchInterruptSignals()
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

bool InterruptSeen()
{
    return g_interrupted != 0;
}

QObject *NewInterruptWatcher(QObject *parent, const std::function<void()> &onInterrupt)
{
    if (g_interruptPipe[0] < 0)
        return nullptr;
    auto *notifier = new QSocketNotifier(g_interruptPipe[0], QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, parent, [onInterrupt] {
        char drain[16];
        while (::read(g_interruptPipe[0], drain, sizeof drain) > 0) {
        }
        onInterrupt();
    });
    return notifier;
}

bool WriteText(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size());
}

QString InterruptNames()
{
    return Cli::Text::tr("Ctrl+C, SIGTERM or SIGHUP");
}

QString ManualName()
{
    return QStringLiteral("man quillon-cli");
}

QString EraseToLineEnd()
{
    return QStringLiteral("\033[K");
}

bool StderrIsTerminal()
{
    return ::isatty(STDERR_FILENO) != 0;
}

int TerminalColumns()
{
    struct winsize size {};
    return ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
}

bool GuardStandardStreams()
{
    bool stdoutClosed = false;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        stdoutClosed = stdoutClosed || fd == STDOUT_FILENO;
        const int null = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (null >= 0 && null != fd) {
            ::dup2(null, fd);
            ::close(null);
        }
    }
    return stdoutClosed;
}

QString StandardOutputProblem()
{
    const int flags = ::fcntl(STDOUT_FILENO, F_GETFL);
    if (flags == -1)
        return Cli::Text::tr("closed");
    if ((flags & O_ACCMODE) == O_RDONLY)
        return Cli::Text::tr("not open for writing");
    return QString();
}
