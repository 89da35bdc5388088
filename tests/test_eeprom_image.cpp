#include "image/EepromImage.h"

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
