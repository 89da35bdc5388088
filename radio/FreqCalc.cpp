#include "radio/FreqCalc.h"

#include "image/EepromImage.h"

#include <cmath>

namespace {

const RefOscillator kRefOscillators[] = {
    {425, 10625, 21700, 25000},
    {512, 12800, 25150, 25000},
    {850, 21250, 21700, 25000},
    {1024, 12800, 25150, 12500},
    {1700, 21250, 21700, 12500},
};

int IndicatorOf(uint16_t refKHz)
{
    switch (refKHz) {
    case 10625: return 0;
    case 12800: return 1;
    case 21250: return 2;
    default: return FreqPage::kNoIndicator;
    }
}

int64_t Trunc(long double x) { return static_cast<int64_t>(std::trunc(x)); }

} // namespace

const RefOscillator *FindRefOscillator(uint16_t divider)
{
    for (const RefOscillator &r : kRefOscillators)
        if (r.divider == divider)
            return &r;
    return nullptr;
}

QString FreqFieldText(int64_t kHz)
{
    if (kHz < 100000 || kHz > 999999)
        return QString();
    QString s = QString::number(kHz);
    s.insert(3, QLatin1Char('.'));
    return s;
}

std::optional<int64_t> ReadFreqField(const QString &text)
{
    if (text.size() != 7 || text[3] != QLatin1Char('.'))
        return std::nullopt;
    int64_t kHz = 0;
    for (int i = 0; i < 7; ++i) {
        if (i == 3)
            continue;
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        kHz = kHz * 10 + (c.unicode() - '0');
    }
    return kHz;
}

int64_t FreqPage::FrequencyOf(uint16_t multiplier) const
{
    return Trunc(static_cast<long double>(multiplier) * StepKHz);
}

std::optional<uint16_t> FreqPage::MultiplierOf(int64_t kHz) const
{
    if (!HasStep())
        return std::nullopt;
    // A quotient outside 0..65535 keeps its low 16 bits: -1 reads FFFF.
    return static_cast<uint16_t>(Trunc(static_cast<long double>(kHz) / StepKHz) & 0xFFFF);
}

int FreqPage::FromBuf(uint16_t divider, uint16_t txMul, uint16_t loMul, FreqFields &f)
{
    IfKHz = 21700;
    int indicator = kNoIndicator;
    if (const RefOscillator *r = FindRefOscillator(divider)) {
        RefKHz = r->refKHz;
        IfKHz = r->ifKHz;
        indicator = IndicatorOf(r->refKHz);
    }
    f.Edit2 = WordToHex(divider);
    f.Edit3 = WordToHex(txMul);
    f.Edit4 = WordToHex(loMul);
    // An unknown divider divides the last known reference; a zero one leaves
    // no step at all rather than an infinite one.
    StepKHz = divider ? static_cast<long double>(RefKHz) / divider : 0.0L;
    f.MaskEdit3 = FreqFieldText(FrequencyOf(txMul));
    f.MaskEdit4 = FreqFieldText(FrequencyOf(loMul));
    f.MaskEdit5 = FreqFieldText(FrequencyOf(loMul) + SignedIf(f.CheckBox1));
    return indicator;
}

void FreqPage::MaskEdit3Exit(FreqFields &f) const
{
    const auto kHz = ReadFreqField(f.MaskEdit3);
    if (!kHz)
        return;
    if (const auto n = MultiplierOf(*kHz))
        f.Edit3 = WordToHex(*n);
}

void FreqPage::Edit3Exit(FreqFields &f) const
{
    f.MaskEdit3 = FreqFieldText(FrequencyOf(HexToWord(f.Edit3)));
}

void FreqPage::MaskEdit4Exit(FreqFields &f) const
{
    const auto kHz = ReadFreqField(f.MaskEdit4);
    if (!kHz)
        return;
    const auto n = MultiplierOf(*kHz);
    if (!n)
        return;
    f.Edit4 = WordToHex(*n);
    const uint16_t stored = HexToWord(f.Edit4);
    f.MaskEdit5 = FreqFieldText(FrequencyOf(stored) + SignedIf(f.CheckBox1));
}

void FreqPage::Edit4Exit(FreqFields &f) const
{
    const uint16_t n = HexToWord(f.Edit4);
    f.MaskEdit4 = FreqFieldText(FrequencyOf(n));
    f.MaskEdit5 = FreqFieldText(FrequencyOf(n) + SignedIf(f.CheckBox1));
}

void FreqPage::MaskEdit5Exit(FreqFields &f) const
{
    const auto rx = ReadFreqField(f.MaskEdit5);
    if (!rx)
        return;
    const int64_t lo = f.CheckBox1 ? *rx - IfKHz : *rx + IfKHz;
    const auto n = MultiplierOf(lo);
    if (!n)
        return;
    f.Edit4 = WordToHex(*n);
    // The receive frequency snaps to the grid that the stored multiplier gives.
    const uint16_t stored = HexToWord(f.Edit4);
    f.MaskEdit5 = FreqFieldText(FrequencyOf(stored) + SignedIf(f.CheckBox1));
    f.MaskEdit4 = FreqFieldText(FrequencyOf(stored));
}
