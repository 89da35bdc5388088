#include "image/Presets.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The rows as the factory lists them, in hex text, so a slip in the table
// is not repeated here by copy.
const char *const kRows[kPresetCount] = {
    "FFFF FFFF 01A9 2931 397D 05AA 2807 0000 0000 0000 0000 6301 0001 6000 0319 E8BB",
    "FFFF FFFF 0200 2931 38F3 0888 2804 0000 0000 0000 0000 6301 0001 6000 0319 E8BB",
    "FFFF FFFF 0352 2931 397D 0888 2807 0000 0000 0000 0000 6301 0001 6000 0319 F2BB",
    "FFFF FFFF 01A9 3CE1 2C95 0977 2645 0000 0000 0000 0000 6301 FE44 FF03 0600 FFFF",
    "FFFF FFFF 0200 3CE1 2D1F 0898 2F44 0000 0000 0000 0000 6301 FE44 FF03 0600 FFFF",
    "FFFF FFFF 0352 3CE1 2C95 0788 2744 0000 0000 0000 0000 6301 FE44 FF03 0600 FFFF",
    "FFFF FFFF 0400 5172 70F6 0788 2744 0000 00EF 0000 0000 6301 0001 6000 0319 F2BB",
    "FFFF FFFF 06A4 5172 720A 0696 2706 0000 00EF 0000 0000 6301 0001 6000 0319 F2BB",
    "FFFF FFFF 0400 78D2 594E 0677 2747 0000 00EF 0000 0000 F301 FE44 F702 0600 FFFF",
    "FFFF FFFF 06A4 78D2 583A 07C5 2547 0000 00EF 0000 0000 F301 FE44 FF00 0600 FFFF",
    "FFFF FFFF 0352 279C 37E8 0888 2807 0000 0000 0000 0000 6301 0001 6000 0319 F2BB",
    "FFFF FFFF 0352 3B4C 2B00 0788 2744 0000 0000 0000 0000 6301 FE44 FF03 0600 FFFF",
};
const int kModels[kPresetCount] = {2, 2, 2, 1, 1, 1, 4, 4, 3, 3, 2, 1};

QString RowText(const EepromImage &img)
{
    QStringList words;
    for (int a = Addr::BlockFirst; a <= Addr::BlockLast; ++a)
        words << WordToHex(img[a]);
    return words.join(' ');
}

} // namespace

TEST(Presets, EachPresetLoadsItsBlockExactly)
{
    for (int p = 0; p < kPresetCount; ++p) {
        EepromImage img;
        for (int a = 0; a < EepromImage::kWords; ++a)
            img[a] = static_cast<uint16_t>(0x5A00 + a);
        ASSERT_TRUE(ApplyPreset(img, p));
        EXPECT_EQ(RowText(img), QString::fromLatin1(kRows[p])) << "preset " << p;
        for (int a = 0; a < Addr::BlockFirst; ++a)
            ASSERT_EQ(img[a], 0x5A00 + a) << "preset " << p << " touched word " << a;
        EXPECT_EQ(PresetTable[p].model, kModels[p]) << "preset " << p;
    }
}

TEST(Presets, HandsetsTransmitBelowTheirLocalOscillatorBasesAbove)
{
    // The "+/-" box follows this comparison, so a swapped pair would show the
    // wrong receive side.
    for (int p = 0; p < kPresetCount; ++p) {
        const PresetRow &row = PresetTable[p].words;
        const bool handset = kModels[p] == 2 || kModels[p] == 4;
        EXPECT_EQ(row[Addr::TxMultiplier - Addr::BlockFirst] < row[Addr::LoMultiplier - Addr::BlockFirst], handset)
            << "preset " << p;
    }
}

TEST(Presets, LoadingTwiceIsTheSameAndBadNumbersChangeNothing)
{
    EepromImage once, twice;
    ApplyPreset(once, 6);
    ApplyPreset(twice, 6);
    ApplyPreset(twice, 6);
    EXPECT_EQ(once, twice);
    EXPECT_EQ(once[Addr::ChannelRange], 0x00EF);

    EepromImage blank;
    EXPECT_FALSE(ApplyPreset(blank, -1));
    EXPECT_FALSE(ApplyPreset(blank, kPresetCount));
    EXPECT_EQ(blank, EepromImage());
}

TEST(Presets, ReminderText)
{
    EXPECT_EQ(QString::fromUtf8(PresetReminder),
              QString::fromUtf8("Введите ID код базы, 4 Системных канала, диапазан системных каналов..."));
}
