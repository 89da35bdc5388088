// quillon-cli: its plain decisions, the real binary against quillon-phone on a
// pseudo-terminal, and its "info" against what the window shows for the
// same file.

#include "CliEnglish.h"
#include "CliRunner.h"
#include "PhoneProcess.h"
#include "TestFiles.h"
#include "app/Unit1.h"
#include "cli/BackupsList.h"
#include "cli/CliCore.h"
#include "cli/CliInfo.h"
#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "image/Backups.h"
#include "image/FileDialogs.h"
#include "image/Presets.h"
#include "FormUi.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <csignal>

using namespace Cli;

namespace {

using Words = std::array<uint16_t, 64>;

Words Pattern(uint16_t seed)
{
    Words w{};
    for (int a = 0; a < 64; ++a)
        w[a] = static_cast<uint16_t>(seed + a * 0x0457);
    return w;
}

// Image file bytes, written here byte by byte rather than by the program's
// encoder, so that a fault there cannot hide in the set-up.
QByteArray FileBytes(const Words &w, char model = 2)
{
    QByteArray b;
    for (uint16_t word : w)
        b.append(char(word >> 8)).append(char(word & 0xFF));
    return b.append(model);
}

Words WordsOf(const QByteArray &bytes)
{
    Words w{};
    w.fill(0);
    for (int a = 0; a < 64 && 2 * a + 1 < bytes.size(); ++a)
        w[a] = static_cast<uint16_t>(uint8_t(bytes[2 * a]) << 8 | uint8_t(bytes[2 * a + 1]));
    return w;
}

Words Blank()
{
    Words w{};
    w.fill(0xFFFF);
    return w;
}

Words Only(const Words &w, int first, int last)
{
    Words r = Blank();
    for (int a = first; a <= last; ++a)
        r[a] = w[a];
    return r;
}

Words Over(Words base, const Words &w, int first, int last)
{
    for (int a = first; a <= last; ++a)
        base[a] = w[a];
    return base;
}

// stdoutTo: as CliRun has it.
Ran RunCli(const QStringList &args, const QByteArray &input = {}, const QString &stdoutTo = {})
{
    return RunQuillonCli(args, {QuickTicks(), input, stdoutTo});
}

// quillon-phone --fast --once: it ends when the CLI closes the port, and
// leaves its EEPROM in a file.
class Phone {
public:
    QProcess proc;
    QString port, saved;

    bool Start(const QString &dir, const QStringList &extra)
    {
        saved = dir + "/phone-after.img";
        QFile::remove(saved);
        port = StartPhone(proc, QStringList{"--fast", "--once", "--load", dir + "/phone.img", "--save", saved} + extra);
        return !port.isEmpty();
    }
    Words Stop()
    {
        // A program that never opened the port leaves it waiting; it saves
        // on SIGTERM all the same.
        if (!proc.waitForFinished(1000)) {
            proc.terminate();
            proc.waitForFinished(5000);
        }
        return WordsOf(ReadFile(saved));
    }
    ~Phone()
    {
        if (proc.state() != QProcess::NotRunning) {
            proc.kill();
            proc.waitForFinished(5000);
        }
    }
};

class CliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const Words P = Pattern(0x1234); // the telephone
    const Words Q = Pattern(0x9ABC); // the file to write

    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QUILLON_CLI") || qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
            GTEST_SKIP() << "QUILLON_CLI or QUILLON_PHONE not set (run through ctest)";
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(WriteFile(dir.filePath("phone.img"), FileBytes(P)));
        ASSERT_TRUE(WriteFile(dir.filePath("in.img"), FileBytes(Q)));
        ASSERT_TRUE(WriteFile(dir.filePath("short.img"), QByteArray(127, '\0')));
        // What a user may hand to write by mistake: notes, and a file whose
        // model byte names no model; and what "read -o -" prints.
        ASSERT_TRUE(WriteFile(dir.filePath("notes.txt"), QByteArray("Customer: handset, no dial tone.\n").repeated(8)));
        ASSERT_TRUE(
            WriteFile(dir.filePath("russian.txt"), QString("Заказчик: трубка, нет гудка.\n").repeated(8).toUtf8()));
        ASSERT_TRUE(WriteFile(dir.filePath("model.img"), FileBytes(Q, 'A')));
        EepromImage q;
        q.words = Q;
        ASSERT_TRUE(WriteFile(dir.filePath("unit.txt"), ImageHexText(q).toLatin1()));
        ASSERT_TRUE(WriteFile(dir.filePath("short.txt"), ImageHexText(q).toLatin1().chopped(6)));
        ASSERT_TRUE(WriteFile(dir.filePath("long.img"), FileBytes(Q) + QByteArray(kMaxCommentChars + 1, '\x01')));
        // Control bytes where a user's terminal would show them: a comment,
        // and a backup's name and port.
        ASSERT_TRUE(WriteFile(dir.filePath("escape.img"), FileBytes(Q) + "\x1b[2Jhi\x7f"));
        // Backups go here, not into the home of whoever runs the tests.
        qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
        ASSERT_TRUE(QDir().mkpath(dir.filePath("Quillon/backups")));
        ASSERT_TRUE(WriteFile(dir.filePath("Quillon/backups/2026-12-09_14-03-22 X\x1b[2J ID 5.h"),
                              FileBytes(Q, 0) + ToCp1251("Прочитано из телефона 2026-12-09 14:03:22, порт COM\x1b]0;x\x07")));
        // The telephone's words as text with the last line moved to the top,
        // and the same with a line twice.
        EepromImage p;
        p.words = P;
        QList<QByteArray> lines = ImageHexText(p).toLatin1().split('\n');
        lines.removeLast();
        lines.prepend(lines.takeLast());
        ASSERT_TRUE(WriteFile(dir.filePath("moved.txt"), lines.join('\n') + '\n'));
        lines[5] = lines[1];
        ASSERT_TRUE(WriteFile(dir.filePath("twice.txt"), lines.join('\n') + '\n'));
        // Files too small to be images, one of them text.
        ASSERT_TRUE(WriteFile(dir.filePath("empty.img"), QByteArray()));
        ASSERT_TRUE(WriteFile(dir.filePath("six.txt"), "hello\n"));
        // What block and word reads save: FFFF where they read nothing, the
        // read marked in the comment; and the words of a block read as text.
        ASSERT_TRUE(WriteFile(dir.filePath("block.img"), FileBytes(Only(Q, 0x30, 0x3F)) + "unit 7 [read 30-3F]"));
        ASSERT_TRUE(WriteFile(dir.filePath("word.img"), FileBytes(Only(Q, 0x0A, 0x0A)) + "[read 0A]"));
        q.words = Only(Q, 0x30, 0x3F);
        ASSERT_TRUE(WriteFile(dir.filePath("block.txt"), ImageHexText(q).toLatin1()));
    }
};

} // namespace

// ---------------------------------------------------------------- plain decisions

TEST(CliCore, WordsAsHexTextRoundTripAndStrictly)
{
    EepromImage image;
    for (int a = 0; a < 64; ++a)
        image[a] = static_cast<uint16_t>(a * 0x0101);
    const QString text = ImageHexText(image);
    EXPECT_TRUE(text.startsWith("00: 0000 0101 0202 0303 0404 0505 0606 0707\n08: 0808"));
    const auto back = ParseImageHexText(text.toLatin1());
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, image);
    EXPECT_EQ(ParseImageHexText(text.toLatin1().toLower()), back); // either case
    for (const QByteArray &bad : {text.toLatin1().replace("0505", "05X5"), text.toLatin1().replace(" 0707", ""),
                                  text.toLatin1() + " FFFF", FileBytes(Pattern(1))})
        EXPECT_FALSE(ParseImageHexText(bad)) << bad.left(60).constData();
}

TEST(CliCore, HexTextLabelsPlaceTheWordsOrRefuseTheLine)
{
    EepromImage image;
    for (int a = 0; a < 64; ++a)
        image[a] = static_cast<uint16_t>(a * 0x0101);
    const QList<QByteArray> lines = ImageHexText(image).toLatin1().split('\n').mid(0, 8);
    const auto text = [&](std::initializer_list<int> order, const QByteArray &extra = {}) {
        QByteArray t;
        for (int n : order)
            t += lines[n] + "\r\n";
        return t + extra;
    };
    const struct {
        QByteArray text;
        const char *error; // nullptr: taken as the image
    } cases[] = {
        {text({7, 0, 1, 2, 3, 4, 5, 6}), nullptr},
        {text({0, 1, 2, 3, 4, 5, 6, 7}, "\n\n"), nullptr},
        {text({0, 1, 2, 3, 4, 5, 6, 0}), "line 8: the label 00: again (line 1 has it)"},
        {text({0, 1, 2, 3, 4, 5, 6}), "no line labelled 38: (words 38-3F)"},
        {text({0, 1, 2}) + QByteArray(lines[3]).replace("18:", "40:") + "\n" + text({4, 5, 6, 7}),
         "line 4: the label 40: is none of 00: 08: 10: 18: 20: 28: 30: 38:"},
        {text({0, 1}) + QByteArray(lines[2]).replace("10:", "12:") + "\n" + text({3, 4, 5, 6, 7}),
         "line 3: the label 12: is none of"},
        {text({0, 1, 2, 3, 4}) + lines[5].mid(4) + "\n" + text({6, 7}), "line 6: no address label"},
        {text({0, 1, 2, 3, 4, 5, 6}) + lines[7] + " 0000\n", "line 8: 9 words, where a line holds 8"},
    };
    for (const auto &c : cases) {
        QString error;
        const std::optional<EepromImage> got = ParseImageHexText(c.text, &error);
        if (!c.error) {
            EXPECT_EQ(got, image) << c.text.constData();
            EXPECT_EQ(error, "");
        } else {
            EXPECT_FALSE(got) << c.text.constData();
            EXPECT_TRUE(error.startsWith(c.error)) << error.toStdString();
        }
    }
}

TEST(CliCore, NamesRangesAndWordDifferences)
{
    EXPECT_EQ(PortArgument("COM1"), "COM1");
    EXPECT_EQ(PortArgument("com15"), "COM15");
    EXPECT_EQ(PortArgument("/dev/ttyUSB0"), "/dev/ttyUSB0");
    for (const char *bad : {"COM0", "COM16", "COM01", "ttyS0", ""})
        EXPECT_FALSE(PortArgument(bad)) << bad;
    // The help promises what this system takes (the Windows twin in test_cli_win).
    EXPECT_TRUE(QString::fromUtf8(kPortHelp).contains("QUILLON_COMn overrides) or a device path"));

    EXPECT_EQ(FindPreset("L258Hand10625"), 0);
    EXPECT_EQ(FindPreset("l258base21250ukr"), 11);
    EXPECT_EQ(FindPreset("Труба 258+ 12800"), 6);
    EXPECT_EQ(FindPreset("Труба"), -1);

    struct RangeCase {
        QStringList args;
        bool ok;
        int first, last, left;
    };
    const RangeCase ranges[] = {
        {{"f.img"}, true, 0x00, 0x3F, 1},   {{"all", "f"}, true, 0x00, 0x3F, 1},
        {{"block"}, true, 0x30, 0x3F, 0},   {{"word", "0x3f", "f"}, true, 0x3F, 0x3F, 1},
        {{"word", "40"}, false, 0, 0, 0},   {{"word"}, false, 0, 0, 0},
        {{"BLOCK"}, true, 0x30, 0x3F, 0},   {{"Word", "3F", "f"}, true, 0x3F, 0x3F, 1},
        {{"word", " 3"}, false, 0, 0, 0},   {{"word", "+3"}, false, 0, 0, 0},
        {{"word", "3 "}, false, 0, 0, 0},   {{"word", "0x"}, false, 0, 0, 0},
    };
    for (const RangeCase &c : ranges) {
        QStringList args = c.args;
        JobRange r;
        QString error;
        ASSERT_EQ(TakeRange(args, &r, &error), c.ok) << c.args.join(' ').toStdString();
        if (c.ok) {
            EXPECT_EQ(QList<int>({FirstAddr(r), LastAddr(r), int(args.size())}), QList<int>({c.first, c.last, c.left}));
        }
    }

    EepromImage a, b;
    b[0x05] = 0x1234;
    b[0x3F] = 0x0000;
    const std::vector<WordDiff> diffs = DiffWords(a, b, 0x00, 0x3F);
    ASSERT_EQ(diffs.size(), 2u);
    EXPECT_EQ(DiffTable(diffs, "written", "read"), "addr  written  read\n"
                                                   "05    FFFF     1234\n"
                                                   "3F    FFFF     0000\n");
    EXPECT_TRUE(DiffWords(a, b, 0x06, 0x3E).empty());
}

TEST(CliCore, ControlCharactersArePrintedEscaped)
{
    const struct {
        const char16_t *text;
        bool keepLineBreaks;
        const char16_t *shown;
    } cases[] = {
        {u"a\x1b[2Jb", false, u"a\\u001B[2Jb"},     {u"\u009b31m\u0085", false, u"\\u009B31m\\u0085"},
        {u"del\x7f tab\t", false, u"del\\u007F tab\\u0009"}, {u"two\nlines\r", false, u"two\\u000Alines\\u000D"},
        {u"two\nlines\r", true, u"two\nlines\\u000D"},   {u"Труба \u00a0C:\\x", false, u"Труба \u00a0C:\\x"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Printable(QString::fromUtf16(c.text), c.keepLineBreaks), QString::fromUtf16(c.shown));
}

TEST(CliCore, OutputIsCheckedWithoutAPort)
{
    const CliEnglish english; // the problems are worded as quillon-cli shows them
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        QString path, problem;
    } cases[] = {
        {dir.filePath("new.img"), ""},
        {"/dev/full", ""},
        {dir.path(), "File access denied"},
        {dir.filePath("no/new.img"), "No such folder"},
        {"/proc/x.e", "File access denied"}, // the access check passes it, a new file there cannot be made
    };
    for (const auto &c : cases)
        EXPECT_EQ(OutputProblem(c.path), c.problem) << c.path.toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

namespace {

void CollectKeys(const QJsonValue &value, QSet<QString> *keys)
{
    if (value.isArray())
        for (const QJsonValue &v : value.toArray())
            CollectKeys(v, keys);
    if (!value.isObject())
        return;
    const QJsonObject o = value.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        keys->insert(it.key());
        CollectKeys(it.value(), keys);
    }
}

QString ManPage()
{
    return QString::fromUtf8(ReadFile(QStringLiteral(QUILLON_SOURCE_DIR "/cli/quillon-cli.1"))).replace("\\-", "-");
}

} // namespace

TEST(CliCore, JsonKeysHaveOneStyleAndTheManPageNamesThemAll)
{
    ImageFileData file;
    file.model = 0;
    PortEntry port;
    port.comSetting = "QUILLON_COM5=/dev/ttyUSB0";
    port.accessRemedy = "sudo usermod -aG dialout $USER";
    port.holders << ProcessInfo{42, "minicom"};
    PortsReport ports;
    ports.ports << port;
    ports.troublemakers << Troublemaker{"brltty", true, "the braille daemon", "sudo apt remove brltty"};
    Backups::Entry backup;
    backup.model = 0;
    backup.when = QDateTime(QDate(2026, 12, 9), QTime(14, 3, 22));
    const QJsonArray backups = BackupsListJson({backup});

    // The model as the window's list shows it, in every output.
    EXPECT_EQ(InfoJson(file)["model"].toObject()["name"].toString(), "<неизвестно>");
    EXPECT_EQ(backups[0]["model"].toString(), "<неизвестно>");
    EXPECT_TRUE(BackupsListText({backup}).contains("<неизвестно>"));

    QSet<QString> keys;
    for (const QJsonValue &json : {QJsonValue(InfoJson(file)), QJsonValue(PortsJson(ports)), QJsonValue(backups)})
        CollectKeys(json, &keys);
    const QString man = ManPage();
    for (const QString &key : keys) {
        EXPECT_TRUE(QRegularExpression("^[a-z]+(_[a-z]+)*$").match(key).hasMatch()) << key.toStdString();
        EXPECT_TRUE(QRegularExpression("\\b" + key + "\\b").match(man).hasMatch()) << key.toStdString();
    }
    EXPECT_GT(keys.size(), 40);
}

TEST(CliCore, TheManPageNamesTheVersion)
{
    const QString man = ManPage();
    EXPECT_TRUE(man.startsWith(".TH QUILLON-CLI 1 \"2026\" \"Quillon " QUILLON_VERSION "\""));
    EXPECT_TRUE(man.contains("\n.SH VERSION\nThis page describes\n.B quillon-cli " QUILLON_VERSION "\n")) << man.toStdString();
}

// ---------------------------------------------------------------- the binary against the telephone

namespace {

struct Case {
    const char *title;
    const char *phone; // the emulator's extra options; nullptr: no telephone at all
    const char *args;  // {port} and {dir} are filled in
    int code;
    const char *err; // stderr must match
    const char *out; // stdout must match; nullptr: empty
    Words (*saved)(const Words &p);                // what -o got; nullptr: nothing saved
    Words (*phoneAfter)(const Words &p, const Words &q); // nullptr: not looked at
    bool holdPort;
    const char *input = nullptr;    // a file of {dir} given as standard input
    const char *stdoutTo = nullptr; // "closed", or a file standard output goes to
};

Words Unchanged(const Words &p, const Words &) { return p; }
Words Written(const Words &, const Words &q) { return q; }

const Case kCases[] = {
    {"read all", "", "read --port {port} -o {dir}/out.img", ExitOk, "^Read258: Completed!\nbackup: .*\n$", nullptr,
     [](const Words &p) { return p; }, [](const Words &p, const Words &) { return p; }, false},
    {"read a word to standard output", "", "read -p {port} word 3F -o -", ExitOk, "ReadCur: Completed!",
     "^00: FFFF FFFF", [](const Words &p) { return Only(p, 0x3F, 0x3F); }, nullptr, false},
    {"write with verify", "", "write --port {port} {dir}/in.img", ExitOk,
     "Write258: Completed!\nRead258: Completed!\nverify: 64 words read back as expected", nullptr, nullptr,
     [](const Words &, const Words &q) { return q; }, false},
    {"a write command dropped", "--fault drop-write@2", "write --port {port} block {dir}/in.img", ExitWordsDiffer,
     "WriteBlock: Completed!\nReadBlock: Completed!\nquillon-cli: 5 of 16 words did not verify",
     "^addr  written  read\n35    80BF     F837\n", nullptr,
     [](const Words &p, const Words &q) { return Over(Over(p, q, 0x30, 0x34), q, 0x3A, 0x3F); }, false},
    {"a stored word changed", "--fault corrupt-write", "write -p {port} word 0x3F {dir}/in.img", ExitWordsDiffer,
     "1 of 1 words did not verify", "3F    AC25     AC24", nullptr, nullptr, false},
    // A read-back that fails after a write that completed: each reported
    // as the job it is, the write's words stored.
    {"the read-back of a write fails", "--fault no-echo@12", "write -p {port} word 3F {dir}/in.img", ExitJobFailed,
     "^WriteCur: Completed!\nReadCur: Not done...\nquillon-cli: no echo of '3' in time \\(character 2 of m3F<CR>, "
     "address 3F\\)\n$",
     nullptr, nullptr, [](const Words &p, const Words &q) { return Over(p, q, 0x3F, 0x3F); }, false},
    {"the line hangs up in the read-back", "--fault hangup-after=12", "write -p {port} word 3F {dir}/in.img",
     ExitJobFailed,
     "^WriteCur: Completed!\nReadCur: Not done...\nquillon-cli: the port was lost \\(character 3 of m3F<CR>, "
     "address 3F\\)\nquillon-cli: .*: ReadFile function failed \\(win error code: 5\\)\n  the device went away",
     nullptr, nullptr, [](const Words &p, const Words &q) { return Over(p, q, 0x3F, 0x3F); }, false},
    {"no verify asked", "--fault drop-write", "write -q --no-verify --port {port} block {dir}/in.img", ExitOk, "^$",
     nullptr, nullptr, [](const Words &p, const Words &) { return p; }, false},
    {"verify against the telephone's own words", "", "verify -q --port {port} block {dir}/phone.img", ExitOk, "^$",
     nullptr, nullptr, nullptr, false},
    // Each cause of "Невыполнено..." once, with where it happened.
    {"the telephone stops echoing", "--fault no-echo@3", "read --port {port} -o {dir}/out.img", ExitJobFailed,
     "^Read258: Not done...\nquillon-cli: no echo of '0' in time \\(character 2 of m00<CR>, address 00\\)\n$", nullptr,
     nullptr, nullptr, false},
    {"a wrong echo", "--fault wrong-echo@1", "read --port {port} block -o {dir}/out.img", ExitJobFailed,
     "\nquillon-cli: wrong echo: sent CR, came 0x0E \\(the opening CR\\)\n$", nullptr, nullptr, nullptr, false},
    {"a reply without its '!'", "--fault no-bang@2", "read --port {port} block -o {dir}/out.img", ExitJobFailed,
     "\nquillon-cli: the reply does not begin with \"!\": came '\\?' \\(address 35\\)\n$", nullptr, nullptr, nullptr,
     false},
    {"a reply cut short", "--fault short-reply=5", "read --port {port} word 7 -o {dir}/out.img", ExitJobFailed,
     "\nquillon-cli: the reply was not complete in time: 5 of 23 characters \\(address 07\\)\n$", nullptr, nullptr,
     nullptr, false},
    {"the line hangs up mid-job", "--fault hangup-after=12", "read -q --port {port} block -o {dir}/out.img",
     ExitJobFailed,
     "ReadBlock: Not done...\nquillon-cli: the port was lost \\(character 4 of m3A<CR>, address 3A\\)\n"
     "quillon-cli: .*: ReadFile function failed \\(win error code: 5\\)\n  the device went away",
     nullptr, nullptr, nullptr, false},
    // A write that stops part way says what the telephone holds now.
    {"a write that stops part way", "--fault no-echo@40", "write --port {port} {dir}/in.img", ExitJobFailed,
     "^Write258: Not done...\nquillon-cli: no echo of '.' in time \\(character 15 of M05.*<CR>, address 05\\)\n"
     "quillon-cli: the telephone took words 00-04, may have taken words 05-07 \\(sent, never confirmed\\), did not "
     "take words 08-3F: it now holds a partial image, write it again\n$",
     nullptr, nullptr, [](const Words &p, const Words &q) { return Over(p, q, 0x00, 0x04); }, false},
    // Which words the telephone holds after a write that stopped: its own
    // saved EEPROM against the three groups.
    {"the echo of a write command's CR lost", "--fault no-echo@49", "write -p {port} {dir}/in.img", ExitJobFailed,
     "\nquillon-cli: the telephone took words 00-04, may have taken words 05-09 \\(sent, never confirmed\\), did not "
     "take words 0A-3F: it now holds a partial image, write it again\n$",
     nullptr, nullptr, [](const Words &p, const Words &q) { return Over(p, q, 0x00, 0x09); }, false},
    {"a write cut off right after a whole word", "--fault no-echo@32", "write -p {port} {dir}/in.img", ExitJobFailed,
     "\nquillon-cli: the telephone took words 00-04, may have taken word 05 \\(sent, never confirmed\\), "
     "did not take words 06-3F: it now",
     nullptr, nullptr, [](const Words &p, const Words &q) { return Over(p, q, 0x00, 0x04); }, false},
    {"a write cut off inside a word", "--fault no-echo@31", "write -p {port} {dir}/in.img", ExitJobFailed,
     "\nquillon-cli: the telephone took words 00-04, did not take words 05-3F: it now", nullptr, nullptr,
     [](const Words &p, const Words &q) { return Over(p, q, 0x00, 0x04); }, false},
    {"the line hangs up before the reply", "--fault hangup-after=5", "read -q --port {port} word 0A -o {dir}/out.img",
     ExitJobFailed, "^ReadCur: Not done...\nquillon-cli: the port was lost \\(the reply to m0A<CR>, address 0A\\)\n",
     nullptr, nullptr, nullptr, false},
    {"a one-word write that did not get through", "--fault no-echo@2", "write --port {port} word 3F {dir}/in.img",
     ExitJobFailed, "\nquillon-cli: the telephone confirmed none of word 3F: write it again\n$", nullptr, nullptr,
     Unchanged, false},
    // Port errors name their remedy.
    {"a missing port", nullptr, "read --port {dir}/no-tty -o {dir}/out.img", ExitPort,
     "^quillon-cli: .*/no-tty: Unable to open com port \\(win error code: 2\\)\n  no such device: check", nullptr,
     nullptr, nullptr, false},
    {"a busy port", "", "read --port {port} -o {dir}/out.img", ExitPort,
     "^quillon-cli: .*: Unable to open com port \\(win error code: \\d+\\)\n  another program holds the port", nullptr,
     nullptr, nullptr, true},
    {"a port that is no terminal", nullptr, "read --port {dir}/in.img -o {dir}/out.img", ExitPort,
     "\\(win error code: 25\\)\n  this is not a serial port;", nullptr, nullptr, nullptr, false},
    // Only what the user can have meant reaches the telephone.
    {"the hex text of read -o -", "", "write -q --port {port} {dir}/unit.txt", ExitOk, "^$", nullptr, nullptr, Written,
     false},
    {"the same on standard input", "", "write -q --port {port} all -", ExitOk, "^$", nullptr, nullptr, Written, false,
     "unit.txt"},
    {"hex text short of 64 words", "", "write --port {port} {dir}/short.txt", ExitFile,
     "^quillon-cli: .*short.txt: not the 64 words of 'read -o -': line 8: 7 words, where a line holds 8\n$", nullptr,
     nullptr, Unchanged, false},
    {"the same on standard input", "", "write --port {port} -", ExitFile,
     "^quillon-cli: -: not the 64 words of 'read -o -': line 8", nullptr, nullptr, Unchanged, false, "short.txt"},
    // Hex text whose lines were moved: the words go where the labels say.
    {"lines of the hex text in another order", "", "verify -q --port {port} {dir}/moved.txt", ExitOk, "^$", nullptr,
     nullptr, Unchanged, false},
    {"a label twice", "", "write --port {port} {dir}/twice.txt", ExitFile,
     "^quillon-cli: .*twice.txt: not the 64 words of 'read -o -': line 6: the label 00: again \\(line 2 has it\\)\n$",
     nullptr, nullptr, Unchanged, false},
    {"the same with --force", "", "write --force --port {port} {dir}/twice.txt", ExitFile,
     "twice.txt: not the 64 words", nullptr, nullptr, Unchanged, false},
    // --force is offered where it works; an empty file is empty.
    {"an empty file", "", "write --port {port} {dir}/empty.img", ExitFile,
     "^quillon-cli: .*empty.img: empty, not an image\n$", nullptr, nullptr, Unchanged, false},
    {"six bytes of text", "", "write --port {port} {dir}/six.txt", ExitFile,
     "^quillon-cli: .*six.txt: not an image: this is text, not an image file, and not the 64 words of 'read -o -' "
     "either\n$",
     nullptr, nullptr, Unchanged, false},
    // A file of a block or word read writes only the words it holds.
    {"a block read written as all", "", "write --port {port} {dir}/block.img", ExitFile,
     "^quillon-cli: .*block.img: it holds only words 30-3F \\(as the read mark in its comment says\\), the rest is "
     "FFFF, not the telephone's: use 'write block .*block.img', or --force to write words 00-3F all the same\n$",
     nullptr, nullptr, Unchanged, false},
    {"the same with all typed", "", "write --port {port} all {dir}/block.img", ExitFile, "block.img: it holds only",
     nullptr, nullptr, Unchanged, false},
    {"the same as a block", "", "write -q --port {port} block {dir}/block.img", ExitOk, "^$", nullptr, nullptr,
     [](const Words &p, const Words &q) { return Over(p, q, 0x30, 0x3F); }, false},
    {"one word of it", "", "write -q --port {port} word 3A {dir}/block.img", ExitOk, "^$", nullptr, nullptr,
     [](const Words &p, const Words &q) { return Over(p, q, 0x3A, 0x3A); }, false},
    {"all of it with --force", "", "write -q --force --port {port} {dir}/block.img", ExitOk, "^$", nullptr, nullptr,
     [](const Words &, const Words &q) { return Only(q, 0x30, 0x3F); }, false},
    {"a word read written as all", "", "write --port {port} {dir}/word.img", ExitFile,
     "word.img: it holds only word 0A .*: use 'write word 0A .*word.img', or --force", nullptr, nullptr, Unchanged,
     false},
    {"words 00-2F all FFFF, no range given", "", "write --port {port} {dir}/block.txt", ExitFile,
     "^quillon-cli: .*block.txt: words 00-2F are all FFFF, as a block read leaves them.*'write block .*block.txt' "
     "writes the radio block alone; 'write all .*block.txt', or --force, writes all 64 words\n$",
     nullptr, nullptr, Unchanged, false},
    {"the same with all typed", "", "write -q --port {port} all {dir}/block.txt", ExitOk, "^$", nullptr, nullptr,
     [](const Words &, const Words &q) { return Only(q, 0x30, 0x3F); }, false},
    {"a text file", "", "write --port {port} {dir}/notes.txt", ExitFile,
     "^quillon-cli: .*notes.txt: not an image: this is text, not an image file, and not the 64 words of 'read -o -' "
     "either \\(--force writes it all the same\\)\n$",
     nullptr, nullptr, Unchanged, false},
    {"a text in Russian is text too", "", "write --port {port} {dir}/russian.txt", ExitFile,
     "^quillon-cli: .*russian.txt: not an image: this is text, not an image file", nullptr, nullptr, Unchanged, false},
    {"a model byte that names no model", "", "write --port {port} {dir}/model.img", ExitFile,
     "^quillon-cli: .*model.img: not an image: its model byte is 41, where an image file has 00-08 or FF", nullptr,
     nullptr, Unchanged, false},
    {"the same with --force", "", "write --force -q --port {port} block {dir}/model.img", ExitOk,
     "^quillon-cli: warning: .*model.img: its model byte is 41", nullptr, nullptr,
     [](const Words &p, const Words &q) { return Over(p, q, 0x30, 0x3F); }, false},
    {"verify only warns", "", "verify -q --port {port} block {dir}/model.img", ExitWordsDiffer,
     "^quillon-cli: warning: .*model.img: its model byte is 41", "^addr  file  read\n30", nullptr, Unchanged, false},
    // The CLI speaks English where the window's text is Russian.
    {"a comment too long for an image", nullptr, "info {dir}/long.img", ExitFile,
     "^quillon-cli: .*long.img: not an image: its comment is longer than 65536 characters\n$", nullptr, nullptr,
     nullptr, false},
    {"the same on standard input", nullptr, "info -", ExitFile,
     "^quillon-cli: -: not an image: its comment is longer than 65536 characters\n$", nullptr, nullptr, nullptr, false,
     "long.img"},
    // Control characters from data reach no terminal as they are.
    {"a comment's control characters", nullptr, "info {dir}/escape.img", ExitOk, "^$",
     "^[^\\x{1b}\\x{7f}]*\nComment:  \\\\u001B\\[2Jhi\\\\u007F\n[^\\x{1b}\\x{7f}]*$", nullptr, nullptr, false},
    {"the same in JSON", nullptr, "info --json {dir}/escape.img", ExitOk, "^$",
     "\"comment\": \"\\\\u001[bB]\\[2Jhi\\\\u007F\"", nullptr, nullptr, false},
    {"a backup's file name and port", nullptr, "backups", ExitOk, "^$",
     "^[^\\x{1b}\\x{07}]*  COM\\\\u001B\\]0;x\\\\u0007  [^\\x{1b}\\x{07}]* X\\\\u001B\\[2J ID 5\\.h\n[^\\x{1b}\\x{07}]*$",
     nullptr, nullptr, false},
    {"a file name in an error", nullptr, "info {dir}/no\x1b[2J.img", ExitFile,
     "^quillon-cli: .*/no\\\\u001B\\[2J.img: File not found\n$", nullptr, nullptr, nullptr, false},
    {"a control character in --comment", nullptr, "read -p {dir}/no-tty -o {dir}/out.img --comment a\x1b[2Jb",
     ExitUsage, "^quillon-cli: --comment takes no control characters: a\\\\u001B\\[2Jb\n$", nullptr, nullptr, nullptr,
     false},
    {"the same for a preset", nullptr, "preset L258Hand10625 -o {dir}/out.img --comment tab\there", ExitUsage,
     "^quillon-cli: --comment takes no control characters: tab\\\\u0009here\n$", nullptr, nullptr, nullptr, false},
    {"info refuses text", nullptr, "info {dir}/notes.txt", ExitFile, "notes.txt: not an image: this is text", nullptr,
     nullptr, nullptr, false},
    // Everything that can be checked is checked before the port is opened
    // (the port named here does not exist).
    {"an output that is a folder", nullptr, "read --port {dir}/no-tty -o {dir}", ExitFile,
     "^quillon-cli: .*: File access denied\n$", nullptr, nullptr, nullptr, false},
    {"an empty output name", nullptr, "read --port {dir}/no-tty -o {empty}", ExitUsage,
     "^quillon-cli: -o needs a file name", nullptr, nullptr, nullptr, false},
    {"two ports", nullptr, "read -p {dir}/no-tty -p COM2 -o {dir}/out.img", ExitUsage,
     "^quillon-cli: --port given more than once", nullptr, nullptr, nullptr, false},
    {"two outputs", nullptr, "read -p {dir}/no-tty -o {dir}/a.img -o {dir}/out.img", ExitUsage,
     "^quillon-cli: --output given more than once", nullptr, nullptr, nullptr, false},
    {"two models", nullptr, "read -p {dir}/no-tty --model 1 --model 2 -o {dir}/out.img", ExitUsage,
     "^quillon-cli: --model given more than once", nullptr, nullptr, nullptr, false},
    {"two ranges", nullptr, "read -p {dir}/no-tty all block -o -", ExitUsage,
     "^quillon-cli: two ranges given \\(all and block\\): give one\n$", nullptr, nullptr, nullptr, false},
    {"an output folder that takes no new file", nullptr, "read --port {dir}/no-tty -o /proc/x.e", ExitFile,
     "^quillon-cli: /proc/x.e: File access denied\n$", nullptr, nullptr, nullptr, false},
    {"a closed standard output", nullptr, "read --port {dir}/no-tty -o -", ExitFile,
     "^quillon-cli: standard output: closed\n$", nullptr, nullptr, nullptr, false, nullptr, "closed"},
    {"a standard output open for reading", nullptr, "read --port {dir}/no-tty -o -", ExitFile,
     "^quillon-cli: standard output: not open for writing\n$", nullptr, nullptr, nullptr, false, nullptr, "readonly"},
    {"a range word after the file name", nullptr, "write -p {dir}/no-tty {dir}/in.img block", ExitUsage,
     "^quillon-cli: the range \\(block\\) goes before the file name\n$", nullptr, nullptr, nullptr, false},
    {"a negative word address", nullptr, "read -p {dir}/no-tty word -1 -o -", ExitUsage,
     "^quillon-cli: word needs an address 00-3F \\(hex\\), not -1\n$", nullptr, nullptr, nullptr, false},
    {"a signed word address", nullptr, "read -p {dir}/no-tty word +3 -o -", ExitUsage,
     "^quillon-cli: word needs an address 00-3F \\(hex\\), not \\+3\n$", nullptr, nullptr, nullptr, false},
    {"range words in any case", "", "read -q -p {port} WORD 3f -o -", ExitOk, "^$", "^00: FFFF",
     [](const Words &p) { return Only(p, 0x3F, 0x3F); }, nullptr, false},
    {"a command's help with the models", nullptr, "read --help", ExitOk, "^$",
     "^Usage: quillon-cli read (.*\n)*  0  <unknown>\n(.*\n)*  8  SN-258\\+ Handset Flagman\n", nullptr, nullptr,
     false},
    // --help-all would add Qt's options, of which a program without a
    // window has none that matter: there is no such option.
    {"--help-all is no option", nullptr, "read --help-all", ExitUsage, "^quillon-cli: Unknown option 'help-all'\\.",
     nullptr, nullptr, nullptr, false},
    {"nor a command", nullptr, "--help-all", ExitUsage, "^quillon-cli: unknown command --help-all\n", nullptr, nullptr,
     nullptr, false},
    // A command's help lists the exit statuses it can end with, no others.
    {"backups --help", nullptr, "backups --help", ExitOk, "^$",
     "\nExit status:\n  0  success[^\n]*\n  2  usage error\n  4  file error[^\n]*\n$", nullptr, nullptr, false},
    {"ports --help", nullptr, "ports --help", ExitOk, "^$",
     "\nExit status:\n  0  success[^\n]*\n  2  usage error\n  4  file error[^\n]*\n$", nullptr, nullptr, false},
    {"probe --help", nullptr, "probe --help", ExitOk, "^$",
     "\nExit status:\n  0 [^\n]*\n  2 [^\n]*\n  3 [^\n]*\n  4 [^\n]*\n  5 [^\n]*\n     [^\n]*\n  6 [^\n]*\n  7 [^\n]*\n$",
     nullptr, nullptr, false},
    {"the version", nullptr, "--version", ExitOk, "^$", "^quillon-cli " QUILLON_VERSION "\n$", nullptr, nullptr, false},
    {"the models in the main help", nullptr, "--help", ExitOk, "^$", "\n  3  SN-258\\+ Base\n", nullptr, nullptr,
     false},
    // Only diff's help says what diff's success means; a series log typed
    // wrong makes no folders, and a device takes it without Qt's warnings.
    {"series --help", nullptr, "series --help", ExitOk, "^$", "\nExit status:\n  0  success\n  2  usage error\n",
     nullptr, nullptr, false},
    {"diff --help", nullptr, "diff --help", ExitOk, "^$",
     "\nExit status:\n  0  success \\(diff: the images are the same\\)\n", nullptr, nullptr, false},
    {"a series log into a full disk", "", "series --port {port} {dir}/in.img --log /dev/full", ExitFile,
     "^quillon-cli: series log: /dev/full: No space left on device\n$", nullptr, nullptr, Unchanged, false},
    {"a series log in folders that are not there", "", "series --port {port} {dir}/in.img --log {dir}/typo/logs/s.csv",
     ExitFile, "^quillon-cli: series log: .*/typo/logs/s.csv: No such file or directory\n$", nullptr, nullptr,
     Unchanged, false},
    // Output that cannot be written is a file error, also after a job.
    {"info into a full disk", nullptr, "info {dir}/in.img", ExitFile, "^quillon-cli: standard output: Disk full\n$",
     nullptr, nullptr, nullptr, false, nullptr, "/dev/full"},
    {"a preset into a closed standard output", nullptr, "preset -q L258Hand10625 -o -", ExitFile,
     "^quillon-cli: standard output: closed\n$", nullptr, nullptr, nullptr, false, nullptr, "closed"},
    {"diff into a full disk", nullptr, "diff {dir}/in.img {dir}/phone.img", ExitFile,
     "^quillon-cli: standard output: Disk full\n$", nullptr, nullptr, nullptr, false, nullptr, "/dev/full"},
    {"a read into a full disk", "", "read -q -p {port} block -o -", ExitFile,
     "^quillon-cli: standard output: Disk full\n$", nullptr, nullptr, Unchanged, false, nullptr, "/dev/full"},
    {"a file too short", "", "write --port {port} {dir}/short.img", ExitFile,
     "^quillon-cli: .*short.img: Read beyond end of file\n$", nullptr, nullptr,
     [](const Words &p, const Words &) { return p; }, false},
    {"no such file", nullptr, "verify --port COM1 {dir}/none.img", ExitFile, "none.img: File not found\n$", nullptr,
     nullptr, nullptr, false},
    {"no folder to save in, found before the port is opened", nullptr,
     "read --port {dir}/no-tty word 0 -o {dir}/no/out.img", ExitFile, "^quillon-cli: .*out.img: No such folder\n$",
     nullptr, nullptr, nullptr, false},
    {"a port the window does not have", nullptr, "read --port COM16 -o {dir}/out.img", ExitUsage, "unknown port COM16",
     nullptr, nullptr, nullptr, false},
    {"a trace with no folder to go to, found before the port is opened", nullptr,
     "read --port {dir}/no-tty -o {dir}/out.img --trace {dir}/no/trace.txt", ExitFile,
     "^quillon-cli: .*trace.txt: No such folder\n$", nullptr, nullptr, nullptr, false},
};

void PrintTo(const Case &c, std::ostream *os) { *os << c.title; }

// Each row a test of its own, named after its title.
std::string CaseName(const ::testing::TestParamInfo<Case> &info)
{
    std::string name;
    for (const char *p = info.param.title; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    // "the same ..." rows repeat a title: the row's number tells them apart.
    for (size_t i = 0; i < info.index; ++i)
        if (qstrcmp(kCases[i].title, info.param.title) == 0)
            return name + '_' + std::to_string(info.index);
    return name;
}

class CliCase : public CliTest, public ::testing::WithParamInterface<Case> {};

} // namespace

TEST_P(CliCase, AgainstTheTelephone)
{
    const Case &c = GetParam();
    Phone phone;
    if (c.phone) {
        ASSERT_TRUE(phone.Start(dir.path(), QString(c.phone).split(' ', Qt::SkipEmptyParts)));
    }
    TComPort holder;
    if (c.holdPort) {
        holder.Port = phone.port;
        holder.Open();
    }
    QStringList args = QString(c.args).replace("{port}", phone.port).split(' ');
    args.replaceInStrings("{dir}", dir.path());
    args.replaceInStrings("{empty}", "");
    QFile::remove(dir.filePath("out.img"));

    const Ran r = RunCli(args, c.input ? ReadFile(dir.filePath(c.input)) : QByteArray(), c.stdoutTo);
    holder.Close();
    EXPECT_EQ(r.code, c.code) << r.err.toStdString();
    EXPECT_TRUE(QRegularExpression(QString::fromUtf8(c.err)).match(r.err).hasMatch()) << r.err.toStdString();
    if (c.out)
        EXPECT_TRUE(QRegularExpression(c.out).match(r.out).hasMatch()) << r.out.toStdString();
    else
        EXPECT_EQ(r.out, "");
    const bool toStdout = args.contains("-") && !c.input;
    if (c.saved && toStdout) {
        const std::optional<EepromImage> got = ParseImageHexText(r.out.toLatin1());
        ASSERT_TRUE(got);
        EXPECT_EQ(got->words, c.saved(P));
    } else if (c.saved) {
        EXPECT_EQ(WordsOf(ReadFile(dir.filePath("out.img"))), c.saved(P));
    } else {
        EXPECT_FALSE(QFile::exists(dir.filePath("out.img")));
    }
    if (c.phone) {
        const Words after = phone.Stop();
        if (c.phoneAfter) {
            EXPECT_EQ(after, c.phoneAfter(P, Q));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, CliCase, ::testing::ValuesIn(kCases), CaseName);

// --trace keeps every job of the command, the failure marked where it
// happened, and is written when the job failed.
TEST_F(CliTest, TheTraceRecordsEveryCharacterAndTheFailure)
{
    Phone phone;
    ASSERT_TRUE(phone.Start(dir.path(), {"--fault", "no-echo@40"}));
    const QString trace = dir.filePath("trace.txt");
    const Ran r = RunCli({"write", "-p", phone.port, "block", dir.filePath("in.img"), "--trace", trace});
    EXPECT_EQ(r.code, ExitJobFailed) << r.err.toStdString();
    const QStringList lines = QString::fromUtf8(ReadFile(trace)).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 80);
    EXPECT_TRUE(lines[0].startsWith("== ") && lines[0].endsWith(phone.port + "  write 30-3F")) << lines[0].toStdString();
    // The opening CR, and its echo with its delay.
    EXPECT_TRUE(QRegularExpression("^ +\\d+\\.\\d ms  -> 0D CR$").match(lines[1]).hasMatch()) << lines[1].toStdString();
    EXPECT_TRUE(QRegularExpression("^ +\\d+\\.\\d ms  <- 0D CR   echo \\d+\\.\\d ms$").match(lines[2]).hasMatch())
        << lines[2].toStdString();
    EXPECT_FALSE(lines.filter(QRegularExpression("  -> 4D 'M'$")).isEmpty());
    // The 40th character went out and nothing came back.
    EXPECT_TRUE(lines.last().contains("  !! no echo of")) << lines.last().toStdString();
    EXPECT_TRUE(lines[lines.size() - 2].contains("  -> ")) << lines[lines.size() - 2].toStdString();
    phone.Stop();
}

// An echo later than two characters plus 20 ms (here the line's own pace
// makes it 120 ms, never less): the probe says what to do about the adapter.
TEST_F(CliTest, ASlowEchoGetsTheAdaptersRemedy)
{
    QProcess phone;
    const QString port = StartPhone(phone, {"--once", "--char-ms", "60"});
    ASSERT_FALSE(port.isEmpty());
    const Ran r = RunCli({"probe", "--port", port});
    EXPECT_EQ(r.code, ExitOk) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("the telephone answers")) << r.out.toStdString();
    EXPECT_TRUE(QRegularExpression("^  note: the echoes took \\d+ ms \\(the median of 5\\), more than two character "
                                   "times plus 20 ms \\(86 ms\\): the adapter may hold.*latency timer")
                    .match(r.err)
                    .hasMatch())
        << r.err.toStdString();
    phone.waitForFinished(5000);
}

// Ctrl+C ends a probe that waits for its echo at once, as it ends a job,
// and the trace says where.
TEST_F(CliTest, InterruptEndsAProbe)
{
    Phone phone;
    ASSERT_TRUE(phone.Start(dir.path(), {"--verbose", "--fault", "no-echo"}));
    QProcess cli;
    const QString trace = dir.filePath("trace.txt");
    cli.start(qEnvironmentVariable("QUILLON_CLI"), {"probe", "--port", phone.port, "--trace", trace});
    ASSERT_TRUE(cli.waitForStarted(5000));
    // The CR has reached the telephone: the probe waits 1600 ms for its echo.
    phone.proc.setReadChannel(QProcess::StandardError);
    QByteArray log;
    while (!log.contains("rx 0D CR") && phone.proc.waitForReadyRead(5000))
        log += phone.proc.readAll();
    ASSERT_TRUE(log.contains("rx 0D CR"));
    ::kill(static_cast<pid_t>(cli.processId()), SIGINT);

    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), ExitJobFailed);
    EXPECT_EQ(QString::fromUtf8(cli.readAllStandardError()), "quillon-cli: interrupted\n");
    const QStringList lines = QString::fromUtf8(ReadFile(trace)).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith(phone.port + "  probe")) << lines[0].toStdString();
    EXPECT_TRUE(lines.last().endsWith("  !! cancelled")) << lines.last().toStdString();
    phone.Stop();
}

TEST_F(CliTest, InterruptTermAndHangUpCancelTheJob)
{
    // A `timeout` sends SIGTERM, a dropped ssh session SIGHUP: both must stop
    // the job as Ctrl+C does, and a write must say what the telephone holds.
    const struct {
        int signal;
        const char *command;
        const char *rx; // the telephone's log line of a command
        const char *err;
    } cases[] = {
        {SIGINT, "read", "rx 6D 'm'",
         "^Read258: Not done...\nquillon-cli: cancelled \\(character \\d of m..<CR>, "
         "address ..\\)\nquillon-cli: interrupted\n$"},
        {SIGTERM, "write", "rx 4D 'M'",
         "^Write258: Not done...\nquillon-cli: cancelled .*\nquillon-cli: the telephone "
         "took words 00-(..)(?:, may have taken words? (..)(?:-(..))? \\(sent, never "
         "confirmed\\))?, did not take words? ..(?:-3F)?: it now holds a partial "
         "image, write it again\nquillon-cli: interrupted\n$"},
        {SIGHUP, "write", "rx 4D 'M'",
         "quillon-cli: the telephone took words 00-(..)(?:, may have taken words? "
         "(..)(?:-(..))? \\(sent, never confirmed\\))?, did not"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.signal);
        Phone phone;
        ASSERT_TRUE(phone.Start(dir.path(), {"--verbose"}));
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUILLON_TICK_MS", "2");
        cli.setProcessEnvironment(env);
        const QString file = dir.filePath(qstrcmp(c.command, "read") == 0 ? "out.img" : "in.img");
        QFile::remove(dir.filePath("out.img"));
        cli.start(qEnvironmentVariable("QUILLON_CLI"),
                  {c.command, "--port", phone.port, qstrcmp(c.command, "read") == 0 ? "-o" : "--no-verify", file});
        ASSERT_TRUE(cli.waitForStarted(5000));
        // Mid-job: once the telephone has had the second command.
        phone.proc.setReadChannel(QProcess::StandardError);
        QByteArray log;
        while (log.count(c.rx) < 2 && phone.proc.waitForReadyRead(5000))
            log += phone.proc.readAll();
        ASSERT_GE(log.count(c.rx), 2);
        ::kill(static_cast<pid_t>(cli.processId()), c.signal);

        ASSERT_TRUE(cli.waitForFinished(10000));
        EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(cli.exitCode(), ExitJobFailed);
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        const QRegularExpressionMatch m = QRegularExpression(QString::fromUtf8(c.err)).match(err);
        EXPECT_TRUE(m.hasMatch()) << err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("out.img")));
        // --once: the telephone ends when the port closes; it never got the last command.
        ASSERT_TRUE(phone.proc.waitForFinished(5000));
        log += phone.proc.readAllStandardError();
        EXPECT_LT(log.count(c.rx), 13);
        if (m.hasMatch() && m.lastCapturedIndex() >= 1) {
            // It holds what the message says it took, nothing it says it did
            // not take, and of what it may have taken all or nothing.
            const int last = m.captured(1).toInt(nullptr, 16);
            const Words saved = WordsOf(ReadFile(phone.saved));
            if (m.captured(2).isEmpty()) {
                EXPECT_EQ(saved, Over(P, Q, 0x00, last));
            } else {
                const int maybeLast = m.captured(m.captured(3).isEmpty() ? 2 : 3).toInt(nullptr, 16);
                EXPECT_TRUE(saved == Over(P, Q, 0x00, last) || saved == Over(P, Q, 0x00, maybeLast))
                    << "possibly taken " << last + 1 << "-" << maybeLast;
            }
        }
    }
}

TEST_F(CliTest, ABlockReadIsMarkedAndNotWrittenBackOverAll)
{
    // read block saves FFFF in words 00-2F; written back as all it would
    // erase them in the telephone.
    Phone first;
    ASSERT_TRUE(first.Start(dir.path(), {}));
    const QString file = dir.filePath("blk.img");
    const Ran read = RunCli({"read", "-q", "--port", first.port, "block", "-o", file, "--comment", "unit 7"});
    ASSERT_EQ(read.code, ExitOk) << read.err.toStdString();
    first.Stop();
    EXPECT_EQ(ReadFile(file).mid(129), "unit 7 [read 30-3F]");

    ASSERT_TRUE(WriteFile(dir.filePath("phone.img"), FileBytes(Q)));
    Phone second;
    ASSERT_TRUE(second.Start(dir.path(), {}));
    const Ran r = RunCli({"write", "--port", second.port, file});
    EXPECT_EQ(r.code, ExitFile);
    EXPECT_TRUE(r.err.contains("use 'write block " + file + "'")) << r.err.toStdString();
    EXPECT_EQ(second.Stop(), Q);
}

// Jobs one after another on one telephone, each its own process, as a
// technician runs them: what a cut job leaves in the telephone is the next
// one's to meet.
class CliAfterACut : public CliTest {
protected:
    QProcess phone;
    QString port;

    void Start(const QStringList &extra)
    {
        port = StartPhone(phone, QStringList{"--fast", "--load", dir.filePath("phone.img")} + extra);
        ASSERT_FALSE(port.isEmpty());
    }
    Words ReadAll()
    {
        const QString file = dir.filePath("after.img");
        const Ran r = RunCli({"read", "-q", "--port", port, "all", "-o", file});
        EXPECT_EQ(r.code, ExitOk) << r.err.toStdString();
        return WordsOf(ReadFile(file));
    }
    void TearDown() override
    {
        phone.kill();
        phone.waitForFinished(5000);
    }
};

// A read cut inside its command ("m05" sent, its CR not): the next job's
// opening CR completes it and the telephone replies. The next job is on a
// healthy line and must pass the first time.
TEST_F(CliAfterACut, TheJobAfterACutReadPasses)
{
    ASSERT_NO_FATAL_FAILURE(Start({"--fault", "no-echo@4"}));
    EXPECT_EQ(RunCli({"read", "-q", "--port", port, "word", "05", "-o", dir.filePath("cut.img")}).code, ExitJobFailed);
    const Ran r = RunCli({"read", "-q", "--port", port, "word", "07", "-o", dir.filePath("next.img")});
    EXPECT_EQ(r.code, ExitOk) << r.err.toStdString();
    EXPECT_EQ(WordsOf(ReadFile(dir.filePath("next.img")))[7], P[7]);
}

// A write cut inside the third word of its second command: the two whole
// words sent may be stored at the next CR (this telephone keeps what it
// parsed), so the report may not say they did not take; and every word it
// says did not take is as it was.
TEST_F(CliAfterACut, AWriteCutMidWordReportsNoMoreThanIsKnown)
{
    ASSERT_NO_FATAL_FAILURE(Start({"--keep-parsed", "--fault", "no-echo@39"}));
    const Ran cut = RunCli({"write", "--port", port, "--no-verify", dir.filePath("in.img")});
    EXPECT_EQ(cut.code, ExitJobFailed);
    EXPECT_TRUE(cut.err.contains("took words 00-04, may have taken words 05-06 (sent, never confirmed), did not "
                                 "take words 07-3F"))
        << cut.err.toStdString();
    const Words after = ReadAll();
    EXPECT_EQ(after, Over(Over(P, Q, 0x00, 0x04), Q, 0x05, 0x06));
}

TEST_F(CliTest, WhatReadPrintsWritesBackWordForWord)
{
    // The path that once wrote the text's ASCII bytes into a telephone:
    // read -o - > unit.txt, then write all unit.txt into another telephone.
    Phone first;
    ASSERT_TRUE(first.Start(dir.path(), {}));
    const QString text = dir.filePath("unit-read.txt");
    ASSERT_EQ(RunCli({"read", "-q", "--port", first.port, "-o", "-"}, {}, text).code, ExitOk);
    first.Stop();

    ASSERT_TRUE(WriteFile(dir.filePath("phone.img"), FileBytes(Q)));
    Phone second;
    ASSERT_TRUE(second.Start(dir.path(), {}));
    const Ran r = RunCli({"write", "--port", second.port, "all", text});
    EXPECT_EQ(r.code, ExitOk) << r.err.toStdString();
    EXPECT_EQ(second.Stop(), P);
}

TEST_F(CliTest, OnATerminalTheBarFitsAndTheTerminalItselfIsNoPort)
{
    if (QStandardPaths::findExecutable("script").isEmpty())
        GTEST_SKIP() << "script (bsdutils) is not installed";
    Phone phone;
    ASSERT_TRUE(phone.Start(dir.path(), {}));
    // script gives the commands a terminal of their own, as a user has.
    const QString cli = qEnvironmentVariable("QUILLON_CLI");
    const QString commands = QString("stty cols 40; %1 read -p %2 block -o %3/out.img; %1 read -p /dev/tty -o %3/tty.img; "
                                     "echo status=$?")
                                 .arg(cli, phone.port, dir.path());
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUILLON_TICK_MS", "2");
    p.setProcessEnvironment(env);
    p.start("script", {"-qec", commands, "/dev/null"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString screen = QString::fromUtf8(p.readAllStandardOutput()).remove("\033[K");
    const QStringList lines = screen.split(QRegularExpression("[\r\n]+"), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3) << screen.toStdString();
    EXPECT_TRUE(lines.first().startsWith("Initializing...")) << lines.first().toStdString();
    for (const QString &line : lines)
        if (line.contains('%')) { // the progress lines
            EXPECT_LT(line.size(), 40) << line.toStdString();
        }
    EXPECT_TRUE(screen.contains("ReadBlock: Completed!")) << screen.toStdString();
    EXPECT_TRUE(screen.contains("/dev/tty: Unable to open com port (win error code: 16)")) << screen.toStdString();
    EXPECT_TRUE(screen.contains("status=3")) << screen.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("tty.img")));
}

// ---------------------------------------------------------------- info and diff on stored images

namespace {

class OpenThis : public FileDialogs {
public:
    QString path;
    QString SaveFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString OpenFileName(const QString &, const QString &) override { return path; }
    bool ConfirmOverwrite(const QString &) override { return false; }
    void Information(const QString &) override {}
    void Error(const QString &text) override { ADD_FAILURE() << text.toStdString(); }
};

// A masked frequency field as the page shows it: nothing when it holds no digit.
QString Shown(const QLineEdit *field)
{
    return field->text().contains(QRegularExpression("[0-9]")) ? field->text() : QString();
}

} // namespace

TEST_F(CliTest, InfoIsWhatTheWindowShowsForTheSameFile)
{
    // The factory blocks as the CLI makes them, and some odd ones: a blank
    // image, equal multipliers, an unknown divider, the 12.5 kHz step.
    QStringList files;
    for (const Preset &p : PresetTable) {
        files << dir.filePath(QString::fromLatin1(p.name));
        ASSERT_EQ(RunCli({"preset", "-q", QString::fromUtf8(p.caption), "-o", files.last()}).code, ExitOk);
    }
    Words odd = Blank();
    odd[0x32] = 0x01A9, odd[0x33] = odd[0x34] = 0x2931, odd[0x38] = 0x284F;
    const Words unknown = Over(Blank(), Pattern(0x0101), 0x30, 0x3F);
    Words fine = Blank();
    fine[0x32] = 0x0400, fine[0x33] = 20851, fine[0x34] = 0x594E, fine[0x37] = 0x1234, fine[0x39] = 0x0102;
    for (const Words &w : {Blank(), odd, unknown, fine}) {
        files << dir.filePath(QString("odd%1").arg(files.size()));
        ASSERT_TRUE(WriteFile(files.last(), FileBytes(w, char(0xFF))));
    }

    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        const Ran r = RunCli({"info", "--json", file});
        ASSERT_EQ(r.code, ExitOk) << r.err.toStdString();
        const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8()).object();

        TForm1 form; // a fresh window: the frequency page keeps what it saw
        auto dialogs = std::make_unique<OpenThis>();
        dialogs->path = file;
        form.Dialogs = std::move(dialogs);
        Ui(form).Act.LoadFile->trigger();

        const char *const keys[] = {"device", "type", "reference", "tx", "rx", "lo", "if", "spacing", "step",
                                    "system_channels", "channel_range", "id_code"};
        ASSERT_EQ(Ui(form).Prop->topLevelItemCount(), 12);
        for (int row = 0; row < 12; ++row) {
            const QJsonObject cells = json["info"][keys[row]].toObject();
            const QTreeWidgetItem *item = Ui(form).Prop->topLevelItem(row);
            EXPECT_EQ(QStringList({cells["caption"].toString(), cells["value"].toString(), cells["hex"].toString()}),
                      QStringList({item->text(0), item->text(1), item->text(2)}))
                << keys[row];
        }
        const QJsonObject f = json["frequency"].toObject();
        EXPECT_EQ(QStringList({f["divider"].toString(), f["tx_multiplier"].toString(), f["tx"].toString(),
                               f["lo_multiplier"].toString(), f["lo"].toString(), f["rx"].toString()}),
                  QStringList({Ui(form).Edit2->text(), Ui(form).Edit3->text(), Shown(Ui(form).MaskEdit3),
                               Ui(form).Edit4->text(), Shown(Ui(form).MaskEdit4), Shown(Ui(form).MaskEdit5)}));
        EXPECT_EQ(f["plus_minus"].toBool(), Ui(form).CheckBox1->isChecked());
        EXPECT_EQ(json["model"].isNull() ? -1 : json["model"]["index"].toInt(), form.DeviceModel());

        // The text form carries the same rows, in the window's language
        // (Russian; the English program shows the window's English texts).
        QProcessEnvironment russian = QuickTicks();
        russian.insert("LANG", "ru_RU.UTF-8");
        russian.insert("LC_ALL", "");
        russian.insert("LC_MESSAGES", "");
        const QString text = RunQuillonCli({"info", file}, {russian}).out;
        EXPECT_TRUE(text.contains(
            QRegularExpression("\n" + QRegularExpression::escape(Ui(form).Prop->topLevelItem(3)->text(0)) + " +"
                               + QRegularExpression::escape(Ui(form).Prop->topLevelItem(3)->text(1)) + " +"
                               + Ui(form).Prop->topLevelItem(3)->text(2) + "\n")))
            << text.toStdString();
    }
}

TEST_F(CliTest, DiffListsTheWordsThatDiffer)
{
    Words other = P;
    other[0x00] = 0x0000;
    other[0x3F] = 0xFFFF;
    ASSERT_TRUE(WriteFile(dir.filePath("other.img"), FileBytes(other)));
    const QString a = dir.filePath("phone.img"), b = dir.filePath("other.img");

    const Ran differ = RunCli({"diff", a, b});
    EXPECT_EQ(differ.code, ExitWordsDiffer);
    const QString expected = QString("addr  %1  %2\n00    1234%3  0000\n3F    %4%3  FFFF\n")
                                 .arg(a, b, QString(a.size() - 4, ' '), WordToHex(P[0x3F]));
    EXPECT_EQ(differ.out, expected);
    EXPECT_EQ(RunCli({"diff", a, a}).code, ExitOk);
    // Standard input: an image file, or the words as "read -o -" prints them.
    EXPECT_EQ(RunCli({"diff", a, "-"}, FileBytes(P)).code, ExitOk);
    EepromImage image;
    image.words = other;
    const Ran fromText = RunCli({"diff", "-", b}, ImageHexText(image).toLatin1());
    EXPECT_EQ(fromText.code, ExitOk) << fromText.err.toStdString();
    const Ran junk = RunCli({"diff", a, "-"}, "0000 1111");
    EXPECT_EQ(junk.code, ExitFile);
    EXPECT_TRUE(junk.err.startsWith("quillon-cli: -: not an image: this is text")) << junk.err.toStdString();
}

TEST_F(CliTest, StandardInputIsReadToItsEnd)
{
    // A pipe whose writer pauses (ssh, a slow script) once gave only its
    // first part: the hex text was refused as "text", an image file cut.
    const QString cli = qEnvironmentVariable("QUILLON_CLI");
    for (const char *file : {"unit.txt", "in.img"}) {
        SCOPED_TRACE(file);
        QProcess p;
        p.start("sh", {"-c", "{ head -c 100 \"$1\"; sleep 0.3; tail -c +101 \"$1\"; } | \"$0\" diff - \"$2\"", cli,
                       dir.filePath(file), dir.filePath("in.img")});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), ExitOk) << p.readAllStandardError().toStdString();
    }
}

// ---------------------------------------------------------------- the language

namespace {

// What a Russian user's shell passes on (ctest's own LC_ALL would win).
Ran RunRussian(const QStringList &args)
{
    QProcessEnvironment env = QuickTicks();
    env.insert("LANG", "ru_RU.UTF-8");
    env.insert("LC_ALL", "");
    env.insert("LC_MESSAGES", "");
    return RunQuillonCli(args, {env});
}

// Three English words in a row outside the command's own syntax: a text
// the catalogue lacks, or one never marked for translation.
QStringList EnglishProse(const QString &text)
{
    static const QRegularExpression prose("(?<![-\\w|'\"])[A-Za-z]{2,}(?: [a-z]{2,}){2,}(?![-\\w|])");
    QStringList found;
    for (const QString &line : text.split('\n')) {
        if (line.startsWith("Usage: ") || line.startsWith("Использование: ") || line.trimmed().startsWith("quillon-cli "))
            continue;
        for (auto m = prose.globalMatch(line); m.hasNext();)
            found << m.next().captured();
    }
    return found;
}

} // namespace

TEST_F(CliTest, UnderARussianLocaleItSpeaksRussianAndScriptsReadTheSame)
{
    // Every command's help, and the program's.
    QStringList helps = {"--help"};
    for (const char *command : {"read", "write", "verify", "info", "diff", "preset", "set", "backups", "ports",
                                "probe", "series"})
        helps << QString(command);
    for (const QString &command : helps) {
        SCOPED_TRACE(command.toStdString());
        const Ran ru = RunRussian(command == "--help" ? QStringList{command} : QStringList{command, "--help"});
        EXPECT_EQ(ru.code, ExitOk);
        EXPECT_TRUE(ru.out.contains(QRegularExpression("[а-яА-Я]{4}")));
        EXPECT_EQ(EnglishProse(ru.out), QStringList()) << ru.out.toStdString();
    }

    // Errors and a failed job: Russian words, the same exit statuses.
    const Ran usage = RunRussian({"read", "--bogus"});
    EXPECT_EQ(usage.code, ExitUsage);
    EXPECT_EQ(EnglishProse(usage.err), QStringList()) << usage.err.toStdString();
    const Ran missing = RunRussian({"info", dir.filePath("nothing.img")});
    EXPECT_EQ(missing.code, ExitFile);
    EXPECT_EQ(EnglishProse(missing.err), QStringList()) << missing.err.toStdString();
    Phone phone;
    ASSERT_TRUE(phone.Start(dir.path(), {"--fault", "no-echo@5"}));
    const Ran failed = RunRussian({"read", "--port", phone.port, "block", "-o", dir.filePath("out.img")});
    EXPECT_EQ(failed.code, ExitJobFailed);
    EXPECT_TRUE(failed.err.contains("Невыполнено...")) << failed.err.toStdString();
    EXPECT_EQ(EnglishProse(failed.err), QStringList()) << failed.err.toStdString();
    phone.Stop();

    // What scripts read does not change with the language.
    for (const QStringList &args : {QStringList{"info", "--json", dir.filePath("in.img")}, QStringList{"backups", "--json"},
                                    QStringList{"ports", "--json"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Ran en = RunCli(args), ru = RunRussian(args);
        EXPECT_EQ(ru.code, en.code);
        EXPECT_EQ(ru.out, en.out);
    }
}

// The texts of the plain code are Russian in the sources (a job's status, the
// "info" table, the preset's reminder): the English program shows them in
// English, the Russian one exactly as written.
TEST_F(CliTest, ThePlainCodesRussianTextsFollowTheLanguage)
{
    static const QRegularExpression cyrillic("[\\x{0400}-\\x{04FF}]");
    for (const QStringList &args :
         {QStringList{"info", dir.filePath("in.img")},
          QStringList{"preset", "L258Hand10625", "-o", dir.filePath("preset.img")}, QStringList{"preset", "--list"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Ran en = RunCli(args);
        EXPECT_EQ(en.code, ExitOk) << en.err.toStdString();
        EXPECT_FALSE((en.out + en.err).contains(cyrillic)) << (en.out + en.err).toStdString();
    }
    EXPECT_EQ(RunCli({"preset", "Handset 258 10625", "-o", dir.filePath("preset.img")}).code, ExitOk)
        << "the caption --list shows is accepted";

    const Ran info = RunRussian({"info", dir.filePath("in.img")});
    EXPECT_TRUE(info.out.contains(QRegularExpression("^Параметр +Свойства +HEX$", QRegularExpression::MultilineOption)))
        << info.out.toStdString();
    const Ran preset = RunRussian({"preset", "L258Hand10625", "-o", dir.filePath("preset.img")});
    EXPECT_TRUE(preset.err.contains(QString::fromUtf8(PresetReminder))) << preset.err.toStdString();
    Phone phone;
    ASSERT_TRUE(phone.Start(dir.path(), {}));
    const Ran read = RunRussian({"read", "--port", phone.port, "word", "3F", "-o", "-"});
    EXPECT_EQ(read.code, ExitOk) << read.err.toStdString();
    EXPECT_TRUE(read.err.contains("ReadCur: Завершено!\n")) << read.err.toStdString();
    phone.Stop();
}

// A Russian probe of a port that does not open keeps the port's own message:
// its error number is what the remedy goes by.
TEST_F(CliTest, ARussianProbeKeepsThePortsMessage)
{
    const Ran probe = RunRussian({"probe", "--port", dir.filePath("no-such-port")});
    EXPECT_EQ(probe.code, ExitPort);
    EXPECT_TRUE(probe.err.contains("Порт не открыт: Unable to open com port (win error code: 2)"))
        << probe.err.toStdString();
}
