// quillon-cli: the programmer without a window. Argument parsing and printing;
// the work is done by the same plain code as the window's (link/, image/,
// radio/), the decisions by cli/CliCore.

#include "cli/CliCore.h"
#include "cli/CliInterrupt.h"
#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "cli/CliSession.h"
#include "cli/CmdSet.h"
#include "image/Backups.h"
#include "image/ImageFile.h"
#include "image/Presets.h"
#include "image/ReadMark.h"
#include "link/PortNames.h"
#include "radio/InfoList.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <unistd.h>

using namespace Cli;

namespace {

// The first error met writing standard output; 0 while all went out.
int g_outError = 0;
bool g_stdoutClosed = false;

void Out(const QString &text)
{
    if (g_stdoutClosed) {
        g_outError = EBADF;
        return;
    }
    if (!WriteText(stdout, Printable(text, true)) && !g_outError)
        g_outError = errno ? errno : EIO;
}

// Standard output flushed; an error if anything of it could not be written.
bool OutFlushed()
{
    if (std::fflush(stdout) != 0 && !g_outError)
        g_outError = errno ? errno : EIO;
    return g_outError == 0;
}

void Note(const QString &text)
{
    WriteText(stderr, Printable(text, true) + u'\n');
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
const QCommandLineOption kComment("comment", "The comment of the saved file: one line, no control characters.", "TEXT");
const QCommandLineOption kNoVerify("no-verify", "Do not read the words back after writing them.");
const QCommandLineOption kForce("force", "Write a file that is evidently not an image (text, or a model byte "
                                         "that names no model), or all the words of a file a block or word "
                                         "read made, all the same.");
const QCommandLineOption kJson("json", "JSON with stable English keys.");
const QCommandLineOption kList("list", "List the presets: action name and caption.");
const QCommandLineOption kNoBackup("no-backup", "Keep no backup of what read all read.");
const QCommandLineOption kId("id", "Only the backups of this ID code (word 37, decimal as info shows it).", "N");

const char kRangeHelp[] = "Which words: all (0x00-0x3F, the default), block (0x30-0x3F) or word ADDR "
                          "(one word, ADDR in hex 00-3F).";
const char kFileHelp[] = "An image file; - reads standard input (an image file, or the hex text of "
                         "read -o -).";

struct Args {
    QCommandLineParser &parser;
    QStringList positionals;
};

// ---- loading and saving ----

// What is done with an image that is evidently not one.
enum class Suspect { Warn, Refuse, Force };

bool LoadInput(const QString &path, ImageFileData *out, int *code, Suspect suspect = Suspect::Warn)
{
    QByteArray bytes;
    if (path == QLatin1String("-")) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            *code = Fail(ExitFile, path + QStringLiteral(": ") + IoErrorText(IoErrorFromErrno(EBADF)));
            return false;
        }
        // One byte past the longest image file tells a longer input apart.
        // A pipe gives what its writer has written so far: read to its end.
        const qsizetype limit = kImageBytes + 1 + kMaxCommentChars + 1;
        bytes.resize(limit);
        qsizetype got = 0;
        while (got < limit) {
            const qint64 n = in.read(bytes.data() + got, limit - got);
            if (n < 0) {
                *code = Fail(ExitFile, path + QStringLiteral(": ") + IoErrorText(IoErrorFromErrno(EIO)));
                return false;
            }
            if (n == 0)
                break;
            got += qsizetype(n);
        }
        bytes.truncate(got);
    } else if (const IoError error = ReadImageFileBytes(path, &bytes); error) {
        *code = Fail(ExitFile, path + QStringLiteral(": ") + IoErrorText(error));
        return false;
    }
    const ImageInput in = DecodeImageInput(bytes, suspect == Suspect::Force);
    if (!in.refusal.isEmpty()) {
        *code = Fail(ExitFile, path + QStringLiteral(": ") + in.refusal);
        return false;
    }
    // Offered only where it works: bytes too few for an image stay refused.
    const QString forceHint = suspect == Suspect::Refuse && in.forceable ? QStringLiteral(" (--force writes it all the same)") : QString();
    if (!in.data) {
        const QString why = in.suspicion.isEmpty() ? IoErrorText(in.error) : QStringLiteral("not an image: ") + in.suspicion + forceHint;
        *code = Fail(ExitFile, path + QStringLiteral(": ") + why);
        return false;
    }
    if (!in.suspicion.isEmpty()) {
        if (suspect == Suspect::Refuse) {
            *code = Fail(ExitFile, path + QStringLiteral(": not an image: ") + in.suspicion + forceHint);
            return false;
        }
        Note(QStringLiteral("quillon-cli: warning: ") + path + QStringLiteral(": ") + in.suspicion);
    }
    *out = *in.data;
    return true;
}

int SaveOutput(const QString &path, const EepromImage &image, int model, const QString &comment)
{
    if (path == QLatin1String("-")) {
        Out(ImageHexText(image));
        return ExitOk;
    }
    const IoError error = SaveImageFile(path, EncodeImageFile(image, model, comment));
    return error ? Fail(ExitFile, path + QStringLiteral(": ") + IoErrorText(error)) : int(ExitOk);
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

    // ExitPort only for a port that did not open: once a job has begun, its
    // failure is the job's, whatever the cause.
    int PortFailure(const QString &message, int platformCode, int exitCode = ExitPort)
    {
        const QString remedy = PortRemedy(platformCode);
        return Fail(exitCode, port + QStringLiteral(": ") + message + (remedy.isEmpty() ? QString() : QStringLiteral("\n  ") + remedy));
    }

    bool Open(const QString &portName)
    {
        try {
            session.Open(portName);
            return true;
        } catch (const EComPort &e) {
            code = PortFailure(e.Message(), e.PlatformCode());
            return false;
        }
    }

    // Runs a job and reports how it ended; false when it did not complete.
    bool Job(EngineJob job, const JobRange &range)
    {
        const CliSession::Result r = session.Run(job, range.addr);
        if (!r.status.isEmpty() && (r.outcome != CliSession::Outcome::Completed || !quiet))
            Note(JobName(job) + QStringLiteral(": ") + r.status);
        if (r.outcome == CliSession::Outcome::Completed)
            return true;
        if (session.Engine.Fault.Kind != EngineFault::None)
            Note(QStringLiteral("quillon-cli: ") + FaultText(session.Engine.Fault, false));
        if (JobTable[size_t(job)].Writing && r.started)
            Note(QStringLiteral("quillon-cli: ")
                 + PartialWriteText(SplitWrite(FirstAddr(range), LastAddr(range), session.Engine.LastConfirmed,
                                               session.Engine.LastPossiblyTaken)));
        switch (r.outcome) {
        case CliSession::Outcome::Completed: break;
        case CliSession::Outcome::Failed: code = ExitJobFailed; break;
        case CliSession::Outcome::Interrupted: code = Fail(ExitJobFailed, QStringLiteral("interrupted")); break;
        case CliSession::Outcome::PortError: code = PortFailure(r.portError, r.portCode, ExitJobFailed); break;
        }
        return false;
    }

    // The words first..last read back and compared with `expected`.
    bool Verify(const EepromImage &expected, const JobRange &range, const QString &expectedColumn)
    {
        session.Buf.BlankBuf();
        if (!Job(ReadJob(range.range), range))
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
            const int closeCode = PortFailure(e.Message(), e.PlatformCode(), ExitJobFailed);
            if (code == ExitOk)
                code = closeCode;
        }
        return code;
    }
};

// Every completed read of the whole EEPROM is kept; a backup that cannot be
// written is reported and fails nothing.
void BackUp(const PortRun &run, const QString &port, int model)
{
    const QString folder = Backups::Folder();
    // Named after the device the image is, whatever --model says.
    const QString device = InfoList::Decode(run.session.Buf)[InfoList::RowDevice].value;
    const Backups::SaveResult saved =
        Backups::Save(folder, run.session.Buf, model, port, QDateTime::currentDateTime(), device);
    if (saved.error)
        Note(QStringLiteral("quillon-cli: backup not saved in %1: %2").arg(QDir::toNativeSeparators(folder), IoErrorText(saved.error)));
    else if (!run.quiet)
        Note(QStringLiteral("backup: ") + QDir::toNativeSeparators(saved.path));
}

int ListBackups(Args &a)
{
    if (!a.positionals.isEmpty())
        return Fail(ExitUsage, QStringLiteral("unexpected argument %1").arg(a.positionals.constFirst()));
    QString filter;
    if (a.parser.isSet(kId)) {
        bool ok = false;
        const uint id = a.parser.value(kId).toUInt(&ok, 10);
        if (!ok || id > 0xFFFF)
            return Fail(ExitUsage, QStringLiteral("--id takes an ID code 0-65535, not %1").arg(a.parser.value(kId)));
        filter = QString::number(id);
    }
    const QString folder = Backups::Folder();
    QList<Backups::Problem> problems;
    const QList<Backups::Entry> entries = Backups::Filtered(Backups::List(folder, &problems), filter);
    // A folder or backup that cannot be read is no empty list.
    for (const Backups::Problem &p : std::as_const(problems))
        Note(QStringLiteral("quillon-cli: cannot read %1 %2: %3")
                 .arg(p.path == folder ? QStringLiteral("the backups folder") : QStringLiteral("the backup"),
                      Printable(QDir::toNativeSeparators(p.path)), IoErrorText(p.error)));
    const bool folderFailed =
        std::any_of(problems.begin(), problems.end(), [&](const Backups::Problem &p) { return p.path == folder; });
    if (a.parser.isSet(kJson)) {
        if (!folderFailed)
            Out(QString::fromUtf8(QJsonDocument(Backups::ListJson(entries)).toJson(QJsonDocument::Indented)));
    } else if (entries.isEmpty() && !folderFailed) {
        Note(filter.isEmpty() ? QStringLiteral("no backups in ") + QDir::toNativeSeparators(folder)
                              : QStringLiteral("no backups of ID %1 in %2").arg(filter, QDir::toNativeSeparators(folder)));
    } else {
        // One line each, whatever a file name or a comment holds.
        QList<Backups::Entry> shown = entries;
        for (Backups::Entry &e : shown)
            e.path = Printable(e.path), e.port = Printable(e.port);
        Out(Backups::ListText(shown));
    }
    return problems.isEmpty() ? ExitOk : ExitFile;
}

// PORT, the range, and what must be left of the positionals.
bool PortArgs(Args &a, int filesExpected, QString *port, JobRange *range, QString *error)
{
    if (!a.parser.isSet(kPort)) {
        *error = QStringLiteral("--port is required");
        return false;
    }
    const std::optional<QString> p = PortArgument(a.parser.value(kPort));
    if (!p) {
        *error = QStringLiteral("unknown port %1: %2").arg(a.parser.value(kPort), PortNamesAccepted());
        return false;
    }
    *port = *p;
    const QString firstRange = a.positionals.value(0);
    const qsizetype before = a.positionals.size();
    if (!TakeRange(a.positionals, range, error))
        return false;
    if (a.positionals.size() != before && !a.positionals.isEmpty() && IsRangeWord(a.positionals.constFirst())) {
        *error = QStringLiteral("two ranges given (%1 and %2): give one").arg(firstRange, a.positionals.constFirst());
        return false;
    }
    if (a.positionals.size() > filesExpected && IsRangeWord(a.positionals[filesExpected])) {
        *error = QStringLiteral("the range (%1) goes before the file name").arg(a.positionals[filesExpected]);
        return false;
    }
    if (a.positionals.size() != filesExpected) {
        *error = filesExpected ? QStringLiteral("one image file expected") : QStringLiteral("unexpected argument %1").arg(a.positionals.value(0));
        return false;
    }
    return true;
}

// A comment is one line of text; a control character in it would travel
// with the file into the window and every terminal that shows it.
bool CommentAccepted(Args &a, int *code)
{
    const QString comment = a.parser.value(kComment);
    if (Printable(comment) == comment)
        return true;
    *code = Fail(ExitUsage, QStringLiteral("--comment takes no control characters: ") + Printable(comment));
    return false;
}

int Read(Args &a)
{
    QString port, error;
    JobRange range;
    if (!PortArgs(a, 0, &port, &range, &error))
        return Fail(ExitUsage, error);
    if (!a.parser.isSet(kOutput))
        return Fail(ExitUsage, QStringLiteral("-o FILE is required"));
    const QString output = a.parser.value(kOutput);
    if (output.isEmpty())
        return Fail(ExitUsage, QStringLiteral("-o needs a file name, or - for standard output"));
    bool ok = true;
    const int model = a.parser.isSet(kModel) ? a.parser.value(kModel).toInt(&ok) : 0;
    if (!ok || model < 0 || model >= kModelCount)
        return Fail(ExitUsage, QStringLiteral("--model takes 0-8:\n") + ModelListText());
    if (int code = ExitOk; !CommentAccepted(a, &code))
        return code;
    // Whatever can be found out before the job is: its words would be lost.
    if (output == QLatin1String("-")) {
        const QString problem = g_stdoutClosed ? QStringLiteral("closed") : StandardOutputProblem();
        if (!problem.isEmpty())
            return Fail(ExitFile, QStringLiteral("standard output: ") + problem);
    } else if (const QString problem = OutputProblem(output); !problem.isEmpty()) {
        return Fail(ExitFile, output + QStringLiteral(": ") + problem);
    }

    PortRun run(port, a.parser.isSet(kQuiet));
    if (!run.Open(port))
        return run.code;
    if (run.Job(ReadJob(range.range), range) && range.range == Range::All && !a.parser.isSet(kNoBackup))
        BackUp(run, port, model);
    if (const int code = run.Close(); code != ExitOk)
        return code; // nothing is saved of a job that did not complete
    // Words a block or word read did not read are FFFF, and only the comment
    // can say so; write refuses to put them back over the telephone's words.
    QString comment = a.parser.value(kComment);
    if (range.range != Range::All)
        comment = WithReadRangeMark(comment, ReadRange{FirstAddr(range), LastAddr(range)});
    return SaveOutput(output, run.session.Buf, model, comment);
}

int WriteOrVerify(Args &a, bool write)
{
    QString port, error;
    JobRange range;
    if (!PortArgs(a, 1, &port, &range, &error))
        return Fail(ExitUsage, error);
    ImageFileData file;
    int code = ExitOk;
    const Suspect suspect = !write ? Suspect::Warn : a.parser.isSet(kForce) ? Suspect::Force : Suspect::Refuse;
    if (!LoadInput(a.positionals.constFirst(), &file, &code, suspect))
        return code;
    if (write && !a.parser.isSet(kForce))
        if (const QString why = UnheldWords(a.positionals.constFirst(), file, range); !why.isEmpty())
            return Fail(ExitFile, a.positionals.constFirst() + QStringLiteral(": ") + why);

    PortRun run(port, a.parser.isSet(kQuiet));
    if (!run.Open(port))
        return run.code;
    bool ok = true;
    if (write) {
        run.session.Buf = file.image;
        ok = run.Job(WriteJob(range.range), range);
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
    Out(DiffTable(diffs, Printable(a.positionals[0]), Printable(a.positionals[1])));
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
    if (int code = ExitOk; !CommentAccepted(a, &code))
        return code;
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
    return PortsCommand(a.parser.isSet(kJson), Out);
}

int Probe(Args &a)
{
    QString port, error;
    JobRange range;
    if (!PortArgs(a, 0, &port, &range, &error))
        return Fail(ExitUsage, error);
    return ProbeCommand(port, Out);
}

int Set(Args &a)
{
    const auto value = [&a](const QCommandLineOption &o) { return a.parser.isSet(o) ? std::optional(a.parser.value(o)) : std::nullopt; };
    return SetCommand({a.positionals, value(kOutput), value(kSetFrom), a.parser.isSet(kQuiet)},
                      {[](const QString &p, ImageFileData *f, int *c) { return LoadInput(p, f, c); }, Out, Note, Fail});
}

// ---- the command table ----

struct Command {
    const char *name;
    const char *synopsis;
    const char *summary;
    QList<QCommandLineOption> options;
    QList<std::pair<const char *, const char *>> positionals; // name, help
    int (*run)(Args &);
    const char *exitCodes; // the statuses it can end with, for its help
};

const QList<Command> &Commands()
{
    static const QList<Command> commands = {
        {"read", "read --port PORT [all|block|word ADDR] -o FILE [--model N] [--comment TEXT] [--no-backup]",
         "Reads words of the telephone (Read258, ReadBlock or ReadCur) and saves them as an image "
         "file; words not read stay FFFF, and the comment marks which were read ([read 30-3F]). A completed read of all words is also kept in the "
         "backups folder (see backups).",
         {kPort, kOutput, kModel, kComment, kNoBackup, kQuiet},
         {{"all|block|word ADDR", kRangeHelp}},
         Read, "02345"},
        {"write", "write --port PORT [all|block|word ADDR] FILE [--no-verify] [--force]",
         "Writes words of an image file into the telephone (Write258, WriteBlock or WriteCur), then "
         "reads them back and lists every word that differs.",
         {kPort, kNoVerify, kForce, kQuiet},
         {{"all|block|word ADDR", kRangeHelp}, {"FILE", kFileHelp}},
         Write, "012345"},
        {"verify", "verify --port PORT [all|block|word ADDR] FILE",
         "Reads words of the telephone and lists every one that differs from the image file.",
         {kPort, kQuiet},
         {{"all|block|word ADDR", kRangeHelp}, {"FILE", kFileHelp}},
         Verify, "012345"},
        {"info", "info FILE [--json]",
         "Shows the information list of the \"Инфо\" page for an image file, and the values of the "
         "\"Частота\" page.",
         {kJson},
         {{"FILE", kFileHelp}},
         Info, "024"},
        {"diff", "diff A B", "Lists the words that differ between two image files.", {}, {{"A B", kFileHelp}}, Diff, "0124"},
        {"preset", "preset NAME -o FILE [--comment TEXT] | preset --list",
         "Puts a factory radio block into a blank image with its model, as the window's "
         "\"Стандартные для...\" menu does. NAME is the action name (L258Hand10625, any case) or "
         "the caption (\"Труба 258 10625\").",
         {kOutput, kComment, kList, kQuiet},
         {{"NAME", "The preset."}},
         Preset, "024"},
        {"set", kSetSynopsis, kSetSummary, {kOutput, kSetFrom, kQuiet}, {{"FILE", kFileHelp}, {"KEY=VALUE", kSetKeysHelp}}, Set, "024"},
        {"backups", "backups [--id N] [--json]",
         "Lists the backups that every completed read of the whole EEPROM leaves (in the window and "
         "by read all), newest first: date, model, ID code (word 37), port and path. A backups folder "
         "or backup that cannot be read is named on standard error, with exit status 4.",
         {kId, kJson},
         {},
         ListBackups, "024"},
        {"ports", "ports [--json]",
         "Lists the serial devices present with their COM names, whether you can open them (and why "
         "not), and the programs known to take adapters away (brltty, ModemManager), each with the "
         "command that fixes it.",
         {kJson},
         {},
         Ports, "024"},
        {"probe", "probe --port PORT",
         "Opens the port, sends CR and waits for the telephone's echo. Exit status 0: the telephone "
         "answers; 6: no echo; 7: a wrong echo; 3: the port could not be opened; 5: it was lost during the probe.",
         {kPort},
         {},
         Probe, "0234567"},
    };
    return commands;
}

// The exit statuses whose digits `codes` lists (all of them for none).
QString ExitCodesText(const char *codes = nullptr)
{
    static const char *const lines[] = {
        "  0  success (diff: the images are the same)\n",
        "  1  words differ: a write or verify did not read back as expected, or diff found differences\n",
        "  2  usage error\n",
        "  3  the port could not be opened (the serial port component's message)\n",
        "  4  file error (an image file could not be read or written)\n",
        "  5  a job that started failed (\"Невыполнено...\"), whatever the cause: also a lost port,\n"
        "     %1\n",
        "  6  probe: no echo\n",
        "  7  probe: a wrong echo\n",
    };
    QString text = QStringLiteral("Exit status:\n");
    for (size_t code = 0; code < std::size(lines); ++code)
        if (!codes || std::strchr(codes, char('0' + code)))
            text += QString::fromUtf8(lines[code]).replace(QStringLiteral("%1"), InterruptNames());
    return text;
}

QString ModelsText()
{
    return QStringLiteral("Models (read --model N; the model byte of an image file):\n") + ModelListText();
}

QString MainHelp()
{
    QString text = QStringLiteral("Usage: quillon-cli COMMAND [options]\n\n"
                                  "Reads, writes and checks the EEPROM of SN-258 and SN-258+ telephones "
                                  "without a window.\n\nCommands:\n");
    for (const Command &c : Commands())
        text += QStringLiteral("  ") + QString::fromUtf8(c.synopsis) + u'\n';
    text += QStringLiteral("  --version\n"
                           "\n'quillon-cli COMMAND --help' describes a command; %1 tells all.\n\n").arg(ManualName());
    return text + ModelsText() + u'\n' + ExitCodesText();
}

int RunCommand(const Command &c, QStringList arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setApplicationDescription(QString::fromUtf8(c.summary));
    // Not addHelpOption(): its --help-all would add Qt's own options, and
    // a program without a window takes none that matter.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Describes this command."));
    parser.addOption(help);
    parser.addOptions(c.options);
    for (const auto &[name, text] : c.positionals)
        parser.addPositionalArgument(QString::fromUtf8(name), QString::fromUtf8(text));
    arguments.removeAt(1); // the command
    const QString tryHelp = QStringLiteral("\nTry 'quillon-cli %1 --help'.").arg(c.name);
    // "word -1" would otherwise read as an unknown option "-1".
    static const QRegularExpression negativeAddress(QStringLiteral("^-(0[xX])?[0-9a-fA-F]+$"));
    for (int i = 1; i + 1 < arguments.size(); ++i)
        if (arguments[i].compare(QLatin1String("word"), Qt::CaseInsensitive) == 0 && negativeAddress.match(arguments[i + 1]).hasMatch())
            return Fail(ExitUsage, QString::fromLatin1(kWordAddressError) + QStringLiteral(", not ") + arguments[i + 1]);
    if (!parser.parse(arguments))
        return Fail(ExitUsage, parser.errorText() + tryHelp);
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        text.replace(0, text.indexOf(u'\n'), QStringLiteral("Usage: quillon-cli ") + QString::fromUtf8(c.synopsis));
        if (qstrcmp(c.name, "read") == 0)
            text += u'\n' + ModelsText();
        Out(text + u'\n' + ExitCodesText(c.exitCodes));
        return ExitOk;
    }
    // A second value would silently win; one of two ports is a guess.
    for (const QCommandLineOption &option : c.options)
        if (!option.valueName().isEmpty() && parser.values(option).size() > 1)
            return Fail(ExitUsage, QStringLiteral("--%1 given more than once").arg(option.names().constLast()) + tryHelp);
    Args args{parser, parser.positionalArguments()};
    return c.run(args);
}

// Whatever the command did, output that did not get out is a file error.
int Finish(int code)
{
    if (OutFlushed())
        return code;
    const QString why = g_outError == EBADF ? QStringLiteral("closed") : IoErrorText(IoErrorFromErrno(g_outError));
    return Fail(ExitFile, QStringLiteral("standard output: ") + why);
}

} // namespace

int main(int argc, char **argv)
{
    g_stdoutClosed = GuardStandardStreams();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillon-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    CliSession::CatchInterrupt();

    const QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.value(1);
    if (command == QLatin1String("-h") || command == QLatin1String("--help") || command == QLatin1String("help")) {
        Out(MainHelp());
        return Finish(ExitOk);
    }
    if (command == QLatin1String("--version")) {
        Out(QStringLiteral("quillon-cli %1\n").arg(QCoreApplication::applicationVersion()));
        return Finish(ExitOk);
    }
    for (const Command &c : Commands())
        if (command == QLatin1String(c.name))
            return Finish(RunCommand(c, arguments));
    Note(command.isEmpty() ? QStringLiteral("quillon-cli: a command is required")
                           : QStringLiteral("quillon-cli: unknown command ") + command);
    Note(QStringLiteral("Try 'quillon-cli --help'."));
    return ExitUsage;
}
