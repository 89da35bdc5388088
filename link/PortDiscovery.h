#pragma once

// Which serial devices are present, what they are, whether this user's
// permissions let him open them and what stands in the way (on Windows only
// the first: the COM ports the system has, with their friendly names). All of
// it from the system's device list and the nodes' modes: nothing here opens
// a port, since opening one toggles DTR and resets what hangs on it.
// Everything is read from sysfs, /dev and
// /proc below one root directory ("/" for the running system), so that tests
// can point it at a small tree of their own.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <sys/types.h>

struct stat;
#ifdef _WIN32
// Windows has no owners and groups of devices; the types keep one interface.
using uid_t = unsigned int;
using gid_t = unsigned int;
#endif

// "/" unless QUILLON_SYSROOT names another tree (tests).
QString SystemRoot();

struct SerialDevice {
    QString name;         // "ttyUSB0"
    QString path;         // "/dev/ttyUSB0", as the running system names it
    QStringList byId;     // "/dev/serial/by-id/..." links to it
    QString driver;       // "ftdi_sio", "ch341-uart", "cdc_acm", "serial8250"
    QString vendorId;     // "0403"; empty without USB
    QString productId;    // "6001"
    QString manufacturer; // as the adapter reports them
    QString product;
    QString serial;

    bool Usb() const { return !vendorId.isEmpty(); }
    // "FTDI FT232R USB UART, драйвер ftdi_sio, USB 0403:6001, серийный номер
    // A1B2C3"; quillon-cli's English: "FTDI FT232R USB UART (ftdi_sio, USB
    // 0403:6001, serial A1B2C3)".
    QString Description() const;
    // The name to put into a QUILLON_COMn setting: a by-id link survives
    // unplugging and a change of the order in which adapters appear.
    QString StablePath() const { return byId.isEmpty() ? path : byId.constFirst(); }
};

// The serial devices present: ttyUSB*, ttyACM*, and ttyS* whose UART the
// kernel found (a board port without hardware has UART type 0). By name.
QList<SerialDevice> DiscoverSerialDevices(const QString &root = QStringLiteral("/"));

// A port name mapped to `devicePath` opens this device: its own path, one of
// its by-id links, or any other link to it.
bool DeviceReachedBy(const SerialDevice &device, const QString &devicePath, const QString &root = QStringLiteral("/"));
// The port list's name ("COM5") whose device is this one, given how port
// names map to devices; empty when none reaches it.
QString ComNameOf(const SerialDevice &device, const std::function<QString(const QString &)> &devicePathOf,
                  const QString &root = QStringLiteral("/"));
// For a device no port name reaches: "QUILLON_COM6=/dev/serial/by-id/...",
// using the first port name that is free: no QUILLON_COMn setting of the
// user's maps it, and its device (a pseudo-terminal too) is absent.
QString ComSettingFor(const SerialDevice &device, const QList<SerialDevice> &present,
                      const std::function<QString(const QString &)> &devicePathOf,
                      const QString &root = QStringLiteral("/"));

struct ProcessInfo {
    pid_t pid = 0;
    QString name; // /proc/<pid>/comm
};

// Processes with the device open, ourselves excluded, at most limit of them
// (-1: all). The one rule for "held", for the port's open and for `ports`
// alike: an entry of /proc/<pid>/fd counts when it leads to the same device
// node, whatever name it was opened by (on the running system the kernel
// follows the entry to the open file itself; in a tree of plain links, the
// link's target is looked up within the tree). Processes whose descriptors we
// may not look at are not seen.
QList<ProcessInfo> ProcessesHolding(const struct stat &device, const QString &root = QStringLiteral("/"),
                                    int limit = -1);
// The same for a device found by DiscoverSerialDevices; none when its node is missing.
QList<ProcessInfo> ProcessesHolding(const SerialDevice &device, const QString &root = QStringLiteral("/"));
// Running processes with this name (comm).
QList<ProcessInfo> ProcessesNamed(const QString &name, const QString &root = QStringLiteral("/"));

// brltty's udev rules (installed with it) claim these USB ids and hand the
// adapter to the braille daemon, which takes it away from everybody else.
bool BrlttyClaims(const SerialDevice &device, const QString &root = QStringLiteral("/"));
// The common adapters whose USB ids brltty's installed udev rules claim:
// "WCH CH340 (1a86:7523)".
QStringList BrlttyClaimedAdapters(const QString &root = QStringLiteral("/"));
bool BrlttyInstalled(const QString &root = QStringLiteral("/"));
bool ModemManagerInstalled(const QString &root = QStringLiteral("/"));

// ---- may this user open the device ----

struct UserGroups {
    uid_t uid = 0;
    QList<gid_t> session;  // the groups this login session has
    QList<gid_t> database; // the groups the group database gives the user now
};
UserGroups CurrentUserGroups();

enum class AccessVerdict {
    Allowed,
    NotInGroup,      // the device's group is not among the user's groups
    NotLoggedInAgain, // in the group database, but this session started before
    Denied,          // neither owner, nor a group that opens it
    Missing,         // no device node
    Unknown,         // the system keeps no owner, group and mode to judge by (Windows)
};

// From the node's owner, group and mode. The caller looks them up.
AccessVerdict DecideAccess(uid_t owner, gid_t group, mode_t mode, const UserGroups &user);
struct DeviceAccess {
    AccessVerdict verdict = AccessVerdict::Missing;
    QString group; // the device's group name ("dialout")
};
DeviceAccess AccessOf(const SerialDevice &device, const UserGroups &user, const QString &root = QStringLiteral("/"));

// The one command (or step) that fixes a verdict other than Allowed.
QString AccessRemedy(const DeviceAccess &access);
