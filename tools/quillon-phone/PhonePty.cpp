#include "PhoneRunner.h"

#include <cerrno>
#include <cstdarg>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace qphone {

namespace {

int g_signalPipe[2] = {-1, -1};
constexpr int64_t kHangupGraceUs = 100000;

void OnSignal(int sig)
{
    const int saved = errno;
    const unsigned char b = static_cast<unsigned char>(sig);
    [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &b, 1);
    errno = saved;
}

int64_t NowUs()
{
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

std::string Printable(uint8_t b)
{
    char buf[16];
    if (b >= 0x20 && b < 0x7F)
        std::snprintf(buf, sizeof buf, "%02X '%c'", b, b);
    else if (b == 0x0D)
        std::snprintf(buf, sizeof buf, "0D CR");
    else if (b == 0x0A)
        std::snprintf(buf, sizeof buf, "0A LF");
    else
        std::snprintf(buf, sizeof buf, "%02X", b);
    return buf;
}

void SetNonBlockCloexec(int fd)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

} // namespace

Runner::Runner(const PhoneOptions &o, PhoneLine &line, const PhoneImage &image, PhoneBench &bench,
               const std::string &unitPath)
    : o_(o), line_(line), image_(image), bench_(bench), savePath_(bench.savePath(o.savePath, unitPath)),
      startUs_(NowUs())
{
}

void Runner::log(const char *fmt, ...)
{
    if (!o_.verbose)
        return;
    va_list ap;
    va_start(ap, fmt);
    std::fprintf(stderr, "quillon-phone [%8.3f s] ", static_cast<double>(NowUs() - startUs_) / 1e6);
    std::vfprintf(stderr, fmt, ap);
    std::fputc('\n', stderr);
    va_end(ap);
}

bool Runner::openPty()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        std::fprintf(stderr, "quillon-phone: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
        return false;
    }
    const char *name = ::ptsname(master_);
    if (!name) {
        std::fprintf(stderr, "quillon-phone: ptsname: %s\n", std::strerror(errno));
        return false;
    }
    slave_ = name;
    SetNonBlockCloexec(master_);
    makeRaw();
    return true;
}

// The slave's settings outlive its openers, so they are set back to raw
// whenever nobody holds it open; a peer sets its own after opening.
void Runner::makeRaw()
{
    termios t{};
    if (::tcgetattr(master_, &t) != 0)
        return;
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B300);
    ::cfsetospeed(&t, B300);
    ::tcsetattr(master_, TCSANOW, &t);
}

bool Runner::makeLink()
{
    struct stat st{};
    if (::lstat(o_.linkPath.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "quillon-phone: %s exists and is not a symlink\n", o_.linkPath.c_str());
            return false;
        }
        ::unlink(o_.linkPath.c_str()); // a leftover of an earlier run
    }
    if (::symlink(slave_.c_str(), o_.linkPath.c_str()) != 0) {
        std::fprintf(stderr, "quillon-phone: cannot create %s: %s\n", o_.linkPath.c_str(), std::strerror(errno));
        return false;
    }
    linkMade_ = true;
    return true;
}

bool Runner::openControl()
{
    struct stat st{};
    if (::stat(o_.controlPath.c_str(), &st) == 0) {
        if (!S_ISFIFO(st.st_mode)) {
            std::fprintf(stderr, "quillon-phone: %s exists and is not a FIFO\n", o_.controlPath.c_str());
            return false;
        }
    } else if (::mkfifo(o_.controlPath.c_str(), 0600) != 0) {
        std::fprintf(stderr, "quillon-phone: cannot create FIFO %s: %s\n", o_.controlPath.c_str(),
                     std::strerror(errno));
        return false;
    } else {
        controlMade_ = true;
    }
    control_ = ::open(o_.controlPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (control_ >= 0)
        controlKeeper_ = ::open(o_.controlPath.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (control_ < 0 || controlKeeper_ < 0) {
        std::fprintf(stderr, "quillon-phone: cannot open FIFO %s: %s\n", o_.controlPath.c_str(),
                     std::strerror(errno));
        return false;
    }
    return true;
}

void Runner::cleanup()
{
    if (linkMade_) {
        // Only our own link: another emulator may have taken the name since.
        char buf[4096];
        const ssize_t n = ::readlink(o_.linkPath.c_str(), buf, sizeof buf - 1);
        if (n >= 0 && std::string(buf, static_cast<size_t>(n)) == slave_)
            ::unlink(o_.linkPath.c_str());
        linkMade_ = false;
    }
    if (control_ >= 0)
        ::close(control_);
    if (controlKeeper_ >= 0)
        ::close(controlKeeper_);
    control_ = controlKeeper_ = -1;
    if (controlMade_)
        ::unlink(o_.controlPath.c_str());
    controlMade_ = false;
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

void Runner::handleSignals()
{
    unsigned char sigs[32];
    ssize_t n;
    while ((n = ::read(g_signalPipe[0], sigs, sizeof sigs)) > 0) {
        for (ssize_t i = 0; i < n; ++i) {
            if (sigs[i] == SIGUSR1) {
                dump();
            } else {
                log("signal %d: ending", sigs[i]);
                stop_ = true;
            }
        }
    }
}

void Runner::peerGone()
{
    connected_ = false;
    backoffMs_ = 5;
    if (!pending_.empty())
        log("peer closed the port; %zu characters not sent", pending_.size());
    else
        log("peer closed the port");
    pending_.clear();
    line_.restartTiming();
    makeRaw();
    if (o_.once && everConnected_)
        stop_ = true;
}

void Runner::readMaster()
{
    uint8_t buf[256];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (n <= 0) { // EIO: the last slave descriptor is gone
            peerGone();
            return;
        }
        for (ssize_t i = 0; i < n && !line_.hungUp(); ++i) {
            const int64_t now = NowUs();
            if (unplugged_) {
                log("rx %s, unplugged", Printable(buf[i]).c_str());
                continue;
            }
            log("rx %s", Printable(buf[i]).c_str());
            for (LineEvent e : line_.receive(buf[i], now)) {
                if (e.kind == LineEvent::Stored) {
                    save();
                    continue;
                }
                // An adapter's latency timer: what came in is handed over
                // only when the timer next runs out.
                if (o_.latencyUs > 0) {
                    const int64_t since = e.dueUs - startUs_;
                    e.dueUs = startUs_ + (since + o_.latencyUs - 1) / o_.latencyUs * o_.latencyUs;
                }
                pending_.push_back(e);
            }
        }
    }
}

// Puts every event that is due on the line. Returns false once the line
// has been dropped by a hangup fault.
bool Runner::deliverDue(int64_t now)
{
    while (!pending_.empty() && pending_.front().dueUs <= now) {
        const LineEvent e = pending_.front();
        if (e.kind == LineEvent::Hangup) {
            // Closing the master throws away what the peer has not read yet;
            // give the last characters a moment to be taken first.
            if (now < lastWriteUs_ + kHangupGraceUs) {
                pending_.front().dueUs = lastWriteUs_ + kHangupGraceUs;
                return true;
            }
            log("hangup fault: dropping the line");
            pending_.clear();
            return false;
        }
        const ssize_t n = ::write(master_, &e.byte, 1);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return true; // the peer is not reading; try again shortly
        if (n < 0) {
            peerGone();
            return true;
        }
        lastWriteUs_ = now;
        log("tx %s", Printable(e.byte).c_str());
        pending_.pop_front();
    }
    return true;
}

int Runner::run()
{
    if (::pipe(g_signalPipe) != 0) {
        std::perror("quillon-phone: pipe");
        return 1;
    }
    SetNonBlockCloexec(g_signalPipe[0]);
    SetNonBlockCloexec(g_signalPipe[1]);
    struct sigaction sa{};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGUSR1})
        ::sigaction(sig, &sa, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    if (!makeSaveFolder() || !openPty() || (!o_.linkPath.empty() && !makeLink())
        || (!o_.controlPath.empty() && !openControl())) {
        cleanup();
        return 1;
    }
    std::printf("PORT %s\n", slave_.c_str());
    std::fflush(stdout);
    log("serving %s, %.3f ms a character, %zu fault(s)", slave_.c_str(),
        static_cast<double>(line_.charUs()) / 1000.0, line_.faults().size());

    while (!stop_) {
        const int64_t now = NowUs();
        if (connected_ && !deliverDue(now))
            break;

        int timeoutMs = -1;
        if (connected_ && !pending_.empty()) {
            const int64_t wait = pending_.front().dueUs - now;
            timeoutMs = wait <= 0 ? 1 : static_cast<int>((wait + 999) / 1000);
        }
        // With no peer the master reports POLLHUP at once; it is looked at
        // again after a growing pause instead of being polled.
        if (!connected_)
            timeoutMs = backoffMs_;

        pollfd fds[3];
        nfds_t n = 0;
        fds[n++] = {g_signalPipe[0], POLLIN, 0};
        const nfds_t controlIdx = n;
        if (control_ >= 0)
            fds[n++] = {control_, POLLIN, 0};
        const nfds_t masterIdx = n;
        if (connected_)
            fds[n++] = {master_, POLLIN, 0};

        const int r = ::poll(fds, n, timeoutMs);
        if (r < 0 && errno != EINTR) {
            std::perror("quillon-phone: poll");
            break;
        }
        handleSignals();
        if (stop_)
            break;
        if (r > 0 && control_ >= 0 && (fds[controlIdx].revents & POLLIN))
            handleControl();

        if (connected_) {
            if (r > 0 && (fds[masterIdx].revents & POLLIN))
                readMaster();
            else if (r > 0 && (fds[masterIdx].revents & (POLLHUP | POLLERR)))
                peerGone();
        } else {
            pollfd probe{master_, POLLIN, 0};
            if (::poll(&probe, 1, 0) >= 0 && !(probe.revents & POLLHUP)) {
                connected_ = true;
                everConnected_ = true;
                log("peer opened the port");
            } else {
                backoffMs_ = backoffMs_ * 2 > 50 ? 50 : backoffMs_ * 2;
            }
        }
    }

    save();
    if (o_.dump)
        dump();
    cleanup();
    return 0;
}

int RunPhone(const PhoneOptions &options, PhoneLine &line, const PhoneImage &image, PhoneBench &bench,
             const std::string &unitPath)
{
    Runner runner(options, line, image, bench, unitPath);
    return runner.run();
}

} // namespace qphone
