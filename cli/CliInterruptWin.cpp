#include "cli/CliInterrupt.h"

#include "cli/CliText.h"

#include <QWinEventNotifier>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <io.h>
#include <windows.h>

namespace {

std::atomic<bool> g_interrupted{false};
HANDLE g_interruptEvent = nullptr; // auto-reset, set by the handler

// The console as we found it, given back at exit.
UINT g_savedOutputCp = 0;
DWORD g_savedErrorMode = 0;
bool g_errorModeChanged = false;
bool g_virtualTerminal = false;

void RestoreConsole()
{
    if (g_savedOutputCp)
        ::SetConsoleOutputCP(g_savedOutputCp);
    if (g_errorModeChanged)
        ::SetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), g_savedErrorMode);
}

// The console behind a C stream; null when it goes to a file or a pipe.
HANDLE ConsoleOf(std::FILE *stream)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) ? handle : nullptr;
}

// Runs on a thread of its own that the system starts for the console event.
BOOL WINAPI OnConsoleEvent(DWORD event)
{
    if (g_interrupted.exchange(true))
        return FALSE; // the second one: the default handler ends the program
    if (g_interruptEvent)
        ::SetEvent(g_interruptEvent);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        // The process ends when this returns: give the job the few seconds
        // the system allows to cancel and close the port; the program's own
        // exit ends this thread earlier.
        ::Sleep(4000);
    }
    return TRUE;
}

} // namespace

void CatchInterruptSignals()
{
    // Our own texts go to the console as wide characters; UTF-8 for what
    // others print (Qt's warnings). The progress line uses the terminal's
    // erase sequence where the console takes it. All is given back at exit.
    static bool consoleTaken = false;
    if (!consoleTaken) {
        consoleTaken = true;
        g_savedOutputCp = ::GetConsoleOutputCP(); // 0 without a console
        if (g_savedOutputCp)
            ::SetConsoleOutputCP(CP_UTF8);
        const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
        DWORD mode = 0;
        if (err != INVALID_HANDLE_VALUE && ::GetConsoleMode(err, &mode)) {
            g_savedErrorMode = mode;
            g_virtualTerminal = (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) ||
                                ::SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
            g_errorModeChanged = !(mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) && g_virtualTerminal;
        }
        std::atexit(RestoreConsole);
    }
    if (!g_interruptEvent)
        g_interruptEvent = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

bool InterruptSeen()
{
    return g_interrupted.load();
}

QObject *NewInterruptWatcher(QObject *parent, const std::function<void()> &onInterrupt)
{
    if (!g_interruptEvent)
        return nullptr;
    auto *notifier = new QWinEventNotifier(g_interruptEvent, parent);
    QObject::connect(notifier, &QWinEventNotifier::activated, parent, [onInterrupt] { onInterrupt(); });
    return notifier;
}

bool WriteText(std::FILE *stream, const QString &text)
{
    if (const HANDLE console = ConsoleOf(stream)) {
        std::fflush(stream); // what went before through the C runtime first
        const auto *chars = reinterpret_cast<const wchar_t *>(text.utf16());
        DWORD left = static_cast<DWORD>(text.size());
        while (left > 0) {
            DWORD written = 0;
            if (!::WriteConsoleW(console, chars, left, &written, nullptr) || written == 0) {
                errno = EIO;
                return false;
            }
            chars += written;
            left -= written;
        }
        return true;
    }
    const QByteArray bytes = text.toUtf8();
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size());
}

QString InterruptNames()
{
    return Cli::Text::tr("Ctrl+C, Ctrl+Break or closing the console");
}

QString ManualName()
{
    return Cli::Text::tr("quillon-cli.txt beside the program");
}

QString EraseToLineEnd()
{
    // A console without virtual-terminal processing shows the sequence as text.
    return g_virtualTerminal || !ConsoleOf(stderr) ? QStringLiteral("\033[K") : QString();
}

bool StderrIsTerminal()
{
    return ::_isatty(::_fileno(stderr)) != 0;
}

int TerminalColumns()
{
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (::GetConsoleScreenBufferInfo(::GetStdHandle(STD_ERROR_HANDLE), &info))
        return info.srWindow.Right - info.srWindow.Left + 1;
    return 80;
}

bool GuardStandardStreams()
{
    // The port is a handle of its own here, never a C runtime descriptor:
    // a closed standard output cannot be taken over. Writing to it fails,
    // which the flush at the end reports.
    return false;
}

QString StandardOutputProblem()
{
    // A handle opened for reading only is not told apart here; the flush at
    // the end reports what could not be written.
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    return out == INVALID_HANDLE_VALUE || out == nullptr ? Cli::Text::tr("closed") : QString();
}
