#pragma once

// The commands of quillon-cli as a table: each one's synopsis, help texts,
// options, exit statuses and the function that runs it.

#include "cli/CliArgs.h"

#include <QCommandLineOption>
#include <QList>
#include <QStringList>
#include <utility>

namespace Cli {

struct Command {
    const char *name;
    const char *synopsis;
    const char *summary;
    QList<QCommandLineOption> options;
    QList<std::pair<const char *, const char *>> positionals; // name, help
    int (*run)(Args &);
    const char *exitCodes; // the statuses it can end with, for its help
};

const QList<Command> &Commands();
// The command called `name`; null for none.
const Command *FindCommand(const QString &name);
// The command's options parsed from the program's arguments (the command
// second); then its help printed, or the command run. Its exit status.
int RunCommand(const Command &c, QStringList arguments);

} // namespace Cli
