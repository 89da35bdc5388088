// Windows keeps no sysfs, /proc or device groups: nothing is discovered and
// nothing stands in the way that these functions could tell. Device Manager
// shows the COM number of an adapter there.
#include "link/PortDiscovery.h"

QString SystemRoot() { return QStringLiteral("/"); }
QList<SerialDevice> DiscoverSerialDevices(const QString &) { return {}; }
bool DeviceReachedBy(const SerialDevice &, const QString &, const QString &) { return false; }
QList<ProcessInfo> ProcessesHolding(const SerialDevice &, const QString &) { return {}; }
QList<ProcessInfo> ProcessesNamed(const QString &, const QString &) { return {}; }
bool BrlttyClaims(const SerialDevice &, const QString &) { return false; }
QStringList BrlttyClaimedAdapters(const QString &) { return {}; }
bool BrlttyInstalled(const QString &) { return false; }
bool ModemManagerInstalled(const QString &) { return false; }
UserGroups CurrentUserGroups() { return {}; }
AccessVerdict DecideAccess(uid_t, gid_t, mode_t, const UserGroups &) { return AccessVerdict::Allowed; }
DeviceAccess AccessOf(const SerialDevice &, const UserGroups &, const QString &)
{
    return DeviceAccess{AccessVerdict::Allowed, QString()};
}
QString AccessRemedy(const DeviceAccess &) { return QString(); }
QString SerialDevice::Description() const { return QString(); }
QString SerialDevice::DescriptionRu() const { return QString(); }
QString ComNameOf(const SerialDevice &, const std::function<QString(const QString &)> &, const QString &)
{
    return QString();
}
QString ComSettingFor(const SerialDevice &, const QList<SerialDevice> &, const std::function<QString(const QString &)> &,
                      const QString &)
{
    return QString();
}
