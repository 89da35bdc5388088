#pragma once

// The terminal of quillon-cli, and its interrupt: Ctrl+C on Linux (SIGINT,
// also SIGTERM and SIGHUP); Ctrl+C, Ctrl+Break
// and closing the console window on Windows. The first one cancels the
// running job; a second one ends the program at once.

#include <QObject>
#include <functional>

// A standard stream that was closed when we started is given a harmless one,
// so that no port or file opened later takes its place and receives what is
// printed. True when standard output was closed.
bool GuardStandardStreams();

// Why standard output takes nothing: "closed", or "not open for writing"
// (a descriptor open only for reading); empty when it may take the output.
// One closed at the start reads as open here once GuardStandardStreams ran.
QString StandardOutputProblem();

// The width of the terminal on standard error; 80 when it tells none.
int TerminalColumns();

// Installs the handler (once is enough).
void CatchInterruptSignals();
bool InterruptSeen();
// An object (owned by parent) that calls onInterrupt on the event loop's
// thread after each interrupt; null if none can be watched.
QObject *NewInterruptWatcher(QObject *parent, const std::function<void()> &onInterrupt);
