#include "link/PortDiscovery.h"

#include "image/Wording.h"
#include "link/PortNames.h"
#include "link/PortSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <grp.h>
#include <pwd.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QString Under(const QString &root, const QString &path)
{
    return root == QLatin1String("/") ? path : QDir::cleanPath(root + u'/' + path);
}

QString ReadLine(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readLine(4096)).trimmed();
}

// Where a sysfs link leads, resolved within the tree.
QString Resolved(const QString &link)
{
    return QFileInfo(link).canonicalFilePath();
}

// The USB device a tty hangs off: the nearest directory above its sysfs
// device that holds idVendor (the interface and, for usb-serial, the port
// directory lie in between).
QString UsbDeviceDir(const QString &deviceDir)
{
    QDir dir(deviceDir);
    for (int up = 0; up < 4 && !deviceDir.isEmpty(); ++up) {
        if (dir.exists(QStringLiteral("idVendor")))
            return dir.path();
        if (!dir.cdUp())
            break;
    }
    return QString();
}

// "ttyUSB10" after "ttyUSB9".
bool NaturalLess(const SerialDevice &a, const SerialDevice &b)
{
    auto split = [](const QString &n) {
        int i = n.size();
        while (i > 0 && n[i - 1].isDigit())
            --i;
        return std::make_pair(n.left(i), n.mid(i).toInt());
    };
    return split(a.name) < split(b.name);
}

QList<pid_t> Pids(const QString &root)
{
    QList<pid_t> pids;
    const pid_t self = root == QLatin1String("/") ? ::getpid() : -1;
    for (const QString &entry : QDir(Under(root, "/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const int pid = entry.toInt(&ok);
        if (ok && pid > 0 && pid != self)
            pids << pid;
    }
    return pids;
}

QString Comm(const QString &root, pid_t pid)
{
    return ReadLine(Under(root, QStringLiteral("/proc/%1/comm").arg(pid)));
}

// UNIX98 pseudo-terminal slaves (/dev/pts/N) have majors 136-143.
bool IsPseudoTerminalMajor(unsigned int deviceMajor)
{
    return deviceMajor >= 136 && deviceMajor <= 143;
}

bool SameDevice(const struct statx &entry, const struct stat &device)
{
    if (!S_ISCHR(device.st_mode))
        return entry.stx_ino == device.st_ino && entry.stx_dev_major == major(device.st_dev) &&
               entry.stx_dev_minor == minor(device.st_dev);
    const unsigned int deviceMajor = major(device.st_rdev);
    if (!S_ISCHR(entry.stx_mode) || entry.stx_rdev_major != deviceMajor ||
        entry.stx_rdev_minor != minor(device.st_rdev))
        return false;
    // Every devpts instance (one per container) numbers its terminals from 0:
    // a pty is the same only within the same instance.
    return !IsPseudoTerminalMajor(deviceMajor) ||
           (entry.stx_dev_major == major(device.st_dev) && entry.stx_dev_minor == minor(device.st_dev));
}

bool AnyExists(const QString &root, std::initializer_list<const char *> paths)
{
    return std::any_of(paths.begin(), paths.end(),
                       [&](const char *p) { return QFileInfo::exists(Under(root, QString::fromLatin1(p))); });
}

} // namespace

QString SystemRoot()
{
    const QString root = qEnvironmentVariable("QUILLON_SYSROOT");
    return root.isEmpty() ? QStringLiteral("/") : root;
}

// The Russian joins the details with commas, quillon-cli's English puts them
// in brackets: each piece is worded by itself, the joining pattern too.
QString SerialDevice::Description() const
{
    QString text = (manufacturer + u' ' + product).trimmed();
    if (text.isEmpty())
        text = Usb() ? Worded("PortDiscovery", QT_TRANSLATE_NOOP("PortDiscovery", "USB-адаптер"))
                     : Worded("PortDiscovery", QT_TRANSLATE_NOOP("PortDiscovery", "порт на плате"));
    QStringList details;
    if (!driver.isEmpty())
        details << Worded("PortDiscovery", QT_TRANSLATE_NOOP("PortDiscovery", "драйвер %1"), {driver});
    if (Usb())
        details << QStringLiteral("USB %1:%2").arg(vendorId, productId);
    if (!serial.isEmpty())
        details << Worded("PortDiscovery", QT_TRANSLATE_NOOP("PortDiscovery", "серийный номер %1"), {serial});
    return details.isEmpty() ? text
                             : Worded("PortDiscovery", QT_TRANSLATE_NOOP("PortDiscovery", "%1, %2"),
                                      {text, details.join(QStringLiteral(", "))});
}

QList<SerialDevice> DiscoverSerialDevices(const QString &root)
{
    // by-id links, by the tty they lead to.
    QMultiHash<QString, QString> byId;
    const QDir idDir(Under(root, "/dev/serial/by-id"));
    for (const QFileInfo &link : idDir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
        if (link.isSymLink())
            byId.insert(QFileInfo(link.symLinkTarget()).fileName(), QStringLiteral("/dev/serial/by-id/") + link.fileName());

    QList<SerialDevice> found;
    const QDir ttys(Under(root, "/sys/class/tty"));
    for (const QString &name : ttys.entryList({"ttyS*", "ttyUSB*", "ttyACM*"}, QDir::AllEntries | QDir::System)) {
        const QString dir = ttys.filePath(name);
        const QString deviceDir = Resolved(dir + QStringLiteral("/device"));
        if (deviceDir.isEmpty())
            continue; // a virtual tty
        // A board port the kernel reserved without finding a UART behind it.
        if (name.startsWith(QLatin1String("ttyS")) && ReadLine(dir + QStringLiteral("/type")).toInt() == 0)
            continue;
        SerialDevice d;
        d.name = name;
        d.path = QStringLiteral("/dev/") + name;
        d.byId = byId.values(name);
        std::sort(d.byId.begin(), d.byId.end());
        // Newer kernels put the serial core's own port and controller
        // devices between the tty and the hardware's.
        QDir hardware(deviceDir);
        for (int up = 0; up < 3; ++up) {
            d.driver = QFileInfo(Resolved(hardware.filePath(QStringLiteral("driver")))).fileName();
            if ((d.driver != QLatin1String("port") && d.driver != QLatin1String("ctrl")) || !hardware.cdUp())
                break;
        }
        const QString usb = UsbDeviceDir(deviceDir);
        if (!usb.isEmpty()) {
            d.vendorId = ReadLine(usb + QStringLiteral("/idVendor"));
            d.productId = ReadLine(usb + QStringLiteral("/idProduct"));
            d.manufacturer = ReadLine(usb + QStringLiteral("/manufacturer"));
            d.product = ReadLine(usb + QStringLiteral("/product"));
            d.serial = ReadLine(usb + QStringLiteral("/serial"));
        }
        found << d;
    }
    std::sort(found.begin(), found.end(), NaturalLess);
    return found;
}

bool DeviceReachedBy(const SerialDevice &device, const QString &devicePath, const QString &root)
{
    if (devicePath.isEmpty())
        return false;
    if (devicePath == device.path || device.byId.contains(devicePath))
        return true;
    // Any other link to it (a udev symlink of the user's own).
    const QString target = QFileInfo(Under(root, devicePath)).canonicalFilePath();
    return !target.isEmpty() && target == QFileInfo(Under(root, device.path)).canonicalFilePath();
}

QString ComNameOf(const SerialDevice &device, const std::function<QString(const QString &)> &devicePathOf,
                  const QString &root)
{
    for (int n = 1; n <= kComPortCount; ++n) {
        const QString com = ComName(n);
        if (DeviceReachedBy(device, devicePathOf(com), root))
            return com;
    }
    return QString();
}

QString ComSettingFor(const SerialDevice &device, const QList<SerialDevice> &present,
                      const std::function<QString(const QString &)> &devicePathOf, const QString &root)
{
    for (int n = 1; n <= kComPortCount; ++n) {
        const QString com = ComName(n);
        const QString path = devicePathOf(com);
        // The user's own setting is not to be replaced, and an emulator's
        // pseudo-terminal is as present as an adapter.
        const bool taken = PortSettingInForce(com, devicePathOf) || IsPseudoTerminal(path, root) ||
                           std::any_of(present.begin(), present.end(),
                                       [&](const SerialDevice &other) { return DeviceReachedBy(other, path, root); });
        if (!taken)
            return QStringLiteral("QUILLON_%1=%2").arg(com, device.StablePath());
    }
    return QString();
}

QList<ProcessInfo> ProcessesHolding(const struct stat &device, const QString &root, int limit)
{
    const bool runningSystem = root == QLatin1String("/");
    QList<ProcessInfo> holders;
    for (pid_t pid : Pids(root)) {
        if (limit >= 0 && holders.size() >= limit)
            break;
        // Unreadable for another user's process, gone for one that has ended.
        const QString fdDir = Under(root, QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QString &fd : QDir(fdDir).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            const QString entryPath = fdDir + u'/' + fd;
            QString followed = entryPath;
            if (!runningSystem) {
                char target[4096];
                const ssize_t n = ::readlink(QFile::encodeName(entryPath).constData(), target, sizeof target);
                if (n <= 0 || target[0] != '/')
                    continue; // a socket or a pipe, say
                followed = Under(root, QFile::decodeName(QByteArray(target, static_cast<int>(n))));
            }
            struct statx entry {};
            // DONT_SYNC: a file on a network file system must not make opening
            // the port wait for its server.
            if (::statx(AT_FDCWD, QFile::encodeName(followed).constData(), AT_STATX_DONT_SYNC,
                        STATX_TYPE | STATX_INO, &entry) == 0 &&
                SameDevice(entry, device)) {
                holders << ProcessInfo{pid, Comm(root, pid)};
                break;
            }
        }
    }
    return holders;
}

QList<ProcessInfo> ProcessesHolding(const SerialDevice &device, const QString &root)
{
    struct stat node {};
    if (::stat(QFile::encodeName(Under(root, device.path)).constData(), &node) != 0)
        return {};
    return ProcessesHolding(node, root);
}

QList<ProcessInfo> ProcessesNamed(const QString &name, const QString &root)
{
    QList<ProcessInfo> found;
    for (pid_t pid : Pids(root))
        if (Comm(root, pid) == name)
            found << ProcessInfo{pid, name};
    return found;
}

bool BrlttyInstalled(const QString &root)
{
    return AnyExists(root, {"/usr/bin/brltty", "/bin/brltty", "/usr/sbin/brltty"});
}

bool ModemManagerInstalled(const QString &root)
{
    return AnyExists(root, {"/usr/sbin/ModemManager", "/usr/bin/ModemManager"});
}

namespace {
bool BrlttyRulesName(const QString &vendorId, const QString &productId, const QString &root)
{
    // udev's PRODUCT is "vendor/product/revision" in hex without leading zeros.
    const QString product = QStringLiteral("\"%1/%2/")
                                .arg(vendorId.toUInt(nullptr, 16), 0, 16)
                                .arg(productId.toUInt(nullptr, 16), 0, 16);
    for (const char *dir : {"/usr/lib/udev/rules.d", "/lib/udev/rules.d", "/etc/udev/rules.d"}) {
        const QDir rules(Under(root, QString::fromLatin1(dir)));
        for (const QString &file : rules.entryList({"*brltty*.rules"}, QDir::Files)) {
            QFile f(rules.filePath(file));
            if (f.open(QIODevice::ReadOnly) && QString::fromUtf8(f.readAll()).contains(product, Qt::CaseInsensitive))
                return true;
        }
    }
    return false;
}
} // namespace

bool BrlttyClaims(const SerialDevice &device, const QString &root)
{
    return device.Usb() && BrlttyRulesName(device.vendorId, device.productId, root);
}

QStringList BrlttyClaimedAdapters(const QString &root)
{
    static const struct {
        const char *vendor, *product, *name;
    } adapters[] = {
        {"1a86", "7523", "WCH CH340"},       {"10c4", "ea60", "Silicon Labs CP210x"},
        {"0403", "6001", "FTDI FT232R"},     {"067b", "2303", "Prolific PL2303"},
    };
    QStringList claimed;
    for (const auto &a : adapters)
        if (BrlttyRulesName(QString::fromLatin1(a.vendor), QString::fromLatin1(a.product), root))
            claimed << QStringLiteral("%1 (%2:%3)").arg(QString::fromLatin1(a.name), QString::fromLatin1(a.vendor),
                                                        QString::fromLatin1(a.product));
    return claimed;
}

UserGroups CurrentUserGroups()
{
    UserGroups user;
    user.uid = ::getuid();
    const int count = ::getgroups(0, nullptr);
    QList<gid_t> session(std::max(count, 0));
    if (count > 0 && ::getgroups(count, session.data()) == count)
        user.session = session;
    user.session << ::getgid();
    if (const passwd *pw = ::getpwuid(user.uid)) {
        int n = 64;
        QList<gid_t> groups(n);
        if (::getgrouplist(pw->pw_name, pw->pw_gid, groups.data(), &n) < 0) {
            groups.resize(n);
            ::getgrouplist(pw->pw_name, pw->pw_gid, groups.data(), &n);
        }
        groups.resize(std::max(n, 0));
        user.database = groups;
    } else {
        user.database = user.session;
    }
    return user;
}

AccessVerdict DecideAccess(uid_t owner, gid_t group, mode_t mode, const UserGroups &user)
{
    constexpr mode_t rw = S_IRUSR | S_IWUSR;
    if (user.uid == 0)
        return AccessVerdict::Allowed;
    if (user.uid == owner)
        return (mode & rw) == rw ? AccessVerdict::Allowed : AccessVerdict::Denied;
    if ((mode & (S_IROTH | S_IWOTH)) == (S_IROTH | S_IWOTH))
        return AccessVerdict::Allowed;
    if ((mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return AccessVerdict::Denied;
    if (user.session.contains(group))
        return AccessVerdict::Allowed;
    return user.database.contains(group) ? AccessVerdict::NotLoggedInAgain : AccessVerdict::NotInGroup;
}

DeviceAccess AccessOf(const SerialDevice &device, const UserGroups &user, const QString &root)
{
    DeviceAccess access;
    struct stat st {};
    if (::stat(QFile::encodeName(Under(root, device.path)).constData(), &st) != 0)
        return access;
    const group *gr = ::getgrgid(st.st_gid);
    access.group = gr ? QString::fromLocal8Bit(gr->gr_name) : QString::number(st.st_gid);
    access.verdict = DecideAccess(st.st_uid, st.st_gid, st.st_mode, user);
    return access;
}

QString AccessRemedy(const DeviceAccess &access)
{
    switch (access.verdict) {
    case AccessVerdict::Allowed:
    case AccessVerdict::Unknown:
        return QString();
    case AccessVerdict::NotInGroup:
        return Worded(
            "PortDiscovery",
            QT_TRANSLATE_NOOP("PortDiscovery", "sudo usermod -aG %1 $USER, затем выйдите из системы и войдите снова"),
            {access.group});
    case AccessVerdict::NotLoggedInAgain:
        return Worded(
            "PortDiscovery",
            QT_TRANSLATE_NOOP("PortDiscovery",
                              "выйдите из системы и войдите снова (или выполните 'newgrp %1' в этом терминале)"),
            {access.group});
    case AccessVerdict::Denied:
        return Worded("PortDiscovery",
                      QT_TRANSLATE_NOOP("PortDiscovery", "устройство открывается только для владельца; попросите "
                                                         "администратора о правиле udev, которое отдаёт его группе "
                                                         "dialout"));
    case AccessVerdict::Missing:
        return Worded("PortDiscovery", QT_TRANSLATE_NOOP("PortDiscovery", "подключите адаптер заново"));
    }
    return QString();
}
