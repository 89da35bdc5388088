#pragma once

// A series of telephones run on a programming session: the series cycle's
// programmer (probes and jobs through the session, on images of the series'
// own so that the window's image stays as it is), its clock, and its log.
// The window and quillon-cli own one each and only show what it reports.

#include "image/SeriesImage.h"
#include "link/ProgrammingSession.h"
#include "link/SeriesCycle.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

class SessionSeries : public QObject, private SeriesProgrammer {
    Q_OBJECT

public:
    // view: shows the unit's jobs (a lane's gauge, the CLI's progress line).
    SessionSeries(ProgrammingSession &session, IEngineWindow &view, QObject *parent = nullptr);
    ~SessionSeries() override;

    // Opens the log (the default path when logPath is empty) and starts with
    // the wait for a telephone. False, with the reason, when the log cannot
    // be opened: a series leaves no unit unrecorded.
    bool Start(const SeriesOptions &options, const QString &logPath, QString *error);
    // The default path when logPath is empty; false, with the reason, when
    // the log cannot be opened.
    static bool OpenLog(SeriesLog &log, const QString &logPath, QString *error);
    // The same on a log that is open already, shared with other series (one
    // per port) that run beside this one.
    void Start(const SeriesOptions &options, SeriesLog &log);
    // As "Стоп": the running job or probe is cancelled (a write at its next
    // echo, with the words it took in the unit's cause), then the series ends.
    void Stop();
    // Starts no new unit; a unit in hand is finished, verify and all.
    void EndAfterUnit();
    // The backups' comments name the port (a series on several ports).
    bool NameThePort = false;
    bool Running() const { return Cycle && !Ended; }

    const SeriesCycle *CurrentCycle() const { return Cycle.get(); }
    QString LogPath() const { return Log->Path(); }
    QString LogError() const { return Log->ErrorString(); }
    // The port failure that ended the series, empty if none did.
    QString FatalError() const { return Fatal; }

    // Advance's period; tests on a loaded machine keep it.
    static constexpr int kClockMs = 50;

signals:
    // The phase changed (a wait, a job of the unit).
    void PhaseChanged(SeriesCycle::Phase phase);
    // A unit is done: show it and sound the beep.
    void UnitDone(const SeriesUnit &unit);
    // The series has ended (the count reached, stopped, failed, port lost).
    void Finished();

private:
    // SeriesProgrammer
    void Probe() override;
    void ReadUnit(const QString &comment) override;
    void Write(const EepromImage &image, int first, int last) override;
    void ReadBack(int first, int last) override;
    void Signal(const SeriesUnit &unit) override;

    void StartJob(const JobRequest &request);
    void JobEnded(const JobOutcome &outcome);
    void ProbeEnded(const ProbeResult &result);
    void PortGone(const QString &message);
    void Tick();
    void Check();

    enum class Call { None, Probe, Read, Write, ReadBack };
    ProgrammingSession &Session;
    IEngineWindow &View;
    SeriesOptions Options;
    SeriesLog OwnLog;
    SeriesLog *Log = &OwnLog;
    std::unique_ptr<SeriesCycle> Cycle;
    Call Pending = Call::None;
    EepromImage UnitWords; // the whole read of the unit
    EepromImage WriteWords; // the unit's image, as written
    SeriesCycle::Phase LastPhase = SeriesCycle::Phase::Finished;
    bool Ended = false;
    QString Fatal;
    QTimer Clock;
    QElapsedTimer SinceTick;
};

// What a write that did not complete left in the telephone, in a few words:
// "записаны слова 00-0F, не записаны 10-3F" ("took 00-0F, did not take 10-3F").
QString WrittenWordsText(const WriteGroups &groups);
