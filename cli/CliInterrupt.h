#pragma once

// The terminal of quillon-cli, and its interrupt: Ctrl+C on Linux (SIGINT,
// also SIGTERM and SIGHUP); Ctrl+C, Ctrl+Break
// and closing the console window on Windows. The first one cancels the
// running job; a second one ends the program at once.

#include <QObject>
#include <QString>
#include <cstdio>
#include <functional>

// A standard stream that was closed when we started is given a harmless one,
// so that no port or file opened later takes its place and receives what is
// printed. True when standard output was closed.
bool GuardStandardStreams();

// Why standard output takes nothing: "closed", or "not open for writing"
// (a descriptor open only for reading); empty when it may take the output.
// One closed at the start reads as open here once GuardStandardStreams ran.
QString StandardOutputProblem();

// Standard error is a terminal: a job's progress line is drawn there, and
// nowhere else (a pipe or a log file would keep every redraw).
bool StderrIsTerminal();
// The width of the terminal on standard error; 80 when it tells none.
int TerminalColumns();

// Writes text to standard output or error: as UTF-8, or to a Windows console
// as wide characters, which it shows whatever its code page. False when it
// could not be written (errno says why).
bool WriteText(std::FILE *stream, const QString &text);
// The sequence that erases to the end of the line on standard error's
// terminal; empty where it has none (a Windows console without
// virtual-terminal processing).
QString EraseToLineEnd();

// What interrupts a job here, for the help: "Ctrl+C, SIGTERM or SIGHUP".
QString InterruptNames();
// Where the manual is: "man quillon-cli".
QString ManualName();

// Installs the handler (once is enough).
void CatchInterruptSignals();
bool InterruptSeen();
// An object (owned by parent) that calls onInterrupt on the event loop's
// thread after each interrupt; null if none can be watched.
QObject *NewInterruptWatcher(QObject *parent, const std::function<void()> &onInterrupt);
