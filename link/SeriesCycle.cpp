#include "link/SeriesCycle.h"

#include <QStringList>

SeriesCycle::SeriesCycle(SeriesProgrammer &programmer, const SeriesOptions &options, SeriesLog *log)
    : Programmer(programmer), Options(options), Log(log)
{
}

QString SeriesCycle::Recorded(const SeriesOptions &options, const LaterText &text)
{
    return options.recordWords ? options.recordWords(text) : text();
}

namespace {

LaterText SeriesText(const char *text, const QStringList &values = {})
{
    return LaterText([text, values] { return Worded("Series", text, values); });
}

} // namespace

void SeriesCycle::Start(const QDateTime &now)
{
    SeriesStart = now;
    CurPhase = Phase::WaitPhone;
    ProbeNow();
}

void SeriesCycle::ProbeNow()
{
    InFlight = true;
    SinceProbeMs = 0;
    Programmer.Probe();
}

void SeriesCycle::Advance(int ms, const QDateTime &)
{
    if (InFlight || (CurPhase != Phase::WaitPhone && CurPhase != Phase::WaitRemoval))
        return;
    SinceProbeMs += ms;
    if (SinceProbeMs >= kProbeIntervalMs)
        ProbeNow();
}

void SeriesCycle::RequestStop()
{
    StopAsked = true;
    if (!InFlight)
        CurPhase = Phase::Finished;
}

void SeriesCycle::EndAfterUnit()
{
    NoMoreUnits = true;
    if (!InFlight && (CurPhase == Phase::WaitPhone || CurPhase == Phase::WaitRemoval))
        CurPhase = Phase::Finished;
}

void SeriesCycle::ProbeDone(bool answers, const QDateTime &now)
{
    if (CurPhase != Phase::WaitPhone && CurPhase != Phase::WaitRemoval)
        return; // a probe nobody started
    InFlight = false;
    SinceProbeMs = 0;
    if (StopAsked || NoMoreUnits) {
        CurPhase = Phase::Finished;
        return;
    }
    if (CurPhase == Phase::WaitPhone) {
        if (answers && (!Options.mayStart || Options.mayStart()))
            StartUnit(now);
    } else if (CurPhase == Phase::WaitRemoval) {
        SilentProbes = answers ? 0 : SilentProbes + 1;
        if (SilentProbes >= kRemovedAfterSilentProbes) {
            SilentProbes = 0;
            CurPhase = Phase::WaitPhone;
        }
    }
}

void SeriesCycle::StartUnit(const QDateTime &now)
{
    Unit = SeriesUnit();
    Unit.number = Units.size() + 1;
    Unit.start = now;
    Unit.port = Options.port;
    CurPhase = Phase::Reading;
    InFlight = true;
    const QString series = SeriesStart.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    Programmer.ReadUnit(Recorded(Options, SeriesText(QT_TRANSLATE_NOOP("Series", "Серия %1, телефон %2"),
                                                     {series, QString::number(Unit.number)})));
}

void SeriesCycle::JobDone(const SeriesJobResult &r, const QDateTime &now)
{
    if (CurPhase != Phase::Reading && CurPhase != Phase::Writing && CurPhase != Phase::Verifying)
        return; // a job nobody started
    InFlight = false;
    if (!r.completed) {
        FinishUnit(false, r.cause.IsEmpty() ? SeriesText(QT_TRANSLATE_NOOP("Series", "Невыполнено...")) : r.cause,
                   r.fatal, now);
        return;
    }
    const int first = ScopeFirst(Options.scope);
    const int last = ScopeLast(Options.scope);
    switch (CurPhase) {
    case Phase::Reading:
        // A contact that flickered took the finished unit for a new one:
        // it still holds just what it was left with. Wait for its removal.
        if (LastUnitHolds && r.words == *LastUnitHolds && !StopAsked) {
            ++SameUnitCount;
            CurPhase = NoMoreUnits ? Phase::Finished : Phase::WaitRemoval;
            SilentProbes = 0;
            SinceProbeMs = 0;
            return;
        }
        Unit.idBefore = r.words[Addr::BaseId];
        Unit.backup = r.backup;
        Expected = BuildUnitImage(Options.image, r.words, Options.keep, Options.scope);
        if (StopAsked) {
            FinishUnit(false, SeriesText(QT_TRANSLATE_NOOP("Series", "Серия остановлена до записи")), false, now,
                       r.words);
            return;
        }
        Unit.written = true;
        CurPhase = Phase::Writing;
        InFlight = true;
        Programmer.Write(Expected, first, last);
        break;
    case Phase::Writing:
        if (StopAsked) {
            FinishUnit(false, SeriesText(QT_TRANSLATE_NOOP("Series", "Серия остановлена до проверки")), false, now);
            return;
        }
        CurPhase = Phase::Verifying;
        InFlight = true;
        Programmer.ReadBack(first, last);
        break;
    case Phase::Verifying: {
        Unit.idAfter = r.words[Addr::BaseId];
        EepromImage holds = Expected; // outside the scope, as the unit held it
        for (int a = first; a <= last; ++a)
            holds[a] = r.words[a];
        Unit.differing = r.differing;
        QStringList words;
        for (int a : r.differing)
            words << ByteToHex(static_cast<uint8_t>(a));
        if (words.isEmpty())
            FinishUnit(true, LaterText(), false, now, holds);
        else
            FinishUnit(false,
                       SeriesText(QT_TRANSLATE_NOOP("Series", "Проверка не пройдена: слова %1"),
                                  {words.join(QStringLiteral(", "))}),
                       false, now, holds);
        break;
    }
    default:
        break;
    }
}

void SeriesCycle::FinishUnit(bool good, const LaterText &cause, bool fatal, const QDateTime &now,
                             const std::optional<EepromImage> &holds)
{
    LastUnitHolds = holds;
    Unit.good = good;
    Unit.cause = cause;
    Unit.durationMs = Unit.start.msecsTo(now);
    Units << Unit;
    if (good)
        ++GoodCount;
    if (Log) {
        SeriesUnit recorded = Unit;
        recorded.cause = Recorded(Options, Unit.cause);
        if (!Log->Append(recorded))
            LogError = true;
    }
    const bool last = fatal || StopAsked || NoMoreUnits || (!good && Options.stopOnFailure)
                      || (Options.count > 0 && Units.size() >= Options.count);
    CurPhase = last ? Phase::Finished : Phase::WaitRemoval;
    SilentProbes = 0;
    SinceProbeMs = 0;
    Programmer.Signal(Unit);
}
