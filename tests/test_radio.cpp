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

struct Expected {
    int row;
    const char *value;
    const char *hex = "";
};

void ExpectRows(const Rows &r, std::initializer_list<Expected> expected)
{
    for (const Expected &e : expected) {
        EXPECT_EQ(r[e.row].value, QString::fromUtf8(e.value)) << "row " << e.row;
        EXPECT_EQ(r[e.row].hex, QString::fromUtf8(e.hex)) << "row " << e.row;
    }
}

FreqFields Filled(FreqPage &page, uint16_t divider, uint16_t tx, uint16_t lo, bool plus, int *indicator = nullptr)
{
    FreqFields f;
    f.CheckBox1 = plus;
    const int i = page.FromBuf(divider, tx, lo, f);
    if (indicator)
        *indicator = i;
    return f;
}

} // namespace

// ---------------------------------------------------------------- the list

TEST(InfoList, FrequencyTextPutsThePointBeforeTheLastThreeCharacters)
{
    EXPECT_EQ(FrequencyText(263625, "mHz"), "263.625mHz");
    EXPECT_EQ(FrequencyText(-21700, "mHz"), "-21.700mHz");
    EXPECT_EQ(FrequencyText(12500, "kHz"), "12.500kHz");
    // Short texts get the point in front; a minus sign counts as a character.
    EXPECT_EQ(FrequencyText(0, "mHz"), ".0mHz");
    EXPECT_EQ(FrequencyText(12, "mHz"), ".12mHz");
    EXPECT_EQ(FrequencyText(123, "mHz"), ".123mHz");
    EXPECT_EQ(FrequencyText(-123, "mHz"), "-.123mHz");
    EXPECT_EQ(FrequencyText(-12, "mHz"), ".-12mHz");
}

TEST(InfoList, BlankImage)
{
    ExpectRows(Decode(EepromImage()),
               {{RowDevice, "Труба"}, {RowType, "неизвесно", "FFFF"}, {RowReference, "неизвесно", "FFFF"},
                {RowTx, ".0mHz", "FFFF"}, {RowRx, ".0mHz"}, {RowLo, ".0mHz", "FFFF"}, {RowIf, ".0mHz"},
                {RowSpacing, ".0mHz"}, {RowStep, ".0kHz"},
                {RowSysChannels, "255, 255, 255, 255", "FF, FF, FF, FF"},
                {RowChannelRange, "255..255", "FF..FF"}, {RowIdCode, "65535", "FFFF"}});
}

TEST(InfoList, HandsetAndBase)
{
    ExpectRows(Decode(RadioImage(0x01A9, 0x2931, 0x397D)),
               {{RowDevice, "Труба"}, {RowReference, "10.625mHz", "01A9"}, {RowTx, "263.625mHz", "2931"},
                {RowLo, "367.925mHz", "397D"}, {RowRx, "389.625mHz"}, {RowIf, "21.700mHz"},
                {RowSpacing, "126.000mHz"}, {RowStep, "25.000kHz"}});
    ExpectRows(Decode(RadioImage(0x01A9, 0x3CE1, 0x2C95)),
               {{RowDevice, "База"}, {RowTx, "389.625mHz", "3CE1"}, {RowLo, "285.325mHz", "2C95"},
                {RowRx, "263.625mHz"}, {RowIf, "-21.700mHz"}, {RowSpacing, "126.000mHz"}});
    // Equal multipliers count as a handset: RX = LO + IF, spacing = IF.
    ExpectRows(Decode(RadioImage(0x01A9, 0x2931, 0x2931)),
               {{RowDevice, "Труба"}, {RowRx, "285.325mHz"}, {RowSpacing, "21.700mHz"}});
}

TEST(InfoList, EveryDivider)
{
    struct Case { uint16_t divider; const char *ref, *step, *lo, *rx; };
    const Case cases[] = { // LO multiplier 0x4000
        {425, "10.625mHz", "25.000kHz", "409.600mHz", "431.300mHz"},
        {512, "12.800mHz", "25.000kHz", "409.600mHz", "434.750mHz"},
        {850, "21.250mHz", "25.000kHz", "409.600mHz", "431.300mHz"},
        {1024, "12.800mHz", "12.500kHz", "204.800mHz", "229.950mHz"},
        {1700, "21.250mHz", "12.500kHz", "204.800mHz", "226.500mHz"},
        // Unknown: no step, but the multipliers still show in hex.
        {1025, "неизвесно", ".0kHz", ".0mHz", ".0mHz"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.divider);
        ExpectRows(Decode(RadioImage(c.divider, 0x1000, 0x4000)),
                   {{RowReference, c.ref, qPrintable(WordToHex(c.divider))}, {RowStep, c.step},
                    {RowLo, c.lo, "4000"}, {RowRx, c.rx}});
    }
    // The fine step drops the half kHz of an odd multiplier.
    EXPECT_EQ(Decode(RadioImage(0x0400, 20851, 0))[RowTx].value, "260.637mHz");
}

TEST(InfoList, TypeRangeChannelsAndId)
{
    struct Case { uint16_t range; const char *type, *dec, *hex; };
    const Case cases[] = {
        {0x0027, "F6", "0..39", "00..27"},   {0x284F, "F7", "40..79", "28..4F"},
        {0x5077, "F8", "80..119", "50..77"}, {0x00EF, "PLUS", "0..239", "00..EF"},
        {0x0028, "неизвесно", "0..40", "00..28"},
    };
    for (const Case &c : cases) {
        EepromImage img;
        img[0x38] = c.range;
        ExpectRows(Decode(img), {{RowType, c.type, qPrintable(WordToHex(c.range))},
                                 {RowChannelRange, c.dec, c.hex}});
    }
    EepromImage img;
    img[0x37] = 0x1234;
    img[0x39] = 0x0102;
    img[0x3A] = 0x0AFF;
    ExpectRows(Decode(img), {{RowIdCode, "4660", "1234"}, {RowSysChannels, "1, 2, 10, 255", "01, 02, 0A, FF"}});
}

// ---------------------------------------------------------------- the page

TEST(FreqPage, FieldTextHasNoNumberOutsideDddDdd)
{
    EXPECT_EQ(FreqFieldText(263625), "263.625");
    EXPECT_EQ(FreqFieldText(100000), "100.000");
    EXPECT_EQ(FreqFieldText(999999), "999.999");
    for (int64_t outside : {99999, 1000000, 0, -21700})
        EXPECT_EQ(FreqFieldText(outside), "") << outside;

    EXPECT_EQ(ReadFreqField("263.625"), 263625);
    EXPECT_EQ(ReadFreqField("050.000"), 50000);
    for (const char *noNumber : {"", ".", "263.62", "263.6_5", "263,625"})
        EXPECT_EQ(ReadFreqField(noNumber), std::nullopt) << noNumber;
}

TEST(FreqPage, FillsAndEveryDivider)
{
    FreqPage page;
    int ind = -2;
    FreqFields f = Filled(page, 0x01A9, 0x2931, 0x397D, true, &ind);
    EXPECT_EQ(ind, 0);
    EXPECT_EQ(f.Edit2 + f.Edit3 + f.Edit4, "01A92931397D");
    EXPECT_EQ(f.MaskEdit3 + f.MaskEdit4 + f.MaskEdit5, "263.625367.925389.625");
    f = Filled(page, 0x01A9, 0x3CE1, 0x2C95, false);
    EXPECT_EQ(f.MaskEdit3 + f.MaskEdit4 + f.MaskEdit5, "389.625285.325263.625");
    // The page clears "+/-" for equal multipliers, so RX = LO - IF here.
    f = Filled(page, 0x01A9, 0x2931, 0x2931, false);
    EXPECT_EQ(f.MaskEdit5, "241.925");

    struct Case { uint16_t divider; int indicator; uint16_t ref, ifk; long double step; };
    const Case cases[] = {
        {425, 0, 10625, 21700, 25.0L}, {512, 1, 12800, 25150, 25.0L}, {1024, 1, 12800, 25150, 12.5L},
        {850, 2, 21250, 21700, 25.0L}, {1700, 2, 21250, 21700, 12.5L},
    };
    for (const Case &c : cases) {
        FreqPage fresh;
        Filled(fresh, c.divider, 0, 0, false, &ind);
        EXPECT_EQ(ind, c.indicator) << c.divider;
        EXPECT_EQ(fresh.RefKHz, c.ref) << c.divider;
        EXPECT_EQ(fresh.IfKHz, c.ifk) << c.divider;
        EXPECT_EQ(fresh.StepKHz, c.step) << c.divider;
    }
}

TEST(FreqPage, UnknownDividerKeepsTheLastReference)
{
    FreqPage page;
    Filled(page, 1024, 0, 0, false);
    int ind = 0;
    const FreqFields f = Filled(page, 1000, 0x2000, 0x3000, true, &ind);
    EXPECT_EQ(ind, FreqPage::kNoIndicator);
    EXPECT_EQ(page.RefKHz, 12800);
    EXPECT_EQ(page.IfKHz, 21700);
    // 8192 and 12288 times 12.8 kHz, truncated.
    EXPECT_EQ(f.MaskEdit3 + f.MaskEdit4 + f.MaskEdit5, "104.857157.286178.986");
}

TEST(FreqPage, TruncationIsInExtendedPrecision)
{
    FreqPage page;
    FreqFields f = Filled(page, 1024, 20851, 0, false);
    EXPECT_EQ(f.MaskEdit3, "260.637"); // 260637.5
    // Odd dividers after 425, where double precision lands on the other side.
    Filled(page, 425, 0, 0, false);
    f = Filled(page, 7, 77, 0, false);
    EXPECT_EQ(f.MaskEdit3, "116.874");
    f = Filled(page, 29, 290, 0, false);
    EXPECT_EQ(f.MaskEdit3, "106.250");
    Filled(page, 9, 0, 0, false);
    f.MaskEdit3 = "106.250";
    page.MaskEdit3Exit(f);
    EXPECT_EQ(f.Edit3, "005A");
}

TEST(FreqPage, TypedFrequencies)
{
    FreqPage page;
    FreqFields f = Filled(page, 0x01A9, 0, 0, true);
    f.MaskEdit3 = "263.630"; // off the grid: kept as typed
    page.MaskEdit3Exit(f);
    EXPECT_EQ(f.Edit3 + f.MaskEdit3, "2931263.630");
    f.MaskEdit4 = "367.930";
    page.MaskEdit4Exit(f);
    EXPECT_EQ(f.Edit4 + f.MaskEdit4 + f.MaskEdit5, "397D367.930389.625");
    f.MaskEdit5 = "389.630"; // the receive frequency snaps to the grid
    page.MaskEdit5Exit(f);
    EXPECT_EQ(f.Edit4 + f.MaskEdit4 + f.MaskEdit5, "397D367.925389.625");
    f.CheckBox1 = false;
    f.MaskEdit5 = "263.625";
    page.MaskEdit5Exit(f);
    EXPECT_EQ(f.Edit4 + f.MaskEdit4 + f.MaskEdit5, "2C95285.325263.625");
    f.Edit4 = "397d";
    page.Edit4Exit(f);
    EXPECT_EQ(f.MaskEdit4 + f.MaskEdit5, "367.925346.225");
    // Below the IF the quotient is -1.2, truncated to -1: FFFF.
    f.CheckBox1 = true;
    f.MaskEdit5 = "021.670";
    page.MaskEdit5Exit(f);
    EXPECT_EQ(f.Edit4, "FFFF");
    EXPECT_EQ(f.MaskEdit4, "");
}

TEST(FreqPage, NoStepOrNoNumberComputesNothing)
{
    FreqPage page; // a blank image at start: no known divider seen yet
    FreqFields f = Filled(page, 0xFFFF, 0xFFFF, 0xFFFF, false);
    EXPECT_EQ(page.StepKHz, 0.0L);
    EXPECT_EQ(f.Edit2 + f.Edit3 + f.Edit4, "FFFFFFFFFFFF");
    EXPECT_EQ(f.MaskEdit3 + f.MaskEdit4 + f.MaskEdit5, "");
    f.MaskEdit3 = "263.625";
    f.MaskEdit4 = "367.925";
    f.MaskEdit5 = "389.625";
    const FreqFields typed = f;
    page.MaskEdit3Exit(f);
    page.MaskEdit4Exit(f);
    page.MaskEdit5Exit(f);
    EXPECT_EQ(f.Edit3 + f.Edit4 + f.MaskEdit4 + f.MaskEdit5,
              typed.Edit3 + typed.Edit4 + typed.MaskEdit4 + typed.MaskEdit5);

    // A zero divider after a known one: hex fields, but no frequencies.
    Filled(page, 425, 0, 0, false);
    f = Filled(page, 0, 0x2931, 0x397D, true);
    EXPECT_EQ(page.RefKHz, 10625);
    EXPECT_FALSE(page.HasStep());
    EXPECT_EQ(f.Edit2 + f.Edit3 + f.Edit4, "00002931397D");
    EXPECT_EQ(f.MaskEdit3 + f.MaskEdit4 + f.MaskEdit5, "");
    page.Edit3Exit(f);
    EXPECT_EQ(f.MaskEdit3, "");

    // With a step, a field without a number changes nothing either.
    f = Filled(page, 0x01A9, 0x2931, 0x397D, true);
    f.MaskEdit5 = "";
    page.MaskEdit5Exit(f);
    EXPECT_EQ(f.Edit4 + f.MaskEdit4, "397D367.925");
}
