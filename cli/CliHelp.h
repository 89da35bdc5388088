#pragma once

// quillon-cli's help texts: the program's, and what a command's adds to the
// one its options make.

#include "cli/CommandTable.h"

#include <QString>

namespace Cli {

// "quillon-cli --help": the commands, the models and every exit status.
QString MainHelp();
// "quillon-cli COMMAND --help": `parserHelp` (the options' text) under the
// command's own usage line, the models for read, and the command's exit
// statuses.
QString CommandHelp(const Command &c, const QString &parserHelp);

} // namespace Cli
