#pragma once

// The progress line quillon-cli draws on a terminal while a job runs.

#include "link/Engine.h"

#include <QString>

namespace Cli {

// The address the job is at: the start of the command being exchanged, the
// next command's before it is built, the first one before the opening CR.
int JobAddress(const ProgrammingEngine &engine);
// "Чтение...  [########          ]  45%  addr 14  0:08", at most `columns`
// characters wide: a narrow terminal gets a shorter bar, then less text.
QString ProgressLine(const QString &status, int progress, int maximum, int addr, qint64 elapsedMs,
                     int columns = 80);

// The bytes that draw `line` (empty: clear it) over the progress line drawn
// before, `previousLength` characters long: the terminal's erase sequence
// after it, or blanks over what is left where the terminal has none.
QString RedrawnLine(const QString &line, int previousLength, const QString &erase);

} // namespace Cli
