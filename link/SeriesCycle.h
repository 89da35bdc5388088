#pragma once

// The series cycle as a plain state machine: per unit wait for a telephone,
// read it (keeping a backup), build its image, write, verify, signal, and
// wait for it to be removed. It owns no port and no timer: the owner's
// programmer runs the jobs and probes and reports back, and the owner's
// clock calls Advance. So the window, quillon-cli and the tests drive the
// same cycle, the tests tick by tick with a fake programmer.

#include "image/EepromImage.h"
#include "image/SeriesImage.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// What a job of the series ended with.
struct SeriesJobResult {
    bool completed = false;
    LaterText cause;   // why not, for a person (with the words a cut write took)
    bool fatal = false; // the port is gone: the series cannot go on
    EepromImage words; // a read: the words read (those of the job's range)
    QList<int> differing; // a read-back: the words that read back otherwise than written
    QString backup;    // ReadUnit: the backup's file name, empty without one
};

// The programming session as the series sees it. Each call starts one
// thing; its end comes back through SeriesCycle::ProbeDone or JobDone,
// later or from within the call.
class SeriesProgrammer {
public:
    virtual ~SeriesProgrammer() = default;
    // A CR and its echo on the drained line.
    virtual void Probe() = 0;
    // A read of the whole EEPROM, kept as a backup with `comment`.
    virtual void ReadUnit(const QString &comment) = 0;
    // A write of the words first..last of `image`.
    virtual void Write(const EepromImage &image, int first, int last) = 0;
    // A read of the words first..last, to compare.
    virtual void ReadBack(int first, int last) = 0;
    // A unit is done: show it and sound the beep.
    virtual void Signal(const SeriesUnit &unit) = 0;
};

struct SeriesOptions {
    EepromImage image; // the series image
    unsigned keep = KeepId;
    SeriesScope scope = SeriesScope::All;
    bool stopOnFailure = false;
    int count = 0;     // end after this many units; 0: no limit
    QString port;      // for the log
    // Several lanes share one count: asked before a unit is started, no unit
    // starts while it says no (the unit stays in the clip, probed again).
    std::function<bool()> mayStart;
    // Words what the series keeps for later (the log's causes, a backup's
    // comment, the error that ended it); unset: in the language in force.
    // quillon-cli keeps them English in every locale.
    std::function<QString(const LaterText &)> recordWords;
};

class SeriesCycle {
public:
    enum class Phase {
        WaitPhone,   // "Подключите телефон"
        Reading,
        Writing,
        Verifying,
        WaitRemoval, // "Отключите телефон"
        Finished,
    };

    static constexpr int kProbeIntervalMs = 500;
    // A silent probe is a whole echo limit of silence: the unit is off the
    // clip. A contact that flickers may fool one probe; the next unit's read
    // then tells the same unit (see JobDone).
    static constexpr int kRemovedAfterSilentProbes = 1;

    // `log` may be null; each unit is appended to it as it ends.
    SeriesCycle(SeriesProgrammer &programmer, const SeriesOptions &options, SeriesLog *log = nullptr);

    // Starts with the wait for a telephone (its first probe at once).
    void Start(const QDateTime &now);
    // Time goes by: in a wait, a probe is due every half second.
    void Advance(int ms, const QDateTime &now);
    // The end of a probe, and of a job.
    void ProbeDone(bool answers, const QDateTime &now);
    void JobDone(const SeriesJobResult &result, const QDateTime &now);
    // Ends the series once the running job has ended, or at once in a wait.
    void RequestStop();
    // Starts no new unit: a unit in hand is written and verified to its end,
    // then the series ends; in a wait it ends at once.
    void EndAfterUnit();

    Phase CurrentPhase() const { return CurPhase; }
    bool Busy() const { return InFlight; }
    // A unit is being read, written or verified.
    bool UnitInHand() const { return CurPhase == Phase::Reading || CurPhase == Phase::Writing || CurPhase == Phase::Verifying; }
    bool StopRequested() const { return StopAsked; }
    int Done() const { return Units.size(); }
    int Good() const { return GoodCount; }
    int Failed() const { return Units.size() - GoodCount; }
    const QList<SeriesUnit> &UnitsDone() const { return Units; }
    // The unit in hand (valid from Reading to its signal).
    const SeriesUnit &Current() const { return Unit; }
    // Units that answered again after silence holding exactly the words the
    // last unit was left with: the same unit, not counted again.
    int SameUnitReturns() const { return SameUnitCount; }
    // The log could not take a row (the disk is full...): the series goes on.
    bool LogFailed() const { return LogError; }

    // A text as the series records it (SeriesOptions::recordWords).
    static QString Recorded(const SeriesOptions &options, const LaterText &text);

private:
    void ProbeNow();
    void StartUnit(const QDateTime &now);
    // `holds`: what the unit is known to hold now, when that is known.
    void FinishUnit(bool good, const LaterText &cause, bool fatal, const QDateTime &now,
                    const std::optional<EepromImage> &holds = std::nullopt);

    SeriesProgrammer &Programmer;
    SeriesOptions Options;
    SeriesLog *Log;
    QDateTime SeriesStart;

    Phase CurPhase = Phase::Finished;
    bool InFlight = false; // a probe or job runs
    bool StopAsked = false;
    bool NoMoreUnits = false;
    int SinceProbeMs = 0;
    int SilentProbes = 0;
    int GoodCount = 0;
    bool LogError = false;
    QList<SeriesUnit> Units;
    SeriesUnit Unit;
    EepromImage Expected;
    std::optional<EepromImage> LastUnitHolds; // the words the last unit was left with, when known
    int SameUnitCount = 0;
};
