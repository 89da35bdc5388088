// The serial port component against real pseudo-terminals: the test holds the
// master side and plays the far end of the line.

#include "link/CPort.h"
#include "link/PortDiscovery.h"
#include "link/PortNames.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <chrono>
#include <optional>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <tuple>
#include <unistd.h>

namespace {

// Waits (at most 5 s, so a fault fails instead of hanging) until fd can be read.
bool WaitReadable(int fd)
{
    pollfd p {fd, POLLIN, 0};
    return ::poll(&p, 1, 5000) == 1 && (p.revents & POLLIN);
}

struct PseudoTerminal {
    int master = -1;
    QString slave;

    PseudoTerminal()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
            slave = QString::fromLocal8Bit(::ptsname(master));
    }
    ~PseudoTerminal() { CloseMaster(); }

    void CloseMaster()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    void Send(const QByteArray &bytes) { ASSERT_EQ(::write(master, bytes.data(), bytes.size()), bytes.size()); }
    // On a pty master, tcgetattr reports the slave's settings.
    termios SlaveSettings() const
    {
        termios t {};
        EXPECT_EQ(::tcgetattr(master, &t), 0);
        return t;
    }
};

// Waits (at most 5 s) until the port holds count received bytes.
bool WaitForInput(const TCustomComPort &port, int count)
{
    for (int ms = 0; ms < 5000; ++ms) {
        if (port.InputCount() >= count)
            return true;
        ::poll(nullptr, 0, 1);
    }
    return false;
}

// Runs body in a child process that has dropped root (CI runs as root, which
// passes permission checks and TIOCEXCL); returns the child's exit code, or 77
// when the privileges could not be dropped.
template <typename F> int AsUnprivilegedUser(F body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(77);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

// The error Open raised, if any.
std::optional<EComPort> OpenError(TCustomComPort &port)
{
    try {
        port.Open();
    } catch (const EComPort &e) {
        return e;
    }
    return std::nullopt;
}

// errno of a plain open of path, 0 when it opened.
int OpenErrno(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

class ComPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(pty.slave.isEmpty()) << "no pseudo-terminal";
        qputenv("QUILLON_COM1", QFile::encodeName(pty.slave));
        COM.OnAfterOpen = [this] { ++afterOpen; };
        COM.OnAfterClose = [this] { ++afterClose; };
    }
    void TearDown() override
    {
        qunsetenv("QUILLON_COM1");
        qunsetenv("QUILLON_COM2");
    }

    PseudoTerminal pty;
    TComPort COM;
    int afterOpen = 0;
    int afterClose = 0;
};

} // namespace

TEST(PortNames, MapsComNamesToLinuxDevices)
{
    EXPECT_EQ(PortDevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(PortDevicePath("COM4"), "/dev/ttyS3");
    EXPECT_EQ(PortDevicePath("COM5"), "/dev/ttyUSB0");
    EXPECT_EQ(PortDevicePath("COM12"), "/dev/ttyUSB7");
    EXPECT_EQ(PortDevicePath("COM15"), "/dev/ttyUSB10");
    EXPECT_EQ(PortDevicePath("/dev/pts/7"), "/dev/pts/7");
    for (const char *bad : {"", "COM", "COM0", "COMX", "LPT1"})
        EXPECT_TRUE(PortDevicePath(bad).isEmpty()) << bad;
}

// One spelling of a COM name everywhere: the window's list, quillon-cli's
// --port and, on Windows, the device namespace.
TEST(PortNames, OneSpellingOfTheComNames)
{
    const struct {
        const char *name;
        int number;
    } rows[] = {{"COM1", 1}, {"com15", 15}, {"Com16", 16}, {"COM0", 0}, {"COM05", 0}, {"COM+5", 0},
                {"COM 5", 0}, {"COM5 ", 0}, {"COM", 0},  {"COM5x", 0}, {"LPT1", 0},  {"", 0}};
    for (const auto &r : rows) {
        EXPECT_EQ(ComNumber(r.name), r.number) << r.name;
        EXPECT_EQ(PortDevicePath(r.name).isEmpty(), r.number == 0) << r.name;
    }
    EXPECT_EQ(ComName(kComPortCount), "COM15");
}

TEST(PortNames, EnvironmentOverridesOneName)
{
    qputenv("QUILLON_COM12", "/dev/serial/by-id/usb-adapter");
    EXPECT_EQ(PortDevicePath("COM12"), "/dev/serial/by-id/usb-adapter");
    EXPECT_EQ(PortDevicePath("COM11"), "/dev/ttyUSB6");
    qunsetenv("QUILLON_COM12");
    EXPECT_EQ(PortDevicePath("COM12"), "/dev/ttyUSB7");
}

TEST(EComPortMessage, CodeTextWithPlatformNumber)
{
    const EComPort open(ceOpen, ENOENT);
    EXPECT_EQ(open.Message(), "Unable to open com port (win error code: 2)");
    EXPECT_STREQ(open.what(), "Unable to open com port (win error code: 2)");
    EXPECT_EQ(open.Code(), 1);
    EXPECT_EQ(open.PlatformCode(), 2);

    const EComPort read(ceRead);
    EXPECT_EQ(read.Message(), "ReadFile function failed");
    EXPECT_EQ(read.PlatformCode(), -1);
    EXPECT_EQ(EComPort(cePurge, 5).Message(), "PurgeComm function failed (win error code: 5)");
}

TEST_F(ComPortTest, OpenAndCloseNotifyOnceEach)
{
    EXPECT_FALSE(COM.Connected());
    EXPECT_EQ(COM.Handle(), -1);
    COM.Close(); // closed: nothing
    EXPECT_EQ(afterClose, 0);

    COM.Open();
    EXPECT_TRUE(COM.Connected());
    EXPECT_GE(COM.Handle(), 0);
    EXPECT_EQ(afterOpen, 1);
    COM.Open(); // already open: nothing
    EXPECT_EQ(afterOpen, 1);

    COM.Close();
    EXPECT_FALSE(COM.Connected());
    EXPECT_EQ(COM.Handle(), -1);
    EXPECT_EQ(afterClose, 1);
    COM.Close();
    EXPECT_EQ(afterClose, 1);
}

TEST_F(ComPortTest, LineSettingsTakeEffectOnTheDevice)
{
    COM.Open();
    termios t = pty.SlaveSettings();
    EXPECT_EQ(cfgetispeed(&t), speed_t(B300));
    EXPECT_EQ(cfgetospeed(&t), speed_t(B300));
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD));
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | INPCK | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);

    // A change while open reaches the device at once.
    COM.SetBaudRate(br9600);
    COM.SetStopBits(sbTwoStopBits);
    t = pty.SlaveSettings();
    EXPECT_EQ(cfgetospeed(&t), speed_t(B9600));
    EXPECT_TRUE(t.c_cflag & CSTOPB);

    // A pty keeps no parity: the settings read back tell that it did not take.
    try {
        COM.Parity.SetBits(prEven);
        FAIL() << "no error";
    } catch (const EComPort &e) {
        EXPECT_EQ(e.Message(), "SetCommState function failed (win error code: 22)");
    }
    EXPECT_EQ(COM.Parity.Bits(), prNone);
    EXPECT_TRUE(COM.Connected());
}

TEST_F(ComPortTest, SettingTheDriverCannotGiveIsRefused)
{
    // While open: the port stays open with the old value.
    COM.Open();
    try {
        COM.FlowControl.SetOutDSRFlow(true);
        FAIL() << "no error";
    } catch (const EComPort &e) {
        EXPECT_EQ(e.Code(), ceSetState);
        EXPECT_EQ(e.PlatformCode(), EINVAL);
    }
    EXPECT_FALSE(COM.FlowControl.OutDSRFlow());
    EXPECT_TRUE(COM.Connected());
    COM.Close();

    // At open: no after-open notification, and the device is free again,
    // with the line settings it had before (the timeouts come after them).
    COM.Timeouts.SetReadTotalConstant(100);
    const termios before = pty.SlaveSettings();
    const auto error = OpenError(COM);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Message(), "SetCommTimeouts failed (win error code: 22)");
    const termios after = pty.SlaveSettings();
    EXPECT_EQ(std::make_tuple(after.c_iflag, after.c_oflag, after.c_cflag, after.c_lflag, ::cfgetospeed(&after)),
              std::make_tuple(before.c_iflag, before.c_oflag, before.c_cflag, before.c_lflag, ::cfgetospeed(&before)));
    EXPECT_FALSE(COM.Connected());
    EXPECT_EQ(COM.Handle(), -1);
    EXPECT_EQ(afterOpen, 1);
    COM.Timeouts.SetReadTotalConstant(0);
    COM.Open();
    EXPECT_TRUE(COM.Connected());
}

TEST_F(ComPortTest, WrittenBytesArriveAtTheFarEnd)
{
    COM.Open();
    EXPECT_EQ(COM.Write("m3F\r", 4), 4);
    char got[4] = {};
    ASSERT_TRUE(WaitReadable(pty.master));
    ASSERT_EQ(::read(pty.master, got, 4), 4);
    EXPECT_EQ(QByteArray(got, 4), "m3F\r");
}

TEST_F(ComPortTest, ReadReturnsAtOnceWithWhatHasArrived)
{
    COM.Open();
    char c = 'x';
    EXPECT_EQ(COM.Read(&c, 1), 0); // idle line
    EXPECT_EQ(COM.Read(&c, 1), 0);

    pty.Send(QByteArray("!\0" "7", 3));
    ASSERT_TRUE(WaitForInput(COM, 3));
    ::poll(nullptr, 0, 300); // however long ago it came, it waits for Read
    std::string got;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(COM.Read(&c, 1), 1);
        got += c;
    }
    EXPECT_EQ(got, std::string("!\0" "7", 3)); // NUL is a byte like any other
    EXPECT_EQ(COM.Read(&c, 1), 0);
}

TEST_F(ComPortTest, CloseDiscardsQueuedBytes)
{
    COM.Open();
    pty.Send("XYZ");
    ASSERT_TRUE(WaitForInput(COM, 3));
    COM.Close();
    COM.Open();
    char c;
    EXPECT_EQ(COM.Read(&c, 1), 0);
    EXPECT_EQ(COM.InputCount(), 0);
}

TEST_F(ComPortTest, VanishedDeviceRaisesErrorsAndStillCloses)
{
    COM.Open();
    pty.CloseMaster();
    char c;
    try {
        COM.Read(&c, 1);
        FAIL() << "a vanished device read as an idle line";
    } catch (const EComPort &e) {
        EXPECT_EQ(e.Message(), "ReadFile function failed (win error code: 5)");
    }
    try {
        COM.Write("M", 1);
        FAIL() << "no error";
    } catch (const EComPort &e) {
        EXPECT_EQ(e.Code(), ceWrite);
        EXPECT_EQ(e.PlatformCode(), EIO);
    }
    COM.Close();
    EXPECT_FALSE(COM.Connected());
    EXPECT_EQ(afterClose, 1);
}

TEST_F(ComPortTest, WriteThatCannotGoOutEndsAtItsTimeout)
{
    COM.Timeouts.SetWriteTotalMultiplier(0);
    COM.Timeouts.SetWriteTotalConstant(200);
    COM.Open();
    ASSERT_EQ(::tcflow(COM.Handle(), TCOOFF), 0); // output held, as after an XOFF
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(COM.Write("M", 1), 0);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(200));
    EXPECT_LT(elapsed, std::chrono::seconds(10));
    ::tcflow(COM.Handle(), TCOON);
}

TEST_F(ComPortTest, MissingDeviceRaisesOpenErrorWithErrno)
{
    qputenv("QUILLON_COM1", "/dev/quillon-no-such-tty");
    const auto error = OpenError(COM);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Code(), ceOpen);
    EXPECT_EQ(error->Message(), "Unable to open com port (win error code: 2)");
    EXPECT_FALSE(COM.Connected());
    EXPECT_EQ(afterOpen, 0);
    EXPECT_FALSE(QFile::exists("/dev/quillon-no-such-tty")); // never created
}

TEST_F(ComPortTest, DeviceThatIsNoTerminalIsRefused)
{
    qputenv("QUILLON_COM1", "/dev/null");
    const auto error = OpenError(COM);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Code(), ceOpen);
    EXPECT_EQ(error->PlatformCode(), ENOTTY);
    EXPECT_FALSE(COM.Connected());
}

TEST_F(ComPortTest, DeviceHeldByAnotherPortIsRefusedUnderAnyName)
{
    COM.Open();
    QTemporaryDir dir;
    const QString link = dir.filePath("tty-link");
    ASSERT_EQ(::symlink(QFile::encodeName(pty.slave).constData(), QFile::encodeName(link).constData()), 0);

    for (const QString &path : {pty.slave, link}) {
        qputenv("QUILLON_COM2", QFile::encodeName(path));
        TComPort other;
        other.Port = "COM2";
        const auto error = OpenError(other);
        ASSERT_TRUE(error) << path.toStdString();
        EXPECT_EQ(error->Code(), ceOpen);
        EXPECT_FALSE(other.Connected());
    }
    COM.Close();
    TComPort other;
    other.Port = "COM2";
    other.Open();
    EXPECT_TRUE(other.Connected());
}

// A terminal program or a modem prober holds the device with a plain open():
// no flock, no TIOCEXCL. It keeps the port shut under any name of the device.
TEST_F(ComPortTest, DeviceHeldByAnotherProcessIsRefused)
{
    QTemporaryDir dir;
    const QString link = dir.filePath("usb-adapter-port0"); // as in /dev/serial/by-id
    ASSERT_EQ(::symlink(QFile::encodeName(pty.slave).constData(), QFile::encodeName(link).constData()), 0);

    const struct {
        QString held, opened;
    } cases[] = {{pty.slave, link}, {link, pty.slave}};
    for (const auto &c : cases) {
        const QByteArray held = QFile::encodeName(c.held);
        int ready[2], release[2];
        ASSERT_EQ(::pipe(ready), 0);
        ASSERT_EQ(::pipe(release), 0);
        const pid_t holder = ::fork();
        if (holder == 0) {
            const int fd = ::open(held.constData(), O_RDWR | O_NOCTTY);
            char b = fd >= 0 ? 'y' : 'n';
            (void)!::write(ready[1], &b, 1);
            ::close(release[1]);
            (void)!::read(release[0], &b, 1); // until the test lets go
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        char opened = 0;
        ASSERT_EQ(::read(ready[0], &opened, 1), 1);
        ASSERT_EQ(opened, 'y');

        qputenv("QUILLON_COM1", QFile::encodeName(c.opened));
        const auto error = OpenError(COM);
        ASSERT_TRUE(error) << c.opened.toStdString();
        EXPECT_EQ(error->Code(), ceOpen);
        EXPECT_EQ(error->PlatformCode(), EBUSY);
        EXPECT_FALSE(COM.Connected());
        EXPECT_EQ(afterOpen, 0);
        // `ports` names the same holder by the same rule.
        struct stat node {};
        ASSERT_EQ(::stat(QFile::encodeName(c.opened).constData(), &node), 0);
        const QList<ProcessInfo> holders = ProcessesHolding(node);
        ASSERT_EQ(holders.size(), 1);
        EXPECT_EQ(holders[0].pid, holder);

        ::close(release[1]);
        ::close(ready[0]);
        ::waitpid(holder, nullptr, 0);
        COM.Open();
        EXPECT_TRUE(COM.Connected());
        COM.Close();
        afterOpen = 0;
    }
}

TEST_F(ComPortTest, OtherUsersCannotOpenTheDeviceWhileItIsOpen)
{
    const QByteArray slave = QFile::encodeName(pty.slave);
    ASSERT_EQ(::chmod(slave.constData(), 0666), 0);
    COM.Open();
    const int busy = AsUnprivilegedUser([&] { return OpenErrno(pty.slave); });
    if (busy == 77)
        GTEST_SKIP() << "cannot drop privileges to an ordinary user";
    EXPECT_EQ(busy, EBUSY);
    COM.Close();
    // Closing hands the device back, also to the component, which cannot look
    // at root's processes then and passes over them.
    EXPECT_EQ(AsUnprivilegedUser([&] { return OpenErrno(pty.slave); }), 0);
    EXPECT_EQ(AsUnprivilegedUser([&] { return OpenError(COM) ? 1 : 0; }), 0);
}

TEST_F(ComPortTest, PermissionDeniedCarriesItsErrno)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "the pseudo-terminal belongs to the user running the test";
    ASSERT_EQ(::chmod(QFile::encodeName(pty.slave).constData(), 0600), 0);
    const int result = AsUnprivilegedUser([this] {
        const auto error = OpenError(COM);
        return error && error->Code() == ceOpen && error->PlatformCode() == EACCES ? 0 : 1;
    });
    if (result == 77)
        GTEST_SKIP() << "cannot drop privileges to an ordinary user";
    EXPECT_EQ(result, 0);
}
