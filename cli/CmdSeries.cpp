#include "cli/Commands.h"

#include "cli/CliInterrupt.h"
#include "cli/CliPrint.h"
#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "image/ReadMark.h"
#include "image/SeriesImage.h"
#include "link/PortNames.h"
#include "cli/CliPorts.h"
#include "link/PortDiscovery.h"
#include "link/SeriesLanes.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>

#include <unistd.h>

namespace Cli {

// Built before the translator is in place: the help translates them.
const QCommandLineOption kKeep("keep",
                               QT_TRANSLATE_NOOP("Cli", "The unit's own words to keep: id (0x37-0x3A, ID code and "
                                                        "channels; the default), low (0x00-0x2F), none, or id,low."),
                               "WHAT");
const QCommandLineOption kScope("scope",
                                QT_TRANSLATE_NOOP("Cli", "What is written: all (0x00-0x3F, the default) or block "
                                                         "(0x30-0x3F)."),
                                "SCOPE");
const QCommandLineOption kStopOnFail("stop-on-fail",
                                     QT_TRANSLATE_NOOP("Cli", "End the series at the first unit that fails."));
const QCommandLineOption kCount("count", QT_TRANSLATE_NOOP("Cli", "End the series after N units."), "N");
const QCommandLineOption kLog("log",
                              QT_TRANSLATE_NOOP("Cli", "The CSV log of the units (default: series/<start time>.csv "
                                                       "beside the backups folder); an existing file is appended to."),
                              "FILE");

namespace {

// Why the series image must not be written as the options say; empty when
// it may. Only the words that go from the image into a unit count.
QString UnheldSeriesWords(const ImageFileData &file, const SeriesOptions &o, bool scopeGiven)
{
    EepromImage fromImage, fromUnit;
    for (int a = 0; a < EepromImage::kWords; ++a) {
        fromImage[a] = 0;
        fromUnit[a] = 1;
    }
    const EepromImage source = BuildUnitImage(fromImage, fromUnit, o.keep, o.scope);
    QList<int> written;
    for (int a = 0; a < EepromImage::kWords; ++a)
        if (source[a] == 0)
            written << a;
    if (const std::optional<ReadRange> held = FindReadRangeMark(file.comment)) {
        for (int a : written)
            if (a < held->first || a > held->last)
                return Text::tr("it holds only words %1-%2 (as the read mark in its comment says), the rest is "
                                "FFFF, not a telephone's: --scope block writes the radio block alone")
                    .arg(ByteToHex(uint8_t(held->first)), ByteToHex(uint8_t(held->last)));
        return QString();
    }
    // An explicit --scope is the technician's answer to the question the window asks.
    if (scopeGiven || !SeriesErasesLowWords(file.image, o.keep, o.scope))
        return QString();
    return Text::tr("words 00-2F are all FFFF, as a block read or a preset leaves them: --scope block writes "
                    "the radio block alone, --scope all all 64 words");
}

QString IdText(int id) { return id < 0 ? QStringLiteral("-") : QString::number(id); }

// "unit 3: ID 6699 -> 6699, failed, 4.1 s: verify failed: words 00, 01"
QString UnitLine(const SeriesUnit &u)
{
    QString line = Text::tr("unit %1: ID %2 -> %3, %4, %5 s")
                       .arg(u.number)
                       .arg(IdText(u.idBefore), IdText(u.idAfter),
                            u.good      ? Text::tr("good", "unit")
                            : u.written ? Text::tr("failed", "unit")
                                        : Text::tr("untouched", "unit: nothing was written to it"))
                       .arg(static_cast<double>(u.durationMs) / 1000.0, 0, 'f', 1);
    // The log keeps the English cause; the screen speaks the user's language.
    if (const QString cause = u.cause(); !cause.isEmpty())
        line += QStringLiteral(": ") + cause;
    return line + u'\n';
}

// "PORT (DEVICE)" when the name maps to a device of another name.
QString PortText(const QString &port)
{
    const QString device = PortDevicePath(port);
    return device != port ? QStringLiteral("%1 (%2)").arg(port, device) : port;
}

// Why a port did not open, what to do, and who holds it when another program does.
QString OpenFailure(const QString &port, const EComPort &e)
{
    QString text = PortText(port) + QStringLiteral(": ") + e.Message();
    if (const QString remedy = PortRemedy(e.PlatformCode()); !remedy.isEmpty())
        text += QStringLiteral("\n  ") + remedy;
    SerialDevice device;
    device.path = PortDevicePath(port);
    if (const QList<ProcessInfo> holders = ProcessesHolding(device); !holders.isEmpty())
        text += QStringLiteral("\n  ") + Text::tr("held by: %1").arg(Holders(holders));
    return text;
}

// Every --port given, as PortArgument takes it; the same device twice is refused.
bool SeriesPorts(Args &a, QStringList *ports, QString *error)
{
    for (const QString &value : a.parser.values(kPort)) {
        const std::optional<QString> port = PortArgument(value);
        if (!port) {
            *error = Text::tr("unknown port %1: %2").arg(value, PortNamesAccepted());
            return false;
        }
        *ports << *port;
    }
    if (const auto same = SeriesLanes::SameDevice(*ports)) {
        *error = Text::tr("--port %1 and --port %2 are the same device: give each port once")
                     .arg(PortText(ports->at(same->first)), PortText(ports->at(same->second)));
        return false;
    }
    return true;
}

} // namespace

int RunSeries(Args &a)
{
    if (!a.positionals.isEmpty() && IsRangeWord(a.positionals.constFirst()))
        return Fail(ExitUsage, Text::tr("series takes no range: --scope all or --scope block"));
    QString port, error;
    JobRange range;
    QStringList ports;
    if (!PortArgs(a, 1, &port, &range, &error) || !SeriesPorts(a, &ports, &error))
        return Fail(ExitUsage, error);
    SeriesOptions options;
    if (a.parser.isSet(kKeep) && !ParseSeriesKeep(a.parser.value(kKeep), &options.keep))
        return Fail(ExitUsage,
                    Text::tr("--keep takes id, low, none or id,low, not '%1'").arg(a.parser.value(kKeep)));
    if (a.parser.isSet(kScope) && !ParseSeriesScope(a.parser.value(kScope), &options.scope))
        return Fail(ExitUsage, Text::tr("--scope takes all or block, not '%1'").arg(a.parser.value(kScope)));
    if (a.parser.isSet(kCount)) {
        bool ok = false;
        options.count = a.parser.value(kCount).toInt(&ok);
        if (!ok || options.count < 1)
            return Fail(ExitUsage,
                        Text::tr("--count takes a number of units, 1 or more, not '%1'").arg(a.parser.value(kCount)));
    }
    if (a.parser.isSet(kLog) && a.parser.value(kLog).isEmpty())
        return Fail(ExitUsage, Text::tr("--log needs a file name"));
    options.stopOnFailure = a.parser.isSet(kStopOnFail);
    // The causes go into the CSV log and the backups' comments, which stay
    // alike in every language.
    options.recordWords = [](const LaterText &text) { return InEnglish(text); };

    // The series image: a file the write command would refuse is refused here.
    const QString imagePath = a.positionals.constFirst();
    ImageFileData file;
    int code = ExitOk;
    if (!LoadInput(imagePath, &file, &code, Suspect::Refuse))
        return code;
    if (const QString why = UnheldSeriesWords(file, options, a.parser.isSet(kScope)); !why.isEmpty())
        return Fail(ExitFile, imagePath + QStringLiteral(": ") + why);
    options.image = file.image;

    // A series leaves no unit unrecorded: the log opens before any port does.
    SeriesLanes lanes;
    QString logError;
    if (!lanes.OpenLog(a.parser.value(kLog), &logError))
        return Fail(ExitFile, Text::tr("series log: %1").arg(logError));

    const bool quiet = a.parser.isSet(kQuiet);
    const bool several = ports.size() > 1;
    // One port draws the job's progress line; several lanes only their events.
    CliSession session(!quiet && !several && StderrIsTerminal());
    int status = ExitOk;
    const int tickMs = qEnvironmentVariableIntValue("QUILLON_TICK_MS");
    const auto model = [model = std::max(0, file.model.value_or(0))] { return model; };
    for (const QString &p : std::as_const(ports)) {
        try {
            if (several) {
                ProgrammingSession &lane = lanes.AddLane(p);
                if (tickMs > 0)
                    lane.Driver.Timer1.setInterval(tickMs); // tests
                lane.BackupModel = model;
            } else {
                session.Open(p);
                session.Session.BackupModel = model;
                lanes.AddLane(session.Session, session, p);
            }
        } catch (const EComPort &e) {
            // A lane that cannot open is its own failure; the others go on.
            status = Fail(several ? ExitJobFailed : ExitPort, OpenFailure(p, e));
        }
    }
    if (lanes.LaneCount() == 0)
        return several ? ExitPort : status;

    const auto lanePrefix = [&](int lane) { return several ? lanes.PortOf(lane) + QStringLiteral(": ") : QString(); };
    QObject::connect(&lanes, &SeriesLanes::PhaseChanged, [&](int lane, SeriesCycle::Phase phase) {
        // After Ctrl+C the series is ending: nobody is to be asked for anything.
        if (quiet || CliSession::Interrupted())
            return;
        if (phase == SeriesCycle::Phase::WaitPhone)
            Note(Text::tr("series: connect a telephone to %1").arg(PortText(lanes.PortOf(lane))));
        else if (phase == SeriesCycle::Phase::WaitRemoval)
            Note(several ? Text::tr("series: disconnect the telephone from %1").arg(lanes.PortOf(lane))
                         : Text::tr("series: disconnect the telephone"));
    });
    QObject::connect(&lanes, &SeriesLanes::UnitDone, [&](int lane, const SeriesUnit &unit) {
        Out(lanePrefix(lane) + UnitLine(unit));
        std::fflush(stdout); // a unit at a time, also into a pipe
    });
    // A lost port ends its lane at once; the others go on.
    QObject::connect(&lanes, &SeriesLanes::LaneEnded, [&](int lane) {
        if (const QString fatal = lanes.SeriesOf(lane).FatalError(); !fatal.isEmpty())
            status = Fail(ExitJobFailed, PortText(lanes.PortOf(lane)) + QStringLiteral(": ") + fatal);
    });
    lanes.Start(options);
    if (!quiet)
        Note(Text::tr("series: log %1").arg(QDir::toNativeSeparators(lanes.LogPath())));

    // The session's interrupt watcher cancels the running job or probe at
    // once; the series then ends as "Стоп" ends it.
    QTimer interrupt;
    QObject::connect(&interrupt, &QTimer::timeout, [&] {
        if (CliSession::Interrupted())
            lanes.Stop();
    });
    interrupt.start(50);
    QEventLoop loop;
    QObject::connect(&lanes, &SeriesLanes::Finished, &loop, &QEventLoop::quit);
    if (lanes.Running())
        loop.exec();
    interrupt.stop();

    Note(Text::tr("series: %n units, %1 good, %2 failed", nullptr, lanes.Done()).arg(lanes.Good()).arg(lanes.Failed()));
    if (lanes.LogFailed())
        Note(Text::tr("quillon-cli: series log %1: not every unit was written: %2")
                 .arg(QDir::toNativeSeparators(lanes.LogPath()), lanes.LogError()));
    if (lanes.Failed() > 0 && status == ExitOk)
        status = ExitJobFailed;
    for (int lane = 0; lane < lanes.LaneCount(); ++lane) {
        try {
            lanes.SessionOf(lane).COM.Close();
        } catch (const EComPort &e) {
            if (status == ExitOk)
                status = Fail(ExitJobFailed, PortText(lanes.PortOf(lane)) + QStringLiteral(": ") + e.Message());
        }
    }
    return status;
}

} // namespace Cli
