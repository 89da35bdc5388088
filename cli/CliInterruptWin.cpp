#include "cli/CliInterrupt.h"

#include <QWinEventNotifier>

#include <atomic>
#include <windows.h>

namespace {

std::atomic<bool> g_interrupted{false};
HANDLE g_interruptEvent = nullptr; // auto-reset, set by the handler

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
    // The texts are UTF-8 (Russian among them), and the progress line uses
    // the terminal's erase sequence.
    ::SetConsoleOutputCP(CP_UTF8);
    const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (err != INVALID_HANDLE_VALUE && ::GetConsoleMode(err, &mode))
        ::SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
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
    return out == INVALID_HANDLE_VALUE || out == nullptr ? QStringLiteral("closed") : QString();
}
