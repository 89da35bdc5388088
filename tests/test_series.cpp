// The series of telephones: each unit's image, the CSV log, and the cycle
// driven against a fake bench of units on a simulated clock.

#include "CliEnglish.h"
#include "image/Backups.h"
#include "image/SeriesImage.h"
#include "link/SeriesCycle.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>
#include <optional>

namespace {

const QDateTime T0(QDate(2026, 12, 9), QTime(14, 3, 22));

EepromImage Filled(uint16_t base)
{
    EepromImage img;
    for (int a = 0; a < EepromImage::kWords; ++a)
        img[a] = static_cast<uint16_t>(base + a);
    return img;
}

// A bench: units put on the line one after another. The technician takes a
// unit off when it is signalled, and the next one is on two probes later.
class FakeBench : public SeriesProgrammer {
public:
    enum class Fault { None, DropWrite, WriteFails, PortLost, ReadCancelled };
    struct Unit {
        EepromImage words;
        Fault fault = Fault::None;
    };

    std::deque<Unit> waiting;
    std::optional<Unit> onLine;
    QList<EepromImage> finished; // every unit's EEPROM once it is taken off
    int probesToNext = 0;
    QStringList comments;
    SeriesCycle *cycle = nullptr;

    enum class Call { None, Probe, Read, Write, ReadBack };
    Call pending = Call::None;
    EepromImage toWrite;
    int first = 0, last = 0;

    void Probe() override { pending = Call::Probe; }
    void ReadUnit(const QString &comment) override
    {
        comments << comment;
        pending = Call::Read;
    }
    void Write(const EepromImage &image, int f, int l) override
    {
        toWrite = image;
        first = f;
        last = l;
        pending = Call::Write;
    }
    void ReadBack(int f, int l) override
    {
        first = f;
        last = l;
        pending = Call::ReadBack;
    }
    void Signal(const SeriesUnit &) override
    {
        if (onLine)
            finished << onLine->words;
        onLine.reset();
        probesToNext = 2;
    }

    // Answers what is pending, or lets 100 ms go by.
    void Step(QDateTime &now)
    {
        const Call call = pending;
        pending = Call::None;
        now = now.addMSecs(100);
        switch (call) {
        case Call::None:
            cycle->Advance(100, now);
            break;
        case Call::Probe:
            if (!onLine && !waiting.empty() && --probesToNext < 0) {
                onLine = waiting.front();
                waiting.pop_front();
            }
            cycle->ProbeDone(onLine.has_value(), now);
            break;
        case Call::Read: {
            SeriesJobResult r;
            r.completed = onLine->fault != Fault::ReadCancelled;
            if (!r.completed)
                r.cause = QStringLiteral("cancelled");
            r.words = onLine->words;
            r.backup = QStringLiteral("backup %1.h").arg(comments.size());
            cycle->JobDone(r, now);
            break;
        }
        case Call::Write: {
            SeriesJobResult r;
            r.completed = onLine->fault != Fault::WriteFails && onLine->fault != Fault::PortLost;
            if (onLine->fault == Fault::WriteFails)
                r.cause = QStringLiteral("no echo; words 00-0F written");
            if (onLine->fault == Fault::PortLost) {
                r.cause = QStringLiteral("port lost");
                r.fatal = true;
            }
            if (r.completed && onLine->fault != Fault::DropWrite)
                for (int a = first; a <= last; ++a)
                    onLine->words[a] = toWrite[a];
            cycle->JobDone(r, now);
            break;
        }
        case Call::ReadBack: {
            SeriesJobResult r;
            r.completed = true;
            r.words = onLine->words;
            for (int a = first; a <= last; ++a) // as the session's verify finds them
                if (onLine->words[a] != toWrite[a])
                    r.differing << a;
            cycle->JobDone(r, now);
            break;
        }
        }
    }
};

struct Row {
    int idBefore, idAfter;
    bool good;
    const char *cause;
    const char *result = nullptr; // the log's word, where it is not "good" or "failed"
};

struct SeriesCase {
    const char *name;
    std::vector<FakeBench::Fault> faults; // one unit each
    bool stopOnFailure;
    int count;
    std::vector<Row> rows;
};

using F = FakeBench::Fault;
const uint16_t kSeriesId = 0x0A00; // word 0x37 of the series image

class SeriesTable : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(SeriesTable, UnitsCountersAndLog)
{
    const SeriesCase &c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString logPath = dir.filePath(QStringLiteral("sub/series.csv"));
    SeriesLog log;
    ASSERT_TRUE(log.Open(logPath, true));

    FakeBench bench;
    for (size_t i = 0; i < c.faults.size(); ++i)
        bench.waiting.push_back({Filled(static_cast<uint16_t>(0x1000 * (i + 1))), c.faults[i]});
    SeriesOptions o;
    o.image = Filled(0x0A00 - 0x37);
    o.keep = KeepId;
    o.stopOnFailure = c.stopOnFailure;
    o.count = c.count;
    o.port = QStringLiteral("/dev/ttyUSB0");
    const CliEnglish english; // the causes and comments as quillon-cli words them
    SeriesCycle cycle(bench, o, &log);
    bench.cycle = &cycle;

    QDateTime now = T0;
    cycle.Start(now);
    // Until the series ends, or waits for a unit the bench no longer has.
    auto idle = [&] {
        return bench.waiting.empty() && !bench.onLine && cycle.CurrentPhase() == SeriesCycle::Phase::WaitPhone;
    };
    for (int i = 0; i < 2000 && cycle.CurrentPhase() != SeriesCycle::Phase::Finished && !idle(); ++i)
        bench.Step(now);

    ASSERT_EQ(cycle.UnitsDone().size(), static_cast<int>(c.rows.size()));
    int good = 0;
    for (size_t i = 0; i < c.rows.size(); ++i) {
        const SeriesUnit &u = cycle.UnitsDone()[static_cast<int>(i)];
        const Row &want = c.rows[i];
        EXPECT_EQ(u.number, static_cast<int>(i) + 1);
        EXPECT_EQ(u.idBefore, want.idBefore) << "unit " << u.number;
        EXPECT_EQ(u.idAfter, want.idAfter) << "unit " << u.number;
        EXPECT_EQ(u.good, want.good) << "unit " << u.number;
        EXPECT_EQ(u.cause().toStdString(), want.cause) << "unit " << u.number;
        EXPECT_EQ(u.backup, want.result ? QString() : QStringLiteral("backup %1.h").arg(i + 1));
        EXPECT_EQ(SeriesResultWord(u).toStdString(), want.result ? want.result : want.good ? "good" : "failed");
        good += want.good;
        // A good unit holds the series image with its own ID code and channels.
        if (want.good) {
            EepromImage expect = o.image;
            for (int a = 0x37; a <= 0x3A; ++a)
                expect[a] = static_cast<uint16_t>(0x1000 * (i + 1) + a);
            EXPECT_EQ(bench.finished[static_cast<int>(i)], expect) << "unit " << u.number;
        }
    }
    EXPECT_EQ(cycle.Done(), static_cast<int>(c.rows.size()));
    EXPECT_EQ(cycle.Good(), good);
    EXPECT_EQ(cycle.Failed(), static_cast<int>(c.rows.size()) - good);
    EXPECT_FALSE(cycle.LogFailed());
    EXPECT_EQ(bench.comments.value(0), QStringLiteral("series 2026-12-09 14:03:22, unit 1"));

    QFile f(logPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<int>(c.rows.size()) + 1);
    EXPECT_EQ(lines[0], SeriesCsvHeader());
    for (int i = 1; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], SeriesCsvRow(cycle.UnitsDone()[i - 1]));
}

// Unit n reads 0x1000 * n + 0x37 as its ID code; good units keep it.
const int U1 = 0x1037, U2 = 0x2037, U3 = 0x3037, U4 = 0x4037, U5 = 0x5037;

INSTANTIATE_TEST_SUITE_P(
    Series, SeriesTable,
    ::testing::Values(
        SeriesCase{"FiveUnitsTheThirdDroppingItsWrite",
                   {F::None, F::None, F::DropWrite, F::None, F::None},
                   false,
                   0,
                   {{U1, U1, true, ""},
                    {U2, U2, true, ""},
                    {U3, U3, false,
                     "verify failed: words 00, 01, 02, 03, 04, 05, 06, 07, 08, 09, 0A, 0B, 0C, 0D, "
                     "0E, 0F, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 1A, 1B, 1C, 1D, 1E, 1F, 20, "
                     "21, 22, 23, 24, 25, 26, 27, 28, 29, 2A, 2B, 2C, 2D, 2E, 2F, 30, 31, 32, 33, "
                     "34, 35, 36, 3B, 3C, 3D, 3E, 3F"},
                    {U4, U4, true, ""},
                    {U5, U5, true, ""}}},
        SeriesCase{"StopOnFailure",
                   {F::None, F::None, F::WriteFails, F::None, F::None},
                   true,
                   0,
                   {{U1, U1, true, ""}, {U2, U2, true, ""}, {U3, -1, false, "no echo; words 00-0F written"}}},
        SeriesCase{
            "CountEndsTheSeries", {F::None, F::None, F::None}, false, 2, {{U1, U1, true, ""}, {U2, U2, true, ""}}},
        SeriesCase{"ALostPortEndsTheSeries",
                   {F::None, F::PortLost, F::None},
                   false,
                   0,
                   {{U1, U1, true, ""}, {U2, -1, false, "port lost"}}},
        // Nothing was written to a unit whose read was cancelled: no reject.
        SeriesCase{"AReadCancelledLeavesTheUnitUntouched",
                   {F::ReadCancelled, F::None},
                   false,
                   0,
                   {{-1, -1, false, "cancelled", "untouched"}, {U2, U2, true, ""}}}),
    [](const auto &info) { return std::string(info.param.name); });

// quillon-cli logs the English cause and shows the Russian one under a
// Russian locale: a unit's cause is worded where it is shown.
TEST(SeriesCycle, ACauseIsWordedWhereItIsShown)
{
    FakeBench bench;
    bench.waiting.push_back({Filled(0x1000), F::DropWrite});
    SeriesOptions o;
    o.image = Filled(0);
    o.scope = SeriesScope::Block;
    // What the series records is worded as quillon-cli asks: English.
    o.recordWords = [](const LaterText &text) {
        const CliEnglish english;
        return text();
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SeriesLog log;
    ASSERT_TRUE(log.Open(dir.filePath(QStringLiteral("series.csv"))));
    SeriesCycle cycle(bench, o, &log);
    bench.cycle = &cycle;
    QDateTime now = T0;
    cycle.Start(now);
    for (int i = 0; i < 200 && cycle.Done() == 0; ++i)
        bench.Step(now);
    ASSERT_EQ(cycle.Done(), 1);
    EXPECT_EQ(bench.comments.value(0), QStringLiteral("series 2026-12-09 14:03:22, unit 1"));
    QFile f(log.Path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains(",\"verify failed: words 30, 31"));
    {
        const CliEnglish english;
        EXPECT_TRUE(cycle.UnitsDone()[0].cause().startsWith(QStringLiteral("verify failed: words 30, 31")))
            << cycle.UnitsDone()[0].cause().toStdString();
    }
    EXPECT_TRUE(cycle.UnitsDone()[0].cause().startsWith(QStringLiteral("Проверка не пройдена: слова 30, 31")))
        << cycle.UnitsDone()[0].cause().toStdString();
}

TEST(SeriesCycle, StopEndsAfterTheRunningJobAndProbesNoMore)
{
    FakeBench bench;
    bench.waiting.push_back({Filled(0x1000), F::None});
    SeriesOptions o;
    o.image = Filled(0);
    SeriesCycle cycle(bench, o);
    bench.cycle = &cycle;
    QDateTime now = T0;
    cycle.Start(now);
    while (bench.pending != FakeBench::Call::Write)
        bench.Step(now);
    cycle.RequestStop();
    EXPECT_EQ(cycle.CurrentPhase(), SeriesCycle::Phase::Writing) << "the write runs to its end";
    bench.Step(now);
    EXPECT_EQ(cycle.CurrentPhase(), SeriesCycle::Phase::Finished);
    ASSERT_EQ(cycle.Done(), 1);
    EXPECT_EQ(cycle.UnitsDone()[0].cause(), QStringLiteral("Серия остановлена до проверки"));
    for (int i = 0; i < 20; ++i)
        bench.Step(now);
    EXPECT_EQ(bench.pending, FakeBench::Call::None);
}

// Lanes of one series: a unit that answers waits while the shared count says
// no, and a lane told to start no more units verifies the one in hand.
TEST(SeriesCycle, TheSharedCountHoldsAUnitBackAndEndAfterUnitFinishesTheUnitInHand)
{
    FakeBench bench;
    bench.waiting.push_back({Filled(0x1000), F::None});
    bench.waiting.push_back({Filled(0x2000), F::None});
    SeriesOptions o;
    o.image = Filled(0);
    bool mayStart = false;
    o.mayStart = [&] { return mayStart; };
    SeriesCycle cycle(bench, o);
    bench.cycle = &cycle;
    QDateTime now = T0;
    cycle.Start(now);
    for (int i = 0; i < 40; ++i)
        bench.Step(now);
    EXPECT_EQ(cycle.CurrentPhase(), SeriesCycle::Phase::WaitPhone);
    mayStart = true;
    while (bench.pending != FakeBench::Call::Write)
        bench.Step(now);
    cycle.EndAfterUnit();
    for (int i = 0; i < 20 && cycle.CurrentPhase() != SeriesCycle::Phase::Finished; ++i)
        bench.Step(now);
    EXPECT_EQ(cycle.CurrentPhase(), SeriesCycle::Phase::Finished);
    ASSERT_EQ(cycle.Done(), 1);
    EXPECT_TRUE(cycle.UnitsDone()[0].good) << cycle.UnitsDone()[0].cause().toStdString();
}

// A silent probe lasts a whole echo limit: one is a removal, so a unit swapped
// in a second is seen. A flickering contact that fools it brings back the
// same unit, which its read tells by the words it was left with.
TEST(SeriesCycle, ProbesEveryHalfSecondOneSilentProbeIsARemovalAndTheSameUnitComesBackUncounted)
{
    FakeBench bench;
    SeriesOptions o;
    SeriesCycle cycle(bench, o);
    bench.cycle = &cycle;
    QDateTime now = T0;
    cycle.Start(now);
    EXPECT_EQ(bench.pending, FakeBench::Call::Probe) << "the first probe at once";
    bench.pending = FakeBench::Call::None;
    cycle.ProbeDone(false, now);
    cycle.Advance(499, now);
    EXPECT_EQ(bench.pending, FakeBench::Call::None);
    cycle.Advance(1, now);
    EXPECT_EQ(bench.pending, FakeBench::Call::Probe);

    // A unit that answers once more after its signal is still on the line.
    bench.pending = FakeBench::Call::None;
    cycle.ProbeDone(true, now);
    ASSERT_EQ(cycle.CurrentPhase(), SeriesCycle::Phase::Reading);
    SeriesJobResult ok;
    ok.completed = true;
    ok.words = o.image;
    cycle.JobDone(ok, now);
    cycle.JobDone(ok, now);
    cycle.JobDone(ok, now);
    ASSERT_EQ(cycle.CurrentPhase(), SeriesCycle::Phase::WaitRemoval);
    cycle.Advance(500, now);
    cycle.ProbeDone(true, now);
    EXPECT_EQ(cycle.CurrentPhase(), SeriesCycle::Phase::WaitRemoval);
    cycle.Advance(500, now);
    cycle.ProbeDone(false, now);
    EXPECT_EQ(cycle.CurrentPhase(), SeriesCycle::Phase::WaitPhone);

    // The flicker: the same unit answers and reads as it was left.
    cycle.Advance(500, now);
    cycle.ProbeDone(true, now);
    ASSERT_EQ(cycle.CurrentPhase(), SeriesCycle::Phase::Reading);
    cycle.JobDone(ok, now);
    EXPECT_EQ(cycle.CurrentPhase(), SeriesCycle::Phase::WaitRemoval);
    EXPECT_EQ(cycle.Done(), 1);
    EXPECT_EQ(cycle.SameUnitReturns(), 1);

    // The next unit holds other words: it is written.
    cycle.Advance(500, now);
    cycle.ProbeDone(false, now);
    cycle.Advance(500, now);
    cycle.ProbeDone(true, now);
    SeriesJobResult other = ok;
    other.words[0x00] = 0x1234;
    cycle.JobDone(other, now);
    EXPECT_EQ(cycle.CurrentPhase(), SeriesCycle::Phase::Writing);
}

struct BuildCase {
    const char *name;
    unsigned keep;
    SeriesScope scope;
    std::vector<std::pair<int, int>> fromUnit; // address ranges taken from the unit
};

class UnitImageTable : public ::testing::TestWithParam<BuildCase> {};

TEST_P(UnitImageTable, KeepsTheChosenWordsOfTheUnit)
{
    const BuildCase &c = GetParam();
    const EepromImage series = Filled(0x1000), unit = Filled(0x2000);
    const EepromImage out = BuildUnitImage(series, unit, c.keep, c.scope);
    for (int a = 0; a < EepromImage::kWords; ++a) {
        bool kept = false;
        for (const auto &r : c.fromUnit)
            kept = kept || (a >= r.first && a <= r.second);
        EXPECT_EQ(out[a], kept ? unit[a] : series[a]) << "word " << a;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Series, UnitImageTable,
    ::testing::Values(BuildCase{"None", KeepNone, SeriesScope::All, {}},
                      BuildCase{"Id", KeepId, SeriesScope::All, {{0x37, 0x3A}}},
                      BuildCase{"Low", KeepLow, SeriesScope::All, {{0x00, 0x2F}}},
                      BuildCase{"IdAndLow", KeepId | KeepLow, SeriesScope::All, {{0x00, 0x2F}, {0x37, 0x3A}}},
                      BuildCase{"BlockLeavesTheRestAsItIs", KeepNone, SeriesScope::Block, {{0x00, 0x2F}}},
                      BuildCase{"BlockKeepingId", KeepId, SeriesScope::Block, {{0x00, 0x2F}, {0x37, 0x3A}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SeriesImage, ParsesKeepAndScope)
{
    unsigned keep = 99;
    SeriesScope scope = SeriesScope::All;
    EXPECT_TRUE(ParseSeriesKeep(QStringLiteral("id,low"), &keep));
    EXPECT_EQ(keep, unsigned(KeepId | KeepLow));
    EXPECT_TRUE(ParseSeriesKeep(QStringLiteral("none"), &keep));
    EXPECT_EQ(keep, unsigned(KeepNone));
    for (const char *bad : {"", "id,", "none,id", "id,id", "ID", "all"})
        EXPECT_FALSE(ParseSeriesKeep(QString::fromLatin1(bad), &keep)) << bad;
    EXPECT_TRUE(ParseSeriesScope(QStringLiteral("block"), &scope));
    EXPECT_EQ(scope, SeriesScope::Block);
    EXPECT_FALSE(ParseSeriesScope(QStringLiteral("word"), &scope));
}

TEST(SeriesImage, TheLogLivesBesideTheBackupsOneFileASeries)
{
    // Where the data folder is the user's own (Windows), a run that stopped
    // half-way may have left its log behind.
    const QString series = QFileInfo(Backups::Folder()).absolutePath() + QStringLiteral("/series/");
    const QString first = series + QStringLiteral("2026-12-09_14-03-22.csv");
    const QString second = series + QStringLiteral("2026-12-09_14-03-22 (2).csv");
    QFile::remove(first);
    QFile::remove(second);
    EXPECT_EQ(SeriesLog::DefaultPath(T0), first);
    {
        SeriesLog log;
        ASSERT_TRUE(log.Open(first, true));
        EXPECT_EQ(SeriesLog::DefaultPath(T0), second)
            << "a series started within the same second appends to no other's log";
    } // closed: Windows removes no open file
    EXPECT_TRUE(QFile::remove(first));
}

TEST(SeriesImage, CsvQuotesCommasQuotesAndNewlines)
{
    EXPECT_EQ(CsvField(QStringLiteral("plain text")), QStringLiteral("plain text"));
    EXPECT_EQ(CsvField(QStringLiteral("a,b")), QStringLiteral("\"a,b\""));
    EXPECT_EQ(CsvField(QStringLiteral("say \"M\"")), QStringLiteral("\"say \"\"M\"\"\""));
    EXPECT_EQ(CsvField(QStringLiteral("two\nlines\r")), QStringLiteral("\"two\nlines\r\""));

    SeriesUnit u;
    u.number = 3;
    u.start = T0;
    u.durationMs = 41300;
    u.port = QStringLiteral("COM1");
    u.idBefore = 6699;
    u.written = true;
    u.cause = QStringLiteral("Эхо \"M\", слово 31");
    u.differing = {0x31, 0x37};
    u.backup = QStringLiteral("a,b.h");
    EXPECT_EQ(SeriesCsvRow(u), QStringLiteral("3,2026-12-09T14:03:22,41.3,COM1,6699,,failed,"
                                              "\"Эхо \"\"M\"\", слово 31\",31 37,\"a,b.h\""));
}

} // namespace
