#pragma once

// A series on several ports at once, one lane per port. Each lane is a whole
// series of its own (session, port opened exclusively, cycle, backups, unit
// numbers); the lanes share the log, the count of units and stop-on-failure.
// All of it runs on the event loop: a lane waits for its own line only, so
// no lane's pacing waits for another's work.

#include "link/EngineIo.h"
#include "link/ProgrammingSession.h"
#include "link/SessionSeries.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// A lane's own gauge and status: the job's progress as the lane shows it.
class LaneView : public GaugeView {
public:
    // Called on every change, to redraw a lane's display.
    std::function<void()> OnChange;

private:
    void Changed() override
    {
        if (OnChange)
            OnChange();
    }
};

class SeriesLanes : public QObject {
    Q_OBJECT

public:
    explicit SeriesLanes(QObject *parent = nullptr);
    ~SeriesLanes() override;

    // The two port names (indexes into ports) that lead to one device, when
    // two do: a port is never opened twice.
    static std::optional<std::pair<int, int>> SameDevice(const QStringList &ports);

    // Opens the shared log (the default path when logPath is empty) before
    // any port opens; false with the reason.
    bool OpenLog(const QString &logPath, QString *error);
    // A lane on a port of its own, opened now. Throws EComPort when it
    // cannot be opened; no lane is added then.
    ProgrammingSession &AddLane(const QString &port);
    // A lane on a session whose port is open already, shown on `view`.
    void AddLane(ProgrammingSession &session, IEngineWindow &view, const QString &port);

    // Starts every lane. options.count counts units over all lanes.
    void Start(const SeriesOptions &options);
    // As "Стоп" on every lane.
    void Stop();
    bool Running() const;

    int LaneCount() const { return int(Lanes.size()); }
    QString PortOf(int lane) const { return Lanes[size_t(lane)]->port; }
    const SessionSeries &SeriesOf(int lane) const { return *Lanes[size_t(lane)]->series; }
    // The lane's cycle; null before Start.
    const SeriesCycle *CycleOf(int lane) const;
    ProgrammingSession &SessionOf(int lane) const { return *Lanes[size_t(lane)]->session; }
    // The lane's gauge and status; null for a borrowed session (its view is its owner's).
    const LaneView *ViewOf(int lane) const { return Lanes[size_t(lane)]->ownView.get(); }
    // Called when a lane's gauge or status changes.
    std::function<void(int lane)> ViewChanged;

    int Done() const { return Sum(&SeriesCycle::Done); }
    int Good() const { return Sum(&SeriesCycle::Good); }
    int Failed() const { return Done() - Good(); }
    QString LogPath() const { return Log.Path(); }
    QString LogError() const { return Log.ErrorString(); }
    bool LogFailed() const;

signals:
    void PhaseChanged(int lane, SeriesCycle::Phase phase);
    void UnitDone(int lane, const SeriesUnit &unit);
    // A lane has ended (its last unit, a stop, its port lost).
    void LaneEnded(int lane);
    // Every lane has ended.
    void Finished();

private:
    struct Lane {
        QString port;
        std::unique_ptr<LaneView> ownView;
        IEngineWindow *view = nullptr;
        EepromImage image;
        std::unique_ptr<ProgrammingSession> own;
        ProgrammingSession *session = nullptr;
        std::unique_ptr<SessionSeries> series;
    };
    void Wire(int lane);
    bool MayStart() const;
    int Sum(int (SeriesCycle::*count)() const) const;
    void UnitEnded(const SeriesUnit &unit);

    std::vector<std::unique_ptr<Lane>> Lanes;
    SeriesLog Log;
    int Count = 0;
    bool StopOnFailure = false;
    bool Ending = false;
};
