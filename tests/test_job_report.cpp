// What the window says when a write or a check ends, without the window.
#include "image/GridMarks.h"
#include "link/JobReport.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(JobReport, WordCountsAgreeInRussian)
{
    // The plural forms come from the Russian catalogue the test main installs,
    // as the window and quillon-cli do in Russian.
    const struct {
        int n;
        const char *words, *equal;
    } cases[] = {
        {1, "1 слово", "Проверено: 1 слово совпадает"},     {2, "2 слова", "Проверено: 2 слова совпадают"},
        {4, "4 слова", "Проверено: 4 слова совпадают"},     {5, "5 слов", "Проверено: 5 слов совпадают"},
        {11, "11 слов", "Проверено: 11 слов совпадают"},    {14, "14 слов", "Проверено: 14 слов совпадают"},
        {21, "21 слово", "Проверено: 21 слово совпадает"},  {22, "22 слова", "Проверено: 22 слова совпадают"},
        {25, "25 слов", "Проверено: 25 слов совпадают"},    {64, "64 слова", "Проверено: 64 слова совпадают"},
        {111, "111 слов", "Проверено: 111 слов совпадают"},
    };
    for (const auto &c : cases) {
        // "и ещё 5 слов" after a list cut at none.
        EXPECT_EQ(DiffLines(std::vector<WordDiff>(size_t(c.n)), "a", "b", 0),
                  QStringLiteral("и ещё ") + QString::fromUtf8(c.words));
        EXPECT_EQ(AllEqualText(QStringLiteral("Проверено"), c.n), QString::fromUtf8(c.equal));
    }
    EXPECT_EQ(DifferText(QStringLiteral("Проверено"), 1, 16), QStringLiteral("Проверено: 1 слово из 16 не совпадает"));
    EXPECT_EQ(DifferBrief(QStringLiteral("Сравнено"), 1, 64), QStringLiteral("Сравнено: 1 из 64 не совпадает"));
    EXPECT_EQ(DifferBrief(QStringLiteral("Сравнено"), 22, 64), QStringLiteral("Сравнено: 22 из 64 не совпадают"));
}

TEST(JobReport, AWriteCutOffSaysWhatTheTelephoneHolds)
{
    // The brief is what panel 1 shows: what is certainly in the telephone.
    const struct {
        int first, last, confirmed, possibly;
        const char *text, *brief;
        int marked, doubtful;
    } cases[] = {
        {0x00, 0x3F, 0x04, 0x09,
         "Телефон принял слова 00-04, возможно 05-09, не получил 0A-3F: в нём неполный образ, запишите ещё раз",
         "Принято лишь 00-04: запишите снова", 59, 5},
        {0x00, 0x3F, 0x04, 0x04, "Телефон принял слова 00-04, не получил 05-3F: в нём неполный образ, запишите ещё раз",
         "Принято лишь 00-04: запишите снова", 59, 0},
        {0x30, 0x3F, 0x3E, 0x3F, "Телефон принял слова 30-3E, возможно 3F: запишите ещё раз для верности",
         "Принято лишь 30-3E: запишите снова", 1, 1},
        {0x30, 0x3F, 0x2F, 0x34,
         "Телефон, возможно, принял слова 30-34, не получил 35-3F: в нём неполный образ, запишите ещё раз",
         "Ничего не принято: запишите снова", 16, 5},
        {0x07, 0x07, 0x06, 0x06, "Телефон не подтвердил ни одного слова из 07: запишите ещё раз",
         "Ничего не принято: запишите снова", 1, 0},
    };
    for (const auto &c : cases) {
        const WriteGroups g = SplitWrite(c.first, c.last, c.confirmed, c.possibly);
        EXPECT_EQ(PartialWriteText(g), QString::fromUtf8(c.text));
        EXPECT_EQ(PartialWriteBrief(g), QString::fromUtf8(c.brief));
        const CellMarks marks = UnconfirmedMarks(g);
        EXPECT_EQ(int(marks.size()), c.marked) << c.text;
        EXPECT_EQ(std::count_if(marks.begin(), marks.end(), [](const CellMark &m) { return m.doubtful; }), c.doubtful);
    }
}

// The grid's marks tell of the words they were made against: a change of them ends the marks.
TEST(GridMarks, AreOutdatedOnceTheWordsChange)
{
    EepromImage image;
    GridMarks marks;
    marks.Set({{0x05, QStringLiteral("телефон: 1234"), true}}, image);
    EXPECT_FALSE(marks.OutdatedBy(image));
    EepromImage changed = image;
    changed[0x05] = 0x1234;
    EXPECT_TRUE(marks.OutdatedBy(changed));
    const CellMarks taken = marks.Take();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_TRUE(taken[0].doubtful);
    EXPECT_TRUE(marks.Empty());
    EXPECT_FALSE(marks.OutdatedBy(changed)); // nothing left to end
}
