#include "link/SeriesLanes.h"

#include "link/PortNames.h"

SeriesLanes::SeriesLanes(QObject *parent) : QObject(parent) {}

SeriesLanes::~SeriesLanes()
{
    // The series go before the sessions they run on.
    for (const auto &lane : Lanes)
        lane->series.reset();
}

std::optional<std::pair<int, int>> SeriesLanes::SameDevice(const QStringList &ports)
{
    for (int i = 0; i < ports.size(); ++i)
        for (int j = i + 1; j < ports.size(); ++j)
            if (PortIdentity(ports[i]) == PortIdentity(ports[j]))
                return std::make_pair(i, j);
    return std::nullopt;
}

bool SeriesLanes::OpenLog(const QString &logPath, QString *error)
{
    return SessionSeries::OpenLog(Log, logPath, error);
}

ProgrammingSession &SeriesLanes::AddLane(const QString &port)
{
    auto lane = std::make_unique<Lane>();
    lane->port = port;
    lane->ownView = std::make_unique<LaneView>();
    lane->view = lane->ownView.get();
    lane->own = std::make_unique<ProgrammingSession>(lane->image);
    lane->session = lane->own.get();
    lane->session->COM.Port = port;
    lane->session->COM.Open(); // throws: the lane is not added
    const int index = LaneCount();
    lane->ownView->OnChange = [this, index] {
        if (ViewChanged)
            ViewChanged(index);
    };
    Lanes.push_back(std::move(lane));
    return *Lanes.back()->session;
}

void SeriesLanes::AddLane(ProgrammingSession &session, IEngineWindow &view, const QString &port)
{
    auto lane = std::make_unique<Lane>();
    lane->port = port;
    lane->session = &session;
    lane->view = &view;
    Lanes.push_back(std::move(lane));
}

void SeriesLanes::Start(const SeriesOptions &options)
{
    Count = options.count;
    StopOnFailure = options.stopOnFailure;
    Ending = false;
    for (int i = 0; i < LaneCount(); ++i) {
        Lane &lane = *Lanes[size_t(i)];
        lane.series = std::make_unique<SessionSeries>(*lane.session, *lane.view);
        lane.series->NameThePort = LaneCount() > 1;
        Wire(i);
    }
    for (int i = 0; i < LaneCount(); ++i) {
        Lane &lane = *Lanes[size_t(i)];
        SeriesOptions own = options;
        own.port = lane.port;
        // The count is kept here, over all lanes; a lane stops on its own
        // failure as a single series does, the others after their unit.
        own.count = 0;
        own.mayStart = [this] { return MayStart(); };
        lane.series->Start(own, Log);
    }
}

void SeriesLanes::Wire(int i)
{
    SessionSeries &series = *Lanes[size_t(i)]->series;
    connect(&series, &SessionSeries::PhaseChanged, this, [this, i](SeriesCycle::Phase p) { emit PhaseChanged(i, p); });
    connect(&series, &SessionSeries::UnitDone, this, [this, i](const SeriesUnit &u) {
        emit UnitDone(i, u);
        UnitEnded(u);
    });
    connect(&series, &SessionSeries::Finished, this, [this, i] {
        emit LaneEnded(i);
        if (!Running())
            emit Finished();
    });
}

const SeriesCycle *SeriesLanes::CycleOf(int lane) const
{
    const SessionSeries *series = Lanes[size_t(lane)]->series.get();
    return series ? series->CurrentCycle() : nullptr;
}

bool SeriesLanes::MayStart() const
{
    if (Ending)
        return false;
    if (Count <= 0)
        return true;
    int taken = 0; // units done, and units in other lanes' hands
    for (int i = 0; i < LaneCount(); ++i)
        if (const SeriesCycle *cycle = CycleOf(i))
            taken += cycle->Done() + (cycle->UnitInHand() ? 1 : 0);
    return taken < Count;
}

void SeriesLanes::UnitEnded(const SeriesUnit &unit)
{
    const bool countReached = Count > 0 && Done() >= Count;
    if (!countReached && !(StopOnFailure && !unit.good))
        return;
    // No new unit anywhere; a unit being written is never cut off for it.
    Ending = true;
    for (const auto &lane : Lanes)
        lane->series->EndAfterUnit();
}

void SeriesLanes::Stop()
{
    Ending = true;
    for (const auto &lane : Lanes)
        if (lane->series)
            lane->series->Stop();
}

bool SeriesLanes::Running() const
{
    for (const auto &lane : Lanes)
        if (lane->series && lane->series->Running())
            return true;
    return false;
}

int SeriesLanes::Sum(int (SeriesCycle::*count)() const) const
{
    int n = 0;
    for (int i = 0; i < LaneCount(); ++i)
        if (const SeriesCycle *cycle = CycleOf(i))
            n += (cycle->*count)();
    return n;
}

bool SeriesLanes::LogFailed() const
{
    for (int i = 0; i < LaneCount(); ++i)
        if (const SeriesCycle *cycle = CycleOf(i); cycle && cycle->LogFailed())
            return true;
    return false;
}
