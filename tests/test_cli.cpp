// quillon-cli: its plain decisions, the real binary against quillon-phone on a
// pseudo-terminal, and its "info" against what the window shows for the
// same file.

#include "app/Unit1.h"
#include "cli/CliCore.h"
#include "image/FileDialogs.h"
#include "image/Presets.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
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

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Ran {
    int code = -1;
    QString out, err;
};

Ran RunCli(const QStringList &args, const QByteArray &input = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUILLON_TICK_MS", "2"); // short ticks keep the suite quick
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("QUILLON_CLI"), args);
    if (!p.waitForStarted(5000))
        return {};
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000))
        p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
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
        proc.start(qEnvironmentVariable("QUILLON_PHONE"),
                   QStringList{"--fast", "--once", "--load", dir + "/phone.img", "--save", saved} + extra);
        if (!proc.waitForStarted(5000))
            return false;
        while (!proc.canReadLine())
            if (!proc.waitForReadyRead(5000))
                return false;
        port = QString::fromLatin1(proc.readLine()).trimmed().mid(5);
        return !port.isEmpty();
    }
    Words Stop()
    {
        if (!proc.waitForFinished(5000)) {
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
    }
};

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

TEST(CliCore, NamesRangesAndWordDifferences)
{
    EXPECT_EQ(PortArgument("COM1"), "COM1");
    EXPECT_EQ(PortArgument("com15"), "COM15");
    EXPECT_EQ(PortArgument("/dev/ttyUSB0"), "/dev/ttyUSB0");
    for (const char *bad : {"COM0", "COM16", "COM01", "ttyS0", ""})
        EXPECT_FALSE(PortArgument(bad)) << bad;

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
};

const Case kCases[] = {
    {"read all", "", "read --port {port} -o {dir}/out.img", ExitOk, "^Read258: Завершено!\nbackup: .*\n$", nullptr,
     [](const Words &p) { return p; }, [](const Words &p, const Words &) { return p; }, false},
    {"read a word to standard output", "", "read -p {port} word 3F -o -", ExitOk, "ReadCur: Завершено!",
     "^00: FFFF FFFF", [](const Words &p) { return Only(p, 0x3F, 0x3F); }, nullptr, false},
    {"write with verify", "", "write --port {port} {dir}/in.img", ExitOk,
     "Write258: Завершено!\nRead258: Завершено!\nverify: 64 words read back as expected", nullptr, nullptr,
     [](const Words &, const Words &q) { return q; }, false},
    {"a write command dropped", "--fault drop-write@2", "write --port {port} block {dir}/in.img", ExitWordsDiffer,
     "WriteBlock: Завершено!\nReadBlock: Завершено!\nquillon-cli: 5 of 16 words did not verify",
     "^addr  written  read\n35    80BF     F837\n", nullptr,
     [](const Words &p, const Words &q) { return Over(Over(p, q, 0x30, 0x34), q, 0x3A, 0x3F); }, false},
    {"a stored word changed", "--fault corrupt-write", "write -p {port} word 0x3F {dir}/in.img", ExitWordsDiffer,
     "1 of 1 words did not verify", "3F    AC25     AC24", nullptr, nullptr, false},
    {"no verify asked", "--fault drop-write", "write -q --no-verify --port {port} block {dir}/in.img", ExitOk, "^$",
     nullptr, nullptr, [](const Words &p, const Words &) { return p; }, false},
    {"verify against the telephone's own words", "", "verify -q --port {port} block {dir}/phone.img", ExitOk,
     "^$", nullptr, nullptr, nullptr, false},
    {"the telephone stops echoing", "--fault no-echo@3", "read --port {port} -o {dir}/out.img", ExitJobFailed,
     "^Read258: Невыполнено...\n$", nullptr, nullptr, nullptr, false},
    {"the line hangs up mid-job", "--fault hangup-after=12", "read -q --port {port} block -o {dir}/out.img",
     ExitPort, "ReadBlock: Невыполнено...\nquillon-cli: .*: ReadFile function failed \\(win error code: \\d+\\)\n$",
     nullptr, nullptr, nullptr, false},
    {"a missing port", nullptr, "read --port {dir}/no-tty -o {dir}/out.img", ExitPort,
     "^quillon-cli: .*/no-tty: Unable to open com port \\(win error code: 2\\)\n$", nullptr, nullptr, nullptr,
     false},
    {"a busy port", "", "read --port {port} -o {dir}/out.img", ExitPort,
     "^quillon-cli: .*: Unable to open com port \\(win error code: \\d+\\)\n$", nullptr, nullptr, nullptr, true},
    {"a file too short", "", "write --port {port} {dir}/short.img", ExitFile,
     "^quillon-cli: .*short.img: Read beyond end of file\n$", nullptr, nullptr,
     [](const Words &p, const Words &) { return p; }, false},
    {"no such file", nullptr, "verify --port COM1 {dir}/none.img", ExitFile, "none.img: File not found\n$", nullptr,
     nullptr, nullptr, false},
    {"no folder to save in", "", "read -q --port {port} word 0 -o {dir}/no/out.img", ExitFile,
     "out.img: Invalid filename\n$", nullptr, nullptr, nullptr, false},
    {"a port the window does not have", nullptr, "read --port COM16 -o {dir}/out.img", ExitUsage,
     "unknown port COM16", nullptr, nullptr, nullptr, false},
};

} // namespace

TEST_F(CliTest, AgainstTheTelephone)
{
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.title);
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
        QFile::remove(dir.filePath("out.img"));

        const Ran r = RunCli(args);
        holder.Close();
        EXPECT_EQ(r.code, c.code) << r.err.toStdString();
        EXPECT_TRUE(QRegularExpression(QString::fromUtf8(c.err)).match(r.err).hasMatch()) << r.err.toStdString();
        if (c.out)
            EXPECT_TRUE(QRegularExpression(c.out).match(r.out).hasMatch()) << r.out.toStdString();
        else
            EXPECT_EQ(r.out, "");
        const bool toStdout = args.contains("-");
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
}

TEST_F(CliTest, CtrlCEndsTheJobAndClosesThePort)
{
    Phone phone;
    ASSERT_TRUE(phone.Start(dir.path(), {"--verbose"}));
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUILLON_TICK_MS", "2");
    cli.setProcessEnvironment(env);
    cli.start(qEnvironmentVariable("QUILLON_CLI"), {"read", "--port", phone.port, "-o", dir.filePath("out.img")});
    ASSERT_TRUE(cli.waitForStarted(5000));
    // Mid-job: once the telephone has had the second read command.
    phone.proc.setReadChannel(QProcess::StandardError);
    QByteArray log;
    while (log.count("rx 6D 'm'") < 2 && phone.proc.waitForReadyRead(5000))
        log += phone.proc.readAll();
    ASSERT_GE(log.count("rx 6D 'm'"), 2);
    ::kill(static_cast<pid_t>(cli.processId()), SIGINT);

    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), ExitJobFailed);
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    EXPECT_EQ(err, "Read258: Невыполнено...\nquillon-cli: interrupted\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("out.img")));
    // --once: the telephone ends when the port closes; it never got the last command.
    ASSERT_TRUE(phone.proc.waitForFinished(5000));
    log += phone.proc.readAllStandardError();
    EXPECT_LT(log.count("rx 6D 'm'"), 13);
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
    for (const PresetAction &p : PresetActions) {
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
        form.Act.LoadFile->trigger();

        const char *const keys[] = {"device", "type", "reference", "tx", "rx", "lo", "if", "spacing", "step",
                                    "systemChannels", "channelRange", "idCode"};
        ASSERT_EQ(form.Prop->topLevelItemCount(), 12);
        for (int row = 0; row < 12; ++row) {
            const QJsonObject cells = json["info"][keys[row]].toObject();
            const QTreeWidgetItem *item = form.Prop->topLevelItem(row);
            EXPECT_EQ(QStringList({cells["caption"].toString(), cells["value"].toString(), cells["hex"].toString()}),
                      QStringList({item->text(0), item->text(1), item->text(2)}))
                << keys[row];
        }
        const QJsonObject f = json["frequency"].toObject();
        EXPECT_EQ(QStringList({f["divider"].toString(), f["txMultiplier"].toString(), f["tx"].toString(),
                               f["loMultiplier"].toString(), f["lo"].toString(), f["rx"].toString()}),
                  QStringList({form.Edit2->text(), form.Edit3->text(), Shown(form.MaskEdit3), form.Edit4->text(),
                               Shown(form.MaskEdit4), Shown(form.MaskEdit5)}));
        EXPECT_EQ(f["plusMinus"].toBool(), form.CheckBox1->isChecked());
        EXPECT_EQ(json["model"].isNull() ? -1 : json["model"]["index"].toInt(), form.DeviceModel());

        // The text form carries the same rows.
        const QString text = RunCli({"info", file}).out;
        EXPECT_TRUE(text.contains(QRegularExpression("\n" + QRegularExpression::escape(form.Prop->topLevelItem(3)->text(0))
                                                     + " +" + QRegularExpression::escape(form.Prop->topLevelItem(3)->text(1))
                                                     + " +" + form.Prop->topLevelItem(3)->text(2) + "\n")))
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
    EXPECT_EQ(junk.err, "quillon-cli: -: Read beyond end of file\n");
}
