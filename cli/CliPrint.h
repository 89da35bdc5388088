#pragma once

// What quillon-cli prints: standard output, checked for errors, and the
// notes and failures on standard error.

#include <QString>

namespace Cli {

// Standard output was closed when the program started (see
// GuardStandardStreams); whatever is printed there fails.
void SetStdoutClosed(bool closed);
bool StdoutClosed();

// Text on standard output; the first error met is kept for FinishOutput.
void Out(const QString &text);
// A line on standard error.
void Note(const QString &text);
// "quillon-cli: text" on standard error; returns code.
int Fail(int code, const QString &text);

// Whatever the command did, output that did not get out is a file error:
// code, or ExitFile with the reason on standard error.
int FinishOutput(int code);

} // namespace Cli
