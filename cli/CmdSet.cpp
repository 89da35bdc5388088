#include "cli/CmdSet.h"

#include "cli/CliImageText.h"
#include "cli/CliPrintable.h"
#include "cli/CliText.h"
#include "cli/ExitCode.h"
#include "radio/InfoList.h"

namespace Cli {

using namespace Pairing;

const QCommandLineOption kSetFrom("from", QT_TRANSLATE_NOOP("Cli", "Takes the ID code, channel range and system channels (words 37-3A) "
                                                              "from this image first, as a handset is paired with its base."), "IMAGE");
const char kSetSynopsis[] = "set FILE [-o OUT] [id=N|id=0xHHHH] [plan=F6|F7|F8|PLUS|A-B] [sys=A,B,C,D] [--from IMAGE]";
const char kSetSummary[] = QT_TRANSLATE_NOOP("Cli", "Changes the base ID code (word 37), the working channel range (38) and the four system "
                                                   "channels (39, 3A) of an image file, in place unless -o is given. --from takes those words "
                                                   "from another image first; the keys then apply. Every other word, the model byte and the "
                                                   "comment are kept.");
const char kSetKeysHelp[] = QT_TRANSLATE_NOOP("Cli", "id=0-65535 or id=0x0000-0xFFFF; plan=F6 (0-39), F7 (40-79), F8 (80-119), PLUS (0-239) "
                                                    "or FIRST-LAST (0-255 each); sys=four channels 0-255, as sys=81,82,83,84.");

namespace {

const char *KeyName(Field f)
{
    switch (f) {
    case Field::Id: return "id";
    case Field::Plan: return "plan";
    case Field::Sys: return "sys";
    case Field::None: break;
    }
    return "";
}

// A range that names no plan is called channels here.
QString RangeSummary(uint16_t range)
{
    return PlanName(range).isEmpty() ? Text::tr("channels %1").arg(ChannelsText(range)) : RangeText(range);
}

QString Summary(const Words &w)
{
    const uint16_t id = w[Addr::BaseId - kFirstWord];
    const SysChannels sys = SysChannelsOf(w);
    return Text::tr("ID %1 (%2), %3, system channels %4 %5 %6 %7")
        .arg(id)
        .arg(WordToHex(id), RangeSummary(w[Addr::ChannelRange - kFirstWord]))
        .arg(sys[0])
        .arg(sys[1])
        .arg(sys[2])
        .arg(sys[3]);
}

// The bytes to save: the words changed, whatever follows them in the file
// (model byte, comment) exactly as it was, even a byte that names no model
// or a comment character with no Unicode form; a hex-text file changed in
// place stays hex text.
QByteArray SavedBytes(const QString &path, bool inPlace, const ImageFileData &file)
{
    const QByteArray words = EncodeImageFile(file.image, -1, QString()).left(kImageBytes);
    QByteArray original;
    if (path == QLatin1String("-") || ReadImageFileBytes(path, &original))
        return file.model ? EncodeImageFile(file.image, *file.model, file.comment) : words;
    if (ParseImageHexText(original))
        return inPlace ? ImageHexText(file.image).toLatin1() : words;
    return words + original.mid(kImageBytes);
}

} // namespace

QString SetRefusalText(Field field, const Refusal &r, const QString &typed)
{
    const QString key = QString::fromLatin1(KeyName(field));
    const QString start = QStringLiteral("%1=%2: ").arg(key, Printable(typed));
    if (r.why == Refusal::FirstAfterLast)
        return start + Text::tr("the first channel (%1) is above the last (%2)").arg(r.low).arg(r.high);
    const QString what = r.why == Refusal::OutOfRange ? Text::tr("out of range") : Text::tr("not understood");
    switch (field) {
    case Field::Id: return start + Text::tr("%1; id takes 0-65535 or 0x0000-0xFFFF").arg(what);
    case Field::Plan: return start + Text::tr("%1; plan takes F6, F7, F8, PLUS or FIRST-LAST with channels 0-255").arg(what);
    case Field::Sys: return start + Text::tr("%1; sys takes four channels 0-255, as sys=81,82,83,84").arg(what);
    case Field::None: break;
    }
    return start + what;
}

int SetCommand(const SetRequest &rq, const SetIo &io)
{
    if (rq.positionals.isEmpty())
        return io.fail(ExitUsage, Text::tr("one image file expected"));
    const QString path = rq.positionals.constFirst();

    Typed typed;
    QStringList given;
    for (const QString &arg : rq.positionals.mid(1)) {
        const qsizetype eq = arg.indexOf(u'=');
        const QString key = arg.left(eq);
        std::optional<QString> *slot = key == QLatin1String("id") ? &typed.id
                                     : key == QLatin1String("plan") ? &typed.plan
                                     : key == QLatin1String("sys") ? &typed.sys : nullptr;
        if (eq < 0 || !slot)
            return io.fail(ExitUsage, Text::tr("unknown setting %1: id=N, plan=F6|F7|F8|PLUS|A-B or sys=A,B,C,D").arg(Printable(arg)));
        if (*slot)
            return io.fail(ExitUsage, Text::tr("%1= given more than once").arg(key));
        *slot = arg.mid(eq + 1);
    }
    if (!typed.id && !typed.plan && !typed.sys && !rq.from)
        return io.fail(ExitUsage, Text::tr("nothing to set: give id=, plan=, sys= or --from IMAGE"));
    // Every value is checked before any file is read: a refusal changes nothing.
    if (const Applied check = Apply(Words{}, typed); check.refusal) {
        const std::optional<QString> &text = check.field == Field::Id ? typed.id : check.field == Field::Plan ? typed.plan : typed.sys;
        return io.fail(ExitUsage, SetRefusalText(check.field, check.refusal, *text));
    }
    if (path == QLatin1String("-") && !rq.output)
        return io.fail(ExitUsage, Text::tr("standard input cannot be changed in place: give -o OUT"));
    if (path == QLatin1String("-") && rq.from == QLatin1String("-"))
        return io.fail(ExitUsage, Text::tr("only one of FILE and --from can be standard input"));
    if (rq.output && rq.output->isEmpty())
        return io.fail(ExitUsage, Text::tr("-o needs a file name, or - for standard output"));
    if (rq.from && rq.from->isEmpty())
        return io.fail(ExitUsage, Text::tr("--from needs an image file"));

    int code = ExitOk;
    ImageFileData file;
    if (!io.load(path, &file, &code))
        return code;
    Words words = WordsOf(file.image);
    if (rq.from) {
        ImageFileData base;
        ImageFileCheck check;
        if (!io.loadBase(*rq.from, &base, &check, &code))
            return code;
        // A partial read left FFFF where it never read: no base's ID code.
        if (!check.Holds({kFirstWord, kLastWord}))
            return io.fail(ExitFile, Text::tr("%1: it holds only words %2-%3 (as the read mark in its comment says), "
                                              "not words 37-3A: the ID code and channels")
                                         .arg(Printable(*rq.from), ByteToHex(uint8_t(check.held->first)),
                                              ByteToHex(uint8_t(check.held->last))));
        // A handset's words pair too (two handsets of one base), but taking
        // them by mistake for the base's is the likelier story.
        if (!InfoList::IsBase(base.image))
            io.note(Text::tr("quillon-cli: warning: %1 looks like a handset, not a base").arg(Printable(*rq.from)));
        words = WordsOf(base.image);
        if (!IsRealId(words[0]))
            io.note(Text::tr("quillon-cli: warning: %1 carries no ID code (%2)").arg(Printable(*rq.from), WordToHex(words[0])));
    }
    words = Apply(words, typed).words;

    const std::array<bool, 4> outside = OutsideRange(words);
    const SysChannels sys = SysChannelsOf(words);
    const uint16_t range = words[Addr::ChannelRange - kFirstWord];
    for (size_t i = 0; i < outside.size(); ++i)
        if (outside[i])
            io.note(Text::tr("quillon-cli: warning: system channel %1 (%2) lies outside the working range %3-%4")
                        .arg(i + 1)
                        .arg(sys[i])
                        .arg(Hi(range))
                        .arg(Lo(range)));

    Store(file.image, words);
    const QString target = rq.output.value_or(path);
    if (target == QLatin1String("-")) {
        io.out(ImageHexText(file.image));
    } else {
        const QByteArray bytes = SavedBytes(path, !rq.output, file);
        if (const IoError error = SaveImageFile(target, bytes); error)
            return io.fail(ExitFile, Printable(target) + QStringLiteral(": ") + IoErrorText(error));
    }
    if (!rq.quiet) {
        const QString written = target == QLatin1String("-") ? Text::tr("standard output") : Printable(target);
        io.note(rq.from ? Text::tr("%1: %2 taken from %3").arg(written, Summary(words), Printable(*rq.from))
                        : QStringLiteral("%1: %2").arg(written, Summary(words)));
    }
    return ExitOk;
}

} // namespace Cli
