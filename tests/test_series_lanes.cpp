// A series on several ports at once, through quillon-cli and through the
// window: one quillon-phone per lane, each playing its own units; the
// technician's part is played on what each front end asks of each port.

#include "FormUi.h"
#include "ModalHelper.h"
#include "PhoneLane.h"
#include "StderrLines.h"
#include "WaitFor.h"
#include "app/SeriesController.h"
#include "app/SeriesWindow.h"
#include "app/Unit1.h"
#include "image/Backups.h"
#include "image/ImageFile.h"
#include "image/SeriesImage.h"
#include "link/SeriesLanes.h"

#include <QDir>
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QLabel>
#include <QSpinBox>
#include <QTreeWidget>
#include <QTest>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

constexpr int kUnitsPerLane = 2;
constexpr int kDeadlineMs = 240000;
// Four lanes and four emulators share a loaded machine: ticks long enough
// that a reply's limit (30 ticks) never runs out while an emulator waits
// for the processor.
constexpr int kTickMs = 8;

using Lane = PhoneLane;

class SeriesLanesBench : public ::testing::Test {
protected:
    QTemporaryDir dir, data;
    std::vector<std::unique_ptr<Lane>> lanes;
    EepromImage series = LaneUnitWords(9, 9);
    QString errors;

    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QUILLON_PHONE") || qEnvironmentVariableIsEmpty("QUILLON_CLI"))
            GTEST_SKIP() << "QUILLON_PHONE or QUILLON_CLI not set (run through ctest)";
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        ASSERT_TRUE(WriteLaneImage(dir.filePath("series.h"), series));
    }
    void AddLanes(int n, int failingLane)
    {
        for (int i = 0; i < n; ++i) {
            const int number = int(lanes.size()) + 1;
            lanes.push_back(std::make_unique<Lane>());
            // The failing lane's first unit: its first write command stores nothing.
            QStringList extra{"--fast"};
            if (number == failingLane)
                extra << "--fault" << "drop-write@1";
            ASSERT_TRUE(lanes.back()->Start(qEnvironmentVariable("QUILLON_PHONE"), dir.path(), number, kUnitsPerLane,
                                            extra));
        }
    }
    Lane *LaneOf(const QString &line)
    {
        for (const auto &lane : lanes)
            if (line.contains(lane->pts + "\n") || line.contains(lane->pts + " "))
                return lane.get();
        return nullptr;
    }
    // Runs quillon-cli, playing the technician at every lane; its exit code.
    int Run(const QStringList &args, QString *out)
    {
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUILLON_TICK_MS", QString::number(kTickMs));
        cli.setProcessEnvironment(env);
        OnStderrLines(cli, &errors, [&](const QString &line) {
            Lane *lane = LaneOf(line);
            if (!lane)
                return;
            if (line.startsWith("series: disconnect"))
                lane->Removal();
            else if (line.startsWith("series: connect"))
                lane->Waiting();
        });
        cli.start(qEnvironmentVariable("QUILLON_CLI"), args);
        EXPECT_TRUE(WaitFor([&] { return cli.state() == QProcess::NotRunning; }, kDeadlineMs)) << errors.toStdString();
        *out = QString::fromUtf8(cli.readAllStandardOutput());
        return cli.exitCode();
    }
};

// Eight units on four lanes, the first unit of lane 3 failing: every unit is
// logged with its port, and each unit's stored words are what its row says.
TEST_F(SeriesLanesBench, EightUnitsOnFourLanes)
{
    AddLanes(4, 3);
    const QString logPath = dir.filePath("series.csv");
    QStringList args{"series", dir.filePath("series.h"), "--count", "8", "--log", logPath};
    for (const auto &lane : lanes)
        args << "--port" << lane->pts;
    QString out;
    EXPECT_EQ(Run(args, &out), 5) << errors.toStdString();

    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 9) << rows.join(u'\n').toStdString() << errors.toStdString();
    const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 8) << out.toStdString();
    const QList<Backups::Entry> backups = Backups::List(Backups::Folder());
    EXPECT_EQ(backups.size(), 8);
    QSet<QString> seen;
    for (const QString &row : rows.mid(1)) {
        SCOPED_TRACE(row.toStdString());
        // unit,start,duration_s,port,id_before,id_after,result,cause,differing_words,backup
        const QStringList f = row.split(u',');
        ASSERT_GE(f.size(), 10);
        Lane *lane = LaneOf(f[3] + " ");
        ASSERT_TRUE(lane);
        const int unit = f[0].toInt();
        ASSERT_TRUE(unit >= 1 && unit <= kUnitsPerLane);
        EXPECT_FALSE(seen.contains(f[3] + f[0])) << "a unit logged twice";
        seen << f[3] + f[0];
        const bool good = !(lane->number == 3 && unit == 1);
        const EepromImage before = LaneUnitWords(lane->number, unit);
        EepromImage held = BuildUnitImage(series, before, KeepId, SeriesScope::All);
        QStringList differing;
        if (!good)
            for (int a = 0; a < 5; ++a)
                if (std::exchange(held[a], before[a]) != before[a])
                    differing << ByteToHex(uint8_t(a));
        const EepromImage saved = lane->Saved(unit);
        for (int a = 0; a < EepromImage::kWords; ++a)
            EXPECT_EQ(saved[a], held[a]) << "word " << a;
        EXPECT_EQ(f[4], QString::number(before[Addr::BaseId]));
        EXPECT_EQ(f[6], good ? "good" : "failed");
        EXPECT_EQ(f[f.size() - 2], differing.join(u' '));
        const QString shown = QStringLiteral("%1: unit %2: ID %3 -> ").arg(lane->pts).arg(unit).arg(before[Addr::BaseId]);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const QString &l) {
            return l.startsWith(shown) && l.contains(good ? ", good, " : ", failed, ");
        })) << out.toStdString();
        // The backup of the unit names its port.
        bool found = false;
        for (const Backups::Entry &e : backups)
            if (QFileInfo(e.path).fileName() == f.constLast())
                found = e.comment.contains(lane->pts);
        EXPECT_TRUE(found) << f.constLast().toStdString();
    }
    EXPECT_EQ(seen.size(), 8);
}

// What is refused before any port opens, and a lane that cannot open while
// the other goes on.
TEST_F(SeriesLanesBench, PortsRefusedOrLost)
{
    AddLanes(1, 0);
    const QString pts = lanes[0]->pts;
    const QString link = dir.filePath("clip");
    ASSERT_TRUE(QFile::link(pts, link));
    const QString logPath = dir.filePath("series.csv");
    QString out;
    // The same device by two names: nothing starts, no log is made.
    EXPECT_EQ(Run({"series", dir.filePath("series.h"), "--port", pts, "--port", link, "--log", logPath}, &out), 2);
    EXPECT_TRUE(errors.contains("are the same device")) << errors.toStdString();
    EXPECT_FALSE(QFile::exists(logPath));

    // Another program holds a port: the lane says which, the other lane runs.
    QProcess holder;
    holder.start("bash", {"-c", QStringLiteral("exec sleep 60 3<>%1").arg(pts)});
    ASSERT_TRUE(holder.waitForStarted());
    const qint64 holderPid = holder.processId();
    AddLanes(2, 0);
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(QStringLiteral("/proc/%1/fd/3").arg(holderPid)); }, 5000));
    errors.clear();
    EXPECT_EQ(Run({"series", dir.filePath("series.h"), "--port", pts, "--port", lanes[2]->pts, "--count", "1", "--log",
                   logPath},
                  &out),
              5);
    holder.kill();
    holder.waitForFinished();
    EXPECT_TRUE(errors.contains(QStringLiteral("held by: sleep (pid %1)").arg(holderPid))) << errors.toStdString();
    EXPECT_TRUE(out.startsWith(lanes[2]->pts + ": unit 1: ")) << out.toStdString();
    EXPECT_TRUE(out.contains(", good, ")) << out.toStdString();
}

// Four clips in the window: the dialog's port list picks them, the window's
// own port among them; each lane shows its own unit, and the window has its
// port back afterwards. The picture is the guide's.
TEST_F(SeriesLanesBench, FourLanesInTheWindow)
{
    AddLanes(4, 3);
    for (int i = 0; i < 4; ++i)
        qputenv(QStringLiteral("QUILLON_COM%1").arg(i + 1).toLatin1(), lanes[i]->pts.toLocal8Bit());
    auto form = std::make_unique<TForm1>();
    form->SetTickInterval(kTickMs);
    form->show();
    Ui(*form).ComboBox1->setCurrentText("COM1");
    Ui(*form).Act.OpenPort->trigger();
    ASSERT_TRUE(form->COM.Connected());
    for (int a = 0; a < EepromImage::kWords; ++a)
        form->Doc.Words()[a] = series[a];

    AnswerNextModal([&](QWidget *w) {
        auto *dialog = qobject_cast<TSeriesDialog *>(w);
        ASSERT_TRUE(dialog);
        QListWidget *ports = dialog->PortList;
        ASSERT_EQ(ports->item(0)->checkState(), Qt::Checked) << "the window's own port";
        for (int i = 1; i < 4; ++i)
            ports->item(i)->setCheckState(Qt::Checked);
        EXPECT_EQ(dialog->Ports(), QStringList({"COM1", "COM2", "COM3", "COM4"}));
        dialog->UnitCount->setValue(8);
        dialog->StartButton->click();
    });
    Ui(*form).Act.Series->trigger();
    ASSERT_TRUE(form->SeriesRuns());
    EXPECT_FALSE(form->COM.Connected()) << "COM1 is its lane's for the series";
    const SeriesLanes &run = *form->Series->Lanes();
    TSeriesWindow *window = form->Series->Window();
    ASSERT_EQ(run.LaneCount(), 4);
    QObject::connect(&run, &SeriesLanes::PhaseChanged, [&](int i, SeriesCycle::Phase phase) {
        if (phase == SeriesCycle::Phase::WaitRemoval)
            lanes[size_t(i)]->Removal();
        else if (phase == SeriesCycle::Phase::WaitPhone)
            lanes[size_t(i)]->Waiting();
    });
    // Mid-way, for the guide: lanes in different states.
    ASSERT_TRUE(WaitFor([&] { return run.Done() >= 5 || !form->SeriesRuns(); }, kDeadlineMs));
    window->grab().save(QDir(QStringLiteral(QUILLON_PICTURE_DIR)).filePath("series-lanes.png"));
    ASSERT_TRUE(WaitFor([&] { return !form->SeriesRuns(); }, kDeadlineMs));

    EXPECT_EQ(run.Done(), 8);
    EXPECT_EQ(run.Failed(), 1);
    EXPECT_EQ(window->Counters->text(), QStringLiteral("Всего: 8    Годных: 7    Брак: 1"));
    ASSERT_EQ(window->UnitList->topLevelItemCount(), 8);
    for (int row = 0; row < 8; ++row) {
        const QTreeWidgetItem *item = window->UnitList->topLevelItem(row);
        const int lane = item->text(6).mid(3).toInt(); // "COM3"
        ASSERT_TRUE(lane >= 1 && lane <= 4) << item->text(6).toStdString();
        EXPECT_EQ(item->text(4), lane == 3 && item->text(0) == "1" ? "Брак" : "Годен") << item->text(5).toStdString();
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window->Lane(i)->Count->text().left(12), QStringLiteral("Телефонов: 2")) << i;
    // The window's port is its own again, the lanes' are closed.
    EXPECT_TRUE(form->COM.Connected());
    EXPECT_TRUE(Ui(*form).Act.Read258->isEnabled());
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(run.SessionOf(i).COM.Connected()) << i;
    form->COM.Close();
}

} // namespace
