#pragma once

#include "link/WireTrace.h"

// quillon-cli's "ports" and "probe": which serial devices there are, whether
// this user can open them and what stands in the way; and whether the
// telephone answers on one.

#include "cli/ExitCode.h"
#include "link/PortDiscovery.h"
#include "link/PortSettings.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <functional>

namespace Cli {

struct PortEntry {
    SerialDevice device;
    QString com;        // the port list's name reaching it; empty for none
    QString comSetting; // without a COM name: the setting that would give it one
    DeviceAccess access;
    QString accessRemedy;
    QList<ProcessInfo> holders;
    bool brlttyClaims = false;
};

// "brltty (pid 812), minicom (pid 900)".
QString Holders(const QList<ProcessInfo> &holders);

struct Troublemaker {
    QString name; // "brltty", "ModemManager"
    bool running = false;
    QString what; // why it matters here (English, as the JSON gives it)
    QString fix;  // the one command
    QString shownWhat = {}; // `what` in the user's language; empty: `what`
};

struct PortsReport {
    QList<PortEntry> ports;
    QList<PortSetting> settings; // the QUILLON_COMn settings in force
    QList<Troublemaker> troublemakers; // only those running or installed
};

PortsReport BuildPortsReport(const QString &root, const UserGroups &user,
                             const std::function<QString(const QString &)> &devicePathOf);
QString PortsText(const PortsReport &report);
QJsonObject PortsJson(const PortsReport &report);
// The platform's word when no port is found: where to look next (PortRemedy*.cpp).
QString NoPortsText();
// After a probe that got its echo: what speeds up the adapter, where the
// program cannot do it itself (empty on Linux, which it asks for low latency).
QString LatencyAdvice();

// The commands themselves. The system root can be moved with QUILLON_SYSROOT
// (tests); port names map as in the window.
// What they print on standard output goes through `out`.
int PortsCommand(bool json, const std::function<void(const QString &)> &out);
// `port` as PortArgument gives it.
// --trace: the characters into path; false with the failure reported.
bool WriteTrace(const QString &path, const WireTrace &trace);
// traceFile: where --trace writes the characters, empty for none.
int ProbeCommand(const QString &port, const std::function<void(const QString &)> &out, const QString &traceFile = QString());

} // namespace Cli
