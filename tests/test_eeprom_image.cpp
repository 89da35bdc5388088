#include "image/EepromImage.h"
#include "image/ReadMark.h"

#include <gtest/gtest.h>

TEST(EepromImage, StartsBlankAndBlanksAgain)
{
    EepromImage img;
    for (int a = 0; a < EepromImage::kWords; ++a)
        EXPECT_EQ(img[a], 0xFFFF);
    img[0x10] = 0x1234;
    img.BlankBuf();
    EXPECT_EQ(img[0x10], 0xFFFF);
}

TEST(HexText, WordAndByteAreUpperCaseAndPadded)
{
    EXPECT_EQ(WordToHex(0x01A9), "01A9");
    EXPECT_EQ(WordToHex(0), "0000");
    EXPECT_EQ(WordToHex(0xFFFF), "FFFF");
    EXPECT_EQ(WordToHex(0xabcd), "ABCD");
    EXPECT_EQ(ByteToHex(0x08), "08");
    EXPECT_EQ(ByteToHex(0x38), "38");
}

TEST(HexText, HexToWordIsLenient)
{
    EXPECT_EQ(HexToWord(QStringLiteral("01a9")), 0x01A9);   // lower case accepted
    EXPECT_EQ(HexToWord(QStringLiteral("12G4")), 0x1204);   // non-digit is a zero nibble
    EXPECT_EQ(HexToWord(QStringLiteral("12")), 0x1200);     // missing positions are the low nibbles
    EXPECT_EQ(HexToWord(QString()), 0x0000);
    EXPECT_EQ(HexToWord(QStringLiteral("12345")), 0x1234);  // beyond the fourth is ignored
    EXPECT_EQ(HexToWord(QStringLiteral("ZZ__")), 0x0000);
    EXPECT_EQ(HexToWord(QStringLiteral("1 _F")), 0x100F);
    // Only ASCII letters fold: a Cyrillic "А" is not the digit A.
    EXPECT_EQ(HexToWord(QStringLiteral("\u0410BCD")), 0x0BCD);
    EXPECT_EQ(HexToWord("e8bb", 4), 0xE8BB);
    EXPECT_EQ(HexToWord("E8", 2), 0xE800);
}

TEST(HexText, RoundTripsEveryWord)
{
    for (uint32_t w = 0; w <= 0xFFFF; w += 0x0101)
        EXPECT_EQ(HexToWord(WordToHex(static_cast<uint16_t>(w))), w);
}

TEST(ReadMark, NamesTheRangeAndIsFoundInAComment)
{
    EXPECT_EQ(WithReadRangeMark(QString(), {0x30, 0x3F}), QStringLiteral("[read 30-3F]"));
    EXPECT_EQ(WithReadRangeMark(QStringLiteral("база"), {0x0A, 0x0A}), QStringLiteral("база [read 0A]"));
    const struct {
        const char *comment;
        std::optional<ReadRange> range;
    } rows[] = {
        {"", std::nullopt},
        {"free text [read] [read 3]", std::nullopt},
        {"x [read 30-3F]", ReadRange{0x30, 0x3F}},
        {"[read 0A] edited [read 00-04]", ReadRange{0x00, 0x04}}, // the last mark counts
        {"[read 3F-30]", std::nullopt},                            // reversed
        {"[read 40]", std::nullopt},                               // beyond the image
    };
    for (const auto &row : rows)
        EXPECT_EQ(FindReadRangeMark(QString::fromUtf8(row.comment)), row.range) << row.comment;
}
