#include "cli/CliCore.h"

#include "cli/CliText.h"
#include "image/DeviceModels.h"
#include "image/IoErrorText.h"
#include "image/Presets.h"
#include "image/ReadMark.h"
#include "link/JobReport.h"
#include "link/PortNames.h"
#include "radio/FreqCalc.h"
#include "radio/InfoList.h"

#include <QJsonArray>
#include <QStringList>

#include <algorithm>
#include <cerrno>

namespace Cli {

// ---- which words a job covers ----

const char kWordAddressError[] = QT_TRANSLATE_NOOP("Cli", "word needs an address 00-3F (hex)");

std::optional<uint8_t> ParseWordAddress(const QString &text)
{
    QString digits = text;
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    // toUInt alone would take a sign and blanks around the digits.
    if (digits.isEmpty() || digits.size() > 2
        || !std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f'); }))
        return std::nullopt;
    const uint value = digits.toUInt(nullptr, 16);
    if (value >= static_cast<uint>(EepromImage::kWords))
        return std::nullopt;
    return static_cast<uint8_t>(value);
}

namespace {
bool Is(const QString &text, const char *word)
{
    return text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}
} // namespace

bool IsRangeWord(const QString &text)
{
    return Is(text, "all") || Is(text, "block") || Is(text, "word");
}

bool TakeRange(QStringList &positionals, JobRange *out, QString *error)
{
    *out = JobRange{};
    if (positionals.isEmpty())
        return true;
    const QString first = positionals.constFirst();
    if (Is(first, "all") || Is(first, "block")) {
        out->range = Is(first, "all") ? Range::All : Range::Block;
        out->typed = true;
        positionals.removeFirst();
    } else if (Is(first, "word")) {
        positionals.removeFirst();
        const std::optional<uint8_t> addr =
            positionals.isEmpty() ? std::nullopt : ParseWordAddress(positionals.constFirst());
        if (!addr) {
            if (positionals.isEmpty())
                *error = Text::tr(kWordAddressError);
            else
                *error = Text::tr("word needs an address 00-3F (hex), not %1").arg(positionals.constFirst());
            return false;
        }
        positionals.removeFirst();
        out->range = Range::Word;
        out->addr = *addr;
        out->typed = true;
    }
    return true;
}

EngineJob ReadJob(Range range)
{
    switch (range) {
    case Range::All: return EngineJob::Read258;
    case Range::Block: return EngineJob::ReadBlock;
    case Range::Word: break;
    }
    return EngineJob::ReadCur;
}

EngineJob WriteJob(Range range)
{
    switch (range) {
    case Range::All: return EngineJob::Write258;
    case Range::Block: return EngineJob::WriteBlock;
    case Range::Word: break;
    }
    return EngineJob::WriteCur;
}

int FirstAddr(const JobRange &r)
{
    const JobSpec &spec = JobTable[static_cast<size_t>(ReadJob(r.range))];
    return spec.AtSelectedAddr ? r.addr : spec.FirstAddr;
}

int LastAddr(const JobRange &r)
{
    const JobSpec &spec = JobTable[static_cast<size_t>(ReadJob(r.range))];
    return spec.AtSelectedAddr ? r.addr : spec.LastAddr;
}

QString JobName(EngineJob job)
{
    static const char *const names[] = {"Write258", "Read258", "WriteBlock", "ReadBlock", "WriteCur", "ReadCur"};
    return QString::fromLatin1(names[static_cast<size_t>(job)]);
}

namespace {
QString Words(int first, int last)
{
    return first == last ? Text::tr("word %1").arg(ByteToHex(uint8_t(first)))
                         : Text::tr("words %1-%2").arg(ByteToHex(uint8_t(first)), ByteToHex(uint8_t(last)));
}
} // namespace

QString UnheldWords(const QString &path, const ImageFileData &file, const JobRange &range)
{
    if (const std::optional<ReadRange> held = FindReadRangeMark(file.comment)) {
        if (FirstAddr(range) >= held->first && LastAddr(range) <= held->last)
            return QString();
        const QString remedy = held->first == 0x30 && held->last == 0x3F
                                   ? QStringLiteral("'write block %1'").arg(path)
                               : held->first == held->last
                                   ? QStringLiteral("'write word %1 %2'").arg(ByteToHex(uint8_t(held->first)), path)
                                   : Text::tr("a range within them");
        return Text::tr("it holds only %1 (as the read mark in its comment says), the rest is FFFF, not the "
                        "telephone's: use %2, or --force to write %3 all the same")
            .arg(Words(held->first, held->last), remedy, Words(FirstAddr(range), LastAddr(range)));
    }
    if (range.typed)
        return QString();
    for (int a = 0x00; a < 0x30; ++a)
        if (file.image[a] != 0xFFFF)
            return QString();
    return Text::tr("words 00-2F are all FFFF, as a block read leaves them, and write would put that into the "
                    "telephone: 'write block %1' writes the radio block alone; 'write all %1', or --force, "
                    "writes all 64 words")
        .arg(path);
}

// ---- comparing words ----

QString DiffTable(const std::vector<WordDiff> &diffs, const QString &aColumn, const QString &bColumn)
{
    const QString addr = Text::tr("addr");
    const int addrWidth = std::max<int>(2, addr.size());
    const int width = std::max<int>(4, aColumn.size());
    QString text = addr.leftJustified(addrWidth) + QStringLiteral("  ") + aColumn.leftJustified(width)
                   + QStringLiteral("  ") + bColumn + u'\n';
    for (const WordDiff &d : diffs)
        text += ByteToHex(static_cast<uint8_t>(d.addr)).leftJustified(addrWidth) + QStringLiteral("  ")
                + WordToHex(d.a).leftJustified(width) + QStringLiteral("  ") + WordToHex(d.b) + u'\n';
    return text;
}

// ---- the 64 words as text ----

QString ImageHexText(const EepromImage &image)
{
    QString text;
    for (int row = 0; row < EepromImage::kWords; row += 8) {
        text += ByteToHex(static_cast<uint8_t>(row)) + u':';
        for (int a = row; a < row + 8; ++a)
            text += u' ' + WordToHex(image[a]);
        text += u'\n';
    }
    return text;
}

namespace {

bool IsHexWord(const QByteArray &token)
{
    return token.size() == 4
           && std::all_of(token.cbegin(), token.cend(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// "38:" and the like: hex digits and a colon, whatever their value.
bool IsHexLabel(const QByteArray &token)
{
    return token.size() >= 2 && token.endsWith(':')
           && std::all_of(token.cbegin(), token.cend() - 1, [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

QList<QByteArray> Tokens(const QByteArray &line)
{
    QList<QByteArray> tokens = line.simplified().split(' ');
    tokens.removeAll(QByteArray());
    return tokens;
}

} // namespace

std::optional<EepromImage> ParseImageHexText(const QByteArray &text, QString *error)
{
    const QList<QByteArray> lines = text.split('\n');
    const bool labelled = std::any_of(lines.cbegin(), lines.cend(), [](const QByteArray &line) {
        const QList<QByteArray> tokens = Tokens(line);
        return !tokens.isEmpty() && IsHexLabel(tokens.constFirst());
    });
    EepromImage image;
    if (!labelled) {
        // The words alone, in order.
        int count = 0;
        for (const QByteArray &token : Tokens(text)) {
            if (!IsHexWord(token) || count == EepromImage::kWords)
                return std::nullopt;
            image[count++] = static_cast<uint16_t>(token.toUInt(nullptr, 16));
        }
        if (count != EepromImage::kWords)
            return std::nullopt;
        return image;
    }

    // Reordered lines must not move words: each line's words go where its
    // label says, and a text that does not say where every word goes is refused.
    constexpr int kRows = EepromImage::kWords / 8;
    int lineOfRow[kRows] = {};
    const auto refuse = [error](int line, const QString &why) {
        if (error)
            *error = line > 0 ? Text::tr("line %1: %2").arg(QString::number(line), why) : why;
        return std::nullopt;
    };
    for (int n = 0; n < lines.size(); ++n) {
        const QList<QByteArray> tokens = Tokens(lines[n]);
        if (tokens.isEmpty())
            continue;
        const QByteArray &label = tokens.constFirst();
        if (!IsHexLabel(label))
            return refuse(n + 1, Text::tr("no address label (such as 08:) where the other lines have one"));
        bool ok = false;
        const uint addr = label.chopped(1).toUInt(&ok, 16);
        if (!ok || label.size() != 3 || addr % 8 != 0 || addr >= uint(EepromImage::kWords))
            return refuse(n + 1, Text::tr("the label %1 is none of 00: 08: 10: 18: 20: 28: 30: 38:")
                                     .arg(QString::fromLatin1(label.left(8))));
        const int row = int(addr / 8);
        if (lineOfRow[row])
            return refuse(n + 1, Text::tr("the label %1 again (line %2 has it)")
                                     .arg(QString::fromLatin1(label))
                                     .arg(lineOfRow[row]));
        const qsizetype words = tokens.size() - 1;
        if (words != 8 || !std::all_of(tokens.cbegin() + 1, tokens.cend(), IsHexWord))
            return refuse(n + 1, words == 8 ? Text::tr("a word that is not four hex digits")
                                            : Text::tr("%n words, where a line holds 8", nullptr, int(words)));
        for (int k = 0; k < 8; ++k)
            image[int(addr) + k] = static_cast<uint16_t>(tokens[k + 1].toUInt(nullptr, 16));
        lineOfRow[row] = n + 1;
    }
    for (int row = 0; row < kRows; ++row)
        if (!lineOfRow[row])
            return refuse(0, Text::tr("no line labelled %1: (words %1-%2)")
                                 .arg(ByteToHex(uint8_t(row * 8)), ByteToHex(uint8_t(row * 8 + 7))));
    return image;
}

QString ImageSuspicion(const QByteArray &bytes)
{
    const ImageFileCheck check = CheckImageFile(bytes);
    switch (check.kind) {
    case ImageFileCheck::Text:
        return Text::tr("this is text, not an image file, and not the 64 words of 'read -o -' either");
    case ImageFileCheck::ModelByte:
        return Text::tr("its model byte is %1, where an image file has 00-08 or FF").arg(ByteToHex(check.modelByte));
    case ImageFileCheck::Image:
    case ImageFileCheck::TooShort: break;
    }
    return QString();
}

ImageInput DecodeImageInput(const QByteArray &bytes, bool force)
{
    ImageInput in;
    QString dumpError;
    if (const std::optional<EepromImage> words = ParseImageHexText(bytes, &dumpError)) {
        in.data.emplace();
        in.data->image = *words;
        return in;
    }
    if (bytes.isEmpty()) {
        in.refusal = Text::tr("empty, not an image");
        return in;
    }
    if (!dumpError.isEmpty()) {
        // The words of such a text are meant for their labels; its bytes
        // are never what the user meant to write.
        in.refusal = Text::tr("not the 64 words of 'read -o -': %1").arg(dumpError);
        return in;
    }
    in.suspicion = ImageSuspicion(bytes);
    in.forceable = bytes.size() >= kImageBytes && bytes.size() <= kImageBytes + 1 + kMaxCommentChars;
    in.check = CheckImageFile(bytes);
    if (in.check.kind == ImageFileCheck::Text && !force) {
        in.error = IoError{IoError::ReadBeyondEnd, 0}; // stands for "not an image"
        return in;
    }
    if (bytes.size() > kImageBytes + 1 + kMaxCommentChars) {
        in.error = IoError{IoError::CommentTooLong, 0};
        return in;
    }
    in.data = DecodeImageFile(bytes);
    if (!in.data)
        in.error = IoError{IoError::ReadBeyondEnd, 0};
    return in;
}

// ---- names ----

std::optional<QString> PortArgument(const QString &text)
{
    if (IsDevicePath(text))
        return text;
    const int n = ComNumber(text);
    if (n >= 1 && n <= kComPortCount)
        return ComName(n);
    return std::nullopt;
}

int FindPreset(const QString &name)
{
    for (int p = 0; p < kPresetCount; ++p)
        if (name.compare(QLatin1String(PresetTable[p].name), Qt::CaseInsensitive) == 0
            || name == QString::fromUtf8(PresetTable[p].caption) || name == WindowText(PresetTable[p].caption))
            return p;
    return -1;
}

// ---- what the terminal shows ----

int JobAddress(const ProgrammingEngine &e)
{
    switch (e.State) {
    case EngineState::Init:
        return e.FirstAddr;
    case EngineState::BuildWrite:
    case EngineState::BuildRead:
        return std::min(e.CurAddr, e.LastAddr);
    case EngineState::AwaitEcho:
        if (e.StateAfterEcho == EngineState::BuildWrite || e.StateAfterEcho == EngineState::BuildRead)
            return e.FirstAddr; // the opening CR
        break;
    default:
        break;
    }
    return e.Command.size() >= 3 ? e.Command.mid(1, 2).toInt(nullptr, 16) : e.FirstAddr;
}

QString ProgressLine(const QString &status, int progress, int maximum, int addr, qint64 elapsedMs, int columns)
{
    const int percent = maximum > 0 ? std::clamp(progress, 0, maximum) * 100 / maximum : 0;
    const qint64 seconds = elapsedMs / 1000;
    const QString tail = u' '
                         + Text::tr("%1%  addr %2  %3:%4")
                               .arg(percent, 3)
                               .arg(ByteToHex(static_cast<uint8_t>(addr)))
                               .arg(seconds / 60)
                               .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    const QString head = status.leftJustified(16) + u' ';
    // One column spare: a line that fills the last column makes some
    // terminals wrap, and every redraw would then start a new line.
    const int room = columns - 1 - int(head.size()) - int(tail.size()) - 2;
    const int bar = std::min(24, room);
    if (bar < 4)
        return (head.trimmed() + tail).left(std::max(0, columns - 1));
    const int filled = percent * bar / 100;
    return head + u'[' + QString(filled, u'#') + QString(bar - filled, u' ') + u']' + tail;
}

QString Printable(const QString &text, bool keepLineBreaks)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool control = u < 0x20 || (u >= 0x7F && u <= 0x9F);
        if (control && !(keepLineBreaks && u == u'\n'))
            out += QStringLiteral("\\u") + QString::number(uint(u), 16).toUpper().rightJustified(4, u'0');
        else
            out += c;
    }
    return out;
}

QString IoErrorText(const IoError &error)
{
    if (error.kind == IoError::CommentTooLong)
        return Text::tr("not an image: its comment is longer than %1 characters").arg(kMaxCommentChars);
    return ::IoErrorText(error);
}

QString RedrawnLine(const QString &line, int previousLength, const QString &erase)
{
    if (!erase.isEmpty())
        return u'\r' + line + erase;
    const QString blanks(std::max(0, previousLength - int(line.size())), u' ');
    return u'\r' + line + blanks + (line.isEmpty() ? QStringLiteral("\r") : QString());
}

QString ModelListText()
{
    QString text;
    for (int m = 0; m < kModelCount; ++m)
        text += QStringLiteral("  %1  %2\n").arg(m).arg(WindowText(DeviceModelNames[m]).trimmed());
    return text;
}

} // namespace Cli
