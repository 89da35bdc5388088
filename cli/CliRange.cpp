#include "cli/CliRange.h"

#include "cli/CliText.h"
#include "image/ReadMark.h"
#include "link/JobReport.h"

#include <algorithm>

namespace Cli {

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

} // namespace Cli
