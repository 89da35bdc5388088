// A series of five units on quillon-phone's bench (--units, unplug and plug
// through its control FIFO), the third one dropping a write command: through
// quillon-cli and through the window, from one table. The technician's part
// (taking a unit off when told, putting the next one on when asked) is
// played on what each front end shows.

#include "StderrLines.h"
#include "WaitFor.h"
#include "ModalHelper.h"
#include "app/SeriesWindow.h"
#include "app/Unit1.h"
#include "image/Backups.h"
#include "image/ImageFile.h"
#include "image/SeriesImage.h"
#include "app/SeriesController.h"
#include "link/SeriesLanes.h"
#include "FormUi.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <memory>

#include <csignal>
#include <sys/types.h>

namespace {

constexpr int kUnits = 5;
constexpr int kFailing = 3; // 1-based
constexpr int kDeadlineMs = 90000;
// Short ticks keep a series of five quick; not the shortest, so that a reply
// (30 ticks) survives a loaded machine.
constexpr int kTickMs = 3;

EepromImage Pattern(uint16_t seed)
{
    EepromImage img;
    for (int a = 0; a < EepromImage::kWords; ++a)
        img[a] = static_cast<uint16_t>(seed + a * 0x0457);
    return img;
}

EepromImage UnitWords(int unit) // 1-based
{
    EepromImage img = Pattern(static_cast<uint16_t>(0x1000 * unit + 7));
    img[Addr::BaseId] = static_cast<uint16_t>(4000 + unit);
    return img;
}

struct BenchCase {
    const char *name;
    const char *keep; // as quillon-cli takes it
    SeriesScope scope;
    bool stopOnFail;
    int count; // --count; 0 for none
    const char *results; // one letter per unit: g good, f failed
    bool window; // also through the window (a series takes half a minute)
};

const BenchCase kCases[] = {
    {"five_keep_id_all", "id", SeriesScope::All, false, kUnits, "ggfgg", true},
    {"stop_on_fail_block", "id", SeriesScope::Block, true, 0, "ggf", true},
    // The dropped command held the unit's own words 00-04: nothing is lost.
    {"keep_low_all", "id,low", SeriesScope::All, false, 3, "ggg", false},
};

// The write commands of one unit: five words each.
int WriteCommands(SeriesScope scope)
{
    const int words = ScopeLast(scope) - ScopeFirst(scope) + 1;
    return (words + 4) / 5;
}

// quillon-cli at the bench's short tick.
void QuickTicks(QProcess &cli)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUILLON_TICK_MS", QString::number(kTickMs));
    cli.setProcessEnvironment(env);
}

// quillon-phone playing the units of a folder, each saved in a folder of its own.
class Bench {
public:
    QTemporaryDir dir;
    QProcess proc;
    QString pts;
    EepromImage series = Pattern(0x5A00);

    bool Start(SeriesScope scope, bool dropWrite = true)
    {
        QDir().mkpath(dir.filePath("units"));
        for (int u = 1; u <= kUnits; ++u) {
            QFile f(dir.filePath(QStringLiteral("units/u%1.h").arg(u)));
            if (!f.open(QIODevice::WriteOnly) || f.write(EncodeImageFile(UnitWords(u), 1, QString())) < 0)
                return false;
        }
        QFile image(dir.filePath("series.h"));
        if (!image.open(QIODevice::WriteOnly) || image.write(EncodeImageFile(series, 1, QString())) < 0)
            return false;
        image.close();
        // The failing unit's first write command stores nothing.
        const int dropped = WriteCommands(scope) * (kFailing - 1) + 1;
        QStringList args{"--fast",
                         "--units",
                         dir.filePath("units"),
                         "--save",
                         dir.filePath("saved"),
                         "--control",
                         dir.filePath("control")};
        if (dropWrite)
            args << "--fault" << QStringLiteral("drop-write@%1").arg(dropped);
        proc.start(qEnvironmentVariable("QUILLON_PHONE"), args);
        if (!proc.waitForStarted(5000))
            return false;
        while (!proc.canReadLine())
            if (!proc.waitForReadyRead(5000))
                return false;
        pts = QString::fromLatin1(proc.readLine()).trimmed().mid(5);
        return !pts.isEmpty();
    }
    void Control(const char *line)
    {
        QFile fifo(dir.filePath("control"));
        ASSERT_TRUE(fifo.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        fifo.write(line);
        fifo.write("\n");
    }
    // The technician: a unit off when the series asks, the next on when it waits.
    int removed = 0, plugged = 1;
    void Removal()
    {
        Control("unplug");
        ++removed;
    }
    void Waiting()
    {
        if (removed >= plugged && plugged < kUnits) {
            Control("plug");
            ++plugged;
        }
    }
    // Ends the emulator; each unit's EEPROM as it was saved.
    QList<EepromImage> Saved()
    {
        proc.terminate();
        proc.waitForFinished(10000);
        QList<EepromImage> out;
        for (int u = 1; u <= kUnits; ++u) {
            const LoadResult r = LoadImageFile(dir.filePath(QStringLiteral("saved/u%1.h").arg(u)));
            out << (r.error ? EepromImage() : r.data.image);
        }
        return out;
    }
    ~Bench()
    {
        if (proc.state() != QProcess::NotRunning) {
            proc.kill();
            proc.waitForFinished(5000);
        }
    }
};

class SeriesBench : public ::testing::TestWithParam<BenchCase> {
protected:
    Bench bench;
    QTemporaryDir data;
    unsigned keep = KeepId;

    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
            GTEST_SKIP() << "QUILLON_PHONE not set (run through ctest)";
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        ASSERT_TRUE(ParseSeriesKeep(QString::fromLatin1(GetParam().keep), &keep));
        ASSERT_TRUE(bench.Start(GetParam().scope));
    }

    // The log's rows, the saved units and the backups against the table.
    void Check(const QString &logPath, const QString &unitWord)
    {
        const BenchCase &c = GetParam();
        const int units = int(qstrlen(c.results));
        QFile log(logPath);
        ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << logPath.toStdString();
        const QStringList lines = QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), units + 1) << lines.join(u'\n').toStdString();
        EXPECT_EQ(lines[0], SeriesCsvHeader());
        SCOPED_TRACE(lines.join(u'\n').toStdString()); // the causes, when a row is not as expected

        const QList<EepromImage> saved = bench.Saved();
        const QList<Backups::Entry> backups = Backups::List(Backups::Folder());
        EXPECT_EQ(backups.size(), units);
        for (int u = 1; u <= units; ++u) {
            SCOPED_TRACE(u);
            const bool good = c.results[u - 1] == 'g';
            const EepromImage before = UnitWords(u);
            const EepromImage expected = BuildUnitImage(bench.series, before, keep, c.scope);
            // The dropped command's words stay as the unit held them.
            QStringList differing;
            EepromImage held = expected;
            if (!good)
                for (int a = ScopeFirst(c.scope); a < ScopeFirst(c.scope) + 5; ++a) {
                    held[a] = before[a];
                    if (before[a] != expected[a])
                        differing << ByteToHex(uint8_t(a));
                }
            for (int a = 0; a < EepromImage::kWords; ++a)
                EXPECT_EQ(saved[u - 1][a], held[a]) << "word " << a;
            EXPECT_EQ(saved[u - 1][Addr::BaseId], (keep & KeepId) ? before[Addr::BaseId] : bench.series[Addr::BaseId]);

            // unit,start,duration_s,port,id_before,id_after,result,cause,differing_words,backup
            const QStringList row = lines[u].split(u',');
            ASSERT_GE(row.size(), 10);
            EXPECT_EQ(row[0], QString::number(u));
            EXPECT_EQ(row[4], QString::number(before[Addr::BaseId]));
            EXPECT_EQ(row[5], QString::number(held[Addr::BaseId]));
            EXPECT_EQ(row[6], good ? "good" : "failed");
            EXPECT_EQ(row.constLast(), QFileInfo(row.constLast()).fileName());
            EXPECT_EQ(row[row.size() - 2], differing.join(u' '));
            bool found = false;
            for (const Backups::Entry &e : backups)
                if (QFileInfo(e.path).fileName() == row.constLast()) {
                    found = true;
                    EXPECT_EQ(e.id, before[Addr::BaseId]);
                    EXPECT_TRUE(e.comment.contains(QStringLiteral("%1 %2").arg(unitWord).arg(u)))
                        << e.comment.toStdString();
                }
            EXPECT_TRUE(found) << row.constLast().toStdString();
        }
    }
};

TEST_P(SeriesBench, Cli)
{
    const BenchCase &c = GetParam();
    const QString logPath = bench.dir.filePath("series.csv");
    QStringList args{"series", "--port", bench.pts, bench.dir.filePath("series.h"),
                     "--keep", c.keep,   "--scope", c.scope == SeriesScope::Block ? "block" : "all",
                     "--log",  logPath};
    if (c.stopOnFail)
        args << "--stop-on-fail";
    if (c.count)
        args << "--count" << QString::number(c.count);
    QProcess cli;
    QuickTicks(cli);
    QString errors;
    OnStderrLines(cli, &errors, [&](const QString &line) {
        if (line.startsWith("series: disconnect"))
            bench.Removal();
        else if (line.startsWith("series: connect"))
            bench.Waiting();
    });
    cli.start(qEnvironmentVariable("QUILLON_CLI"), args);
    ASSERT_TRUE(WaitFor([&] { return cli.state() == QProcess::NotRunning; }, kDeadlineMs)) << errors.toStdString();
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), int(qstrlen(c.results))) << out.toStdString() << errors.toStdString();
    for (int u = 1; u <= lines.size(); ++u) {
        EXPECT_TRUE(lines[u - 1].startsWith(QStringLiteral("unit %1: ID %2 -> ").arg(u).arg(4000 + u)))
            << lines[u - 1].toStdString();
        EXPECT_EQ(lines[u - 1].contains(", failed, "), c.results[u - 1] == 'f') << lines[u - 1].toStdString();
    }
    EXPECT_EQ(cli.exitCode(), QString::fromLatin1(c.results).contains(u'f') ? 5 : 0) << errors.toStdString();
    Check(logPath, QStringLiteral("unit"));
}

TEST_P(SeriesBench, Window)
{
    const BenchCase &c = GetParam();
    if (!c.window)
        GTEST_SKIP() << "the CLI's case only";
    qputenv("QUILLON_COM1", bench.pts.toLocal8Bit());
    auto form = std::make_unique<TForm1>();
    form->SetTickInterval(kTickMs);
    form->show();
    Ui(*form).Act.OpenPort->trigger();
    ASSERT_TRUE(form->COM.Connected());
    for (int a = 0; a < EepromImage::kWords; ++a)
        form->Doc.Words()[a] = bench.series[a];
    ASSERT_TRUE(Ui(*form).Act.Series->isEnabled());

    // The dialog, as the technician fills it in.
    AnswerNextModal([&](QWidget *w) {
        auto *dialog = qobject_cast<TSeriesDialog *>(w);
        ASSERT_TRUE(dialog);
        dialog->KeepId->setChecked(keep & KeepId);
        dialog->KeepLow->setChecked(keep & KeepLow);
        (c.scope == SeriesScope::Block ? dialog->ScopeBlock : dialog->ScopeAll)->setChecked(true);
        dialog->StopOnFail->setChecked(c.stopOnFail);
        dialog->UnitCount->setValue(c.count);
        dialog->StartButton->click();
    });
    Ui(*form).Act.Series->trigger();
    ASSERT_TRUE(form->SeriesRuns());
    ASSERT_TRUE(form->Series->Window() && form->Series->Window()->isVisible());
    QObject::connect(form->Series->Lanes(), &SeriesLanes::PhaseChanged, [&](int, SeriesCycle::Phase phase) {
        if (phase == SeriesCycle::Phase::WaitRemoval)
            bench.Removal();
        else if (phase == SeriesCycle::Phase::WaitPhone)
            bench.Waiting();
    });

    // Nothing of the image, the model or the options changes meanwhile.
    const EepromImage image = form->Doc.Image();
    Ui(*form).StringGrid1->setFocus();
    QTest::keyClicks(Ui(*form).StringGrid1, "12AB");
    QTest::keyClick(Ui(*form).StringGrid1, Qt::Key_Return);
    EXPECT_EQ(form->Doc.Image(), image);
    for (QAction *a : {Ui(*form).Act.Read258, Ui(*form).Act.Write258, Ui(*form).Act.LoadFile,
                       Ui(*form).Act.L258Hand12800, Ui(*form).Act.Series, Ui(*form).Act.ClosePort})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_FALSE(Ui(*form).ComboBox2->isEnabled());

    // The window's own count: the series window's "Стоп" once the units are through.
    // The dialog's count ends the series by itself; without one, "Стоп".
    const int units = int(qstrlen(c.results));
    ASSERT_TRUE(
        WaitFor([&] { return form->Series->Lanes()->SeriesOf(0).CurrentCycle()->Done() >= units || !form->SeriesRuns(); }, kDeadlineMs));
    if (c.count == 0 && form->SeriesRuns())
        QTest::keyClick(form->Series->Window(), Qt::Key_Escape); // Esc ends it as "Стоп" does
    ASSERT_TRUE(WaitFor([&] { return !form->SeriesRuns(); }, kDeadlineMs));
    EXPECT_EQ(form->Doc.Image(), image);

    const SeriesCycle &cycle = *form->Series->Lanes()->SeriesOf(0).CurrentCycle();
    EXPECT_EQ(cycle.Done(), units);
    EXPECT_EQ(cycle.Failed(), QString::fromLatin1(c.results).count(u'f'));
    EXPECT_EQ(form->Series->Window()->UnitList->topLevelItemCount(), units);
    EXPECT_EQ(form->Series->Window()->Counters->text(),
              QStringLiteral("Всего: %1    Годных: %2    Брак: %3").arg(units).arg(cycle.Good()).arg(cycle.Failed()));
    for (int u = 1; u <= std::min(units, form->Series->Window()->UnitList->topLevelItemCount()); ++u)
        EXPECT_EQ(form->Series->Window()->UnitList->topLevelItem(u - 1)->text(4), c.results[u - 1] == 'g' ? "Годен" : "Брак");
    // The window is the user's again, with nothing of the units on it.
    EXPECT_EQ(form->StatusText(1), QString());
    EXPECT_FALSE(form->CellsMarked());
    EXPECT_TRUE(Ui(*form).Act.Read258->isEnabled());
    EXPECT_TRUE(Ui(*form).Act.Series->isEnabled());
    EXPECT_TRUE(Ui(*form).ComboBox2->isEnabled());
    const QString logPath = form->Series->Lanes()->LogPath();
    form->Series->Window()->close();
    form->COM.Close();
    form.reset();
    Check(logPath, QStringLiteral("телефон"));
}

// Esc in the middle of a unit's write (in the main window): the write stops at its next echo, the
// unit is reported with the words the telephone took, and the series ends.
TEST(SeriesStop, EscDuringWrite)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
        GTEST_SKIP() << "QUILLON_PHONE not set (run through ctest)";
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    Bench bench;
    ASSERT_TRUE(bench.Start(SeriesScope::All));
    qputenv("QUILLON_COM1", bench.pts.toLocal8Bit());
    auto form = std::make_unique<TForm1>();
    form->SetTickInterval(kTickMs);
    form->show();
    Ui(*form).Act.OpenPort->trigger();
    ASSERT_TRUE(form->COM.Connected());
    for (int a = 0; a < EepromImage::kWords; ++a)
        form->Doc.Words()[a] = bench.series[a];
    AnswerNextModal([](QWidget *w) { qobject_cast<TSeriesDialog *>(w)->StartButton->click(); });
    Ui(*form).Act.Series->trigger();
    ASSERT_TRUE(form->SeriesRuns());
    // Esc in the main window, which the technician may have clicked on.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    ASSERT_TRUE(WaitFor(
        [&] {
            return form->Series->Lanes()->SeriesOf(0).CurrentCycle()->CurrentPhase() == SeriesCycle::Phase::Writing
                   && form->Series->Lanes()->SessionOf(0).Engine.LastConfirmed >= 0x0A;
        },
        kDeadlineMs));
    QTest::keyClick(form.get(), Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] { return !form->SeriesRuns(); }, kDeadlineMs));
    const SeriesCycle &cycle = *form->Series->Lanes()->SeriesOf(0).CurrentCycle();
    ASSERT_EQ(cycle.Done(), 1);
    EXPECT_EQ(cycle.Failed(), 1);
    const QString cause = cycle.UnitsDone()[0].cause();
    EXPECT_TRUE(cause.contains(QStringLiteral("записаны слова 00-"))) << cause.toStdString();
    EXPECT_TRUE(cause.contains(QStringLiteral("не записаны "))) << cause.toStdString();
    EXPECT_EQ(form->Series->Window()->StopButton->text(), QStringLiteral("Закрыть"));
    EXPECT_TRUE(Ui(*form).Act.Read258->isEnabled());
    form->COM.Close();
}

// SIGTERM while the first unit waits to be disconnected ends the series as
// "Стоп" does: the unit done stays done and logged, and it passed.
TEST(SeriesStop, CliTerminated)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE") || qEnvironmentVariableIsEmpty("QUILLON_CLI"))
        GTEST_SKIP() << "QUILLON_PHONE or QUILLON_CLI not set (run through ctest)";
    Bench bench;
    ASSERT_TRUE(bench.Start(SeriesScope::Block));
    const QString logPath = bench.dir.filePath("series.csv");
    QProcess cli;
    QuickTicks(cli);
    cli.start(qEnvironmentVariable("QUILLON_CLI"),
              {"series", "--port", bench.pts, bench.dir.filePath("series.h"), "--scope", "block", "--log", logPath});
    ASSERT_TRUE(WaitFor([&] { return cli.canReadLine() || cli.state() == QProcess::NotRunning; }, kDeadlineMs));
    EXPECT_TRUE(cli.readLine().startsWith("unit 1: ID 4001 -> 4001, good, "));
    cli.terminate();
    ASSERT_TRUE(WaitFor([&] { return cli.state() == QProcess::NotRunning; }, kDeadlineMs));
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 0);
    EXPECT_TRUE(cli.readAllStandardError().contains("series: 1 units, 1 good, 0 failed"));
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll().count('\n'), 2);
}

// Option values the series cannot take end before any port is opened.
TEST(SeriesUsage, BadValues)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_CLI"))
        GTEST_SKIP() << "QUILLON_CLI not set (run through ctest)";
    QTemporaryDir dir;
    QFile image(dir.filePath("series.h"));
    ASSERT_TRUE(image.open(QIODevice::WriteOnly));
    image.write(EncodeImageFile(Pattern(0x5A00), 1, QString()));
    image.close();
    const QString file = image.fileName();
    const QString port = "/dev/quillon-no-such-tty";
    const struct {
        QStringList args;
        const char *message;
    } rows[] = {
        {{"--keep", "all", file}, "--keep takes id, low, none or id,low, not 'all'"},
        {{"--keep", "id,none", file}, "--keep takes id, low, none or id,low, not 'id,none'"},
        {{"--scope", "word", file}, "--scope takes all or block, not 'word'"},
        {{"--count", "0", file}, "--count takes a number of units, 1 or more, not '0'"},
        {{"--count", "five", file}, "--count takes a number of units, 1 or more, not 'five'"},
        {{"block", file}, "series takes no range: --scope all or --scope block"},
        {{}, "one image file expected"},
        {{"--log", "", file}, "--log needs a file name"},
    };
    for (const auto &row : rows) {
        QProcess cli;
        cli.start(qEnvironmentVariable("QUILLON_CLI"), QStringList{"series", "--port", port} + row.args);
        ASSERT_TRUE(cli.waitForFinished(30000));
        const QString errors = QString::fromUtf8(cli.readAllStandardError());
        EXPECT_EQ(cli.exitCode(), 2) << row.message;
        EXPECT_TRUE(errors.contains(QString::fromUtf8(row.message))) << errors.toStdString();
    }
}

// A technician's pace at the clip, through quillon-cli: a contact that
// flickers long enough to be taken for a removal brings back the finished
// unit, which is not started again; then units swapped in one second.
TEST(SeriesSwap, FlickerIsTheSameUnitAndASwapInOneSecondIsTheNext)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE") || qEnvironmentVariableIsEmpty("QUILLON_CLI"))
        GTEST_SKIP() << "QUILLON_PHONE or QUILLON_CLI not set (run through ctest)";
    Bench bench;
    ASSERT_TRUE(bench.Start(SeriesScope::Block, false));
    QProcess cli;
    QuickTicks(cli);
    int removals = 0;
    bool flickered = false;
    QString errors;
    OnStderrLines(cli, &errors, [&](const QString &line) {
        if (line.startsWith("series: disconnect")) {
            bench.Control("unplug");
            if (++removals > 1) // the first removal is the flicker
                QTimer::singleShot(1000, [&] { bench.Control("plug"); });
        } else if (line.startsWith("series: connect") && removals == 1 && !flickered) {
            flickered = true;
            bench.Control("replug");
        }
    });
    cli.start(qEnvironmentVariable("QUILLON_CLI"),
              {"series", "--port", bench.pts, bench.dir.filePath("series.h"), "--scope", "block", "--count", "3",
               "--log", bench.dir.filePath("series.csv")});
    ASSERT_TRUE(WaitFor([&] { return cli.state() == QProcess::NotRunning; }, kDeadlineMs)) << errors.toStdString();
    const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(flickered);
    ASSERT_EQ(lines.size(), 3) << lines.join(u'\n').toStdString() << errors.toStdString();
    for (int u = 1; u <= 3; ++u)
        EXPECT_TRUE(lines[u - 1].startsWith(QStringLiteral("unit %1: ID %2 -> %2, good").arg(u).arg(4000 + u)))
            << lines[u - 1].toStdString();
    EXPECT_EQ(cli.exitCode(), 0) << errors.toStdString();
}

// Ctrl+C while a unit is read: nothing was written to it, and the log says
// so; nobody is told to take a telephone off any more.
TEST(SeriesStop, CliInterruptedDuringTheRead)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE") || qEnvironmentVariableIsEmpty("QUILLON_CLI"))
        GTEST_SKIP() << "QUILLON_PHONE or QUILLON_CLI not set (run through ctest)";
    Bench bench;
    ASSERT_TRUE(bench.Start(SeriesScope::All, false));
    const QString logPath = bench.dir.filePath("series.csv");
    QProcess cli;
    // The engine's own tick: a whole read lasts some 16 s, the interrupt comes 3 s in.
    cli.start(qEnvironmentVariable("QUILLON_CLI"),
              {"series", "--port", bench.pts, bench.dir.filePath("series.h"), "--log", logPath});
    QByteArray started;
    ASSERT_TRUE(
        WaitFor([&] { return (started += cli.readAllStandardError()).contains("series: connect"); }, kDeadlineMs));
    QTest::qWait(3000);
    ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
    ASSERT_TRUE(WaitFor([&] { return cli.state() == QProcess::NotRunning; }, kDeadlineMs));
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    const QString errors = QString::fromUtf8(cli.readAllStandardError());
    EXPECT_TRUE(out.startsWith("unit 1: ID - -> -, untouched, ")) << out.toStdString();
    EXPECT_FALSE(errors.contains("disconnect")) << errors.toStdString();
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].split(u',').value(6), "untouched");
}

// A unit pulled out in the middle of its write: its row says what the port
// said, what to do about it, and which words the unit took, as write says.
TEST(SeriesStop, UnitPulledOutMidWrite)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE") || qEnvironmentVariableIsEmpty("QUILLON_CLI"))
        GTEST_SKIP() << "QUILLON_PHONE or QUILLON_CLI not set (run through ctest)";
    Bench bench;
    ASSERT_TRUE(bench.Start(SeriesScope::All, false));
    // The read: its opening CR and 13 commands of 4; then the write's opening
    // CR, one whole command of 24 and part of the next.
    bench.Control("hangup-after=90");
    const QString logPath = bench.dir.filePath("series.csv");
    QProcess cli;
    QuickTicks(cli);
    cli.start(qEnvironmentVariable("QUILLON_CLI"),
              {"series", "--port", bench.pts, bench.dir.filePath("series.h"), "--log", logPath});
    ASSERT_TRUE(WaitFor([&] { return cli.state() == QProcess::NotRunning; }, kDeadlineMs));
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    EXPECT_TRUE(out.startsWith("unit 1: ID 4001 -> -, failed, ")) << out.toStdString();
    EXPECT_TRUE(out.contains("the device went away")) << out.toStdString();
    EXPECT_TRUE(out.contains("took 00-04")) << out.toStdString();
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString rows = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(rows.contains("took 00-04")) << rows.toStdString();
}

// The start-up image is blank: a whole-image series would put FFFF into every
// unit's words 00-2F. The window asks, "Нет" first, as quillon-cli refuses.
TEST(SeriesImageCheck, TheWindowAsksBeforeABlankImageGoesIntoEveryUnit)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
        GTEST_SKIP() << "QUILLON_PHONE not set (run through ctest)";
    Bench bench;
    ASSERT_TRUE(bench.Start(SeriesScope::All, false));
    qputenv("QUILLON_COM1", bench.pts.toLocal8Bit());
    TForm1 form;
    form.show();
    Ui(form).Act.OpenPort->trigger();
    ASSERT_TRUE(form.COM.Connected());
    QString question;
    AnswerNextModal([&](QWidget *w) {
        auto *dialog = qobject_cast<TSeriesDialog *>(w);
        ASSERT_TRUE(dialog);
        AnswerNextModal([&](QWidget *box) {
            question = qobject_cast<QMessageBox *>(box) ? qobject_cast<QMessageBox *>(box)->text() : QString();
            QTest::keyClick(box, Qt::Key_Return); // the default answer
        });
        dialog->StartButton->click();
    });
    Ui(form).Act.Series->trigger();
    EXPECT_TRUE(question.contains("00-2F")) << question.toStdString();
    EXPECT_FALSE(form.SeriesRuns());
    form.COM.Close();
}

INSTANTIATE_TEST_SUITE_P(Units, SeriesBench, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
