// The information list and the "Частота" page's arithmetic on arbitrary
// images and typed field texts.
//
// Input: 128 bytes of image (short input is padded with 0xFF), then
// operations on the page: fill from three words, type a text into a field
// and leave it, leave a field untouched, toggle "+/-".
//
// Properties: the list always has its twelve rows with well-formed texts and
// "База" exactly when TX is above RX; the page writes only four-digit hex
// words and DDD.DDD frequencies (or nothing), keeps a usable step, and a
// receive frequency snaps to the grid of the multiplier it stored.

#include "FuzzCheck.h"
#include "radio/FreqCalc.h"
#include "radio/InfoList.h"

#include <QString>

#include <cmath>
#include <cstdint>

namespace {

struct Input {
    const uint8_t *data;
    size_t size;
    size_t pos = 0;
    bool more() const { return pos < size; }
    uint8_t byte() { return pos < size ? data[pos++] : 0; }
    uint16_t word() { return static_cast<uint16_t>(byte() << 8 | byte()); }
};

// The kHz of a list text such as "-21.700mHz".
int64_t ListKHz(QString text, const char *suffix)
{
    FUZZ_CHECK(text.endsWith(QLatin1String(suffix)));
    text.chop(3);
    FUZZ_CHECK(text.count(u'.') == 1);
    text.remove(u'.');
    bool ok = false;
    const int64_t v = text.toLongLong(&ok);
    FUZZ_CHECK(ok);
    return v;
}

void CheckList(const EepromImage &image)
{
    const InfoList::Rows rows = InfoList::Decode(image);
    for (int r : {InfoList::RowType, InfoList::RowReference, InfoList::RowTx, InfoList::RowLo,
                  InfoList::RowIdCode})
        FUZZ_CHECK(IsUpperHex(rows[r].hex, 4));
    for (int r : {InfoList::RowDevice, InfoList::RowRx, InfoList::RowIf, InfoList::RowSpacing,
                  InfoList::RowStep})
        FUZZ_CHECK(rows[r].hex.isEmpty());
    FUZZ_CHECK(rows[InfoList::RowSysChannels].hex.size() == 14);
    FUZZ_CHECK(rows[InfoList::RowChannelRange].hex.size() == 6);
    const int64_t tx = ListKHz(rows[InfoList::RowTx].value, "mHz");
    const int64_t rx = ListKHz(rows[InfoList::RowRx].value, "mHz");
    for (int r : {InfoList::RowLo, InfoList::RowIf, InfoList::RowSpacing})
        ListKHz(rows[r].value, "mHz");
    ListKHz(rows[InfoList::RowStep].value, "kHz");
    FUZZ_CHECK(rows[InfoList::RowDevice].value == (tx > rx ? QStringLiteral("База") : QStringLiteral("Труба")));
}

bool IsFrequencyText(const QString &s)
{
    if (s.isEmpty())
        return true;
    const std::optional<int64_t> kHz = ReadFreqField(s);
    return kHz && *kHz >= 100000 && *kHz <= 999999;
}

// What a handler wrote must be a hex word or a frequency; what it left is
// whatever the user typed.
void CheckWritten(const FreqFields &before, const FreqFields &after)
{
    for (const auto &[b, a] : {std::pair{&before.Edit2, &after.Edit2}, std::pair{&before.Edit3, &after.Edit3},
                               std::pair{&before.Edit4, &after.Edit4}})
        if (*a != *b)
            FUZZ_CHECK(IsUpperHex(*a, 4));
    for (const auto &[b, a] : {std::pair{&before.MaskEdit3, &after.MaskEdit3},
                               std::pair{&before.MaskEdit4, &after.MaskEdit4},
                               std::pair{&before.MaskEdit5, &after.MaskEdit5}})
        if (*a != *b)
            FUZZ_CHECK(IsFrequencyText(*a));
}

QString *Field(FreqFields &f, int k)
{
    QString *fields[] = {&f.Edit3, &f.MaskEdit3, &f.Edit4, &f.MaskEdit4, &f.MaskEdit5};
    return fields[k % 5];
}

void Leave(const FreqPage &page, FreqFields &f, int k)
{
    switch (k % 5) {
    case 0: page.Edit3Exit(f); break;
    case 1: page.MaskEdit3Exit(f); break;
    case 2: page.Edit4Exit(f); break;
    case 3: page.MaskEdit4Exit(f); break;
    case 4: page.MaskEdit5Exit(f); break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input in{data, size};
    EepromImage image;
    for (int a = 0; a < EepromImage::kWords && in.more(); ++a)
        image[a] = in.word();
    CheckList(image);

    FreqPage page;
    FreqFields f;
    f.CheckBox1 = FreqPage::PlusMinusFor(image[Addr::TxMultiplier], image[Addr::LoMultiplier]);
    page.FromBuf(image[Addr::RefDivider], image[Addr::TxMultiplier], image[Addr::LoMultiplier], f);

    while (in.more()) {
        const uint8_t op = in.byte();
        const FreqFields before = f;
        switch (op % 4) {
        case 0: { // a fill from other words
            const uint16_t divider = in.word(), tx = in.word(), lo = in.word();
            const int indicator = page.FromBuf(divider, tx, lo, f);
            FUZZ_CHECK(f.Edit2 == WordToHex(divider) && f.Edit3 == WordToHex(tx) && f.Edit4 == WordToHex(lo));
            const RefOscillator *ref = FindRefOscillator(divider);
            FUZZ_CHECK((indicator != FreqPage::kNoIndicator) == (ref != nullptr));
            if (page.HasStep())
                FUZZ_CHECK(f.MaskEdit3 == FreqFieldText(page.FrequencyOf(tx)));
            else
                FUZZ_CHECK(f.MaskEdit3.isEmpty() && f.MaskEdit4.isEmpty());
            break;
        }
        case 1: { // type into a field, then leave it
            const int k = op >> 2;
            const int n = in.byte() % 12;
            QByteArray typed;
            for (int i = 0; i < n; ++i)
                typed.append(static_cast<char>(in.byte()));
            *Field(f, k) = QString::fromUtf8(typed);
            const FreqFields typedFields = f;
            Leave(page, f, k);
            CheckWritten(typedFields, f);
            if (k % 5 == 4 && ReadFreqField(typedFields.MaskEdit5) && page.HasStep()) {
                // A typed receive frequency snaps to its multiplier's grid.
                const int64_t lo = page.FrequencyOf(HexToWord(f.Edit4));
                FUZZ_CHECK(f.MaskEdit4 == FreqFieldText(lo));
                FUZZ_CHECK(f.MaskEdit5 == FreqFieldText(lo + page.SignedIf(f.CheckBox1)));
            }
            break;
        }
        case 2: // pass through a field
            Leave(page, f, op >> 2);
            CheckWritten(before, f);
            break;
        case 3:
            f.CheckBox1 = !f.CheckBox1;
            break;
        }
        FUZZ_CHECK(std::isfinite(static_cast<double>(page.StepKHz)) && page.StepKHz >= 0);
    }
    return 0;
}
