// Times quillon-cli's series on one port and on four at once against
// quillon-phone at the real line rate and the engine's own tick: the wall
// time of each (every lane has the same units, so four lanes should take no
// longer than one), each unit against the least time its read, write and
// read-back allow on the line, and the CPU time and wake-ups of a series
// whose lanes all wait for a telephone. The technician swaps each unit the
// moment a lane asks.
//
//   bench_series_lanes [--phone PATH] [--cli PATH] [--units N] [--idle-s S]

#include "bench/LineBound.h"
#include "image/ImageFile.h"
#include "tests/PhoneLane.h"
#include "link/EngineDriver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <vector>

#include <csignal>
#include <unistd.h>

namespace {

const double kCharS = 1.0 / 30; // 10 bits at 300 bit/s

// The process's CPU time so far (user and system), from /proc.
double CpuSeconds(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    // The fields after the name, which may hold spaces: state is field 3,
    // utime and stime are fields 14 and 15.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return (fields[11].toLongLong() + fields[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

// Every time one of the process's threads went to sleep and was woken, or
// was put off the processor: the context switches of all its threads.
long WakeUps(qint64 pid)
{
    long total = 0;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks + "/" + task + "/status");
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:") || line.startsWith("nonvoluntary_ctxt_switches:"))
                total += line.mid(line.indexOf(':') + 1).trimmed().toLong();
    }
    return total;
}

using Lane = PhoneLane;
using Lanes = std::vector<std::unique_ptr<Lane>>;

bool StartLanes(Lanes &lanes, int n, const QString &phonePath, const QString &root, int units)
{
    for (int i = 0; i < n; ++i) {
        lanes.push_back(std::make_unique<Lane>());
        if (!lanes.back()->Start(phonePath, root, int(lanes.size()), units)) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(phonePath));
            return false;
        }
    }
    return true;
}

struct Series {
    double wallS = 0;
    double cpuS = 0;
    int exitCode = -1;
    bool ended = false;
    QStringList rows; // the log's, without its header
    QString errors;
};

QStringList CliArgs(const QString &image, const Lanes &lanes)
{
    QStringList args{"series", image, "--scope", "all"};
    for (const auto &lane : lanes)
        args << "--port" << lane->pts;
    return args;
}

void SetUpCli(QProcess &cli, const QString &dataHome)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QUILLON_TICK_MS"); // the engine's own tick
    env.insert("LC_ALL", "C.UTF-8"); // the lines read below are the English ones
    env.insert("LANGUAGE", "");
    env.insert("XDG_DATA_HOME", dataHome); // the units' backups
    cli.setProcessEnvironment(env);
}

// Runs a series over the lanes, playing the technician.
Series RunSeries(const QString &cliPath, const QStringList &args, Lanes &lanes, const QString &dataHome,
                 const QString &logPath, int deadlineS)
{
    Series s;
    QProcess cli;
    SetUpCli(cli, dataHome);
    const auto laneOf = [&](const QString &line) -> Lane * {
        if (lanes.size() == 1)
            return lanes[0].get();
        for (const auto &lane : lanes)
            if (line.endsWith(lane->pts) || line.contains(lane->pts + " "))
                return lane.get();
        return nullptr;
    };
    QObject::connect(&cli, &QProcess::readyReadStandardError, [&] {
        cli.setReadChannel(QProcess::StandardError);
        while (cli.canReadLine()) {
            const QString line = QString::fromUtf8(cli.readLine()).trimmed();
            s.errors += line + u'\n';
            Lane *lane = laneOf(line);
            if (!lane)
                continue;
            if (line.startsWith("series: disconnect"))
                lane->Removal();
            else if (line.startsWith("series: connect"))
                lane->Waiting();
        }
    });
    // The CPU time is read while the process is there to read it from.
    QTimer sample;
    sample.setInterval(200);
    QObject::connect(&sample, &QTimer::timeout, [&] {
        if (const double cpu = CpuSeconds(cli.processId()); cpu >= 0)
            s.cpuS = cpu;
    });
    QEventLoop loop;
    QObject::connect(&cli, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(deadlineS * 1000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    cli.start(cliPath, args + QStringList{"--log", logPath});
    if (!cli.waitForStarted(5000))
        return s;
    sample.start();
    loop.exec();
    s.wallS = clock.nsecsElapsed() / 1e9;
    s.ended = cli.state() == QProcess::NotRunning;
    if (!s.ended) {
        cli.kill();
        cli.waitForFinished(5000);
    }
    s.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    QFile log(logPath);
    if (log.open(QIODevice::ReadOnly))
        s.rows = QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts).mid(1);
    return s;
}

struct Idle {
    double cpuS = -1;
    long wakeUps = 0;
    bool ok = false;
};

// A series whose lanes all wait for a telephone: what it costs over idleS.
Idle RunIdle(const QString &cliPath, const QStringList &args, Lanes &lanes, const QString &dataHome,
             const QString &logPath, double idleS)
{
    Idle r;
    for (const auto &lane : lanes)
        lane->Control("unplug");
    QProcess cli;
    SetUpCli(cli, dataHome);
    cli.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    cli.start(cliPath, args + QStringList{"--log", logPath});
    if (!cli.waitForStarted(5000))
        return r;
    const qint64 pid = cli.processId();
    // Past the start-up and the first probes.
    if (cli.waitForFinished(2000))
        return r;
    const double cpu0 = CpuSeconds(pid);
    const long wakeUps0 = WakeUps(pid);
    if (cli.waitForFinished(static_cast<int>(idleS * 1000)))
        return r;
    r.cpuS = CpuSeconds(pid) - cpu0;
    r.wakeUps = WakeUps(pid) - wakeUps0;
    ::kill(pid_t(pid), SIGINT); // Ctrl+C
    r.ok = cpu0 >= 0 && cli.waitForFinished(10000);
    if (!r.ok) {
        cli.kill();
        cli.waitForFinished(5000);
    }
    // Every lane was there, waiting.
    const QString errors = QString::fromUtf8(cli.readAllStandardError());
    for (const auto &lane : lanes)
        r.ok = r.ok && errors.contains("series: connect a telephone to " + lane->pts);
    return r;
}

const char *Goal(bool met)
{
    return met ? "" : "  over the goal";
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
#ifdef QUILLON_PHONE_PATH
    QString phonePath = QStringLiteral(QUILLON_PHONE_PATH);
#else
    QString phonePath = qEnvironmentVariable("QUILLON_PHONE");
#endif
#ifdef QUILLON_CLI_PATH
    QString cliPath = QStringLiteral(QUILLON_CLI_PATH);
#else
    QString cliPath = qEnvironmentVariable("QUILLON_CLI");
#endif
    int units = 2;
    double idleS = 10.0;
    const QStringList argsIn = app.arguments();
    for (int i = 1; i < argsIn.size(); i += 2) {
        const QString value = i + 1 < argsIn.size() ? argsIn[i + 1] : QString();
        if (argsIn[i] == "--phone" && !value.isEmpty())
            phonePath = value;
        else if (argsIn[i] == "--cli" && !value.isEmpty())
            cliPath = value;
        else if (argsIn[i] == "--units" && value.toInt() > 0)
            units = value.toInt();
        else if (argsIn[i] == "--idle-s" && value.toDouble() > 0)
            idleS = value.toDouble();
        else {
            std::fprintf(stderr, "usage: bench_series_lanes [--phone PATH] [--cli PATH] [--units N] [--idle-s S]\n");
            return 2;
        }
    }

    QTemporaryDir dir, dataHome;
    const QString image = dir.filePath("series.h");
    if (!WriteLaneImage(image, LaneUnitWords(9, 9))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(image));
        return 1;
    }
    const double tickS = EngineDriver::kTickMs / 1000.0;
    const double bound = LowerBoundSeconds(EngineJob::Read258, kCharS, tickS) +
                         LowerBoundSeconds(EngineJob::Write258, kCharS, tickS) +
                         LowerBoundSeconds(EngineJob::Read258, kCharS, tickS);
    std::printf("line %.3f ms per character, tick %d ms; a unit (read, write, read-back of 64 words) takes at "
                "least %.3f s\n\n",
                kCharS * 1000, EngineDriver::kTickMs, bound);
    std::fflush(stdout);

    bool broken = false;
    struct Row {
        const char *name;
        int lanes;
        Series s;
    };
    std::vector<Row> rows{{"one lane", 1, {}}, {"four lanes", 4, {}}};
    for (Row &row : rows) {
        Lanes lanes;
        const QString root = dir.filePath(QStringLiteral("series%1").arg(row.lanes));
        if (!StartLanes(lanes, row.lanes, phonePath, root, units))
            return 1;
        const QStringList args = CliArgs(image, lanes) << "--count" << QString::number(row.lanes * units);
        row.s = RunSeries(cliPath, args, lanes, dataHome.path(), root + "/series.csv",
                          static_cast<int>(units * 3 * bound) + 60);
        const Series &s = row.s;
        int good = 0;
        for (const QString &r : s.rows)
            good += r.section(u',', 6, 6) == "good";
        const bool ok = s.ended && s.exitCode == 0 && s.rows.size() == row.lanes * units && good == s.rows.size();
        if (!ok) {
            broken = true;
            std::fprintf(stderr, "%s: %s, exit %d, %lld units logged, %d good\n%s", row.name,
                         s.ended ? "ended" : "did not end in time", s.exitCode, static_cast<long long>(s.rows.size()),
                         good, qPrintable(s.errors));
        }
        std::printf("%-11s %d units  wall %8.3f s  cpu %.3f s (%.2f %%)%s\n", row.name, row.lanes * units, s.wallS,
                    s.cpuS, 100 * s.cpuS / s.wallS, ok ? "" : "  broken run");
        // unit,start,duration_s,port,...
        for (const QString &r : s.rows) {
            const double d = r.section(u',', 2, 2).toDouble();
            std::printf("    %-14s unit %s  %7.1f s  bound %.3f s  ratio %.3f%s\n",
                        qPrintable(r.section(u',', 3, 3)), qPrintable(r.section(u',', 0, 0)), d, bound, d / bound,
                        Goal(d <= 1.05 * bound));
        }
        std::fflush(stdout);
    }
    const double ratio = rows[1].s.wallS / rows[0].s.wallS;
    std::printf("four lanes / one lane, wall: %.3f (goal at most 1.10)%s\n\n", ratio, Goal(ratio <= 1.10));
    std::fflush(stdout);

    Idle idle[2];
    for (int i = 0; i < 2; ++i) {
        const int n = i == 0 ? 1 : 4;
        Lanes lanes;
        const QString root = dir.filePath(QStringLiteral("idle%1").arg(n));
        if (!StartLanes(lanes, n, phonePath, root, 1))
            return 1;
        idle[i] = RunIdle(cliPath, CliArgs(image, lanes), lanes, dataHome.path(), root + "/series.csv", idleS);
        if (!idle[i].ok) {
            broken = true;
            std::fprintf(stderr, "idle, %d lanes: quillon-cli ended before its time, not on Ctrl+C, or not waiting on "
                                 "every port\n", n);
        }
        const double share = 100 * idle[i].cpuS / idleS;
        std::printf("idle, %-10s %.0f s  cpu %.3f s (%.2f %%)  wake-ups %ld (%.1f/s)%s\n",
                    n == 1 ? "one lane" : "four lanes", idleS, idle[i].cpuS, share, idle[i].wakeUps,
                    idle[i].wakeUps / idleS, Goal(share < 2.0));
        std::fflush(stdout);
    }
    const double wakeRatio = double(idle[1].wakeUps) / std::max(1L, idle[0].wakeUps);
    std::printf("idle wake-ups, four lanes / one lane: %.2f (goal at most 4)%s\n", wakeRatio, Goal(wakeRatio <= 4));
    return broken ? 1 : 0;
}
