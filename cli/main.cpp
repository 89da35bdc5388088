// quillon-cli: the programmer without a window. Argument parsing and printing;
// the work is done by the same plain code as the window's (link/, image/,
// radio/), the decisions by cli/CliCore.

#include "cli/CliCore.h"
#include "cli/CliPorts.h"
#include "cli/CliSession.h"
#include "image/ImageFile.h"
#include "image/Presets.h"
#include "link/PortNames.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>

#include <cstdio>
#include <unistd.h>

using namespace Cli;

namespace {

void Out(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

void Note(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

int Fail(int code, const QString &text)
{
    Note(QStringLiteral("quillon-cli: ") + text);
    return code;
}

// ---- options ----

const QCommandLineOption kPort({"p", "port"}, "The serial port: COM1-COM15 (mapped as in the window, "
                                              "QUILLON_COMn overrides) or a device path.", "PORT");
const QCommandLineOption kQuiet({"q", "quiet"}, "No progress bar and no report of success.");
const QCommandLineOption kOutput({"o", "output"}, "The image file to write; - for the 64 words as hex text "
                                                  "on standard output.", "FILE");
const QCommandLineOption kModel("model", "The model byte of the saved file, 0-8 as in the window's model "
                                         "list (default 0, \"<неизвестно>\").", "N");
const QCommandLineOption kComment("comment", "The comment of the saved file.", "TEXT");
const QCommandLineOption kNoVerify("no-verify", "Do not read the words back after writing them.");
const QCommandLineOption kJson("json", "JSON with stable English keys.");
const QCommandLineOption kList("list", "List the presets: action name and caption.");

const char kRangeHelp[] = "Which words: all (0x00-0x3F, the default), block (0x30-0x3F) or word ADDR "
                          "(one word, ADDR in hex 00-3F).";
const char kFileHelp[] = "An image file; - reads standard input (an image file, or the hex text of "
                         "read -o -).";

struct Args {
    QCommandLineParser &parser;
    QStringList positionals;
};

// ---- loading and saving ----

bool LoadInput(const QString &path, ImageFileData *out, int *code)
{
    if (path == QLatin1String("-")) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            *code = Fail(ExitFile, path + QStringLiteral(": ") + IoErrorFromErrno(EBADF).Text());
            return false;
        }
        const std::optional<ImageFileData> data = DecodeImageInput(in.readAll());
        if (!data) {
            *code = Fail(ExitFile, path + QStringLiteral(": ") + IoError{IoError::ReadBeyondEnd, 0}.Text());
            return false;
        }
        *out = *data;
        return true;
    }
    const LoadResult loaded = LoadImageFile(path);
    if (loaded.error) {
        *code = Fail(ExitFile, path + QStringLiteral(": ") + loaded.error.Text());
        return false;
    }
    *out = loaded.data;
    return true;
}

int SaveOutput(const QString &path, const EepromImage &image, int model, const QString &comment)
{
    if (path == QLatin1String("-")) {
        Out(ImageHexText(image));
        return ExitOk;
    }
    const IoError error = SaveImageFile(path, EncodeImageFile(image, model, comment));
    return error ? Fail(ExitFile, path + QStringLiteral(": ") + error.Text()) : int(ExitOk);
}

// ---- the port commands ----

struct PortRun {
    CliSession session;
    QString port;
    bool quiet;
    int code = ExitOk;

    PortRun(const QString &portName, bool beQuiet)
        : session(!beQuiet && ::isatty(STDERR_FILENO)), port(portName), quiet(beQuiet)
    {
        // Messages name the device behind a COM name too.
        const QString device = PortDevicePath(portName);
        if (device != portName)
            port = QStringLiteral("%1 (%2)").arg(portName, device);
    }

    bool Open(const QString &portName)
    {
        try {
            session.Open(portName);
            return true;
        } catch (const EComPort &e) {
            code = Fail(ExitPort, port + QStringLiteral(": ") + e.Message());
            return false;
        }
    }

    // Runs a job and reports how it ended; false when it did not complete.
    bool Job(EngineJob job, uint8_t addr)
    {
        const CliSession::Result r = session.Run(job, addr);
        if (!r.status.isEmpty() && (r.outcome != CliSession::Outcome::Completed || !quiet))
            Note(JobName(job) + QStringLiteral(": ") + r.status);
        switch (r.outcome) {
        case CliSession::Outcome::Completed: return true;
        case CliSession::Outcome::Failed: code = ExitJobFailed; break;
        case CliSession::Outcome::Interrupted: code = Fail(ExitJobFailed, QStringLiteral("interrupted")); break;
        case CliSession::Outcome::PortError: code = Fail(ExitPort, port + QStringLiteral(": ") + r.portError); break;
        }
        return false;
    }

    // The words first..last read back and compared with `expected`.
    bool Verify(const EepromImage &expected, const JobRange &range, const QString &expectedColumn)
    {
        session.Buf.BlankBuf();
        if (!Job(ReadJob(range.range), range.addr))
            return false;
        const std::vector<WordDiff> diffs = DiffWords(expected, session.Buf, FirstAddr(range), LastAddr(range));
        const int words = LastAddr(range) - FirstAddr(range) + 1;
        if (!diffs.empty()) {
            Out(DiffTable(diffs, expectedColumn, QStringLiteral("read")));
            code = Fail(ExitWordsDiffer, QStringLiteral("%1 of %2 words did not verify").arg(diffs.size()).arg(words));
            return false;
        }
        if (!quiet)
            Note(QStringLiteral("verify: %1 words read back as expected").arg(words));
        return true;
    }

    int Close()
    {
        try {
            session.COM.Close();
        } catch (const EComPort &e) {
            const int closeCode = Fail(ExitPort, port + QStringLiteral(": ") + e.Message());
            if (code == ExitOk)
                code = closeCode;
        }
        return code;
    }
};

// PORT, the range, and what must be left of the positionals.
bool PortArgs(Args &a, int filesExpected, QString *port, JobRange *range, QString *error)
{
    if (!a.parser.isSet(kPort)) {
        *error = QStringLiteral("--port is required");
        return false;
    }
    const std::optional<QString> p = PortArgument(a.parser.value(kPort));
    if (!p) {
        *error = QStringLiteral("unknown port %1: COM1-COM15 or a device path").arg(a.parser.value(kPort));
        return false;
    }
    *port = *p;
    if (!TakeRange(a.positionals, range, error))
        return false;
    if (a.positionals.size() != filesExpected) {
        *error = filesExpected ? QStringLiteral("one image file expected") : QStringLiteral("unexpected argument %1").arg(a.positionals.value(0));
        return false;
    }
    return true;
}

int Read(Args &a)
{
    QString port, error;
    JobRange range;
    if (!PortArgs(a, 0, &port, &range, &error))
        return Fail(ExitUsage, error);
    if (!a.parser.isSet(kOutput))
        return Fail(ExitUsage, QStringLiteral("-o FILE is required"));
    bool ok = true;
    const int model = a.parser.isSet(kModel) ? a.parser.value(kModel).toInt(&ok) : 0;
    if (!ok || model < 0 || model >= kModelCount)
        return Fail(ExitUsage, QStringLiteral("--model takes 0-8"));

    PortRun run(port, a.parser.isSet(kQuiet));
    if (!run.Open(port))
        return run.code;
    run.Job(ReadJob(range.range), range.addr);
    if (const int code = run.Close(); code != ExitOk)
        return code; // nothing is saved of a job that did not complete
    return SaveOutput(a.parser.value(kOutput), run.session.Buf, model, a.parser.value(kComment));
}

int WriteOrVerify(Args &a, bool write)
{
    QString port, error;
    JobRange range;
    if (!PortArgs(a, 1, &port, &range, &error))
        return Fail(ExitUsage, error);
    ImageFileData file;
    int code = ExitOk;
    if (!LoadInput(a.positionals.constFirst(), &file, &code))
        return code;

    PortRun run(port, a.parser.isSet(kQuiet));
    if (!run.Open(port))
        return run.code;
    bool ok = true;
    if (write) {
        run.session.Buf = file.image;
        ok = run.Job(WriteJob(range.range), range.addr);
    }
    if (ok && (!write || !a.parser.isSet(kNoVerify)))
        run.Verify(file.image, range, write ? QStringLiteral("written") : QStringLiteral("file"));
    return run.Close();
}

int Write(Args &a) { return WriteOrVerify(a, true); }
int Verify(Args &a) { return WriteOrVerify(a, false); }

int Info(Args &a)
{
    if (a.positionals.size() != 1)
        return Fail(ExitUsage, QStringLiteral("one image file expected"));
    ImageFileData file;
    int code = ExitOk;
    if (!LoadInput(a.positionals.constFirst(), &file, &code))
        return code;
    if (a.parser.isSet(kJson))
        Out(QString::fromUtf8(QJsonDocument(InfoJson(file)).toJson(QJsonDocument::Indented)));
    else
        Out(InfoText(file));
    return ExitOk;
}

int Diff(Args &a)
{
    if (a.positionals.size() != 2)
        return Fail(ExitUsage, QStringLiteral("two image files expected"));
    if (a.positionals[0] == QLatin1String("-") && a.positionals[1] == QLatin1String("-"))
        return Fail(ExitUsage, QStringLiteral("only one of the two can be standard input"));
    ImageFileData files[2];
    int code = ExitOk;
    for (int i = 0; i < 2; ++i)
        if (!LoadInput(a.positionals[i], &files[i], &code))
            return code;
    const std::vector<WordDiff> diffs = DiffWords(files[0].image, files[1].image);
    if (diffs.empty())
        return ExitOk;
    Out(DiffTable(diffs, a.positionals[0], a.positionals[1]));
    return ExitWordsDiffer;
}

int Preset(Args &a)
{
    if (a.parser.isSet(kList)) {
        for (const PresetAction &p : PresetActions)
            Out(QString::fromLatin1(p.name).leftJustified(18) + QString::fromUtf8(p.caption) + u'\n');
        return ExitOk;
    }
    if (a.positionals.size() != 1)
        return Fail(ExitUsage, QStringLiteral("one preset name expected (see --list)"));
    const int p = FindPreset(a.positionals.constFirst());
    if (p < 0)
        return Fail(ExitUsage, QStringLiteral("unknown preset %1 (see --list)").arg(a.positionals.constFirst()));
    if (!a.parser.isSet(kOutput))
        return Fail(ExitUsage, QStringLiteral("-o FILE is required"));
    EepromImage image;
    ApplyPreset(image, p);
    const int code = SaveOutput(a.parser.value(kOutput), image, PresetModel[static_cast<size_t>(p)],
                                a.parser.value(kComment));
    if (code == ExitOk && !a.parser.isSet(kQuiet))
        Note(QString::fromUtf8(PresetReminder));
    return code;
}

int Ports(Args &a)
{
    if (!a.positionals.isEmpty())
        return Fail(ExitUsage, QStringLiteral("unexpected argument %1").arg(a.positionals.constFirst()));
    return PortsCommand(a.parser.isSet(kJson));
}

int Probe(Args &a)
{
    QString port, error;
    JobRange range;
    if (!PortArgs(a, 0, &port, &range, &error))
        return Fail(ExitUsage, error);
    return ProbeCommand(port);
}

// ---- the command table ----

struct Command {
    const char *name;
    const char *synopsis;
    const char *summary;
    QList<QCommandLineOption> options;
    QList<std::pair<const char *, const char *>> positionals; // name, help
    int (*run)(Args &);
};

const QList<Command> &Commands()
{
    static const QList<Command> commands = {
        {"read", "read --port PORT [all|block|word ADDR] -o FILE [--model N] [--comment TEXT]",
         "Reads words of the telephone (Read258, ReadBlock or ReadCur) and saves them as an image "
         "file; words not read stay FFFF.",
         {kPort, kOutput, kModel, kComment, kQuiet},
         {{"all|block|word ADDR", kRangeHelp}},
         Read},
        {"write", "write --port PORT [all|block|word ADDR] FILE [--no-verify]",
         "Writes words of an image file into the telephone (Write258, WriteBlock or WriteCur), then "
         "reads them back and lists every word that differs.",
         {kPort, kNoVerify, kQuiet},
         {{"all|block|word ADDR", kRangeHelp}, {"FILE", kFileHelp}},
         Write},
        {"verify", "verify --port PORT [all|block|word ADDR] FILE",
         "Reads words of the telephone and lists every one that differs from the image file.",
         {kPort, kQuiet},
         {{"all|block|word ADDR", kRangeHelp}, {"FILE", kFileHelp}},
         Verify},
        {"info", "info FILE [--json]",
         "Shows the information list of the \"Инфо\" page for an image file, and the values of the "
         "\"Частота\" page.",
         {kJson},
         {{"FILE", kFileHelp}},
         Info},
        {"diff", "diff A B", "Lists the words that differ between two image files.", {}, {{"A B", kFileHelp}}, Diff},
        {"preset", "preset NAME -o FILE [--comment TEXT] | preset --list",
         "Puts a factory radio block into a blank image with its model, as the window's "
         "\"Стандартные для...\" menu does. NAME is the action name (L258Hand10625, any case) or "
         "the caption (\"Труба 258 10625\").",
         {kOutput, kComment, kList, kQuiet},
         {{"NAME", "The preset."}},
         Preset},
        {"ports", "ports [--json]",
         "Lists the serial devices present with their COM names, whether you can open them (and why "
         "not), and the programs known to take adapters away (brltty, ModemManager), each with the "
         "command that fixes it.",
         {kJson},
         {},
         Ports},
        {"probe", "probe --port PORT",
         "Opens the port, sends CR and waits for the telephone's echo. Exit status 0: the telephone "
         "answers; 6: no echo; 7: a wrong echo; 3: the port could not be opened.",
         {kPort},
         {},
         Probe},
    };
    return commands;
}

QString ExitCodesText()
{
    return QStringLiteral("Exit status:\n"
                          "  0  success (diff: the images are the same)\n"
                          "  1  words differ: a write or verify did not read back as expected, or diff found differences\n"
                          "  2  usage error\n"
                          "  3  port error (the serial port component's message)\n"
                          "  4  file error (an image file could not be read or written)\n"
                          "  5  the job failed (\"Невыполнено...\"), also after Ctrl+C\n"
                          "  6  probe: no echo\n"
                          "  7  probe: a wrong echo\n");
}

QString MainHelp()
{
    QString text = QStringLiteral("Usage: quillon-cli COMMAND [options]\n\n"
                                  "Reads, writes and checks the EEPROM of SN-258 and SN-258+ telephones "
                                  "without a window.\n\nCommands:\n");
    for (const Command &c : Commands())
        text += QStringLiteral("  ") + QString::fromUtf8(c.synopsis) + u'\n';
    text += QStringLiteral("\n'quillon-cli COMMAND --help' describes a command; man quillon-cli tells all.\n\n");
    return text + ExitCodesText();
}

int RunCommand(const Command &c, QStringList arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setApplicationDescription(QString::fromUtf8(c.summary));
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOptions(c.options);
    for (const auto &[name, text] : c.positionals)
        parser.addPositionalArgument(QString::fromUtf8(name), QString::fromUtf8(text));
    arguments.removeAt(1); // the command
    if (!parser.parse(arguments))
        return Fail(ExitUsage, parser.errorText() + QStringLiteral("\nTry 'quillon-cli %1 --help'.").arg(c.name));
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        text.replace(0, text.indexOf(u'\n'), QStringLiteral("Usage: quillon-cli ") + QString::fromUtf8(c.synopsis));
        Out(text + u'\n' + ExitCodesText());
        return ExitOk;
    }
    Args args{parser, parser.positionalArguments()};
    return c.run(args);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillon-cli"));
    CliSession::CatchInterrupt();

    const QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.value(1);
    if (command == QLatin1String("-h") || command == QLatin1String("--help") || command == QLatin1String("help")) {
        Out(MainHelp());
        return ExitOk;
    }
    for (const Command &c : Commands())
        if (command == QLatin1String(c.name))
            return RunCommand(c, arguments);
    Note(command.isEmpty() ? QStringLiteral("quillon-cli: a command is required")
                           : QStringLiteral("quillon-cli: unknown command ") + command);
    Note(QStringLiteral("Try 'quillon-cli --help'."));
    return ExitUsage;
}
