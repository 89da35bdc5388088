#include "cli/CliPorts.h"

#include "cli/CliInterrupt.h"
#include "cli/CliNames.h"
#include "cli/CliPrintable.h"
#include "cli/CliSession.h"
#include "cli/CliText.h"

#include "link/PortNames.h"
#include "link/PortProbe.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

namespace Cli {

namespace {

const char kBrlttyFix[] = "sudo apt remove brltty";
const char kModemManagerFix[] = "sudo systemctl disable --now ModemManager";
const char kBrailleDaemon[] = QT_TRANSLATE_NOOP("Cli", "the braille daemon");
const char kBrlttyTakes[] = QT_TRANSLATE_NOOP("Cli", "; its udev rules take %1 adapters, which then appear and vanish again");
const char kBrlttyClaimsNow[] = QT_TRANSLATE_NOOP("Cli", "; it claims an adapter present now");
const char kModemManagerProbes[] =
    QT_TRANSLATE_NOOP("Cli", "probes every new serial adapter with AT commands and holds it meanwhile");

QString AccessWord(AccessVerdict v)
{
    switch (v) {
    case AccessVerdict::Allowed: return QStringLiteral("yes");
    case AccessVerdict::NotInGroup: return QStringLiteral("not-in-group");
    case AccessVerdict::NotLoggedInAgain: return QStringLiteral("log-in-again");
    case AccessVerdict::Denied: return QStringLiteral("denied");
    case AccessVerdict::Missing: return QStringLiteral("missing");
    case AccessVerdict::Unknown: return QStringLiteral("unknown");
    }
    return QString();
}

QString AccessText(const PortEntry &p)
{
    switch (p.access.verdict) {
    case AccessVerdict::Allowed: return Text::tr("yes");
    case AccessVerdict::NotInGroup: return Text::tr("no, you are not in the group %1").arg(p.access.group);
    case AccessVerdict::NotLoggedInAgain:
        return Text::tr("no, you were added to the group %1 but this session started before").arg(p.access.group);
    case AccessVerdict::Denied: return Text::tr("no, permission denied");
    case AccessVerdict::Missing: return Text::tr("no, the device node is missing");
    case AccessVerdict::Unknown: return QString();
    }
    return QString();
}


QString SettingWhat(const PortSetting &s)
{
    if (s.target.isEmpty())
        return Text::tr("no device");
    const QString kind = s.pseudoTerminal ? Text::tr("pseudo-terminal") : Text::tr("device");
    return s.target == s.path ? kind : QStringLiteral("%1 %2").arg(kind, s.target);
}

} // namespace

QString Holders(const QList<ProcessInfo> &holders)
{
    QStringList names;
    for (const ProcessInfo &h : holders)
        names << QStringLiteral("%1 (pid %2)").arg(h.name).arg(h.pid);
    return names.join(QStringLiteral(", "));
}

PortsReport BuildPortsReport(const QString &root, const UserGroups &user,
                             const std::function<QString(const QString &)> &devicePathOf)
{
    PortsReport report;
    report.settings = PortSettingsInForce(devicePathOf, root);
    const QList<SerialDevice> devices = DiscoverSerialDevices(root);
    bool anyBrlttyClaim = false;
    for (const SerialDevice &d : devices) {
        PortEntry p;
        p.device = d;
        p.com = ComNameOf(d, devicePathOf, root);
        if (p.com.isEmpty())
            p.comSetting = ComSettingFor(d, devices, devicePathOf, root);
        p.access = AccessOf(d, user, root);
        p.accessRemedy = InEnglish([&] { return AccessRemedy(p.access); });
        p.holders = ProcessesHolding(d, root);
        p.brlttyClaims = BrlttyClaims(d, root);
        anyBrlttyClaim = anyBrlttyClaim || p.brlttyClaims;
        report.ports << p;
    }

    const bool brlttyRunning = !ProcessesNamed(QStringLiteral("brltty"), root).isEmpty();
    const QStringList claimed = BrlttyClaimedAdapters(root);
    if (brlttyRunning || BrlttyInstalled(root) || !claimed.isEmpty()) {
        // English for the JSON, the user's language for the text.
        QString what = QString::fromLatin1(kBrailleDaemon), shown = Text::tr(kBrailleDaemon);
        const QString adapters = claimed.join(QStringLiteral(", "));
        if (!claimed.isEmpty()) {
            what += QString::fromLatin1(kBrlttyTakes).arg(adapters);
            shown += Text::tr(kBrlttyTakes).arg(adapters);
        }
        if (anyBrlttyClaim) {
            what += QString::fromLatin1(kBrlttyClaimsNow);
            shown += Text::tr(kBrlttyClaimsNow);
        }
        report.troublemakers << Troublemaker{QStringLiteral("brltty"), brlttyRunning, what,
                                             QString::fromLatin1(kBrlttyFix), shown};
    }
    const bool mmRunning = !ProcessesNamed(QStringLiteral("ModemManager"), root).isEmpty();
    if (mmRunning || ModemManagerInstalled(root))
        report.troublemakers << Troublemaker{
            QStringLiteral("ModemManager"), mmRunning,
            QString::fromLatin1(kModemManagerProbes), QString::fromLatin1(kModemManagerFix),
            Text::tr(kModemManagerProbes)};
    return report;
}

QString PortsText(const PortsReport &report)
{
    QString text;
    if (report.ports.isEmpty())
        text += NoPortsText();
    for (const PortEntry &p : report.ports) {
        text += QStringLiteral("%1 %2 %3\n")
                    .arg((p.com.isEmpty() ? QStringLiteral("-") : p.com).leftJustified(5),
                         p.device.path.leftJustified(13), p.device.Description());
        for (const QString &link : p.device.byId)
            text += QStringLiteral("      by-id: %1\n").arg(link);
        if (p.com.isEmpty())
            text += Text::tr("      no COM name reaches it; run with %1\n").arg(p.comSetting);
        // Present by the system's device list; nothing was opened to tell
        // more, since opening a port toggles DTR on whatever hangs there.
        text += Text::tr("      present (not opened; 'probe' opens it)\n");
        if (const QString access = AccessText(p); !access.isEmpty())
            text += Text::tr("      permissions: %1\n").arg(access);
        if (!p.accessRemedy.isEmpty())
            text += Text::tr("      fix: %1\n").arg(AccessRemedy(p.access));
        if (!p.holders.isEmpty())
            text += Text::tr("      held by: %1\n").arg(Holders(p.holders));
        if (p.brlttyClaims)
            text += Text::tr("      brltty's udev rules claim it: %1\n").arg(QString::fromLatin1(kBrlttyFix));
    }
    if (!report.settings.isEmpty())
        text += Text::tr("\nSettings in force:\n");
    for (const PortSetting &s : report.settings)
        text += QStringLiteral("  %1 QUILLON_%2=%3: %4\n")
                    .arg(s.name.leftJustified(5), s.name, s.path, SettingWhat(s));
    if (!report.troublemakers.isEmpty())
        text += Text::tr("\nKnown troublemakers:\n");
    for (const Troublemaker &t : report.troublemakers)
        text += Text::tr("  %1 (%2): %3\n      fix: %4\n")
                    .arg(t.name, t.running ? Text::tr("running") : Text::tr("installed"),
                         t.shownWhat.isEmpty() ? t.what : t.shownWhat, t.fix);
    return text;
}

QJsonObject PortsJson(const PortsReport &report)
{
    QJsonArray ports;
    for (const PortEntry &p : report.ports) {
        QJsonArray holders;
        for (const ProcessInfo &h : p.holders)
            holders.append(QJsonObject{{"pid", static_cast<int>(h.pid)}, {"name", h.name}});
        QJsonObject o{
            {"device", p.device.path},
            {"by_id", QJsonArray::fromStringList(p.device.byId)},
            {"com", p.com.isEmpty() ? QJsonValue() : QJsonValue(p.com)},
            {"description", InEnglish([&] { return p.device.Description(); })},
            {"driver", p.device.driver},
            {"vendor_id", p.device.vendorId},
            {"product_id", p.device.productId},
            {"manufacturer", p.device.manufacturer},
            {"product", p.device.product},
            {"serial", p.device.serial},
            {"present", true},
            {"access", AccessWord(p.access.verdict)},
            {"group", p.access.group},
            {"held_by", holders},
            {"brltty_claims", p.brlttyClaims},
        };
        if (!p.accessRemedy.isEmpty())
            o.insert("fix", p.accessRemedy);
        if (!p.comSetting.isEmpty())
            o.insert("com_setting", p.comSetting);
        ports.append(o);
    }
    QJsonArray troublemakers;
    for (const Troublemaker &t : report.troublemakers)
        troublemakers.append(QJsonObject{{"name", t.name}, {"running", t.running}, {"what", t.what}, {"fix", t.fix}});
    QJsonArray settings;
    for (const PortSetting &s : report.settings)
        settings.append(QJsonObject{{"com", s.name},
                                    {"device", s.path},
                                    {"target", s.target.isEmpty() ? QJsonValue() : QJsonValue(s.target)},
                                    {"present", !s.target.isEmpty()},
                                    {"pseudo_terminal", s.pseudoTerminal}});
    return QJsonObject{{"ports", ports}, {"settings", settings}, {"troublemakers", troublemakers}};
}

int PortsCommand(bool json, const std::function<void(const QString &)> &Out)
{
    const PortsReport report = BuildPortsReport(SystemRoot(), CurrentUserGroups(), PortDevicePath);
    Out(json ? QString::fromUtf8(QJsonDocument(PortsJson(report)).toJson(QJsonDocument::Indented)) : PortsText(report));
    return 0;
}

bool WriteTrace(const QString &path, const WireTrace &trace)
{
    if (const IoError error = SaveImageFile(path, trace.Text().toUtf8())) {
        WriteText(stderr, QStringLiteral("quillon-cli: ") +
                              Text::tr("trace not saved in %1: %2").arg(Printable(path), IoErrorText(error)) + u'\n');
        return false;
    }
    return true;
}

int ProbeCommand(const QString &port, const std::function<void(const QString &)> &Out, const QString &traceFile)
{
    // Messages name the device behind a COM name too.
    const QString device = PortDevicePath(port);
    const QString shown = device != port ? QStringLiteral("%1 (%2)").arg(port, device) : port;
    CliSession session(false);
    // A probe runs no job: it keeps the program's tick, and so the echo limit
    // its outcome names, whatever tick tests give jobs.
    session.Driver.Timer1.setInterval(EngineDriver::kTickMs);
    const WireTrace &trace = session.Session.Trace;
    // Written whatever the end: a failure is what it is for.
    const auto traced = [&](int code) {
        if (!traceFile.isEmpty() && !WriteTrace(traceFile, trace) && code == ExitOk)
            return int(ExitFile);
        return code;
    };
    ProbeResult r;
    try {
        r = session.Probe(port, kLatencyEchoes);
        session.COM.Close();
    } catch (const EComPort &e) {
        // The port opened (an open that fails is an outcome) and was lost
        // during the exchange: a failure of the probe, not of the port's opening.
        WriteText(stderr, QStringLiteral("quillon-cli: %1: %2\n").arg(Printable(shown), QString::fromUtf8(e.what())));
        return traced(ExitJobFailed);
    }
    if (r.outcome == ProbeOutcome::Cancelled) { // Ctrl+C, as it ends a job
        WriteText(stderr, QStringLiteral("quillon-cli: ") + Text::tr("interrupted") + u'\n');
        return traced(ExitJobFailed);
    }
    const QString line = shown + QStringLiteral(": ") + ProbeSummary(r);
    if (r.outcome == ProbeOutcome::Answers) {
        Out(line + u'\n');
        if (const QString slow = SlowEchoAdvice(r); !slow.isEmpty())
            WriteText(stderr, Text::tr("  note: %1\n").arg(slow));
        else if (const QString advice = LatencyAdvice(); !advice.isEmpty())
            WriteText(stderr, Text::tr("  note: %1\n").arg(advice));
        return traced(ExitOk);
    }
    const QString remedy = r.outcome == ProbeOutcome::OpenFailed ? PortRemedy(r.platformCode) : ProbeRemedy(r);
    WriteText(stderr, QStringLiteral("quillon-cli: %1\n  %2\n").arg(Printable(line), remedy));
    switch (r.outcome) {
    case ProbeOutcome::NoEcho: return traced(ExitNoEcho);
    case ProbeOutcome::WrongEcho: return traced(ExitWrongEcho);
    default: return traced(ExitPort);
    }
}

} // namespace Cli
