// The words that pair a handset with its base: typed values read or refused,
// and what a plan and a system channel mean.

#include "radio/Pairing.h"

#include <gtest/gtest.h>

using namespace Pairing;

namespace {

using R = Refusal;

struct ParseRow {
    const char *fn;
    const char *text;
    int value; // -1: refused
    R::Why why = R::None;
};

Parsed<int> Parse(const std::string &fn, const QString &text)
{
    const auto widen = [](const auto &p) {
        Parsed<int> r;
        r.refusal = p.refusal;
        if (p.value)
            r.value = int(*p.value);
        return r;
    };
    if (fn == "id")
        return widen(ParseId(text));
    if (fn == "hex")
        return widen(ParseIdHex(text));
    if (fn == "plan")
        return widen(ParsePlan(text));
    if (fn == "channel")
        return widen(ParseChannel(text));
    const Parsed<SysChannels> sys = ParseSysChannels(text);
    Parsed<int> r;
    r.refusal = sys.refusal;
    if (sys.value)
        r.value = (*sys.value)[0] << 24 | (*sys.value)[1] << 16 | (*sys.value)[2] << 8 | (*sys.value)[3];
    return r;
}

TEST(Pairing, TypedValuesTable)
{
    const ParseRow rows[] = {
        {"id", "65535", 65535},
        {"id", " 42 ", 42},
        {"id", "0X1a2B", 0x1A2B},
        {"id", "65536", -1, R::OutOfRange},
        {"id", "0x10000", -1, R::OutOfRange},
        {"id", "-1", -1, R::OutOfRange},
        {"id", "99999999999999999999999", -1, R::OutOfRange},
        {"id", "12a", -1, R::NotANumber},
        {"id", "", -1, R::NotANumber},
        {"id", "0x", -1, R::NotANumber},
        {"id", "+5", -1, R::NotANumber},
        {"hex", "1a2b", 0x1A2B},
        {"hex", "10000", -1, R::OutOfRange},
        {"hex", "G", -1, R::NotANumber},
        {"hex", "-1", -1, R::NotANumber}, // hex digits carry no sign: not "above FFFF"
        {"id", "0x-1", -1, R::NotANumber}, // nor do they after "0x"
        {"hex", " 1a2b", 0x1A2B}, // pasted with a space
        {"channel", "256", -1, R::OutOfRange},
        {"plan", "F6", 0x0027},
        {"plan", "f7", 0x284F},
        {"plan", "F8", 0x5077},
        {"plan", "Plus", 0x00EF},
        {"plan", "10-20", 0x0A14},
        {"plan", "7-7", 0x0707},
        {"plan", "120-80", -1, R::FirstAfterLast},
        {"plan", "0-256", -1, R::OutOfRange},
        {"plan", "-5-10", -1, R::OutOfRange},
        {"plan", "10-", -1, R::NotANumber},
        {"plan", "F9", -1, R::NotANumber},
        {"sys", "81,82,83,84", 0x51525354},
        {"sys", "0, 1 ,2,255", 0x000102FF},
        {"sys", "1,2,3", -1, R::NotANumber},
        {"sys", "1,2,x,4", -1, R::NotANumber},
        {"sys", "1,2,3,256", -1, R::OutOfRange},
    };
    for (const ParseRow &row : rows) {
        const Parsed<int> p = Parse(row.fn, QString::fromUtf8(row.text));
        const std::string where = std::string(row.fn) + " \"" + row.text + "\"";
        EXPECT_EQ(p.refusal.why, row.why) << where;
        EXPECT_EQ(p.value.value_or(-1), row.value) << where;
    }
    const Refusal backwards = ParsePlan(QStringLiteral("120-80")).refusal;
    EXPECT_EQ(backwards.low, 120);
    EXPECT_EQ(backwards.high, 80);
    EXPECT_EQ(ParseId(QStringLiteral("x")).refusal.high, 65535);
    EXPECT_EQ(ParseChannel(QStringLiteral("x")).refusal.high, 255);
}

TEST(Pairing, PlansAndSystemChannelsInTheWorkingRange)
{
    EXPECT_EQ(PlanOf(0x5077), 2);
    EXPECT_EQ(PlanName(0x00EF), QStringLiteral("PLUS"));
    EXPECT_EQ(PlanOf(0x0028), -1);
    EXPECT_EQ(PlanName(0x0028), QString());

    //                   ID      F8 80-119  81, 120  79, 80
    const Words words = {0x1A2B, 0x5077, 0x5178, 0x4F50};
    const std::array<bool, 4> outside{false, true, true, false};
    EXPECT_EQ(OutsideRange(words), outside);
    EXPECT_FALSE(InRange(5, 0x0A05)); // first > last holds none
}

TEST(Pairing, ApplyTakesAllOrNothing)
{
    const Words before = {0x1111, 0x0027, 0x0102, 0x0304};
    const Applied ok = Apply(before, {QStringLiteral("0x1A2B"), QStringLiteral("F8"), QStringLiteral("81,82,83,84")});
    EXPECT_EQ(ok.refusal.why, R::None);
    EXPECT_EQ(ok.words, (Words{0x1A2B, 0x5077, 0x5152, 0x5354}));

    const Applied bad = Apply(before, {QStringLiteral("7"), QStringLiteral("F8"), QStringLiteral("1,2")});
    EXPECT_EQ(bad.field, Field::Sys);
    EXPECT_EQ(bad.refusal.why, R::NotANumber);
    EXPECT_EQ(bad.words, Words{});
}

TEST(Pairing, CopyFromTakesWords37To3AOnly)
{
    EepromImage handset, base;
    for (int a = 0; a < EepromImage::kWords; ++a) {
        handset[a] = uint16_t(0x1000 + a);
        base[a] = uint16_t(0x2000 + a);
    }
    EepromImage paired = handset;
    CopyFrom(paired, base);
    for (int a = 0; a < EepromImage::kWords; ++a)
        EXPECT_EQ(paired[a], a >= 0x37 && a <= 0x3A ? base[a] : handset[a]) << a;
}

} // namespace
