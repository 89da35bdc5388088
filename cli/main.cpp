// quillon-cli: the programmer without a window. This file finds the command
// and runs it; the table of commands is cli/CommandTable, the help texts
// cli/CliHelp, and each command has its file (cli/Cmd*.cpp). The work is
// done by the same plain code as the window's (link/, image/, radio/).

#include "cli/CliHelp.h"
#include "cli/CliInterrupt.h"
#include "cli/CliPrint.h"
#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "cli/CommandTable.h"
#include "cli/ExitCode.h"

#include <QCoreApplication>

using namespace Cli;

int main(int argc, char **argv)
{
    SetStdoutClosed(GuardStandardStreams());
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillon-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    InstallLanguage();
    CliSession::CatchInterrupt();

    const QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.value(1);
    if (command == QLatin1String("-h") || command == QLatin1String("--help") || command == QLatin1String("help")) {
        Out(MainHelp());
        return FinishOutput(ExitOk);
    }
    if (command == QLatin1String("--version")) {
        Out(QStringLiteral("quillon-cli %1\n").arg(QCoreApplication::applicationVersion()));
        return FinishOutput(ExitOk);
    }
    if (const Command *c = FindCommand(command))
        return FinishOutput(RunCommand(*c, arguments));
    Note(command.isEmpty() ? Text::tr("quillon-cli: a command is required")
                           : Text::tr("quillon-cli: unknown command %1").arg(command));
    Note(Text::tr("Try 'quillon-cli --help'."));
    return ExitUsage;
}
