// Times Read258 and Write258 of the real window against quillon-phone at the
// real line rate and the program's own tick, and compares each with the
// least time the protocol allows on a real line: every character crosses the
// wire and its echo comes back before the next goes out (two character times),
// a read's reply takes its 23 characters, and the pauses after commands and
// replies are more than 50 and more than 30 ticks. Also reports the CPU time
// the program used. The jobs run twice: behind a USB adapter's default 16 ms
// latency timer and behind the 1 ms that low latency gives.
//
//   bench_engine [--phone PATH] [--char-ms MS] [--idle-s S]

#include "app/Unit1.h"
#include "bench/LineBound.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFrame>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

// Voluntary context switches of the calling thread: each time its event loop
// went to sleep and was woken.
// The voluntary context switches of all the program's threads: each is a
// thread that slept and was woken again, for whatever reason.
long WakeUps()
{
    long total = 0;
    for (const QString &task : QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status("/proc/self/task/" + task + "/status");
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:"))
                total += line.mid(24).trimmed().toLong();
    }
    return total;
}

// Counts the timer events the program's objects receive: its own timers.
struct TimerEvents : QObject {
    long count = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        count += e->type() == QEvent::Timer;
        return false;
    }
};

double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// Quits a loop the moment the progress panel hides, which is when a job ends.
class EndWatcher : public QObject {
public:
    QEventLoop loop;
    QElapsedTimer *clock = nullptr;
    qint64 endNs = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Hide) {
            endNs = clock->nsecsElapsed();
            loop.quit();
        }
        return false;
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // The reads it times keep their backups in a folder of their own, not the user's.
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));

#ifdef QUILLON_PHONE_PATH
    QString phonePath = QStringLiteral(QUILLON_PHONE_PATH);
#else
    QString phonePath = qEnvironmentVariable("QUILLON_PHONE");
#endif
    double charMs = 10000.0 / 300.0;
    double idleS = 10.0;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--phone")
            phonePath = args[i + 1];
        else if (args[i] == "--char-ms")
            charMs = args[i + 1].toDouble();
        else if (args[i] == "--idle-s")
            idleS = args[i + 1].toDouble();
        else {
            std::fprintf(stderr, "usage: bench_engine [--phone PATH] [--char-ms MS] [--idle-s S]\n");
            return 2;
        }
    }

    // One telephone per adapter latency: 16 ms is an FTDI adapter's default
    // latency timer, 1 ms what the port asks the driver for when it opens.
    bool allOk = true;
    bool idleDone = false;
    for (const int latencyMs : {16, 1}) {
        QProcess phone;
        phone.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        phone.start(phonePath, {"--char-ms", QString::number(charMs, 'f', 3), "--latency-ms",
                                QString::number(latencyMs)});
        if (!phone.waitForStarted(5000)) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(phonePath));
            return 1;
        }
        while (!phone.canReadLine())
            if (!phone.waitForReadyRead(5000))
                return 1;
        const QString port = QString::fromLatin1(phone.readLine()).trimmed().mid(5);
        qputenv("QUILLON_COM1", port.toLocal8Bit());

        TForm1 form;
        form.show(); // drawn as in use; also, only a shown panel reports hiding
        form.findChild<QAction *>(QStringLiteral("OpenPort"))->trigger();
        if (!form.COM.Connected()) {
            std::fprintf(stderr, "cannot open %s\n", qPrintable(port));
            return 1;
        }
        const double tickS = form.Timer1.interval() / 1000.0;
        std::printf("line %.3f ms per character, adapter latency %d ms, tick %d ms (%s timer)\n", charMs,
                    latencyMs, form.Timer1.interval(),
                    form.Timer1.timerType() == Qt::PreciseTimer ? "precise" : "coarse");
        std::fflush(stdout);

        auto idle = [&] {
            QEventLoop loop;
            const double cpu0 = CpuSeconds();
            const long wakeUps0 = WakeUps();
            TimerEvents timers;
            QTimer::singleShot(static_cast<int>(idleS * 1000), &loop, &QEventLoop::quit);
            qApp->installEventFilter(&timers);
            loop.exec();
            qApp->removeEventFilter(&timers);
            const double cpu = CpuSeconds() - cpu0;
            // The single shot that ends the wait is one of each.
            const long wakeUps = WakeUps() - wakeUps0;
            std::printf("%-10s wall %7.3f s                                cpu %.3f s (%.2f %%)  wake-ups %ld, "
                        "timer events %ld\n",
                        "idle", idleS, cpu, 100 * cpu / idleS, wakeUps, timers.count);
            std::fflush(stdout);
        };
        if (!idleDone)
            idle();

        QFrame *const panel = form.findChild<QFrame *>(QStringLiteral("Panel1")); // the progress panel
        for (EngineJob job : {EngineJob::Read258, EngineJob::Write258}) {
            QAction *action = form.findChild<QAction *>(job == EngineJob::Read258 ? QStringLiteral("Read258")
                                                                                  : QStringLiteral("Write258"));
            QElapsedTimer clock;
            EndWatcher watcher;
            watcher.clock = &clock;
            panel->installEventFilter(&watcher);
            const double cpu0 = CpuSeconds();
            clock.start();
            action->trigger();
            watcher.loop.exec();
            const double cpu = CpuSeconds() - cpu0;
            panel->removeEventFilter(&watcher);
            const double wall = watcher.endNs / 1e9;
            const double bound = LowerBoundSeconds(job, charMs / 1000, tickS);
            const QString status = form.StatusText(0);
            allOk = allOk && status == QStringLiteral("Завершено!");
            std::printf("%-10s wall %7.3f s  bound %7.3f s  ratio %.3f  cpu %.3f s (%.2f %%)  %s  (latency %d ms)\n",
                        qPrintable(action->objectName()), wall, bound, wall / bound, cpu, 100 * cpu / wall,
                        qPrintable(status), latencyMs);
            std::fflush(stdout);
        }
        if (!idleDone)
            idle();
        idleDone = true;

        form.COM.Close();
        phone.terminate();
        phone.waitForFinished(5000);
    }
    return allOk ? 0 : 1;
}
