// quillon-cli set through the real binary: a table of arguments against the
// bytes of the file it leaves, pairing from a base among them.

#include "CliRunner.h"
#include "TestFiles.h"
#include "image/ImageFile.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>

namespace {

using Four = std::array<uint16_t, 4>; // words 0x37-0x3A

// Image file bytes written here byte by byte, model byte and comment after
// the words; 0x37-0x3A hold `ids`, the PLL words make a base or a handset.
QByteArray ImageBytes(const Four &ids, bool base, const QByteArray &tail)
{
    QByteArray b;
    for (int a = 0; a < 64; ++a) {
        uint16_t w = uint16_t(0x0101 * a);
        if (a == 0x32)
            w = 0x01A9;
        if (a == 0x33 || a == 0x34)
            w = (a == 0x33) == base ? 0x397D : 0x2931; // a base transmits above the handset
        if (a >= 0x37 && a <= 0x3A)
            w = ids[size_t(a - 0x37)];
        b.append(char(w >> 8)).append(char(w & 0xFF));
    }
    return b + tail;
}

const Four kHandset = {0x1111, 0x0027, 0x0102, 0x0304}; // F6
const Four kBase = {0x1A2B, 0x5077, 0x5152, 0x5354};    // ID 6699, F8, channels 81-84
// Model 2 and a comment in code page 1251 ("ремонт").
const QByteArray kTail = QByteArray("\x02") + QByteArray::fromHex("f0e5eceeedf2");

struct Row {
    QStringList args; // after "set FILE"; BASE and HANDSET stand for those files
    int code;
    Four words;      // the file's words 0x37-0x3A afterwards
    const char *err; // a part of standard error
};

const Row kRows[] = {
    {{"id=6699"}, 0, {0x1A2B, 0x0027, 0x0102, 0x0304}, "ID 6699 (1A2B), F6 (0-39), system channels 1 2 3 4"},
    {{"id=0x00ff", "plan=F8", "sys=81,82,83,84"},
     0,
     {0x00FF, 0x5077, 0x5152, 0x5354},
     "ID 255 (00FF), F8 (80-119)"},
    {{"plan=10-20", "sys=10,11,12,20"},
     0,
     {0x1111, 0x0A14, 0x0A0B, 0x0C14},
     "channels 10-20, system channels 10 11 12 20"},
    {{"--from", "BASE"}, 0, kBase, "ID 6699 (1A2B), F8 (80-119), system channels 81 82 83 84 taken from"},
    {{"--from", "BASE", "id=1"}, 0, {0x0001, 0x5077, 0x5152, 0x5354}, "ID 1 (0001)"},
    {{"plan=F6", "sys=1,2,3,50"},
     0,
     {0x1111, 0x0027, 0x0102, 0x0332},
     "warning: system channel 4 (50) lies outside the working range 0-39"},
    {{"--from", "HANDSET"}, 0, kBase, "warning: HANDSET looks like a handset, not a base"},
    {{"--from", "NOID"}, 0, {0x0000, 0x5077, 0x5152, 0x5354}, "warning: NOID carries no ID code (0000)"},
    {{"id=65536"}, 2, kHandset, "id=65536: out of range; id takes 0-65535 or 0x0000-0xFFFF"},
    {{"id=12a"}, 2, kHandset, "id=12a: not understood; id takes 0-65535"},
    {{"plan=120-80"}, 2, kHandset, "plan=120-80: the first channel (120) is above the last (80)"},
    {{"plan=F9"}, 2, kHandset, "plan takes F6, F7, F8, PLUS or FIRST-LAST with channels 0-255"},
    {{"id=5", "sys=1,2,3"}, 2, kHandset, "sys=1,2,3: not understood; sys takes four channels 0-255"},
    {{"sys=1,2,3,256"}, 2, kHandset, "sys=1,2,3,256: out of range"},
    {{"colour=red"}, 2, kHandset, "unknown setting colour=red"},
    {{"id=1", "id=2"}, 2, kHandset, "id= given more than once"},
    {{}, 2, kHandset, "nothing to set"},
    {{"--from", "JUNK"}, 4, kHandset, "not an image"},
    {{"--from", "README"}, 4, kHandset, "README: not an image: this is text"},
    {{"--from", "NOISE"},
     4,
     kHandset,
     "noise.bin: not an image: its model byte is A7, where an image file has 00-08 or FF\n"},
    {{"--from", "PARTIAL"},
     4,
     kHandset,
     "part.eep: it holds only words 30-33 (as the read mark in its comment says), not words 37-3A"},
    {{"id=0x-1"}, 2, kHandset, "id=0x-1: not understood"},
};

void PrintTo(const Row &row, std::ostream *os) { *os << row.args.join(' ').toStdString(); }

// Each row a test of its own, named after its arguments.
std::string RowName(const ::testing::TestParamInfo<Row> &info)
{
    std::string name;
    for (const QChar c : info.param.args.join(' '))
        name += c.isLetterOrNumber() && c.unicode() < 0x80 ? char(c.unicode()) : '_';
    return name.empty() ? "nothing" : name;
}

class CliSetRow : public ::testing::TestWithParam<Row> {
protected:
    QTemporaryDir dir;
    const QString base = dir.filePath("base.eep"), handsetCopy = dir.filePath("other.eep"), junk = dir.filePath("photo.txt");
    // A README (in Russian: UTF-8 text all the same), bytes with a model
    // byte that names no model, a base read for words 30-33 alone.
    const QString readme = dir.filePath("README"), noise = dir.filePath("noise.bin"), partial = dir.filePath("part.eep");
    const QString noId = dir.filePath("factory.eep");

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(WriteFile(base, ImageBytes(kBase, true, "\x01")));
        ASSERT_TRUE(WriteFile(handsetCopy, ImageBytes(kBase, false, "\x01")));
        ASSERT_TRUE(WriteFile(junk, "not an image at all\n"));
        ASSERT_TRUE(WriteFile(readme, QString("База 7, ID 6699: каналы F8.\n").repeated(10).toUtf8()));
        QByteArray bytes(200, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char((i * 97 + 13) % 251);
        bytes[128] = char(0xA7);
        ASSERT_TRUE(WriteFile(noise, bytes));
        ASSERT_TRUE(WriteFile(partial, ImageBytes(kBase, true, QByteArray("\x01") + "[read 30-33]")));
        ASSERT_TRUE(WriteFile(noId, ImageBytes({0x0000, 0x5077, 0x5152, 0x5354}, true, "\x01")));
    }
};


TEST_P(CliSetRow, ArgumentsTable)
{
    const Row &row = GetParam();
    const QString file = dir.filePath("handset.eep");
    const QByteArray before = ImageBytes(kHandset, false, kTail);
    ASSERT_TRUE(WriteFile(file, before));
    QStringList args = row.args;
    args.replaceInStrings("BASE", base)
        .replaceInStrings("HANDSET", handsetCopy)
        .replaceInStrings("JUNK", junk)
        .replaceInStrings("NOID", noId)
        .replaceInStrings("README", readme)
        .replaceInStrings("NOISE", noise)
        .replaceInStrings("PARTIAL", partial);
    const Ran r = RunQuillonCli(QStringList{"set", file} + args);
    const QString where = row.args.join(' ');
    EXPECT_EQ(r.code, row.code) << where.toStdString() << "\n" << r.err.toStdString();
    QString err = r.err;
    EXPECT_TRUE(err.replace(handsetCopy, "HANDSET").replace(noId, "NOID").contains(QString::fromUtf8(row.err)))
        << where.toStdString() << "\n" << r.err.toStdString();
    // Only words 0x37-0x3A change; the model byte and the comment stay.
    const QByteArray expected = ImageBytes(row.words, false, kTail);
    EXPECT_EQ(ReadFile(file).toHex(' ').toStdString(), expected.toHex(' ').toStdString()) << where.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rows, CliSetRow, ::testing::ValuesIn(kRows), RowName);

TEST(CliSet, OutputFileLeavesTheInputAndInfoShowsThePairing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString base = dir.filePath("base.eep"), file = dir.filePath("h.eep"), out = dir.filePath("paired.eep");
    const QByteArray before = ImageBytes(kHandset, false, kTail);
    ASSERT_TRUE(WriteFile(base, ImageBytes(kBase, true, "\x01")));
    ASSERT_TRUE(WriteFile(file, before));

    const Ran r = RunQuillonCli({"set", file, "-o", out, "--from", base, "-q"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(ReadFile(file), before);
    EXPECT_EQ(ReadFile(out), ImageBytes(kBase, false, kTail));

    const Ran info = RunQuillonCli({"info", out});
    EXPECT_TRUE(info.out.contains(QRegularExpression("ID code\\s+6699\\s+1A2B"))) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains(QRegularExpression("SENAO type\\s+F8"))) << info.out.toStdString();
}

TEST(CliSet, EveryFileKeepsItsForm)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A model byte that names no model, a comment byte with no character.
    const QString odd = dir.filePath("odd.eep");
    const QByteArray oddTail = QByteArray::fromHex("42 98 41");
    ASSERT_TRUE(WriteFile(odd, ImageBytes(kHandset, false, oddTail)));
    ASSERT_EQ(RunQuillonCli({"set", odd, "sys=1,2,3,4", "id=9"}).code, 0);
    EXPECT_EQ(ReadFile(odd).toHex(' '), ImageBytes({9, 0x0027, 0x0102, 0x0304}, false, oddTail).toHex(' '));

    const QString text = dir.filePath("h.txt"), words = dir.filePath("h.bin"), out = dir.filePath("out.bin");
    ASSERT_TRUE(WriteFile(words, ImageBytes(kHandset, false, {})));
    const Ran set = RunQuillonCli({"set", words, "-o", out, "id=6699"});
    ASSERT_EQ(set.code, 0) << set.err.toStdString();
    EXPECT_EQ(ReadFile(out), ImageBytes({0x1A2B, 0x0027, 0x0102, 0x0304}, false, {})); // no model byte added

    const Ran hex = RunQuillonCli({"set", words, "-o", "-", "id=6699"});
    ASSERT_EQ(hex.code, 0);
    ASSERT_TRUE(WriteFile(text, hex.out.toLatin1()));
    ASSERT_EQ(RunQuillonCli({"set", text, "plan=F8"}).code, 0);
    const QString after = QString::fromLatin1(ReadFile(text));
    EXPECT_TRUE(after.startsWith("00: ")) << after.toStdString();
    EXPECT_TRUE(after.contains("1A2B\n38: 5077 0102 0304 ")) << after.toStdString();
}

} // namespace
