#include "link/SessionSeries.h"

#include "image/IoErrorText.h"
#include "link/PortProbe.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

QString WrittenWordsText(const WriteGroups &g, bool russian)
{
    QStringList parts;
    if (!g.confirmed.Empty())
        parts << (russian ? QStringLiteral("записаны слова ") : QStringLiteral("took ")) + g.confirmed.Hex();
    if (!g.possiblyTaken.Empty())
        parts << (russian ? QStringLiteral("возможно записаны ") : QStringLiteral("may have taken "))
                     + g.possiblyTaken.Hex();
    if (!g.notTaken.Empty())
        parts << (russian ? QStringLiteral("не записаны ") : QStringLiteral("did not take ")) + g.notTaken.Hex();
    return parts.join(QStringLiteral(", "));
}

SessionSeries::SessionSeries(ProgrammingSession &session, IEngineWindow &view, QObject *parent)
    : QObject(parent), Session(session), View(view)
{
    Clock.setInterval(kClockMs);
    connect(&Clock, &QTimer::timeout, this, &SessionSeries::Tick);
}

// The cycle hears of an end on the next round of the event loop: the next
// job then starts once the driver has finished with the last one.
void SessionSeries::StartJob(const JobRequest &request)
{
    Session.Start(request, View, [this](const JobOutcome &o) {
        QTimer::singleShot(0, this, [this, o] { JobEnded(o); });
    });
}

SessionSeries::~SessionSeries() = default;

bool SessionSeries::OpenLog(SeriesLog &log, const QString &logPath, QString *error)
{
    const QString path = logPath.isEmpty() ? SeriesLog::DefaultPath(QDateTime::currentDateTime()) : logPath;
    if (log.Open(path, logPath.isEmpty()))
        return true;
    *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + log.ErrorString();
    return false;
}

bool SessionSeries::Start(const SeriesOptions &options, const QString &logPath, QString *error)
{
    if (!OpenLog(OwnLog, logPath, error))
        return false;
    Start(options, OwnLog);
    return true;
}

void SessionSeries::EndAfterUnit()
{
    if (!Running())
        return;
    Cycle->EndAfterUnit();
    Check();
}

void SessionSeries::Start(const SeriesOptions &options, SeriesLog &log)
{
    const QDateTime now = QDateTime::currentDateTime();
    Log = &log;
    Options = options;
    SeriesProgrammer &programmer = *this;
    Cycle = std::make_unique<SeriesCycle>(programmer, Options, Log);
    Ended = false;
    Fatal.clear();
    Pending = Call::None;
    LastPhase = SeriesCycle::Phase::Finished;
    SinceTick.start();
    Clock.start();
    Cycle->Start(now);
    Check();
}

void SessionSeries::Stop()
{
    if (!Running())
        return;
    Cycle->RequestStop();
    if (Session.Busy())
        Session.Cancel();
    Check();
}

void SessionSeries::Tick()
{
    if (!Running())
        return;
    Cycle->Advance(static_cast<int>(SinceTick.restart()), QDateTime::currentDateTime());
    Check();
}

void SessionSeries::Check()
{
    if (!Cycle || Ended)
        return;
    const SeriesCycle::Phase phase = Cycle->CurrentPhase();
    if (phase == SeriesCycle::Phase::Finished && !Cycle->Busy()) {
        Ended = true;
        Clock.stop();
        LastPhase = phase;
        emit PhaseChanged(phase);
        emit Finished();
        return;
    }
    if (phase != LastPhase) {
        LastPhase = phase;
        emit PhaseChanged(phase);
    }
}

// ---- the programmer ----

void SessionSeries::Probe()
{
    Pending = Call::Probe;
    if (!Session.COM.Connected()) {
        QTimer::singleShot(0, this, [this] {
            PortGone(Options.russian ? QStringLiteral("Порт закрыт") : QStringLiteral("the port is closed"));
        });
        return;
    }
    Session.StartProbe(1, View, [this](const ProbeResult &r) {
        QTimer::singleShot(0, this, [this, r] { ProbeEnded(r); });
    });
}

void SessionSeries::ReadUnit(const QString &comment)
{
    Pending = Call::Read;
    // Units of several ports at once: the backup says which clip it came from.
    JobRequest read;
    read.image = &UnitWords;
    read.note = NameThePort ? QStringLiteral("%1 (%2)").arg(comment, Options.port) : comment;
    StartJob(read);
}

void SessionSeries::Write(const EepromImage &image, int first, int last)
{
    Pending = Call::Write;
    WriteWords = image;
    const bool all = first == 0 && last == EepromImage::kWords - 1;
    Q_ASSERT(all || (first == Addr::BlockFirst && last == Addr::BlockLast));
    JobRequest write;
    write.job = all ? EngineJob::Write258 : EngineJob::WriteBlock;
    write.image = &WriteWords;
    StartJob(write);
}

void SessionSeries::ReadBack(int first, int last)
{
    Pending = Call::ReadBack;
    const bool all = first == 0 && last == EepromImage::kWords - 1;
    JobRequest verify;
    verify.job = all ? EngineJob::Read258 : EngineJob::ReadBlock;
    verify.image = &WriteWords;
    verify.verify = true;
    StartJob(verify);
}

void SessionSeries::Signal(const SeriesUnit &unit) { emit UnitDone(unit); }

// ---- what the session reports ----

// As quillon-cli's write says it: what ended the job, what to do about a
// device that went away, and what a write that did not complete left.
QString SessionSeries::Cause(const JobOutcome &o, bool russian) const
{
    QString cause = o.portError ? o.portError->Message() : FaultText(o.fault, russian);
    if (o.portError && DeviceGone(*o.portError))
        cause += russian ? QStringLiteral(" (устройство пропало: проверьте кабель и адаптер)")
                         : QStringLiteral(" (the device went away: check the cable and the adapter)");
    if (JobTable[static_cast<size_t>(o.job)].Writing && !o.completed)
        cause += QStringLiteral(": ") + WrittenWordsText(o.written, russian);
    return cause;
}

void SessionSeries::JobEnded(const JobOutcome &o)
{
    if (!Running())
        return;
    const Call call = Pending;
    Pending = Call::None;
    SeriesJobResult r;
    r.completed = o.completed && !o.portError;
    r.fatal = o.portError.has_value() || !Session.COM.Connected();
    if (r.fatal && !o.portError) {
        r.cause = Options.russian ? QStringLiteral("Порт закрыт") : QStringLiteral("the port is closed");
        r.causeRu = QStringLiteral("Порт закрыт");
    } else if (!r.completed) {
        r.cause = Cause(o, Options.russian);
        r.causeRu = Cause(o, true);
    }
    if (r.fatal)
        Fatal = r.cause;
    if (call == Call::Read) {
        r.words = UnitWords;
        if (o.backupTaken && !o.backup.error)
            r.backup = QFileInfo(o.backup.path).fileName();
        // Without a copy of what the unit held, nothing is written over it.
        if (r.completed && (!o.backupTaken || o.backup.error)) {
            r.completed = false;
            const QString why = Options.russian ? IoErrorText(o.backup.error) : o.backup.error.Text();
            r.cause = (Options.russian ? QStringLiteral("Резервная копия не сохранена в %1: %2")
                                       : QStringLiteral("backup not saved in %1: %2"))
                          .arg(QDir::toNativeSeparators(o.backupFolder), why);
            r.causeRu = QStringLiteral("Резервная копия не сохранена в %1: %2")
                            .arg(QDir::toNativeSeparators(o.backupFolder), IoErrorText(o.backup.error));
        }
    } else if (call == Call::ReadBack) {
        r.words = Session.VerifyWords();
        for (const WordDiff &d : o.diffs)
            r.differing << d.addr;
    }
    Cycle->JobDone(r, QDateTime::currentDateTime());
    Check();
}

void SessionSeries::ProbeEnded(const ProbeResult &result)
{
    if (!Running())
        return;
    Pending = Call::None;
    try {
        Session.RethrowProbeError();
    } catch (const EComPort &e) {
        PortGone(e.Message());
        return;
    }
    if (result.outcome == ProbeOutcome::OpenFailed) {
        PortGone(result.portError);
        return;
    }
    // A garbled echo starts no unit, and is no removed one either.
    const bool answers = Cycle->CurrentPhase() == SeriesCycle::Phase::WaitRemoval
                             ? result.outcome != ProbeOutcome::NoEcho && result.outcome != ProbeOutcome::Cancelled
                             : result.outcome == ProbeOutcome::Answers;
    Cycle->ProbeDone(answers, QDateTime::currentDateTime());
    Check();
}

void SessionSeries::PortGone(const QString &message)
{
    Pending = Call::None;
    Fatal = message;
    Cycle->RequestStop();
    Cycle->ProbeDone(false, QDateTime::currentDateTime());
    Check();
}
