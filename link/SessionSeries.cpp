#include "link/SessionSeries.h"

#include "image/IoErrorText.h"
#include "image/Wording.h"
#include "link/PortProbe.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

QString WrittenWordsText(const WriteGroups &g)
{
    QStringList parts;
    if (!g.confirmed.Empty())
        parts << Worded("Series", QT_TRANSLATE_NOOP("Series", "записаны слова %1"), {g.confirmed.Hex()});
    if (!g.possiblyTaken.Empty())
        parts << Worded("Series", QT_TRANSLATE_NOOP("Series", "возможно записаны %1"), {g.possiblyTaken.Hex()});
    if (!g.notTaken.Empty())
        parts << Worded("Series", QT_TRANSLATE_NOOP("Series", "не записаны %1"), {g.notTaken.Hex()});
    return parts.join(QStringLiteral(", "));
}

namespace {

LaterText PortClosed()
{
    return LaterText([] { return Worded("Series", QT_TRANSLATE_NOOP("Series", "Порт закрыт")); });
}

// As quillon-cli's write says it: what ended the job, what to do about a
// device that went away, and what a write that did not complete left.
LaterText Cause(const JobOutcome &o)
{
    return LaterText([o] {
        QString cause = o.portError ? o.portError->Message() : FaultText(o.fault);
        if (o.portError && DeviceGone(*o.portError))
            cause += Worded("Series", QT_TRANSLATE_NOOP("Series", " (устройство пропало: проверьте кабель и адаптер)"));
        if (JobTable[static_cast<size_t>(o.job)].Writing && !o.completed)
            cause += QStringLiteral(": ") + WrittenWordsText(o.written);
        return cause;
    });
}

// %2 the error as the window words it, %3 as the system does (quillon-cli).
LaterText BackupNotSaved(const QString &folder, const IoError &error)
{
    return LaterText([folder, error] {
        return Worded("Series", QT_TRANSLATE_NOOP("Series", "Резервная копия не сохранена в %1: %2"),
                      {folder, IoErrorText(error), error.Text()});
    });
}

} // namespace

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
    Session.Start(request, View,
                  [this](const JobOutcome &o) { QTimer::singleShot(0, this, [this, o] { JobEnded(o); }); });
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
        QTimer::singleShot(0, this, [this] { PortGone(SeriesCycle::Recorded(Options, PortClosed())); });
        return;
    }
    Session.StartProbe(1, View,
                       [this](const ProbeResult &r) { QTimer::singleShot(0, this, [this, r] { ProbeEnded(r); }); });
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

void SessionSeries::JobEnded(const JobOutcome &o)
{
    if (!Running())
        return;
    const Call call = Pending;
    Pending = Call::None;
    SeriesJobResult r;
    r.completed = o.completed && !o.portError;
    r.fatal = o.portError.has_value() || !Session.COM.Connected();
    if (r.fatal && !o.portError)
        r.cause = PortClosed();
    else if (!r.completed)
        r.cause = Cause(o);
    if (r.fatal)
        Fatal = SeriesCycle::Recorded(Options, r.cause);
    if (call == Call::Read) {
        r.words = UnitWords;
        if (o.backupTaken && !o.backup.error)
            r.backup = QFileInfo(o.backup.path).fileName();
        // Without a copy of what the unit held, nothing is written over it.
        if (r.completed && (!o.backupTaken || o.backup.error)) {
            r.completed = false;
            r.cause = BackupNotSaved(QDir::toNativeSeparators(o.backupFolder), o.backup.error);
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
    if (result.lost) {
        PortGone(result.lost->Message());
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
