#include "image/WordDescription.h"

#include <gtest/gtest.h>

TEST(WordDescription, EveryAddressClass)
{
    EepromImage img;
    img[0x31] = 0x12AB;
    img[0x32] = 0x01A9;
    img[0x33] = 0x2931;
    img[0x34] = 0x397D;
    img[0x37] = 0x0000;
    img[0x38] = 0x00EF;
    img[0x39] = 0x0102;
    img[0x3A] = 0x0304;
    for (int a = 0x00; a <= 0x30; ++a)
        EXPECT_EQ(DescribeWord(img, a), "???") << a;
    EXPECT_EQ(DescribeWord(img, 0x31), "HI - ???, LO - контрольная сумма (только у китайских) [AB]");
    EXPECT_EQ(DescribeWord(img, 0x32), "Делитель опорного генератора [01A9]");
    EXPECT_EQ(DescribeWord(img, 0x33), "Множитель для передатчика [2931]");
    EXPECT_EQ(DescribeWord(img, 0x34), "Множитель для гетеродина [397D]");
    EXPECT_EQ(DescribeWord(img, 0x37), "ID код базы [0000]");
    EXPECT_EQ(DescribeWord(img, 0x38),
              "Диапазан рабочих каналов. HI - начало диапазона [00], LO - конец диапазона [EF]");
    EXPECT_EQ(DescribeWord(img, 0x39), "Системные каналы. HI - 1 канал [01], LO - 2 канал [02]");
    EXPECT_EQ(DescribeWord(img, 0x3A), "Системные каналы. HI - 3 канал [03], LO - 4 канал [04]");
    for (int a : {0x35, 0x36, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F})
        EXPECT_EQ(DescribeWord(img, a), QString()) << a;
}
