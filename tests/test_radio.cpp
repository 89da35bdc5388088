#include "radio/FreqCalc.h"
#include "radio/InfoList.h"

#include <gtest/gtest.h>

using namespace InfoList;

namespace {

EepromImage RadioImage(uint16_t divider, uint16_t tx, uint16_t lo)
{
    EepromImage img;
    img[0x32] = divider;
    img[0x33] = tx;
    img[0x34] = lo;
    return img;
}

// Words 0x32-0x34 of the twelve factory blocks and the TX / LO / RX (kHz)
// the telephones are known to work on with them.
struct PresetCase {
    uint16_t divider, tx, lo;
    int64_t txKHz, loKHz, rxKHz;
    bool handset;
};
const PresetCase kPresets[12] = {
    {0x01A9, 0x2931, 0x397D, 263625, 367925, 389625, true},
    {0x0200, 0x2931, 0x38F3, 263625, 364475, 389625, true},
    {0x0352, 0x2931, 0x397D, 263625, 367925, 389625, true},
    {0x01A9, 0x3CE1, 0x2C95, 389625, 285325, 263625, false},
    {0x0200, 0x3CE1, 0x2D1F, 389625, 288775, 263625, false},
    {0x0352, 0x3CE1, 0x2C95, 389625, 285325, 263625, false},
    {0x0400, 0x5172, 0x70F6, 260625, 361475, 386625, true},
    {0x06A4, 0x5172, 0x720A, 260625, 364925, 386625, true},
    {0x0400, 0x78D2, 0x594E, 386625, 285775, 260625, false},
    {0x06A4, 0x78D2, 0x583A, 386625, 282325, 260625, false},
    {0x0352, 0x279C, 0x37E8, 253500, 357800, 379500, true},
    {0x0352, 0x3B4C, 0x2B00, 379500, 275200, 253500, false},
};

QString Mhz(int64_t kHz) { return FrequencyText(static_cast<int32_t>(kHz), "mHz"); }

} // namespace

// ---------------------------------------------------------------- the list

TEST(InfoList, FrequencyTextPutsThePointBeforeTheLastThreeCharacters)
{
    EXPECT_EQ(FrequencyText(263625, "mHz"), "263.625mHz");
    EXPECT_EQ(FrequencyText(-21700, "mHz"), "-21.700mHz");
    EXPECT_EQ(FrequencyText(25000, "kHz"), "25.000kHz");
    EXPECT_EQ(FrequencyText(12500, "kHz"), "12.500kHz");
    // Short texts get the point in front; a minus sign counts as a character.
    EXPECT_EQ(FrequencyText(0, "mHz"), ".0mHz");
    EXPECT_EQ(FrequencyText(12, "mHz"), ".12mHz");
    EXPECT_EQ(FrequencyText(123, "mHz"), ".123mHz");
    EXPECT_EQ(FrequencyText(-123, "mHz"), "-.123mHz");
    EXPECT_EQ(FrequencyText(-12, "mHz"), ".-12mHz");
    EXPECT_EQ(FrequencyText(1638375, "mHz"), "1638.375mHz");
}

TEST(InfoList, CaptionsAndColumns)
{
    EXPECT_EQ(RowCaption(RowDevice), "Устройство");
    EXPECT_EQ(RowCaption(RowType), "Тип SENAO");
    EXPECT_EQ(RowCaption(RowRx), "F приёмника");
    EXPECT_EQ(RowCaption(RowChannelRange), "Диапазан рабочих каналов");
    EXPECT_EQ(RowCaption(RowIdCode), "ID код");
    EXPECT_EQ(ColumnCaption(0), "Параметр");
    EXPECT_EQ(ColumnCaption(1), "Свойства");
    EXPECT_EQ(ColumnCaption(2), "HEX");
    EXPECT_EQ(ColumnWidth(0) + ColumnWidth(1) + ColumnWidth(2), 330);
}

TEST(InfoList, BlankImageDecodesWithoutAStep)
{
    const Rows r = Decode(EepromImage());
    EXPECT_EQ(r[RowDevice].value, "Труба");
    EXPECT_EQ(r[RowType].value, "неизвесно");
    EXPECT_EQ(r[RowType].hex, "FFFF");
    EXPECT_EQ(r[RowReference].value, "неизвесно");
    EXPECT_EQ(r[RowReference].hex, "FFFF");
    EXPECT_EQ(r[RowTx].value, ".0mHz");
    EXPECT_EQ(r[RowTx].hex, "FFFF");
    EXPECT_EQ(r[RowRx].value, ".0mHz");
    EXPECT_EQ(r[RowLo].value, ".0mHz");
    EXPECT_EQ(r[RowLo].hex, "FFFF");
    EXPECT_EQ(r[RowIf].value, ".0mHz");
    EXPECT_EQ(r[RowSpacing].value, ".0mHz");
    EXPECT_EQ(r[RowStep].value, ".0kHz");
    EXPECT_EQ(r[RowSysChannels].value, "255, 255, 255, 255");
    EXPECT_EQ(r[RowSysChannels].hex, "FF, FF, FF, FF");
    EXPECT_EQ(r[RowChannelRange].value, "255..255");
    EXPECT_EQ(r[RowChannelRange].hex, "FF..FF");
    EXPECT_EQ(r[RowIdCode].value, "65535");
    EXPECT_EQ(r[RowIdCode].hex, "FFFF");
    for (int row : {RowDevice, RowRx, RowIf, RowSpacing, RowStep})
        EXPECT_TRUE(r[row].hex.isEmpty()) << row;
}

TEST(InfoList, HandsetAndBaseWorkedExamples)
{
    const Rows h = Decode(RadioImage(0x01A9, 0x2931, 0x397D));
    EXPECT_EQ(h[RowReference].value, "10.625mHz");
    EXPECT_EQ(h[RowTx].value, "263.625mHz");
    EXPECT_EQ(h[RowTx].hex, "2931");
    EXPECT_EQ(h[RowLo].value, "367.925mHz");
    EXPECT_EQ(h[RowLo].hex, "397D");
    EXPECT_EQ(h[RowRx].value, "389.625mHz");
    EXPECT_EQ(h[RowIf].value, "21.700mHz");
    EXPECT_EQ(h[RowSpacing].value, "126.000mHz");
    EXPECT_EQ(h[RowStep].value, "25.000kHz");
    EXPECT_EQ(h[RowDevice].value, "Труба");

    const Rows b = Decode(RadioImage(0x01A9, 0x3CE1, 0x2C95));
    EXPECT_EQ(b[RowTx].value, "389.625mHz");
    EXPECT_EQ(b[RowLo].value, "285.325mHz");
    EXPECT_EQ(b[RowRx].value, "263.625mHz");
    EXPECT_EQ(b[RowIf].value, "-21.700mHz");
    EXPECT_EQ(b[RowSpacing].value, "126.000mHz");
    EXPECT_EQ(b[RowDevice].value, "База");
}

TEST(InfoList, EveryDividerGivesItsReferenceStepAndIf)
{
    struct Case { uint16_t divider; const char *ref, *step; int64_t lo, rx; };
    // LO multiplier 0x4000 = 16384, handset orientation (IF added).
    const Case cases[] = {
        {425, "10.625mHz", "25.000kHz", 409600, 409600 + 21700},
        {512, "12.800mHz", "25.000kHz", 409600, 409600 + 25150},
        {850, "21.250mHz", "25.000kHz", 409600, 409600 + 21700},
        {1024, "12.800mHz", "12.500kHz", 204800, 204800 + 25150},
        {1700, "21.250mHz", "12.500kHz", 204800, 204800 + 21700},
    };
    for (const Case &c : cases) {
        const Rows r = Decode(RadioImage(c.divider, 0x1000, 0x4000));
        EXPECT_EQ(r[RowReference].value, c.ref) << c.divider;
        EXPECT_EQ(r[RowStep].value, c.step) << c.divider;
        EXPECT_EQ(r[RowLo].value, Mhz(c.lo)) << c.divider;
        EXPECT_EQ(r[RowRx].value, Mhz(c.rx)) << c.divider;
        EXPECT_EQ(r[RowIf].value, Mhz(c.rx - c.lo)) << c.divider;
    }
}

TEST(InfoList, UnknownDividerKeepsTheMultipliersInHex)
{
    const Rows r = Decode(RadioImage(0x0401, 0x2931, 0x397D));
    EXPECT_EQ(r[RowReference].value, "неизвесно");
    EXPECT_EQ(r[RowReference].hex, "0401");
    EXPECT_EQ(r[RowTx].value, ".0mHz");
    EXPECT_EQ(r[RowTx].hex, "2931");
    EXPECT_EQ(r[RowLo].value, ".0mHz");
    EXPECT_EQ(r[RowLo].hex, "397D");
    EXPECT_EQ(r[RowRx].value, ".0mHz");
    EXPECT_EQ(r[RowStep].value, ".0kHz");
}

TEST(InfoList, EqualMultipliersCountAsHandset)
{
    const Rows r = Decode(RadioImage(0x01A9, 0x2931, 0x2931));
    EXPECT_EQ(r[RowRx].value, "285.325mHz"); // LO + IF
    EXPECT_EQ(r[RowSpacing].value, "21.700mHz");
    EXPECT_EQ(r[RowDevice].value, "Труба");
}

TEST(InfoList, HalfKilohertzIsDroppedAtTheFineStep)
{
    const Rows r = Decode(RadioImage(0x0400, 20851, 0x7000));
    EXPECT_EQ(r[RowTx].value, "260.637mHz");
}

TEST(InfoList, TypeRangeChannelsAndId)
{
    struct Case { uint16_t range; const char *type, *dec, *hex; };
    const Case cases[] = {
        {0x0027, "F6", "0..39", "00..27"},  {0x284F, "F7", "40..79", "28..4F"},
        {0x5077, "F8", "80..119", "50..77"}, {0x00EF, "PLUS", "0..239", "00..EF"},
        {0x0028, "неизвесно", "0..40", "00..28"},
    };
    for (const Case &c : cases) {
        EepromImage img;
        img[0x38] = c.range;
        const Rows r = Decode(img);
        EXPECT_EQ(r[RowType].value, c.type);
        EXPECT_EQ(r[RowChannelRange].value, c.dec);
        EXPECT_EQ(r[RowChannelRange].hex, c.hex);
    }

    EepromImage img;
    img[0x37] = 0x1234;
    img[0x39] = 0x0102;
    img[0x3A] = 0x0AFF;
    const Rows r = Decode(img);
    EXPECT_EQ(r[RowIdCode].value, "4660");
    EXPECT_EQ(r[RowIdCode].hex, "1234");
    EXPECT_EQ(r[RowSysChannels].value, "1, 2, 10, 255");
    EXPECT_EQ(r[RowSysChannels].hex, "01, 02, 0A, FF");
}

TEST(InfoList, DecodingLeavesTheImageAlone)
{
    const EepromImage before = RadioImage(0x0400, 0x5172, 0x70F6);
    EepromImage img = before;
    Decode(img);
    EXPECT_EQ(img, before);
}

TEST(InfoList, FactoryBlocksGiveTheirKnownFrequencies)
{
    for (int p = 0; p < 12; ++p) {
        const PresetCase &c = kPresets[p];
        const Rows r = Decode(RadioImage(c.divider, c.tx, c.lo));
        EXPECT_EQ(r[RowTx].value, Mhz(c.txKHz)) << "preset " << p;
        EXPECT_EQ(r[RowLo].value, Mhz(c.loKHz)) << "preset " << p;
        EXPECT_EQ(r[RowRx].value, Mhz(c.rxKHz)) << "preset " << p;
        EXPECT_EQ(r[RowDevice].value, c.handset ? "Труба" : "База") << "preset " << p;
    }
}

// ---------------------------------------------------------------- the page

TEST(FreqText, FieldTextAndReading)
{
    EXPECT_EQ(FreqFieldText(263625), "263.625");
    EXPECT_EQ(FreqFieldText(100000), "100.000");
    EXPECT_EQ(FreqFieldText(999999), "999.999");
    // No DDD.DDD form: the field shows no number at all.
    EXPECT_EQ(FreqFieldText(99999), "");
    EXPECT_EQ(FreqFieldText(1000000), "");
    EXPECT_EQ(FreqFieldText(0), "");
    EXPECT_EQ(FreqFieldText(-21700), "");

    EXPECT_EQ(ReadFreqField("263.625"), 263625);
    EXPECT_EQ(ReadFreqField("050.000"), 50000);
    EXPECT_EQ(ReadFreqField(""), std::nullopt);
    EXPECT_EQ(ReadFreqField("."), std::nullopt);
    EXPECT_EQ(ReadFreqField("263.62"), std::nullopt);
    EXPECT_EQ(ReadFreqField("263.6_5"), std::nullopt);
    EXPECT_EQ(ReadFreqField("263,625"), std::nullopt);
}

namespace {

FreqFields Filled(FreqPage &page, uint16_t divider, uint16_t tx, uint16_t lo, bool plus,
                  int *indicator = nullptr)
{
    FreqFields f;
    f.CheckBox1 = plus;
    const int i = page.FromBuf(divider, tx, lo, f);
    if (indicator)
        *indicator = i;
    return f;
}

} // namespace

TEST(FreqPage, FillsHandsetAndBase)
{
    FreqPage page;
    int ind = 0;
    FreqFields f = Filled(page, 0x01A9, 0x2931, 0x397D, true, &ind);
    EXPECT_EQ(ind, 0);
    EXPECT_EQ(f.Edit2, "01A9");
    EXPECT_EQ(f.Edit3, "2931");
    EXPECT_EQ(f.Edit4, "397D");
    EXPECT_EQ(f.MaskEdit3, "263.625");
    EXPECT_EQ(f.MaskEdit4, "367.925");
    EXPECT_EQ(f.MaskEdit5, "389.625");

    f = Filled(page, 0x01A9, 0x3CE1, 0x2C95, false);
    EXPECT_EQ(f.MaskEdit3, "389.625");
    EXPECT_EQ(f.MaskEdit4, "285.325");
    EXPECT_EQ(f.MaskEdit5, "263.625");
}

TEST(FreqPage, DividerTableSetsReferenceAndIf)
{
    struct Case { uint16_t divider; int indicator; uint16_t ref, ifk; long double step; };
    const Case cases[] = {
        {425, 0, 10625, 21700, 25.0L}, {512, 1, 12800, 25150, 25.0L}, {1024, 1, 12800, 25150, 12.5L},
        {850, 2, 21250, 21700, 25.0L}, {1700, 2, 21250, 21700, 12.5L},
    };
    for (const Case &c : cases) {
        FreqPage page;
        int ind = -2;
        Filled(page, c.divider, 0, 0, false, &ind);
        EXPECT_EQ(ind, c.indicator) << c.divider;
        EXPECT_EQ(page.RefKHz, c.ref) << c.divider;
        EXPECT_EQ(page.IfKHz, c.ifk) << c.divider;
        EXPECT_EQ(page.StepKHz, c.step) << c.divider;
    }
}

TEST(FreqPage, UnknownDividerKeepsTheLastReference)
{
    FreqPage page;
    Filled(page, 1024, 0, 0, false);
    ASSERT_EQ(page.IfKHz, 25150);
    int ind = 0;
    const FreqFields f = Filled(page, 1000, 0x2000, 0x3000, true, &ind);
    EXPECT_EQ(ind, FreqPage::kNoIndicator);
    EXPECT_EQ(page.RefKHz, 12800);
    EXPECT_EQ(page.IfKHz, 21700);
    EXPECT_EQ(page.StepKHz, 12800.0L / 1000);
    EXPECT_EQ(f.Edit2, "03E8");
    // 8192 * 12.8 and 12288 * 12.8, truncated in extended precision.
    EXPECT_EQ(f.MaskEdit3, "104.857");
    EXPECT_EQ(f.MaskEdit4, "157.286");
    EXPECT_EQ(f.MaskEdit5, "178.986");
}

TEST(FreqPage, TruncationFollowsExtendedPrecision)
{
    // Odd dividers after 425: these land on the other side of an integer in
    // double precision.
    FreqPage page;
    Filled(page, 425, 0, 0, false);
    FreqFields f = Filled(page, 7, 77, 0, false);
    EXPECT_EQ(f.MaskEdit3, "116.874"); // double gives 116875
    f = Filled(page, 29, 290, 0, false);
    EXPECT_EQ(f.MaskEdit3, "106.250"); // double gives 106249
    Filled(page, 9, 0, 0, false);
    f.MaskEdit3 = "106.250";
    page.MaskEdit3Exit(f);
    EXPECT_EQ(f.Edit3, "005A"); // 90; double gives 89
}

TEST(FreqPage, HalfKilohertzIsTruncated)
{
    FreqPage page;
    FreqFields f = Filled(page, 1024, 0x5172, 0x70F6, true);
    EXPECT_EQ(f.MaskEdit3, "260.625");
    f.Edit3 = "5173"; // 20851
    page.Edit3Exit(f);
    EXPECT_EQ(f.MaskEdit3, "260.637");
    EXPECT_EQ(page.FrequencyOf(20851), 260637);
}

TEST(FreqPage, BlankImageAtStartShowsNoNumbers)
{
    FreqPage page;
    int ind = 0;
    const FreqFields f = Filled(page, 0xFFFF, 0xFFFF, 0xFFFF, false, &ind);
    EXPECT_EQ(ind, FreqPage::kNoIndicator);
    EXPECT_EQ(page.StepKHz, 0.0L);
    EXPECT_EQ(f.Edit2, "FFFF");
    EXPECT_EQ(f.Edit3, "FFFF");
    EXPECT_EQ(f.Edit4, "FFFF");
    // 0, 0 and -21700 kHz have no DDD.DDD form.
    EXPECT_EQ(f.MaskEdit3, "");
    EXPECT_EQ(f.MaskEdit4, "");
    EXPECT_EQ(f.MaskEdit5, "");
}

TEST(FreqPage, ZeroDividerFillsHexButNoFrequencies)
{
    FreqPage page;
    Filled(page, 425, 0, 0, false);
    const FreqFields f = Filled(page, 0, 0x2931, 0x397D, true);
    EXPECT_EQ(page.RefKHz, 10625);
    EXPECT_FALSE(page.HasStep());
    EXPECT_EQ(f.Edit2, "0000");
    EXPECT_EQ(f.Edit3, "2931");
    EXPECT_EQ(f.Edit4, "397D");
    EXPECT_EQ(f.MaskEdit3, "");
    EXPECT_EQ(f.MaskEdit4, "");
    EXPECT_EQ(f.MaskEdit5, "");
}

TEST(FreqPage, NoStepLeavesEveryFieldOfAFrequencyExitAlone)
{
    FreqPage page; // never saw a known divider
    FreqFields f = Filled(page, 0x1234, 0x2931, 0x397D, true);
    f.MaskEdit3 = "263.625";
    f.MaskEdit4 = "367.925";
    f.MaskEdit5 = "389.625";
    const FreqFields before = f;
    for (auto exit : {&FreqPage::MaskEdit3Exit, &FreqPage::MaskEdit4Exit, &FreqPage::MaskEdit5Exit}) {
        (page.*exit)(f);
        EXPECT_EQ(f.Edit3, before.Edit3);
        EXPECT_EQ(f.Edit4, before.Edit4);
        EXPECT_EQ(f.MaskEdit4, before.MaskEdit4);
        EXPECT_EQ(f.MaskEdit5, before.MaskEdit5);
    }
    // The other direction has a frequency of 0, which shows as no number.
    page.Edit3Exit(f);
    EXPECT_EQ(f.MaskEdit3, "");
}

TEST(FreqPage, TypedTransmitFrequencyStaysAsTyped)
{
    FreqPage page;
    FreqFields f = Filled(page, 0x01A9, 0, 0, true);
    f.MaskEdit3 = "263.630";
    page.MaskEdit3Exit(f);
    EXPECT_EQ(f.Edit3, "2931"); // 10545.2 truncated
    EXPECT_EQ(f.MaskEdit3, "263.630");
}

TEST(FreqPage, TypedLocalOscillatorRecomputesReceive)
{
    FreqPage page;
    FreqFields f = Filled(page, 0x01A9, 0, 0, true);
    f.MaskEdit4 = "367.930";
    page.MaskEdit4Exit(f);
    EXPECT_EQ(f.Edit4, "397D");
    EXPECT_EQ(f.MaskEdit4, "367.930");
    EXPECT_EQ(f.MaskEdit5, "389.625");

    f.CheckBox1 = false;
    f.Edit4 = "397d";
    page.Edit4Exit(f);
    EXPECT_EQ(f.MaskEdit4, "367.925");
    EXPECT_EQ(f.MaskEdit5, "346.225");
}

TEST(FreqPage, TypedReceiveSnapsToTheGrid)
{
    FreqPage page;
    FreqFields f = Filled(page, 0x01A9, 0, 0, true);
    f.MaskEdit5 = "389.630";
    page.MaskEdit5Exit(f);
    EXPECT_EQ(f.Edit4, "397D");
    EXPECT_EQ(f.MaskEdit5, "389.625");
    EXPECT_EQ(f.MaskEdit4, "367.925");

    // With "+/-" clear the LO lies above the receive frequency.
    f.CheckBox1 = false;
    f.MaskEdit5 = "263.625";
    page.MaskEdit5Exit(f);
    EXPECT_EQ(f.Edit4, "2C95");
    EXPECT_EQ(f.MaskEdit4, "285.325");
    EXPECT_EQ(f.MaskEdit5, "263.625");
}

TEST(FreqPage, ReceiveBelowTheIfWrapsToLow16Bits)
{
    FreqPage page;
    FreqFields f = Filled(page, 0x01A9, 0, 0, true);
    f.MaskEdit5 = "021.670"; // LO = -30 kHz, -1.2 steps, truncated to -1
    page.MaskEdit5Exit(f);
    EXPECT_EQ(f.Edit4, "FFFF");
    EXPECT_EQ(f.MaskEdit4, ""); // 65535 * 25 kHz has no DDD.DDD form
}

TEST(FreqPage, ExitsIgnoreAFieldWithoutANumber)
{
    FreqPage page;
    FreqFields f = Filled(page, 0x01A9, 0x2931, 0x397D, true);
    const FreqFields before = f;
    f.MaskEdit3 = f.MaskEdit4 = f.MaskEdit5 = "";
    page.MaskEdit3Exit(f);
    page.MaskEdit4Exit(f);
    page.MaskEdit5Exit(f);
    EXPECT_EQ(f.Edit3, before.Edit3);
    EXPECT_EQ(f.Edit4, before.Edit4);
    EXPECT_EQ(f.MaskEdit5, "");
}

TEST(FreqPage, FactoryBlocksGiveTheirKnownFrequencies)
{
    FreqPage page;
    for (int p = 0; p < 12; ++p) {
        const PresetCase &c = kPresets[p];
        // The page's own "+/-" rule: set when TX multiplier < LO multiplier.
        const FreqFields f = Filled(page, c.divider, c.tx, c.lo, c.tx < c.lo);
        EXPECT_EQ(f.MaskEdit3, FreqFieldText(c.txKHz)) << "preset " << p;
        EXPECT_EQ(f.MaskEdit4, FreqFieldText(c.loKHz)) << "preset " << p;
        EXPECT_EQ(f.MaskEdit5, FreqFieldText(c.rxKHz)) << "preset " << p;
        // Typing the shown frequencies back gives the same multipliers.
        FreqFields back = f;
        back.Edit3 = back.Edit4 = "";
        page.MaskEdit3Exit(back);
        page.MaskEdit5Exit(back);
        EXPECT_EQ(back.Edit3, f.Edit3) << "preset " << p;
        EXPECT_EQ(back.Edit4, f.Edit4) << "preset " << p;
    }
}
