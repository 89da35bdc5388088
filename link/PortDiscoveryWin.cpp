// Windows keeps no sysfs, /proc or device groups. The COM ports the system
// has are the registry's SERIALCOMM map (what Device Manager lists under
// "Ports (COM & LPT)"), with the friendly name the setup API gives each;
// nothing stands in the way that these functions could tell.
#include "link/PortDiscovery.h"

#include "link/PortNames.h"

#include <QHash>

#include <windows.h>
// clang-format off
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>
// clang-format on

#include <algorithm>

namespace {

// "COM3" -> "USB Serial Port (COM3)", for the ports present.
QHash<QString, QString> FriendlyNames()
{
    QHash<QString, QString> names;
    const HDEVINFO set = ::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE)
        return names;
    SP_DEVINFO_DATA info {};
    info.cbSize = sizeof info;
    for (DWORD i = 0; ::SetupDiEnumDeviceInfo(set, i, &info); ++i) {
        wchar_t port[64] = {};
        const HKEY key = ::SetupDiOpenDevRegKey(set, &info, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        DWORD bytes = sizeof port - sizeof(wchar_t);
        DWORD type = 0;
        const bool named = ::RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE *>(port),
                                              &bytes) == ERROR_SUCCESS &&
                           type == REG_SZ;
        ::RegCloseKey(key);
        wchar_t friendly[256] = {};
        if (named && ::SetupDiGetDeviceRegistryPropertyW(set, &info, SPDRP_FRIENDLYNAME, nullptr,
                                                         reinterpret_cast<BYTE *>(friendly),
                                                         sizeof friendly - sizeof(wchar_t), nullptr))
            names.insert(QString::fromWCharArray(port).toUpper(), QString::fromWCharArray(friendly));
    }
    ::SetupDiDestroyDeviceInfoList(set);
    return names;
}

} // namespace

QString SystemRoot() { return QStringLiteral("/"); }

QList<SerialDevice> DiscoverSerialDevices(const QString &)
{
    QList<SerialDevice> found;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return found;
    const QHash<QString, QString> friendly = FriendlyNames();
    for (DWORD i = 0;; ++i) {
        wchar_t device[256] = {};
        wchar_t com[64] = {};
        DWORD deviceLength = 255;
        DWORD bytes = sizeof com - sizeof(wchar_t);
        DWORD type = 0;
        const LONG r =
            ::RegEnumValueW(key, i, device, &deviceLength, nullptr, &type, reinterpret_cast<BYTE *>(com), &bytes);
        if (r == ERROR_NO_MORE_ITEMS)
            break;
        if (r != ERROR_SUCCESS || type != REG_SZ)
            continue;
        SerialDevice d;
        d.name = QString::fromWCharArray(com).toUpper();
        d.path = PortDevicePath(d.name);
        if (d.path.isEmpty())
            continue;
        d.driver = QString::fromWCharArray(device, static_cast<int>(deviceLength)); // "\Device\VCP0"
        d.product = friendly.value(d.name);
        found << d;
    }
    ::RegCloseKey(key);
    std::sort(found.begin(), found.end(),
              [](const SerialDevice &a, const SerialDevice &b) { return ComNumber(a.name) < ComNumber(b.name); });
    return found;
}

bool DeviceReachedBy(const SerialDevice &device, const QString &devicePath, const QString &)
{
    return !devicePath.isEmpty() && device.path.compare(devicePath, Qt::CaseInsensitive) == 0;
}
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
    return DeviceAccess{AccessVerdict::Unknown, QString()};
}
QString AccessRemedy(const DeviceAccess &) { return QString(); }
// "USB Serial Port (COM3) (\Device\VCP0)"; the driver's device alone without a friendly name.
QString SerialDevice::Description() const
{
    return product.isEmpty() ? driver : QStringLiteral("%1 (%2)").arg(product, driver);
}
QString ComNameOf(const SerialDevice &device, const std::function<QString(const QString &)> &devicePathOf,
                  const QString &root)
{
    return DeviceReachedBy(device, devicePathOf(device.name), root) ? device.name : QString();
}
QString ComSettingFor(const SerialDevice &, const QList<SerialDevice> &, const std::function<QString(const QString &)> &,
                      const QString &)
{
    return QString();
}
