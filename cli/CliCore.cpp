#include "cli/CliCore.h"

#include "image/DeviceModels.h"
#include "image/Presets.h"
#include "link/PortNames.h"
#include "radio/FreqCalc.h"
#include "radio/InfoList.h"

#include <QJsonArray>
#include <QStringList>

#include <algorithm>
#include <cerrno>

namespace Cli {

// ---- which words a job covers ----

const char kWordAddressError[] = "word needs an address 00-3F (hex)";

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
        positionals.removeFirst();
    } else if (Is(first, "word")) {
        positionals.removeFirst();
        const std::optional<uint8_t> addr =
            positionals.isEmpty() ? std::nullopt : ParseWordAddress(positionals.constFirst());
        if (!addr) {
            *error = QString::fromLatin1(kWordAddressError);
            if (!positionals.isEmpty())
                *error += QStringLiteral(", not ") + positionals.constFirst();
            return false;
        }
        positionals.removeFirst();
        out->range = Range::Word;
        out->addr = *addr;
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
    return first == last ? QStringLiteral("word ") + ByteToHex(uint8_t(first))
                         : QStringLiteral("words %1-%2").arg(ByteToHex(uint8_t(first)), ByteToHex(uint8_t(last)));
}
} // namespace

QString PartialWriteText(const JobRange &range, int lastConfirmed)
{
    const int first = FirstAddr(range), last = LastAddr(range);
    if (lastConfirmed < first)
        return QStringLiteral("the telephone confirmed none of %1: write it again").arg(Words(first, last));
    return QStringLiteral("the telephone took %1, not %2: it now holds a partial image, write it again")
        .arg(Words(first, lastConfirmed), Words(lastConfirmed + 1, last));
}

// ---- comparing words ----

std::vector<WordDiff> DiffWords(const EepromImage &a, const EepromImage &b, int first, int last)
{
    std::vector<WordDiff> diffs;
    for (int addr = first; addr <= last; ++addr)
        if (a[addr] != b[addr])
            diffs.push_back({addr, a[addr], b[addr]});
    return diffs;
}

QString DiffTable(const std::vector<WordDiff> &diffs, const QString &aColumn, const QString &bColumn)
{
    const int width = std::max<int>(4, aColumn.size());
    QString text = QStringLiteral("addr  ") + aColumn.leftJustified(width) + QStringLiteral("  ") + bColumn + u'\n';
    for (const WordDiff &d : diffs)
        text += ByteToHex(static_cast<uint8_t>(d.addr)) + QStringLiteral("    ") + WordToHex(d.a).leftJustified(width)
                + QStringLiteral("  ") + WordToHex(d.b) + u'\n';
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

std::optional<EepromImage> ParseImageHexText(const QByteArray &text)
{
    EepromImage image;
    int count = 0;
    for (const QByteArray &token : text.simplified().split(' ')) {
        if (token.isEmpty() || token.endsWith(':'))
            continue;
        bool ok = token.size() == 4;
        for (char c : token)
            ok = ok && std::isxdigit(static_cast<unsigned char>(c));
        if (!ok || count == EepromImage::kWords)
            return std::nullopt;
        image[count++] = static_cast<uint16_t>(token.toUInt(nullptr, 16));
    }
    if (count != EepromImage::kWords)
        return std::nullopt;
    return image;
}

namespace {
bool IsTextByte(char c)
{
    return (c >= 0x20 && c < 0x7F) || c == '\n' || c == '\r' || c == '\t';
}
} // namespace

QString ImageSuspicion(const QByteArray &bytes)
{
    if (std::all_of(bytes.cbegin(), bytes.cend(), IsTextByte))
        return QStringLiteral("this is text, not an image file, and not the 64 words of 'read -o -' either");
    if (bytes.size() > kImageBytes) {
        const uint8_t model = static_cast<uint8_t>(bytes.at(kImageBytes));
        if (model >= kModelCount && model != kNoModelByte)
            return QStringLiteral("its model byte is %1, where an image file has 00-08 or FF")
                .arg(ByteToHex(model));
    }
    return QString();
}

ImageInput DecodeImageInput(const QByteArray &bytes, bool force)
{
    ImageInput in;
    if (const std::optional<EepromImage> words = ParseImageHexText(bytes)) {
        in.data.emplace();
        in.data->image = *words;
        return in;
    }
    in.suspicion = ImageSuspicion(bytes);
    const bool text = std::all_of(bytes.cbegin(), bytes.cend(), IsTextByte);
    if (text && !force) {
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
    if (text.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) {
        bool ok = false;
        const int n = text.mid(3).toInt(&ok);
        if (ok && n >= 1 && n <= 15 && text.mid(3) == QString::number(n))
            return QStringLiteral("COM%1").arg(n);
    }
    return std::nullopt;
}

int FindPreset(const QString &name)
{
    for (int p = 0; p < kPresetCount; ++p)
        if (name.compare(QLatin1String(PresetActions[p].name), Qt::CaseInsensitive) == 0
            || name == QString::fromUtf8(PresetActions[p].caption))
            return p;
    return -1;
}

// ---- what the terminal shows ----

int JobAddress(const ProgrammingEngine &e)
{
    switch (e.State) {
    case Init:
        return e.FirstAddr;
    case BuildWrite:
    case BuildRead:
        return std::min(e.CurAddr, e.LastAddr);
    case AwaitEcho:
        if (e.StateAfterEcho == BuildWrite || e.StateAfterEcho == BuildRead)
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
    const QString tail = QStringLiteral(" %1%  addr %2  %3:%4")
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
        text += QStringLiteral("  %1  %2\n").arg(m).arg(QString::fromUtf8(DeviceModelNames[m]).trimmed());
    return text;
}

namespace {

const char *const kInfoKeys[InfoList::kRows] = {
    "device", "type", "reference", "tx", "rx", "lo", "if", "spacing", "step", "systemChannels",
    "channelRange", "idCode",
};

// The page's fill as TabSheet7Show does it on a fresh page: "+/-" checked
// when word 0x33 is below word 0x34.
struct FreqView {
    FreqFields fields;
    QString reference; // the checked oscillator's caption; empty for an unknown divider
};

QString WithoutTrailingBlanks(QString s)
{
    while (s.endsWith(u' '))
        s.chop(1);
    return s;
}

FreqView FillFreqPage(const EepromImage &image)
{
    FreqView v;
    v.fields.CheckBox1 = FreqPage::PlusMinusFor(image[Addr::TxMultiplier], image[Addr::LoMultiplier]);
    FreqPage page;
    page.FromBuf(image[Addr::RefDivider], image[Addr::TxMultiplier], image[Addr::LoMultiplier], v.fields);
    if (const RefOscillator *r = FindRefOscillator(image[Addr::RefDivider]))
        v.reference = QStringLiteral("%1kHz/IF%2kHz").arg(r->refKHz).arg(r->ifKHz);
    return v;
}

QString ModelText(const ImageFileData &file)
{
    if (!file.model || *file.model < 0)
        return QStringLiteral("none");
    return QString::number(*file.model) + u' ' + QString::fromUtf8(DeviceModelNames[*file.model]);
}

} // namespace

QString InfoText(const ImageFileData &file)
{
    QString text = QStringLiteral("Model:    ") + ModelText(file) + u'\n'
                   + WithoutTrailingBlanks(QStringLiteral("Comment:  ") + file.comment) + QStringLiteral("\n\n");

    const InfoList::Rows rows = InfoList::Decode(file.image);
    int widths[2] = {int(InfoList::ColumnCaption(0).size()), int(InfoList::ColumnCaption(1).size())};
    for (int r = 0; r < InfoList::kRows; ++r) {
        widths[0] = std::max<int>(widths[0], InfoList::RowCaption(r).size());
        widths[1] = std::max<int>(widths[1], rows[static_cast<size_t>(r)].value.size());
    }
    const auto line = [&](const QString &a, const QString &b, const QString &c) {
        return WithoutTrailingBlanks(a.leftJustified(widths[0] + 2) + b.leftJustified(widths[1] + 2) + c) + u'\n';
    };
    text += line(InfoList::ColumnCaption(0), InfoList::ColumnCaption(1), InfoList::ColumnCaption(2));
    for (int r = 0; r < InfoList::kRows; ++r)
        text += line(InfoList::RowCaption(r), rows[static_cast<size_t>(r)].value, rows[static_cast<size_t>(r)].hex);

    const FreqView f = FillFreqPage(file.image);
    const auto freq = [](const char *label, const QString &word, const QString &value) {
        return WithoutTrailingBlanks(QString::fromLatin1(label).leftJustified(22) + word.leftJustified(6) + value) + u'\n';
    };
    text += QStringLiteral("\nFrequency page\n");
    text += freq("  reference divider", f.fields.Edit2, f.reference.isEmpty() ? QStringLiteral("unknown") : f.reference);
    text += freq("  TX multiplier", f.fields.Edit3, f.fields.MaskEdit3);
    text += freq("  LO multiplier", f.fields.Edit4, f.fields.MaskEdit4);
    text += freq("  +/-", f.fields.CheckBox1 ? QStringLiteral("on") : QStringLiteral("off"), QString());
    text += freq("  RX", QString(), f.fields.MaskEdit5);
    return text;
}

QJsonObject InfoJson(const ImageFileData &file)
{
    QJsonObject info;
    const InfoList::Rows rows = InfoList::Decode(file.image);
    for (int r = 0; r < InfoList::kRows; ++r)
        info.insert(QLatin1String(kInfoKeys[r]),
                    QJsonObject{{QStringLiteral("caption"), InfoList::RowCaption(r)},
                                {QStringLiteral("value"), rows[static_cast<size_t>(r)].value},
                                {QStringLiteral("hex"), rows[static_cast<size_t>(r)].hex}});

    const FreqView f = FillFreqPage(file.image);
    const auto orNull = [](const QString &s) { return s.isEmpty() ? QJsonValue() : QJsonValue(s); };
    const QJsonObject frequency{
        {QStringLiteral("divider"), f.fields.Edit2},
        {QStringLiteral("reference"), orNull(f.reference)},
        {QStringLiteral("txMultiplier"), f.fields.Edit3},
        {QStringLiteral("tx"), orNull(f.fields.MaskEdit3)},
        {QStringLiteral("loMultiplier"), f.fields.Edit4},
        {QStringLiteral("lo"), orNull(f.fields.MaskEdit4)},
        {QStringLiteral("plusMinus"), f.fields.CheckBox1},
        {QStringLiteral("rx"), orNull(f.fields.MaskEdit5)},
    };

    QJsonValue model;
    if (file.model && *file.model >= 0)
        model = QJsonObject{{QStringLiteral("index"), *file.model},
                            {QStringLiteral("name"), QString::fromUtf8(DeviceModelNames[*file.model])}};
    QJsonArray words;
    for (int a = 0; a < EepromImage::kWords; ++a)
        words.append(WordToHex(file.image[a]));
    return QJsonObject{{QStringLiteral("model"), model},
                       {QStringLiteral("comment"), file.comment},
                       {QStringLiteral("words"), words},
                       {QStringLiteral("info"), info},
                       {QStringLiteral("frequency"), frequency}};
}

} // namespace Cli
