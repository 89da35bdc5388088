// Times Read258 and Write258 of the real window against quillon-phone at the
// real line rate and the program's own tick, and compares each with the
// least time the protocol allows: every echo takes one character time on
// the line, and the pauses after commands and replies are more than 50 and
// more than 30 ticks. Also reports the CPU time the program used.
//
//   bench_engine [--phone PATH] [--char-ms MS] [--idle-s S]

#include "app/Unit1.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFrame>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// The commands of a job: their lengths and whether a reply follows.
double LowerBoundSeconds(EngineJob job, double charS, double tickS)
{
    const JobSpec &spec = JobTable[static_cast<size_t>(job)];
    double t = charS; // the echo of the opening CR
    for (int a = spec.FirstAddr; a <= spec.LastAddr; a += 5) {
        if (spec.Writing) {
            const int words = std::min(5, spec.LastAddr - a + 1);
            const int length = 4 + 4 * words;
            t += (length - 1) * charS + 50 * tickS; // the CR's echo falls inside the pause
        } else {
            t += 3 * charS + 50 * tickS + 30 * tickS; // the reply arrives inside the pauses
        }
    }
    return t;
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

// Counts the program's wake-ups over `seconds` idle: the timer events its
// objects receive (the program's own timers; the one that ends the
// measurement is not counted) and the voluntary context switches of all its
// threads (each time a thread slept and was woken again, for whatever reason).
void MeasureIdleWakeups(double seconds)
{
    struct TimerEvents : QObject {
        long count = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            count += e->type() == QEvent::Timer;
            return false;
        }
    } timers;
    const auto switches = [] {
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
    };
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    const long switches0 = switches();
    qApp->installEventFilter(&timers);
    loop.exec();
    qApp->removeEventFilter(&timers);
    const long woken = switches() - switches0;
    const long timerEvents = timers.count - 1;
    std::printf("idle wake-ups over %.0f s (port open): %ld timer events (%.1f/s), %ld voluntary context "
                "switches (%.1f/s)\n",
                seconds, timerEvents, timerEvents / seconds, woken, woken / seconds);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);

#ifdef QUILLON_PHONE_PATH
    QString phonePath = QStringLiteral(QUILLON_PHONE_PATH);
#else
    QString phonePath = qEnvironmentVariable("QUILLON_PHONE");
#endif
    double charMs = 10000.0 / 300.0;
    double idleS = 3.0;
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

    QProcess phone;
    phone.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    phone.start(phonePath, {"--char-ms", QString::number(charMs, 'f', 3)});
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
    form.Act.OpenPort->trigger();
    if (!form.COM.Connected()) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(port));
        return 1;
    }
    const double tickS = form.Timer1.interval() / 1000.0;
    std::printf("line %.3f ms per character, tick %d ms (%s timer)\n", charMs, form.Timer1.interval(),
                form.Timer1.timerType() == Qt::PreciseTimer ? "precise" : "coarse");
    std::fflush(stdout);

    auto idle = [&] {
        QEventLoop loop;
        const double cpu0 = CpuSeconds();
        QTimer::singleShot(static_cast<int>(idleS * 1000), &loop, &QEventLoop::quit);
        loop.exec();
        const double cpu = CpuSeconds() - cpu0;
        std::printf("%-10s wall %7.3f s                                cpu %.3f s (%.2f %%)\n", "idle", idleS,
                    cpu, 100 * cpu / idleS);
        std::fflush(stdout);
    };
    idle();
    MeasureIdleWakeups(10.0);

    bool allOk = true;
    for (EngineJob job : {EngineJob::Read258, EngineJob::Write258}) {
        QAction *action = job == EngineJob::Read258 ? form.Act.Read258 : form.Act.Write258;
        QElapsedTimer clock;
        EndWatcher watcher;
        watcher.clock = &clock;
        form.Panel1->installEventFilter(&watcher);
        const double cpu0 = CpuSeconds();
        clock.start();
        action->trigger();
        watcher.loop.exec();
        const double cpu = CpuSeconds() - cpu0;
        form.Panel1->removeEventFilter(&watcher);
        const double wall = watcher.endNs / 1e9;
        const double bound = LowerBoundSeconds(job, charMs / 1000, tickS);
        const QString status = form.StatusText(0);
        allOk = allOk && status == QStringLiteral("Завершено!");
        std::printf("%-10s wall %7.3f s  bound %7.3f s  ratio %.3f  cpu %.3f s (%.2f %%)  %s\n",
                    qPrintable(action->objectName()), wall, bound, wall / bound, cpu, 100 * cpu / wall,
                    qPrintable(status));
        std::fflush(stdout);
    }
    idle();

    form.COM.Close();
    phone.terminate();
    phone.waitForFinished(5000);
    return allOk ? 0 : 1;
}
