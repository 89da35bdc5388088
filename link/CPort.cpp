#include "link/CPort.h"

#include "link/PortDiscovery.h"
#include "link/PortNames.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

// ---------------- TCustomComPort ----------------

namespace {

speed_t Speed(TBaudRate rate)
{
    static const speed_t speeds[] = {B110,  B300,  B600,  B1200,  B2400,  B4800,
                                     B9600, B19200, B38400, B57600, B115200};
    return speeds[rate];
}

tcflag_t CharSize(TDataBits bits)
{
    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    return sizes[bits];
}

// UNIX98 pseudo-terminal slaves (/dev/pts/N) have majors 136-143.
bool IsPseudoTerminalMajor(unsigned int deviceMajor)
{
    return deviceMajor >= 136 && deviceMajor <= 143;
}

bool IsPseudoTerminal(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && IsPseudoTerminalMajor(major(st.st_rdev));
}

long long NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int RemainingMs(long long deadlineMs)
{
    if (deadlineMs < 0)
        return -1;
    const long long left = deadlineMs - NowMs();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1 << 30));
}

// The tcsetattr fields that must read back as they were set.
bool SameLine(const termios &want, const termios &got)
{
    constexpr tcflag_t cflags = CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS | CLOCAL | CREAD;
    constexpr tcflag_t iflags = IGNBRK | BRKINT | INPCK | ISTRIP | IXON | IXOFF | ICRNL | INLCR | IGNCR;
    constexpr tcflag_t lflags = ICANON | ECHO | ISIG | IEXTEN;
    return cfgetispeed(&got) == cfgetispeed(&want) && cfgetospeed(&got) == cfgetospeed(&want) &&
           (got.c_cflag & cflags) == (want.c_cflag & cflags) &&
           (got.c_iflag & iflags) == (want.c_iflag & iflags) &&
           (got.c_lflag & lflags) == (want.c_lflag & lflags) &&
           (got.c_oflag & OPOST) == (want.c_oflag & OPOST) && got.c_cc[VMIN] == want.c_cc[VMIN] &&
           got.c_cc[VTIME] == want.c_cc[VTIME] && got.c_cc[VSTART] == want.c_cc[VSTART] &&
           got.c_cc[VSTOP] == want.c_cc[VSTOP];
}

} // namespace

struct TCustomComPort::TPortHandle {
    int Fd = -1;
    bool PseudoTerminal = false; // no modem lines on a pty
    bool LatencyChanged = false;
    int OldSerialFlags = 0;
};

TCustomComPort::TCustomComPort() : FDevice(std::make_unique<TPortHandle>()) {}

TPortNativeHandle TCustomComPort::Handle() const { return FDevice->Fd; }

TCustomComPort::~TCustomComPort()
{
    // The owner is going away: release the device without notifying it.
    if (FConnected) {
        ::tcflush(FDevice->Fd, TCIOFLUSH);
        TCustomComPort::DestroyHandle();
    }
}

void TCustomComPort::CreateHandle()
{
    const QString path = PortDevicePath(Port);
    if (path.isEmpty())
        throw EComPort(ceOpen, ENOENT);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw EComPort(ceOpen, errno);
    // flock keeps out other programs and other names of the same device node;
    // TIOCEXCL refuses every later open of the tty by an ordinary user. A
    // program that opened the device before us with a plain open() is found
    // among the open files of the processes we may look at; looking only
    // after TIOCEXCL leaves no moment in which an ordinary user's open could
    // slip in unseen.
    int error = 0;
    int wasExclusive = 0;
    // Our own controlling terminal (/dev/tty, or the terminal we were started
    // from under its own name): raw mode at 300 bit/s would take the user's
    // screen and keyboard. The shell holds it, so it counts as busy.
    if (::tcgetsid(fd) != -1) {
        ::close(fd);
        throw EComPort(ceOpen, EBUSY);
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCGEXCL, &wasExclusive) != 0 ||
        ::ioctl(fd, TIOCEXCL) != 0) {
        error = errno;
    } else {
        struct stat device {};
        if (::fstat(fd, &device) != 0)
            error = errno;
        else if (!ProcessesHolding(device, QStringLiteral("/"), 1).isEmpty())
            error = EBUSY;
        // The mode belongs to the tty, not to our descriptor: a holder's own
        // TIOCEXCL (root opens through it) stays.
        if (error != 0 && !wasExclusive)
            ::ioctl(fd, TIOCNXCL);
    }
    if (error != 0) {
        ::close(fd);
        throw EComPort(ceOpen, error);
    }
    FDevice->Fd = fd;
    FDevice->PseudoTerminal = IsPseudoTerminal(fd);
    RequestLowLatency();
}

void TCustomComPort::DestroyHandle()
{
    if (FDevice->Fd < 0)
        return;
    RestoreLatency();
    // A pty's tty outlives this close while its master stays open, and would
    // keep refusing other users.
    ::ioctl(FDevice->Fd, TIOCNXCL);
    ::close(FDevice->Fd); // also drops the flock
    FDevice->Fd = -1;
}

void TCustomComPort::ApplySettings()
{
    // A refused setting must not leave the device half set up for whoever
    // uses it next (the line settings go first, the timeouts last).
    termios previous {};
    const bool havePrevious = ::tcgetattr(FDevice->Fd, &previous) == 0;
    try {
        // Buffer sizes: the tty layer's queues are fixed, nothing to hand over.
        ApplyLineSettings();
        ApplyModemLines();
        ApplyTimeouts();
    } catch (...) {
        if (havePrevious)
            ::tcsetattr(FDevice->Fd, TCSANOW, &previous);
        throw;
    }
}

void TCustomComPort::ApplyLineSettings()
{
    const bool hardwareFlow = FlowControl.OutCTSFlow() || FlowControl.ControlRTS() == rtsHandshake;
    const bool unsupported =
        FlowControl.OutDSRFlow() || FlowControl.DSRSensitivity() ||
        FlowControl.ControlDTR() == dtrHandshake || FlowControl.ControlRTS() == rtsToggle ||
        (hardwareFlow && !(FlowControl.OutCTSFlow() && FlowControl.ControlRTS() == rtsHandshake)) ||
        // With five data bits CSTOPB gives 1.5 stop bits, otherwise 2.
        FStopBits == (FDataBits == dbFive ? sbTwoStopBits : sbOne5StopBits) ||
        (Parity.Replace() && Parity.ReplaceChar() != 0);
    if (unsupported)
        throw EComPort(ceSetState, EINVAL);

    termios line {};
    if (::tcgetattr(FDevice->Fd, &line) != 0)
        throw EComPort(ceSetState, errno);
    ::cfmakeraw(&line);
    line.c_iflag &= ~(INPCK | IXON | IXOFF | IXANY);
    line.c_iflag |= IGNBRK; // a break is a line event, not a NUL byte
    if (Parity.Check() && Parity.Replace())
        line.c_iflag |= INPCK;
    if (FlowControl.XonXoffOut())
        line.c_iflag |= IXON;
    if (FlowControl.XonXoffIn())
        line.c_iflag |= IXOFF;

    line.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS);
    // HUPCL: DTR and RTS drop when the device is closed.
    line.c_cflag |= CharSize(FDataBits) | CLOCAL | CREAD | HUPCL;
    if (FStopBits != sbOneStopBit)
        line.c_cflag |= CSTOPB;
    switch (Parity.Bits()) {
    case prNone: break;
    case prOdd: line.c_cflag |= PARENB | PARODD; break;
    case prEven: line.c_cflag |= PARENB; break;
    case prMark: line.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case prSpace: line.c_cflag |= PARENB | CMSPAR; break;
    }
    if (hardwareFlow)
        line.c_cflag |= CRTSCTS;

    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    line.c_cc[VSTART] = static_cast<cc_t>(FlowControl.XonChar());
    line.c_cc[VSTOP] = static_cast<cc_t>(FlowControl.XoffChar());
    ::cfsetispeed(&line, Speed(FBaudRate));
    ::cfsetospeed(&line, Speed(FBaudRate));

    if (::tcsetattr(FDevice->Fd, TCSANOW, &line) != 0)
        throw EComPort(ceSetState, errno);
    // tcsetattr succeeds when any part took; a driver may silently drop a rate
    // or a flag it cannot do.
    termios back {};
    if (::tcgetattr(FDevice->Fd, &back) != 0)
        throw EComPort(ceSetState, errno);
    if (!SameLine(line, back))
        throw EComPort(ceSetState, EINVAL);
}

void TCustomComPort::ApplyModemLines()
{
    int raise = 0, drop = 0;
    (FlowControl.ControlDTR() == dtrEnable ? raise : drop) |= TIOCM_DTR;
    if (FlowControl.ControlRTS() != rtsHandshake) // the driver drives RTS then
        (FlowControl.ControlRTS() == rtsEnable ? raise : drop) |= TIOCM_RTS;
    const auto apply = [this](unsigned long request, int lines) {
        if (lines == 0 || ::ioctl(FDevice->Fd, request, &lines) == 0)
            return;
        const int error = errno;
        // A pseudo-terminal has no modem lines; everywhere else this is a fault.
        if (!(FDevice->PseudoTerminal && (error == ENOTTY || error == EINVAL)))
            throw EComPort(ceSetState, error);
    };
    apply(TIOCMBIS, raise);
    apply(TIOCMBIC, drop);
}

void TCustomComPort::ApplyTimeouts()
{
    const bool immediateRead = Timeouts.ReadInterval() == -1 && Timeouts.ReadTotalMultiplier() == 0 &&
                               Timeouts.ReadTotalConstant() == 0;
    if (!immediateRead || Timeouts.WriteTotalMultiplier() < 0 || Timeouts.WriteTotalConstant() < 0)
        throw EComPort(ceSetTimeouts, EINVAL);
}

bool DeviceGoneCode(int platformCode)
{
    return platformCode == EIO || platformCode == ENXIO || platformCode == ENODEV;
}

void TCustomComPort::PurgeQueues()
{
    if (::tcflush(FDevice->Fd, TCIOFLUSH) == 0)
        return;
    const int error = errno;
    // A device that has gone away has no queues left; refusing to close it
    // would leave a port that can never be closed.
    if (DeviceGoneCode(error))
        return;
    throw EComPort(cePurge, error);
}

int TCustomComPort::Read(void *buffer, int count)
{
    if (count <= 0)
        return 0;
    for (;;) {
        const ssize_t n = ::read(FDevice->Fd, buffer, static_cast<size_t>(count));
        if (n > 0)
            return static_cast<int>(n);
        if (n == 0 || errno == EAGAIN)
            break;
        if (errno != EINTR)
            throw EComPort(ceRead, errno);
    }
    // Nothing read. A hung-up tty, or a pty whose master has closed, reads as
    // empty too; only poll tells such a device from an idle line.
    pollfd p {FDevice->Fd, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0)
        throw EComPort(ceRead, errno);
    if (p.revents & (POLLHUP | POLLERR))
        throw EComPort(ceRead, EIO);
    return 0;
}

int TCustomComPort::Write(const void *buffer, int count)
{
    if (count <= 0)
        return 0;
    const long long limit =
        static_cast<long long>(Timeouts.WriteTotalMultiplier()) * count + Timeouts.WriteTotalConstant();
    // NowMs drops the fraction of the current millisecond: one more keeps the
    // wait from ending up to a millisecond short of the time-out.
    const long long deadline = limit > 0 ? NowMs() + limit + 1 : -1;
    const char *bytes = static_cast<const char *>(buffer);
    int accepted = 0;
    while (accepted < count) {
        const ssize_t n = ::write(FDevice->Fd, bytes + accepted, static_cast<size_t>(count - accepted));
        if (n > 0) {
            accepted += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            throw EComPort(ceWrite, errno);
        // The driver's queue is full (or output is held): wait for room.
        pollfd p {FDevice->Fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, RemainingMs(deadline));
        if (ready < 0 && errno != EINTR)
            throw EComPort(ceWrite, errno);
        if (ready == 0)
            break; // time-out
    }
    return accepted - WaitUntilSent(deadline);
}

int TCustomComPort::WaitUntilSent(long long deadlineMs)
{
    // tcdrain would do, but it waits without limit.
    for (;;) {
        int queued = 0;
        if (::ioctl(FDevice->Fd, TIOCOUTQ, &queued) != 0)
            throw EComPort(ceWrite, errno);
        unsigned int lsr = 0;
        // The UART's own FIFO and shift register, where the driver can tell.
        const bool transmitterEmpty =
            queued == 0 && (::ioctl(FDevice->Fd, TIOCSERGETLSR, &lsr) != 0 || (lsr & TIOCSER_TEMT));
        if (transmitterEmpty)
            return 0;
        if (RemainingMs(deadlineMs) == 0) {
            // What did not go out in time is dropped, so it cannot reach the
            // line at some later moment.
            ::tcflush(FDevice->Fd, TCOFLUSH);
            return queued;
        }
        ::poll(nullptr, 0, 1);
    }
}

void TCustomComPort::RequestLowLatency()
{
    FDevice->LatencyChanged = false;
    serial_struct info {};
    if (::ioctl(FDevice->Fd, TIOCGSERIAL, &info) != 0 || (info.flags & ASYNC_LOW_LATENCY))
        return; // a pty or a driver without it; or on already
    FDevice->OldSerialFlags = info.flags;
    info.flags |= ASYNC_LOW_LATENCY;
    FDevice->LatencyChanged = ::ioctl(FDevice->Fd, TIOCSSERIAL, &info) == 0;
}

void TCustomComPort::RestoreLatency()
{
    if (!FDevice->LatencyChanged)
        return;
    FDevice->LatencyChanged = false;
    serial_struct info {};
    // A device that has gone away has nothing left to restore.
    if (::ioctl(FDevice->Fd, TIOCGSERIAL, &info) != 0)
        return;
    info.flags = (info.flags & ~ASYNC_LOW_LATENCY) | (FDevice->OldSerialFlags & ASYNC_LOW_LATENCY);
    ::ioctl(FDevice->Fd, TIOCSSERIAL, &info);
}

bool TCustomComPort::LowLatency() const
{
    serial_struct info {};
    return FDevice->Fd >= 0 && ::ioctl(FDevice->Fd, TIOCGSERIAL, &info) == 0 && (info.flags & ASYNC_LOW_LATENCY);
}

int TCustomComPort::InputCount() const
{
    int count = 0;
    if (::ioctl(FDevice->Fd, TIOCINQ, &count) != 0)
        throw EComPort(ceClearError, errno);
    return count;
}
