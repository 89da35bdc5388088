#include "cli/CommandTable.h"

#include "cli/CliHelp.h"
#include "cli/CliPrint.h"
#include "cli/CliRange.h"
#include "cli/CliText.h"
#include "cli/CmdSet.h"
#include "cli/Commands.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace Cli {

const QList<Command> &Commands()
{
    static const QList<Command> commands = {
        {"read", "read --port PORT [all|block|word ADDR] -o FILE [--model N] [--comment TEXT] [--no-backup] [--trace FILE]",
         QT_TRANSLATE_NOOP("Cli", "Reads words of the telephone (Read258, ReadBlock or ReadCur) and saves them as an image "
         "file; words not read stay FFFF, and the comment marks which were read ([read 30-3F]). A completed read of all words is also kept in the "
         "backups folder (see backups)."),
         {kPort, kOutput, kModel, kComment, kNoBackup, kTrace, kQuiet},
         {{"all|block|word ADDR", kRangeHelp}},
         RunRead, "02345"},
        {"write", "write --port PORT [all|block|word ADDR] FILE [--no-verify] [--force] [--trace FILE]",
         QT_TRANSLATE_NOOP("Cli", "Writes words of an image file into the telephone (Write258, WriteBlock or WriteCur), then "
         "reads them back and lists every word that differs."),
         {kPort, kNoVerify, kForce, kTrace, kQuiet},
         {{"all|block|word ADDR", kRangeHelp}, {"FILE", kFileHelp}},
         RunWrite, "012345"},
        {"verify", "verify --port PORT [all|block|word ADDR] FILE [--trace FILE]",
         QT_TRANSLATE_NOOP("Cli", "Reads words of the telephone and lists every one that differs from the image file."),
         {kPort, kTrace, kQuiet},
         {{"all|block|word ADDR", kRangeHelp}, {"FILE", kFileHelp}},
         RunVerify, "012345"},
        {"info", "info FILE [--json]",
         QT_TRANSLATE_NOOP("Cli", "Shows the information list of the \"Инфо\" page for an image file, and the values of the "
         "\"Частота\" page."),
         {kJson},
         {{"FILE", kFileHelp}},
         RunInfo, "024"},
        {"diff", "diff A B", QT_TRANSLATE_NOOP("Cli", "Lists the words that differ between two image files."), {}, {{"A B", kFileHelp}}, RunDiff, "0124"},
        {"preset", "preset NAME -o FILE [--comment TEXT] | preset --list",
         QT_TRANSLATE_NOOP("Cli", "Puts a factory radio block into a blank image with its model, as the window's "
         "\"Стандартные для...\" menu does. NAME is the action name (L258Hand10625, any case) or "
         "the caption (\"Труба 258 10625\")."),
         {kOutput, kComment, kList, kQuiet},
         {{"NAME", QT_TRANSLATE_NOOP("Cli", "The preset.")}},
         RunPreset, "024"},
        {"set", kSetSynopsis, kSetSummary, {kOutput, kSetFrom, kQuiet}, {{"FILE", kFileHelp}, {"KEY=VALUE", kSetKeysHelp}}, RunSet, "024"},
        {"backups", "backups [--id N] [--json]",
         QT_TRANSLATE_NOOP("Cli", "Lists the backups that every completed read of the whole EEPROM leaves (in the window and "
         "by read all), newest first: date, model, ID code (word 37), port and path. A backups folder "
         "or backup that cannot be read is named on standard error, with exit status 4."),
         {kId, kJson},
         {},
         RunBackups, "024"},
        {"ports", "ports [--json]",
         QT_TRANSLATE_NOOP("Cli", "Lists the serial devices present, from the system's device list and without opening "
         "any, with their COM names, whether your permissions let you open them (and why not), and the "
         "programs known to take adapters away (brltty, ModemManager), each with the command that fixes it."),
         {kJson},
         {},
         RunPorts, "024"},
        {"probe", "probe --port PORT [--trace FILE]",
         QT_TRANSLATE_NOOP("Cli", "Opens the port, sends CR and waits for the telephone's echo. Exit status 0: the telephone "
         "answers; 6: no echo; 7: a wrong echo; 3: the port could not be opened; 5: it was lost during the probe, "
         "or Ctrl+C ended it."),
         {kPort, kTrace},
         {},
         RunProbe, "0234567"},
        {"series", "series --port PORT [--port PORT ...] IMAGE [--keep id|low|none] [--scope all|block] [--stop-on-fail] [--count N] [--log FILE]",
         QT_TRANSLATE_NOOP("Cli", "Programs one telephone after another with IMAGE: waits for a telephone to answer, reads it (a "
         "backup, its comment naming the series and the unit), writes IMAGE with the words --keep keeps of "
         "the unit's own, reads them back, and waits for the telephone to be disconnected. Each --port is a "
         "lane of its own, all running at once and sharing the log, --count and --stop-on-fail; no unit in "
         "hand is cut off. One line per unit on standard output, beginning with its port when there are "
         "several; every unit is a row of the CSV log. Ends after --count units, at the first failure with "
         "--stop-on-fail, or on Ctrl+C (the running job stops at its next echo). Exit status 0: every unit "
         "passed and every lane ran to its end; 5: a unit failed, or a port was lost or did not open."),
         {kPort, kKeep, kScope, kStopOnFail, kCount, kLog, kQuiet},
         {{"IMAGE", kFileHelp}},
         RunSeries, "02345"},
    };
    return commands;
}

const Command *FindCommand(const QString &name)
{
    for (const Command &c : Commands())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

int RunCommand(const Command &c, QStringList arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setApplicationDescription(Text::tr(c.summary));
    // Not addHelpOption(): its --help-all would add Qt's own options, and
    // a program without a window takes none that matter.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, Text::tr("Describes this command."));
    parser.addOption(help);
    // The options are built before the catalogue is installed: their
    // descriptions are translated here. The parser matches them by name.
    for (QCommandLineOption option : c.options) {
        option.setDescription(Text::tr(option.description().toUtf8().constData()));
        parser.addOption(option);
    }
    for (const auto &[name, text] : c.positionals)
        parser.addPositionalArgument(QString::fromUtf8(name), Text::tr(text));
    arguments.removeAt(1); // the command
    const QString tryHelp = u'\n' + Text::tr("Try 'quillon-cli %1 --help'.").arg(c.name);
    // "word -1" would otherwise read as an unknown option "-1".
    static const QRegularExpression negativeAddress(QStringLiteral("^-(0[xX])?[0-9a-fA-F]+$"));
    for (int i = 1; i + 1 < arguments.size(); ++i)
        if (arguments[i].compare(QLatin1String("word"), Qt::CaseInsensitive) == 0 && negativeAddress.match(arguments[i + 1]).hasMatch())
            return Fail(ExitUsage, Text::tr("%1, not %2").arg(Text::tr(kWordAddressError), arguments[i + 1]));
    if (!parser.parse(arguments))
        return Fail(ExitUsage, parser.errorText() + tryHelp);
    if (parser.isSet(help)) {
        Out(CommandHelp(c, parser.helpText()));
        return ExitOk;
    }
    // A second value would silently win; one of two ports is a guess. A
    // series takes a port per lane.
    const bool portPerLane = qstrcmp(c.name, "series") == 0;
    for (const QCommandLineOption &option : c.options)
        if (!option.valueName().isEmpty() && parser.values(option).size() > 1 &&
            !(portPerLane && option.names() == kPort.names()))
            return Fail(ExitUsage, Text::tr("--%1 given more than once").arg(option.names().constLast()) + tryHelp);
    Args args{parser, parser.positionalArguments()};
    return c.run(args);
}

} // namespace Cli
