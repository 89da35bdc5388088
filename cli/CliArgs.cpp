#include "cli/CliArgs.h"

#include "cli/CliImageText.h"
#include "cli/CliNames.h"
#include "cli/CliOutput.h"
#include "cli/CliPrint.h"
#include "cli/CliPrintable.h"
#include "cli/CliRange.h"
#include "cli/CliText.h"
#include "link/PortNames.h"

#include <QFile>

#include <cerrno>

namespace Cli {

const QCommandLineOption kPort({"p", "port"}, QString::fromUtf8(kPortHelp), "PORT");
const QCommandLineOption kQuiet({"q", "quiet"}, QT_TRANSLATE_NOOP("Cli", "No progress bar and no report of success."));
const QCommandLineOption kOutput({"o", "output"}, QT_TRANSLATE_NOOP("Cli", "The image file to write; - for the 64 words as hex text "
                                                                      "on standard output."), "FILE");
const QCommandLineOption kModel("model", QT_TRANSLATE_NOOP("Cli", "The model byte of the saved file, 0-8 as in the window's model "
                                                             "list (default 0, \"<неизвестно>\")."), "N");
const QCommandLineOption kComment("comment", QT_TRANSLATE_NOOP("Cli", "The comment of the saved file: one line, no control characters."), "TEXT");
const QCommandLineOption kNoVerify("no-verify", QT_TRANSLATE_NOOP("Cli", "Do not read the words back after writing them."));
const QCommandLineOption kForce("force", QT_TRANSLATE_NOOP("Cli", "Write a file that is evidently not an image (text, or a model byte "
                                                             "that names no model), or all the words of a file a block or word "
                                                             "read made, all the same."));
const QCommandLineOption kJson("json", QT_TRANSLATE_NOOP("Cli", "JSON with stable English keys."));
const QCommandLineOption kList("list", QT_TRANSLATE_NOOP("Cli", "List the presets: action name and caption."));
const QCommandLineOption kNoBackup("no-backup", QT_TRANSLATE_NOOP("Cli", "Keep no backup of what read all read."));
const QCommandLineOption kTrace("trace", QT_TRANSLATE_NOOP("Cli", "Write every character sent and received, with its time and the echo's "
                                                             "delay, to FILE: a record of a failure for a report."), "FILE");
const QCommandLineOption kId("id", QT_TRANSLATE_NOOP("Cli", "Only the backups of this ID code (word 37, decimal as info shows it)."), "N");

const char kRangeHelp[] = QT_TRANSLATE_NOOP("Cli", "Which words: all (0x00-0x3F, the default), block (0x30-0x3F) or word ADDR "
                                                  "(one word, ADDR in hex 00-3F).");
const char kFileHelp[] = QT_TRANSLATE_NOOP("Cli", "An image file; - reads standard input (an image file, or the hex text of "
                                                 "read -o -).");

bool LoadInput(const QString &path, ImageFileData *out, int *code, Suspect suspect, ImageFileCheck *check)
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
    const QString forceHint = suspect == Suspect::Refuse && in.forceable ? Text::tr(" (--force writes it all the same)") : QString();
    if (!in.data) {
        const QString why = in.suspicion.isEmpty() ? IoErrorText(in.error) : Text::tr("not an image: %1").arg(in.suspicion) + forceHint;
        *code = Fail(ExitFile, path + QStringLiteral(": ") + why);
        return false;
    }
    if (!in.suspicion.isEmpty()) {
        if (suspect == Suspect::Refuse || suspect == Suspect::RefuseOutright) {
            *code = Fail(ExitFile, path + QStringLiteral(": ") + Text::tr("not an image: %1").arg(in.suspicion) + forceHint);
            return false;
        }
        Note(Text::tr("quillon-cli: warning: %1: %2").arg(path, in.suspicion));
    }
    *out = *in.data;
    if (check)
        *check = in.check;
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

// PORT, the range, and what must be left of the positionals.
bool PortArgs(Args &a, int filesExpected, QString *port, JobRange *range, QString *error)
{
    if (!a.parser.isSet(kPort)) {
        *error = Text::tr("--port is required");
        return false;
    }
    const std::optional<QString> p = PortArgument(a.parser.value(kPort));
    if (!p) {
        *error = Text::tr("unknown port %1: %2").arg(a.parser.value(kPort), PortNamesAccepted());
        return false;
    }
    *port = *p;
    const QString firstRange = a.positionals.value(0);
    const qsizetype before = a.positionals.size();
    if (!TakeRange(a.positionals, range, error))
        return false;
    if (a.positionals.size() != before && !a.positionals.isEmpty() && IsRangeWord(a.positionals.constFirst())) {
        *error = Text::tr("two ranges given (%1 and %2): give one").arg(firstRange, a.positionals.constFirst());
        return false;
    }
    if (a.positionals.size() > filesExpected && IsRangeWord(a.positionals[filesExpected])) {
        *error = Text::tr("the range (%1) goes before the file name").arg(a.positionals[filesExpected]);
        return false;
    }
    if (a.positionals.size() != filesExpected) {
        *error = filesExpected ? Text::tr("one image file expected") : Text::tr("unexpected argument %1").arg(a.positionals.value(0));
        return false;
    }
    return true;
}

// A comment is one line of text; a control character in it would travel
// with the file into the window and every terminal that shows it.
bool TraceAccepted(Args &a, QString *path, int *code)
{
    path->clear();
    if (!a.parser.isSet(kTrace))
        return true;
    *path = a.parser.value(kTrace);
    if (path->isEmpty()) {
        *code = Fail(ExitUsage, Text::tr("--trace needs a file name"));
        return false;
    }
    if (const QString problem = OutputProblem(*path); !problem.isEmpty()) {
        *code = Fail(ExitFile, *path + QStringLiteral(": ") + problem);
        return false;
    }
    return true;
}

bool CommentAccepted(Args &a, int *code)
{
    const QString comment = a.parser.value(kComment);
    if (Printable(comment) == comment)
        return true;
    *code = Fail(ExitUsage, Text::tr("--comment takes no control characters: %1").arg(Printable(comment)));
    return false;
}

} // namespace Cli
