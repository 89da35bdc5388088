#include "radio/Pairing.h"

#include <QStringList>

#include <algorithm>

namespace Pairing {

const std::array<ChannelPlan, kPlans> Plans = {{
    {"F6", 0, 39},
    {"F7", 40, 79},
    {"F8", 80, 119},
    {"PLUS", 0, 239},
}};

Words WordsOf(const EepromImage &image)
{
    Words w{};
    for (int i = 0; i < kWords; ++i)
        w[size_t(i)] = image[kFirstWord + i];
    return w;
}

void Store(EepromImage &image, const Words &words)
{
    for (int i = 0; i < kWords; ++i)
        image[kFirstWord + i] = words[size_t(i)];
}

void CopyFrom(EepromImage &image, const EepromImage &other) { Store(image, WordsOf(other)); }

int PlanOf(uint16_t rangeWord)
{
    for (int i = 0; i < kPlans; ++i)
        if (RangeWord(Plans[size_t(i)].first, Plans[size_t(i)].last) == rangeWord)
            return i;
    return -1;
}

QString PlanName(uint16_t rangeWord)
{
    const int plan = PlanOf(rangeWord);
    return plan < 0 ? QString() : QString::fromLatin1(Plans[size_t(plan)].name);
}

QString ChannelsText(uint16_t rangeWord) { return QStringLiteral("%1-%2").arg(Hi(rangeWord)).arg(Lo(rangeWord)); }

QString RangeText(uint16_t rangeWord)
{
    const QString plan = PlanName(rangeWord);
    return plan.isEmpty() ? ChannelsText(rangeWord) : QStringLiteral("%1 (%2)").arg(plan, ChannelsText(rangeWord));
}

SysChannels SysChannelsOf(const Words &w)
{
    const uint16_t sys12 = w[Addr::SysChannels12 - kFirstWord];
    const uint16_t sys34 = w[Addr::SysChannels34 - kFirstWord];
    return {Hi(sys12), Lo(sys12), Hi(sys34), Lo(sys34)};
}

void SetSysChannels(Words &w, const SysChannels &c)
{
    w[Addr::SysChannels12 - kFirstWord] = RangeWord(c[0], c[1]);
    w[Addr::SysChannels34 - kFirstWord] = RangeWord(c[2], c[3]);
}

bool InRange(uint8_t channel, uint16_t rangeWord) { return Hi(rangeWord) <= channel && channel <= Lo(rangeWord); }

std::array<bool, 4> OutsideRange(const Words &w)
{
    const SysChannels sys = SysChannelsOf(w);
    const uint16_t range = w[Addr::ChannelRange - kFirstWord];
    std::array<bool, 4> outside{};
    for (size_t i = 0; i < sys.size(); ++i)
        outside[i] = !InRange(sys[i], range);
    return outside;
}

namespace {

bool IsDigit(QChar c, int base)
{
    return (c >= u'0' && c <= u'9') || (base == 16 && ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')));
}

// Digits only (a leading "-" makes a decimal number below the range; hex
// digits have no sign, so there it is no number); anything else is no
// number. Leading zeros are fine, however many.
Parsed<unsigned> Number(const QString &typed, int base, unsigned high)
{
    const QString text = typed.trimmed();
    const bool negative = base == 10 && text.startsWith(u'-');
    const QString digits = negative ? text.mid(1) : text;
    Parsed<unsigned> p;
    if (digits.isEmpty() || !std::all_of(digits.cbegin(), digits.cend(), [base](QChar c) { return IsDigit(c, base); })) {
        p.refusal = {Refusal::NotANumber, 0, int(high)};
        return p;
    }
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, base); // fails only past 64 bits: out of range too
    if (negative || !ok || value > high) {
        p.refusal = {Refusal::OutOfRange, 0, int(high)};
        return p;
    }
    p.value = unsigned(value);
    return p;
}

template <typename T> Parsed<T> As(const Parsed<unsigned> &p)
{
    Parsed<T> r;
    r.refusal = p.refusal;
    if (p.value)
        r.value = T(*p.value);
    return r;
}

} // namespace

Parsed<uint16_t> ParseId(const QString &text)
{
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return As<uint16_t>(Number(t.mid(2), 16, 0xFFFF));
    return As<uint16_t>(Number(t, 10, 0xFFFF));
}

Parsed<uint16_t> ParseIdHex(const QString &text) { return As<uint16_t>(Number(text, 16, 0xFFFF)); }

Parsed<uint8_t> ParseChannel(const QString &text) { return As<uint8_t>(Number(text, 10, 255)); }

Parsed<uint16_t> ParseRange(const QString &firstText, const QString &lastText)
{
    const Parsed<uint8_t> first = ParseChannel(firstText);
    const Parsed<uint8_t> last = ParseChannel(lastText);
    Parsed<uint16_t> p;
    if (first.refusal || last.refusal)
        p.refusal = first.refusal ? first.refusal : last.refusal;
    else if (*first.value > *last.value)
        p.refusal = {Refusal::FirstAfterLast, *first.value, *last.value};
    else
        p.value = RangeWord(*first.value, *last.value);
    return p;
}

Parsed<uint16_t> ParsePlan(const QString &typed)
{
    const QString text = typed.trimmed();
    for (const ChannelPlan &plan : Plans)
        if (text.compare(QLatin1String(plan.name), Qt::CaseInsensitive) == 0)
            return {RangeWord(plan.first, plan.last), {}};
    // "-" both separates and would start a negative number: one split only.
    const qsizetype dash = text.indexOf(u'-', 1);
    if (dash < 0) {
        Parsed<uint16_t> p;
        p.refusal = {Refusal::NotANumber, 0, 255};
        return p;
    }
    return ParseRange(text.left(dash), text.mid(dash + 1));
}

Parsed<SysChannels> ParseSysChannels(const QString &text)
{
    const QStringList parts = text.split(u',');
    Parsed<SysChannels> p;
    if (parts.size() != 4) {
        p.refusal = {Refusal::NotANumber, 0, 255};
        return p;
    }
    SysChannels channels{};
    for (int i = 0; i < 4; ++i) {
        const Parsed<uint8_t> c = ParseChannel(parts[i]);
        if (c.refusal) {
            p.refusal = c.refusal;
            return p;
        }
        channels[size_t(i)] = *c.value;
    }
    p.value = channels;
    return p;
}

Applied Apply(const Words &words, const Typed &typed)
{
    Applied a;
    Words w = words;
    if (typed.id) {
        const Parsed<uint16_t> id = ParseId(*typed.id);
        if (id.refusal)
            return {{}, Field::Id, id.refusal};
        w[Addr::BaseId - kFirstWord] = *id.value;
    }
    if (typed.plan) {
        const Parsed<uint16_t> range = ParsePlan(*typed.plan);
        if (range.refusal)
            return {{}, Field::Plan, range.refusal};
        w[Addr::ChannelRange - kFirstWord] = *range.value;
    }
    if (typed.sys) {
        const Parsed<SysChannels> sys = ParseSysChannels(*typed.sys);
        if (sys.refusal)
            return {{}, Field::Sys, sys.refusal};
        SetSysChannels(w, *sys.value);
    }
    a.words = w;
    return a;
}

} // namespace Pairing
