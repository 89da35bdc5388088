// The telephone emulator: its protocol core, image files and options, and one
// run of the real binary on a pseudo-terminal.

#include "PhoneImage.h"
#include "PhoneLine.h"
#include "PhoneOptions.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

extern char **environ;

using namespace qphone;

namespace {

struct Fed {
    std::string sent;           // bytes put on the line, in order
    std::vector<int64_t> dueUs; // when each of them is due
    int stored = 0;
    bool hangup = false;
};

// Feeds `text` one byte at a time, all read at `nowUs`.
Fed Feed(PhoneLine &line, const std::string &text, int64_t nowUs = 0)
{
    Fed f;
    for (char c : text) {
        for (const LineEvent &e : line.receive(static_cast<uint8_t>(c), nowUs)) {
            if (e.kind == LineEvent::Send) {
                f.sent.push_back(static_cast<char>(e.byte));
                f.dueUs.push_back(e.dueUs);
            } else if (e.kind == LineEvent::Stored) {
                ++f.stored;
            } else {
                f.hangup = true;
            }
        }
    }
    return f;
}

Fault MakeFault(const std::string &spec)
{
    Fault f;
    std::string error;
    EXPECT_TRUE(ParseFault(spec, &f, &error)) << spec << ": " << error;
    return f;
}

} // namespace

TEST(PhoneLine, WriteThenReadRoundTrip)
{
    PhoneLine line(0);
    EXPECT_EQ(Feed(line, "\r").sent, "\r"); // the opening is only echoed

    const Fed w = Feed(line, "M3201A90002\r");
    EXPECT_EQ(w.sent, "M3201A90002\r");
    EXPECT_EQ(w.stored, 1);
    EXPECT_EQ(line.words()[0x32], 0x01A9);
    EXPECT_EQ(line.words()[0x33], 0x0002);
    EXPECT_EQ(line.words()[0x34], 0xFFFF);

    EXPECT_EQ(Feed(line, "m32\r").sent, "m32\r!01A90002FFFFFFFFFFFF\r\n");
    // Five words in one command, lower-case digits accepted.
    EXPECT_EQ(Feed(line, "M00000100020003abcd0005\r").stored, 1);
    EXPECT_EQ(Feed(line, "m00\r").sent, "m00\r!000100020003ABCD0005\r\n");
}

TEST(PhoneLine, AddressesWrapAtSixBits)
{
    PhoneLine line(0);
    Feed(line, "M3F11112222\r");
    EXPECT_EQ(line.words()[0x3F], 0x1111);
    EXPECT_EQ(line.words()[0x00], 0x2222);
    EXPECT_EQ(Feed(line, "m3C\r").sent, "m3C\r!FFFFFFFFFFFF11112222\r\n");
    EXPECT_EQ(Feed(line, "m7F\r").sent, "m7F\r!11112222FFFFFFFFFFFF\r\n");
}

TEST(PhoneLine, MalformedCommandsStoreNothingButAreEchoed)
{
    PhoneLine line(0);
    const std::string bad[] = {
        "M32\r",                              // no word
        "M3201A\r",                           // partial word
        "M3\r",                               // half an address
        "M32111122223333444455556666\r",      // six words
        "M32x1111\r",                         // junk drops the command
        "M32\n1111\r",                        // so does LF
        "m3\r",                               // read with half an address: no reply
        "m321\r",                             // read with three digits
        "1234\r",                             // digits outside a command
    };
    for (const std::string &cmd : bad) {
        const Fed f = Feed(line, cmd);
        EXPECT_EQ(f.sent, cmd) << "only echoes for " << cmd;
        EXPECT_EQ(f.stored, 0) << cmd;
    }
    for (uint16_t w : line.words())
        EXPECT_EQ(w, 0xFFFF);

    // A new "M" or "m" starts over inside another command.
    EXPECT_EQ(Feed(line, "m3M050042\r").stored, 1);
    EXPECT_EQ(line.words()[0x05], 0x0042);
    EXPECT_EQ(Feed(line, "M05m05\r").sent, "M05m05\r!0042FFFFFFFFFFFFFFFF\r\n");
}

TEST(PhoneLine, PacingStampsEveryCharacterOneCharTimeApart)
{
    PhoneLine line(1000);
    // The byte crosses the wire (one character time), then its echo comes back
    // (another), as on a real line.
    const Fed e = Feed(line, "\r", 5000);
    ASSERT_EQ(e.dueUs.size(), 1u);
    EXPECT_EQ(e.dueUs[0], 7000);

    // Read command typed one byte per echo; the reply follows the CR echo.
    int64_t t = 10000;
    Fed all;
    for (char c : std::string("m00\r")) {
        const Fed f = Feed(line, std::string(1, c), t);
        all.sent += f.sent;
        all.dueUs.insert(all.dueUs.end(), f.dueUs.begin(), f.dueUs.end());
        t = f.dueUs[0] + 3000; // the program answers a little after each echo
    }
    ASSERT_EQ(all.sent.size(), 4u + kReplyLength);
    const int64_t crArrival = all.dueUs[3] - 1000;
    for (int i = 0; i < kReplyLength; ++i)
        EXPECT_EQ(all.dueUs[4 + i], crArrival + 1000 * (i + 2)) << i;

    // A burst written at once is received at line speed, and so echoed.
    line.reset();
    const Fed b = Feed(line, "ABC", 100000);
    EXPECT_EQ(b.dueUs, (std::vector<int64_t>{102000, 103000, 104000}));
}

TEST(PhoneLine, EchoFaultsHitTheNthReceivedCharacter)
{
    PhoneLine line(0);
    line.addFault(MakeFault("no-echo@2"));
    line.addFault(MakeFault("wrong-echo@3"));
    line.addFault(MakeFault("stray@4"));
    EXPECT_EQ(Feed(line, "\rm00").sent, "\r10#");
    EXPECT_EQ(Feed(line, "\r").sent.substr(0, 1), "\r"); // the CR still gets its reply
    EXPECT_EQ(Feed(line, "\r").sent, "\r");              // later ones are clean

    PhoneLine every(0);
    every.addFault(MakeFault("no-echo"));
    const Fed f = Feed(every, "m00\r");
    EXPECT_EQ(f.sent, "!FFFFFFFFFFFFFFFFFFFF\r\n"); // no echo at all, still a reply
}

TEST(PhoneLine, ReplyFaults)
{
    PhoneLine line(0);
    Feed(line, "M00ABCD\r");
    line.addFault(MakeFault("lowercase@1"));
    line.addFault(MakeFault("no-bang@2"));
    line.addFault(MakeFault("short-reply=5@3"));
    EXPECT_EQ(Feed(line, "m00\r").sent, "m00\r!abcdffffffffffffffff\r\n");
    EXPECT_EQ(Feed(line, "m00\r").sent, "m00\r?ABCDFFFFFFFFFFFFFFFF\r\n");
    EXPECT_EQ(Feed(line, "m00\r").sent, "m00\r!ABCD");
    EXPECT_EQ(Feed(line, "m00\r").sent, "m00\r!ABCDFFFFFFFFFFFFFFFF\r\n");
    EXPECT_EQ(line.replies(), 4);

    PhoneLine late(1000);
    late.addFault(MakeFault("late-reply=250"));
    const Fed f = Feed(late, "m00\r", 0);
    ASSERT_EQ(f.sent.size(), 4u + kReplyLength);
    // CR arrives at 4000 (burst), its echo ends at 5000, then 250 ms of silence.
    EXPECT_EQ(f.dueUs[3], 5000);
    EXPECT_EQ(f.dueUs[4], 5000 + 250000 + 1000);
}

TEST(PhoneLine, WriteFaultsHitTheNthStoringWriteCommand)
{
    PhoneLine line(0);
    line.addFault(MakeFault("drop-write@1"));
    line.addFault(MakeFault("corrupt-write@2"));
    Feed(line, "\rM00\r"); // stores nothing, so it is no write command
    const Fed dropped = Feed(line, "M001111\r");
    EXPECT_EQ(dropped.sent, "M001111\r"); // echoed as ever
    EXPECT_EQ(dropped.stored, 0);
    EXPECT_EQ(Feed(line, "M0022223333\r").stored, 1);
    Feed(line, "M024444\r");
    EXPECT_EQ(line.words()[0], 0x2223);
    EXPECT_EQ(line.words()[1], 0x3333);
    EXPECT_EQ(line.words()[2], 0x4444);
    EXPECT_EQ(line.writes(), 3);
}

TEST(PhoneLine, HangupAfterDropsTheLineAfterTheNthEcho)
{
    PhoneLine line(0);
    line.addFault(MakeFault("hangup-after=3"));
    const Fed f = Feed(line, "M00\r1234");
    EXPECT_EQ(f.sent, "M00");
    EXPECT_TRUE(f.hangup);
    EXPECT_TRUE(line.hungUp());
    EXPECT_EQ(Feed(line, "\r").sent, "");
}

TEST(PhoneFault, ParsesAndRejectsSpecs)
{
    Fault f;
    std::string error;
    ASSERT_TRUE(ParseFault("late-reply", &f, &error));
    EXPECT_EQ(f.value, 1000);
    EXPECT_EQ(f.nth, 0);
    ASSERT_TRUE(ParseFault("short-reply@7", &f, &error));
    EXPECT_EQ(f.value, 12);
    EXPECT_EQ(f.nth, 7);
    for (const char *spec : {"no-echo@3", "short-reply=0@2", "late-reply=20", "hangup-after=9", "stray",
                             "drop-write@2", "corrupt-write"}) {
        ASSERT_TRUE(ParseFault(spec, &f, &error)) << spec;
        EXPECT_EQ(DescribeFault(f), spec);
    }
    for (const char *spec : {"", "echo", "no-echo@0", "no-echo@x", "no-echo=3", "hangup-after",
                             "hangup-after=0", "hangup-after=3@2", "short-reply=23", "late-reply=-1",
                             "drop-write=1"}) {
        EXPECT_FALSE(ParseFault(spec, &f, &error)) << spec;
        EXPECT_FALSE(error.empty());
    }
}

TEST(PhoneOptions, ParsesTheCommandLine)
{
    PhoneOptions o;
    std::string error;
    ASSERT_TRUE(ParseOptions({"--char-ms", "5", "--word", "32=01a9", "--fault=no-bang@2", "--once",
                              "--link=/tmp/x", "--model", "4"},
                             &o, &error))
        << error;
    EXPECT_EQ(o.charUs, 5000);
    ASSERT_EQ(o.presetWords.size(), 1u);
    EXPECT_EQ(o.presetWords[0].first, 0x32);
    EXPECT_EQ(o.presetWords[0].second, 0x01A9);
    ASSERT_EQ(o.faults.size(), 1u);
    EXPECT_EQ(o.faults[0].kind, FaultKind::NoBang);
    EXPECT_TRUE(o.once);
    EXPECT_EQ(o.linkPath, "/tmp/x");
    EXPECT_EQ(o.model, 4);

    ASSERT_TRUE(ParseOptions({"--baud", "300"}, &o, &error));
    EXPECT_EQ(o.charUs, 33333);
    ASSERT_TRUE(ParseOptions({"--fast", "--char-ms", "20"}, &o, &error));
    EXPECT_EQ(o.charUs, 0); // --fast wins whatever the order
    ASSERT_TRUE(ParseOptions({"--latency-ms", "16"}, &o, &error));
    EXPECT_EQ(o.latencyUs, 16000);

    for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
             {"--load"}, {"--fault", "nope"}, {"--word", "40=0000"}, {"--word", "3F=12345"},
             {"--char-ms", "-1"}, {"--model", "256"}, {"--once=1"}, {"--frobnicate"},
             {"--latency-ms", "-1"}, {"--latency-ms", "x"}, {"--units", "in", "--load", "a.img"}}) {
        EXPECT_FALSE(ParseOptions(bad, &o, &error)) << bad[0];
    }
}

TEST(PhoneImage, ByteFormat)
{
    PhoneImage img;
    std::vector<uint8_t> bytes = EncodeImage(img);
    ASSERT_EQ(bytes.size(), 129u);
    for (size_t i = 0; i < 129; ++i)
        EXPECT_EQ(bytes[i], 0xFF) << i; // blank words, then "no model"

    img.words[0x32] = 0x01A9;
    img.model = 4;
    img.comment = "abc\xE0"; // a code page 1251 letter stays one byte
    bytes = EncodeImage(img);
    ASSERT_EQ(bytes.size(), 133u);
    EXPECT_EQ(bytes[100], 0x01);
    EXPECT_EQ(bytes[101], 0xA9);
    EXPECT_EQ(bytes[128], 0x04);
    EXPECT_EQ(bytes[132], 0xE0);

    PhoneImage back;
    std::string error;
    ASSERT_TRUE(DecodeImage(bytes, &back, &error));
    EXPECT_EQ(back.words, img.words);
    EXPECT_EQ(back.model, 4);
    EXPECT_EQ(back.comment, img.comment);

    bytes.resize(128); // words only: no model, no comment
    ASSERT_TRUE(DecodeImage(bytes, &back, &error));
    EXPECT_EQ(back.words[0x32], 0x01A9);
    EXPECT_EQ(back.model, kNoModel);
    EXPECT_TRUE(back.comment.empty());

    bytes.resize(127);
    EXPECT_FALSE(DecodeImage(bytes, &back, &error));
    EXPECT_FALSE(error.empty());
}

TEST(PhoneImage, SaveReplacesTheFileAndLeavesNoTemporary)
{
    char dir[] = "/tmp/test_phone_imgXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/unit.hp";

    PhoneImage img;
    img.words[0] = 0x1234;
    img.comment = "first";
    std::string error;
    ASSERT_TRUE(SaveImageFile(path, img, &error)) << error;
    img.words[0x3F] = 0xBEEF;
    img.comment.clear();
    ASSERT_TRUE(SaveImageFile(path, img, &error)) << error;

    PhoneImage back;
    ASSERT_TRUE(LoadImageFile(path, &back, &error)) << error;
    EXPECT_EQ(back.words, img.words);
    EXPECT_TRUE(back.comment.empty());

    int entries = 0;
    DIR *d = opendir(dir);
    while (dirent *e = readdir(d))
        entries += e->d_name[0] != '.';
    closedir(d);
    EXPECT_EQ(entries, 1);

    EXPECT_FALSE(LoadImageFile(std::string(dir) + "/missing", &back, &error));
    unlink(path.c_str());
    rmdir(dir);
}

// ---- the real binary on a pty ----

namespace {

class PhoneProcess
{
public:
    bool start(const std::vector<std::string> &extra)
    {
        const char *exe = std::getenv("QUILLON_PHONE");
        if (!exe)
            return false;
        int out[2];
        if (pipe(out) != 0)
            return false;
        std::vector<std::string> args{exe};
        args.insert(args.end(), extra.begin(), extra.end());
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, out[1], 1);
        posix_spawn_file_actions_addclose(&fa, out[0]);
        const int rc = posix_spawn(&pid_, exe, &fa, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&fa);
        close(out[1]);
        if (rc != 0) {
            close(out[0]);
            return false;
        }
        out_ = out[0];
        return true;
    }

    // The first stdout line, "PORT /dev/pts/N".
    std::string portLine()
    {
        std::string line;
        char c;
        while (WaitReadable(out_, 5000) && read(out_, &c, 1) == 1 && c != '\n')
            line.push_back(c);
        return line;
    }

    // Exit status, or -1 if it did not end within `ms`.
    int waitExit(int ms)
    {
        for (int t = 0; t < ms; t += 10) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            usleep(10000);
        }
        return -1;
    }

    void terminate()
    {
        if (pid_ > 0)
            kill(pid_, SIGTERM);
    }

    ~PhoneProcess()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0)
            close(out_);
    }

    static bool WaitReadable(int fd, int ms)
    {
        pollfd p{fd, POLLIN, 0};
        return poll(&p, 1, ms) > 0;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
};

int OpenSerial(const std::string &path)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return -1;
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
    return fd;
}

// Sends each character after the echo of the one before, as the programmer
// does, then collects `replyLen` more characters.
std::string Exchange(int fd, const std::string &cmd, size_t replyLen = 0)
{
    std::string got;
    for (char c : cmd) {
        if (write(fd, &c, 1) != 1)
            return got;
        char e;
        if (!PhoneProcess::WaitReadable(fd, 3000) || read(fd, &e, 1) != 1)
            return got;
        got.push_back(e);
    }
    char buf[64];
    while (got.size() < cmd.size() + replyLen && PhoneProcess::WaitReadable(fd, 3000)) {
        const ssize_t n = read(fd, buf, std::min(sizeof buf, cmd.size() + replyLen - got.size()));
        if (n <= 0)
            break;
        got.append(buf, static_cast<size_t>(n));
    }
    return got;
}

} // namespace

TEST(PhonePty, FastSessionWritesReadsSavesAndEndsWithOnce)
{
    if (!std::getenv("QUILLON_PHONE"))
        GTEST_SKIP() << "QUILLON_PHONE not set (run through ctest)";
    char dir[] = "/tmp/test_phone_ptyXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string save = std::string(dir) + "/out.img";
    const std::string link = std::string(dir) + "/ttyPHONE";

    PhoneProcess phone;
    ASSERT_TRUE(phone.start({"--fast", "--once", "--save", save, "--link", link, "--word", "3F=1234",
                             "--model", "2"}));
    const std::string port = phone.portLine();
    ASSERT_EQ(port.rfind("PORT /dev/", 0), 0u) << port;

    const int fd = OpenSerial(link); // through the symlink
    ASSERT_GE(fd, 0) << strerror(errno);
    EXPECT_EQ(Exchange(fd, "\r"), "\r");
    EXPECT_EQ(Exchange(fd, "M0001A90002\r"), "M0001A90002\r");
    EXPECT_EQ(Exchange(fd, "m3F\r", kReplyLength), "m3F\r!123401A90002FFFFFFFF\r\n");
    close(fd);

    EXPECT_EQ(phone.waitExit(5000), 0);
    struct stat st{};
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "the link is removed on exit";

    PhoneImage img;
    std::string error;
    ASSERT_TRUE(LoadImageFile(save, &img, &error)) << error;
    EXPECT_EQ(img.words[0x00], 0x01A9);
    EXPECT_EQ(img.words[0x01], 0x0002);
    EXPECT_EQ(img.words[0x3F], 0x1234);
    EXPECT_EQ(img.model, 2);
    unlink(save.c_str());
    rmdir(dir);
}

// Two units from a folder, a swap on the control FIFO, a dead line while
// unplugged and when the folder has run out, and each unit saved apart.
TEST(PhonePty, UnitsArePluggedOneAfterAnother)
{
    if (!std::getenv("QUILLON_PHONE"))
        GTEST_SKIP() << "QUILLON_PHONE not set (run through ctest)";
    char dir[] = "/tmp/test_phone_unitsXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string d = dir;
    mkdir((d + "/in").c_str(), 0700);
    for (int u = 1; u <= 2; ++u) {
        PhoneImage img;
        img.words[0x37] = static_cast<uint16_t>(0x1110 * u);
        std::string error;
        ASSERT_TRUE(SaveImageFile(d + "/in/unit" + std::to_string(u) + ".img", img, &error)) << error;
    }
    const std::string control = d + "/control";
    PhoneProcess phone;
    ASSERT_TRUE(phone.start({"--fast", "--units", d + "/in", "--save", d + "/out", "--control", control}));
    const std::string port = phone.portLine();
    ASSERT_EQ(port.rfind("PORT ", 0), 0u) << port;
    const int fd = OpenSerial(port.substr(5));
    ASSERT_GE(fd, 0);
    const int ctl = open(control.c_str(), O_WRONLY);
    ASSERT_GE(ctl, 0);
    auto command = [&](const std::string &line) {
        ASSERT_EQ(write(ctl, line.data(), line.size()), static_cast<ssize_t>(line.size()));
    };
    // The control line and the port are read apart: wait until the line is
    // dead (a CR gets no echo within a second, far beyond any echo of --fast)
    // or answers again.
    auto dead = [&]() {
        for (int i = 0; i < 50; ++i) {
            const char cr = '\r';
            if (write(fd, &cr, 1) != 1)
                return false;
            if (!PhoneProcess::WaitReadable(fd, 1000))
                return true;
            char buf[64];
            [[maybe_unused]] ssize_t n = read(fd, buf, sizeof buf);
        }
        return false;
    };
    auto answers = [&]() {
        for (int i = 0; i < 50; ++i) {
            if (Exchange(fd, "\r") == "\r")
                return true;
            usleep(100000);
        }
        return false;
    };

    EXPECT_EQ(Exchange(fd, "m37\r", kReplyLength), "m37\r!1110FFFFFFFFFFFFFFFF\r\n");
    EXPECT_EQ(Exchange(fd, "M000001\r"), "M000001\r");
    command("unplug\n");
    EXPECT_TRUE(dead()) << "no echoes while unplugged";
    command("plug\n");
    ASSERT_TRUE(answers());
    EXPECT_EQ(Exchange(fd, "m37\r", kReplyLength), "m37\r!2220FFFFFFFFFFFFFFFF\r\n");
    EXPECT_EQ(Exchange(fd, "M000002\r"), "M000002\r");
    command("plug\n");
    EXPECT_TRUE(dead()) << "the folder has run out";

    phone.terminate();
    EXPECT_EQ(phone.waitExit(5000), 0);
    close(fd);
    close(ctl);
    for (int u = 1; u <= 2; ++u) {
        PhoneImage img;
        std::string error;
        const std::string name = "/unit" + std::to_string(u) + ".img";
        ASSERT_TRUE(LoadImageFile(d + "/out" + name, &img, &error)) << error;
        EXPECT_EQ(img.words[0x00], u) << name;
        EXPECT_EQ(img.words[0x37], 0x1110 * u) << name;
        unlink((d + "/out" + name).c_str());
        unlink((d + "/in" + name).c_str());
    }
    rmdir((d + "/out").c_str());
    rmdir((d + "/in").c_str());
    rmdir(dir);
}

TEST(PhonePty, PacedLineAndHangupFault)
{
    if (!std::getenv("QUILLON_PHONE"))
        GTEST_SKIP() << "QUILLON_PHONE not set (run through ctest)";
    PhoneProcess phone;
    ASSERT_TRUE(phone.start({"--char-ms", "5", "--fault", "hangup-after=5"}));
    const std::string port = phone.portLine();
    ASSERT_EQ(port.rfind("PORT ", 0), 0u) << port;
    const int fd = OpenSerial(port.substr(5));
    ASSERT_GE(fd, 0);

    // 4 round trips of two character times and 23 reply characters at 5 ms
    // each: never faster than 155 ms, as on a wire.
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(Exchange(fd, "m00\r", kReplyLength), "m00\r!FFFFFFFFFFFFFFFFFFFF\r\n");
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0);
    EXPECT_GE(ms.count(), 150);

    // The 5th character is echoed, then the line goes dead and the emulator ends.
    EXPECT_EQ(Exchange(fd, "\r"), "\r");
    EXPECT_EQ(phone.waitExit(5000), 0);
    close(fd);
}
