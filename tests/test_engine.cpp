// The programming engine against a scripted telephone, driven step by step on
// a simulated clock of whole milliseconds.

#include "CliEnglish.h"
#include "link/Engine.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <stdexcept>

namespace {

const QByteArray CR("\r");

class FakeWindow : public IEngineWindow {
public:
    QStringList log; // arrangement calls, in order
    QStringList statuses;
    int max = 0, progress = 0, refreshes = 0, progressAtHide = -1;
    bool panel = false;

    void DisablePortActions() override { log << "Disable"; }
    void EnablePortActions() override { log << "Enable"; }
    void SetGaugeMax(int m) override { log << QString("Max %1").arg(m); max = m; }
    void SetGaugeProgress(int p) override { progress = std::clamp(p, 0, max); }
    int GaugeProgress() const override { return progress; }
    void SetGaugeColor(GaugeColor c) override { log << (c == GaugeColor::Red ? "Red" : "Blue"); }
    void SetProgressPanelVisible(bool v) override
    {
        log << (v ? "Panel shown" : "Panel hidden");
        if (!v)
            progressAtHide = progress;
        panel = v;
    }
    void SetCancelEnabled(bool e) override { log << (e ? "Cancel on" : "Cancel off"); }
    void ShowStatus(const QString &t) override { log << t; statuses << t; }
    void RefreshBuf() override { ++refreshes; }
};

// A telephone with a 64-word memory that echoes, executes "M" and "m" on CR
// and answers "m" with "!", five words and CR LF. Times are in ms.
class FakePhone : public IEnginePort {
public:
    int64_t now = 0;
    std::array<uint16_t, 64> mem{};
    QByteArray received;
    std::vector<int64_t> receivedAt;
    QByteArray consumed;
    std::vector<int64_t> consumedAt;

    int echoDelay = 0;        // from receiving a character to its echo being readable
    int replyDelay = 0;       // from the echo of the CR to the first reply character
    int replyGap = 0;         // between reply characters
    bool lowerCase = false;
    std::map<int, char> replyLead;   // reply number -> first character
    std::map<int, int> replyLength;  // reply number -> characters actually sent
    std::map<int, char> echoAs;      // received index -> echoed character
    std::map<int, int> echoExtra;    // received index -> extra delay
    int silentFrom = 1 << 30;        // received index from which nothing is echoed
    int throwOnWrite = -1;           // received index whose write throws
    bool throwOnRead = false;

    struct Out { int64_t at; char c; };
    std::deque<Out> out;
    int replies = 0;

    int Write(const void *buffer, int count) override
    {
        if (received.size() == throwOnWrite)
            throw std::runtime_error("device removed");
        for (int i = 0; i < count; ++i)
            Receive(static_cast<const char *>(buffer)[i]);
        return count;
    }
    int Read(void *buffer, int) override
    {
        if (throwOnRead)
            throw std::runtime_error("device removed");
        if (!Available())
            return 0;
        *static_cast<char *>(buffer) = out.front().c;
        consumed += out.front().c;
        consumedAt.push_back(now);
        out.pop_front();
        return 1;
    }
    bool Available() const { return !out.empty() && out.front().at <= now; }
    void Send(char c, int64_t at)
    {
        if (!out.empty())
            at = std::max(at, out.back().at); // one line: in order
        out.push_back({at, c});
    }

private:
    QByteArray line;

    void Receive(char c)
    {
        const int index = received.size();
        received += c;
        receivedAt.push_back(now);
        if (index >= silentFrom)
            return;
        const int64_t echoAt = now + echoDelay + (echoExtra.count(index) ? echoExtra[index] : 0);
        Send(echoAs.count(index) ? echoAs[index] : c, echoAt);
        if (c != '\r') {
            line += c;
            return;
        }
        const int addr = line.mid(1, 2).toInt(nullptr, 16);
        if (line.startsWith('M')) {
            for (int k = 0; 3 + 4 * k + 4 <= line.size(); ++k)
                mem[(addr + k) & 0x3F] = static_cast<uint16_t>(line.mid(3 + 4 * k, 4).toUInt(nullptr, 16));
        } else if (line.startsWith('m')) {
            QByteArray reply(1, replyLead.count(replies) ? replyLead[replies] : '!');
            for (int k = 0; k < 5; ++k)
                reply += QByteArray::number(mem[(addr + k) & 0x3F] | 0x10000, 16).mid(1);
            reply = lowerCase ? reply : reply.toUpper();
            reply += "\r\n";
            reply.truncate(replyLength.count(replies) ? replyLength[replies] : reply.size());
            for (int i = 0; i < reply.size(); ++i)
                Send(reply[i], echoAt + replyDelay + int64_t(i) * replyGap);
            ++replies;
        }
        line.clear();
    }
};

struct Rig {
    FakeWindow win;
    FakePhone phone;
    EepromImage image;
    ProgrammingEngine eng{win, phone, image};
    int tickMs = 1;

    Rig()
    {
        for (int a = 0; a < 64; ++a)
            phone.mem[a] = static_cast<uint16_t>(0x1000 + a * 0x0101);
    }

    // What the window does: a step on every tick, and at once whenever the
    // engine has work without waiting or a byte waits for it.
    void Settle()
    {
        for (int i = 0; i < 100000; ++i) {
            if (!(eng.StepDue() || (eng.ReadsPort() && phone.Available())))
                return;
            eng.EngineStep();
        }
        FAIL() << "the engine never settles";
    }
    void AdvanceMs()
    {
        ++phone.now;
        if (phone.now % tickMs == 0) {
            eng.Tick();
            eng.EngineStep();
        }
        Settle();
    }
    void Start(EngineJob job, uint8_t selected = 0)
    {
        eng.StartJob(job, selected);
        Settle();
    }
    template <class P> bool RunUntil(P done, int64_t limitMs = 1000000)
    {
        for (int64_t end = phone.now + limitMs; !done() && phone.now < end;)
            AdvanceMs();
        return done();
    }
    bool RunToEnd() { return RunUntil([this] { return !eng.Active; }); }
    bool Run(EngineJob job, uint8_t selected = 0)
    {
        Start(job, selected);
        return RunToEnd();
    }
};

QByteArray Hex(int value, int digits)
{
    return QByteArray::number(value, 16).toUpper().rightJustified(digits, '0');
}

QByteArray ExpectedWrite(const EepromImage &image, int first, int last)
{
    QByteArray s = CR;
    for (int a = first; a <= last; a += 5) {
        s += "M" + Hex(a, 2);
        for (int k = a; k <= std::min(last, a + 4); ++k)
            s += Hex(image[k], 4);
        s += CR;
    }
    return s;
}

QByteArray ExpectedRead(int first, int last)
{
    QByteArray s = CR;
    for (int a = first; a <= last; a += 5)
        s += "m" + Hex(a, 2) + CR;
    return s;
}

struct JobCase {
    EngineJob job;
    uint8_t selected;
    int first, last;
};

const JobCase Jobs[] = {
    {EngineJob::Write258, 0x17, 0x00, 0x3F}, {EngineJob::Read258, 0x17, 0x00, 0x3F},
    {EngineJob::WriteBlock, 0x17, 0x30, 0x3F}, {EngineJob::ReadBlock, 0x17, 0x30, 0x3F},
    {EngineJob::WriteCur, 0x3F, 0x3F, 0x3F}, {EngineJob::ReadCur, 0x3F, 0x3F, 0x3F},
    {EngineJob::WriteCur, 0x00, 0x00, 0x00}, {EngineJob::ReadCur, 0x21, 0x21, 0x21},
};

bool IsWrite(EngineJob j)
{
    return JobTable[static_cast<size_t>(j)].Writing;
}

} // namespace

// ---------------------------------------------------------------- complete jobs

TEST(EngineJobs, EachJobSendsItsCommandsAndMovesTheWords)
{
    for (const JobCase &c : Jobs) {
        SCOPED_TRACE(int(c.job));
        SCOPED_TRACE(c.selected);
        Rig rig;
        for (int a = 0; a < 64; ++a)
            rig.image[a] = static_cast<uint16_t>(0xA000 + a);
        const EepromImage before = rig.image;
        const auto phoneBefore = rig.phone.mem;
        ASSERT_TRUE(rig.Run(c.job, c.selected));

        const bool writing = IsWrite(c.job);
        const QByteArray expected = writing ? ExpectedWrite(before, c.first, c.last)
                                            : ExpectedRead(c.first, c.last);
        EXPECT_EQ(rig.phone.received, expected);
        const int replyChars = writing ? 0 : 23 * (expected.count('m'));
        // The gauge counts every character exchanged but echoes; the table's
        // maxima must agree with the commands really sent.
        EXPECT_EQ(rig.win.max, expected.size() + replyChars);
        EXPECT_EQ(rig.win.progressAtHide, rig.win.max - 1);
        EXPECT_EQ(rig.win.statuses.last(), EngineTexts::Completed);
        for (int a = 0; a < 64; ++a) {
            const bool inJob = a >= c.first && a <= c.last;
            if (writing) {
                EXPECT_EQ(rig.phone.mem[a], inJob ? before[a] : phoneBefore[a]) << a;
                EXPECT_EQ(rig.image[a], before[a]);
            } else {
                EXPECT_EQ(rig.image[a], inJob ? phoneBefore[a] : before[a]) << a;
            }
        }
    }
}

TEST(EngineJobs, TableMaximaAndShortLastCommands)
{
    EXPECT_EQ(ProgrammingEngine::GaugeMaxOf(EngineJob::Write258), 309);
    EXPECT_EQ(ProgrammingEngine::GaugeMaxOf(EngineJob::Read258), 352);
    EXPECT_EQ(ProgrammingEngine::GaugeMaxOf(EngineJob::WriteBlock), 81);
    EXPECT_EQ(ProgrammingEngine::GaugeMaxOf(EngineJob::ReadBlock), 109);
    EXPECT_EQ(ProgrammingEngine::GaugeMaxOf(EngineJob::WriteCur), 9);
    EXPECT_EQ(ProgrammingEngine::GaugeMaxOf(EngineJob::ReadCur), 28);

    Rig w;
    w.image[0x3F] = 0x01A9;
    ASSERT_TRUE(w.Run(EngineJob::WriteBlock));
    EXPECT_TRUE(w.phone.received.endsWith("\rM3F01A9\r")); // 8 characters
    EXPECT_EQ(w.phone.received.count('M'), 4);

    Rig r;
    ASSERT_TRUE(r.Run(EngineJob::Read258));
    EXPECT_TRUE(r.phone.received.endsWith("\rm37\rm3C\r"));
    EXPECT_EQ(r.eng.CurAddr, 0x41);
}

TEST(EngineJobs, StartOnlyFillsTheRecord)
{
    Rig rig;
    rig.eng.StartJob(EngineJob::ReadCur, 0x2A);
    EXPECT_TRUE(rig.eng.Active);
    EXPECT_FALSE(rig.eng.Writing);
    EXPECT_EQ(rig.eng.State, EngineState::Init);
    EXPECT_EQ(rig.eng.FirstAddr, 0x2A);
    EXPECT_EQ(rig.eng.LastAddr, 0x2A);
    EXPECT_EQ(rig.win.log, QStringList{"Max 28"});
    EXPECT_TRUE(rig.phone.received.isEmpty());
}

TEST(EngineJobs, WindowArrangementAndStatusAlongAJob)
{
    Rig rig;
    ASSERT_TRUE(rig.Run(EngineJob::WriteBlock));
    const QStringList start{"Max 81", "Disable", "Red", "Cancel on", "Panel shown", EngineTexts::Initializing};
    EXPECT_EQ(rig.win.log.mid(0, 6), start);
    const QStringList end{"Enable", EngineTexts::Completed, "Panel hidden", "Cancel off"};
    EXPECT_EQ(rig.win.log.mid(rig.win.log.size() - 4), end);
    // one "Запись..." per command and one more when none is left
    EXPECT_EQ(rig.win.statuses.count(EngineTexts::Writing), 5);
    EXPECT_EQ(rig.win.refreshes, 1);

    Rig r;
    ASSERT_TRUE(r.Run(EngineJob::ReadBlock));
    EXPECT_EQ(r.win.log.mid(2, 1), QStringList{"Blue"});
    EXPECT_EQ(r.win.statuses.count(EngineTexts::Reading), 5);
    EXPECT_EQ(r.win.refreshes, 4 + 1); // after every reply, and at the end
    EXPECT_FALSE(r.win.panel);
}

TEST(EngineJobs, PausesAfterCommandsAndReplies)
{
    // With one tick per ms and instant echoes the pauses are exact: the next
    // command goes out on the 51st tick after a write CR; a reply is read
    // from the 51st tick after a read CR, the next "m" 31 ticks later.
    Rig w;
    ASSERT_TRUE(w.Run(EngineJob::WriteBlock));
    for (int i = 1; i + 1 < w.phone.received.size(); ++i)
        if (w.phone.received[i] == '\r') {
            EXPECT_EQ(w.phone.receivedAt[i + 1] - w.phone.receivedAt[i], 51);
        }

    Rig r;
    ASSERT_TRUE(r.Run(EngineJob::ReadBlock));
    const QByteArray &sent = r.phone.received;
    int reply = 0;
    for (int i = 1; i < sent.size(); ++i) {
        if (sent[i] != '\r')
            continue;
        const int64_t cr = r.phone.receivedAt[i];
        const int firstReplyChar = 1 + 4 * reply + 23 * reply + 4; // echoes and replies in order
        EXPECT_EQ(r.phone.consumedAt[firstReplyChar] - cr, 51);
        if (i + 1 < sent.size()) {
            EXPECT_EQ(r.phone.receivedAt[i + 1] - cr, 51 + 31);
        }
        ++reply;
    }
}

TEST(EngineJobs, LowerCaseReplyGivesTheSameWords)
{
    Rig upper, lower;
    lower.phone.lowerCase = true;
    for (int a = 0; a < 64; ++a)
        upper.phone.mem[a] = lower.phone.mem[a] = static_cast<uint16_t>(0xABCD + a * 0x1111);
    ASSERT_TRUE(upper.Run(EngineJob::Read258));
    ASSERT_TRUE(lower.Run(EngineJob::Read258));
    EXPECT_EQ(lower.image, upper.image);
    EXPECT_EQ(lower.image[0], 0xABCD);
}

TEST(EngineJobs, AnEditDuringAWriteReachesOnlyCommandsNotYetBuilt)
{
    Rig rig;
    rig.image.words.fill(0x1111);
    rig.Start(EngineJob::Write258);
    ASSERT_TRUE(rig.RunUntil([&] { return rig.phone.received.size() > 30; }));
    rig.image[0x00] = 0x2222;
    rig.image[0x3C] = 0x3333;
    ASSERT_TRUE(rig.RunToEnd());
    EXPECT_EQ(rig.phone.mem[0x00], 0x1111);
    EXPECT_EQ(rig.phone.mem[0x3C], 0x3333);
}

TEST(EngineJobs, WaitingInputIsDrainedAtTheStart)
{
    // Without the drain the waiting CR would pass for the echo of the opening
    // CR and the "X" would fail the first command.
    Rig rig;
    for (char c : QByteArray("\rX!123"))
        rig.phone.Send(c, 0);
    ASSERT_TRUE(rig.Run(EngineJob::ReadCur, 0x05));
    EXPECT_EQ(rig.win.statuses.last(), EngineTexts::Completed);
    EXPECT_EQ(rig.image[0x05], rig.phone.mem[0x05]);
}

TEST(EngineJobs, RepliesAtTheLineRateFitOnlyWithTheLongerTick)
{
    // 300 bit/s: a character takes 33.3 ms on the line; an echo comes two
    // character times after the sending, a reply follows it back to back.
    for (int tick : {16, 10}) {
        Rig rig;
        rig.tickMs = tick;
        rig.phone.echoDelay = 67;
        rig.phone.replyDelay = 33;
        rig.phone.replyGap = 33;
        ASSERT_TRUE(rig.Run(EngineJob::Read258));
        EXPECT_EQ(rig.win.statuses.last(), tick == 16 ? EngineTexts::Completed : EngineTexts::NotDone);
    }
    Rig w;
    w.tickMs = 16;
    w.phone.echoDelay = 67;
    ASSERT_TRUE(w.Run(EngineJob::Write258));
    EXPECT_EQ(w.win.statuses.last(), EngineTexts::Completed);
}

// ---------------------------------------------------------------- failures

namespace {
void ExpectFailedAndRestored(const Rig &rig)
{
    EXPECT_FALSE(rig.eng.Active);
    EXPECT_EQ(rig.win.statuses.last(), EngineTexts::NotDone);
    const QStringList end{"Enable", EngineTexts::NotDone, "Panel hidden", "Cancel off"};
    EXPECT_EQ(rig.win.log.mid(rig.win.log.size() - 4), end);
}
} // namespace

TEST(EngineFailures, NoEchoFailsOnTheHundredAndFirstTick)
{
    Rig rig;
    rig.phone.silentFrom = 0;
    rig.Start(EngineJob::Write258);
    ASSERT_TRUE(rig.RunToEnd());
    ExpectFailedAndRestored(rig);
    EXPECT_EQ(rig.phone.received, CR);
    EXPECT_EQ(rig.phone.now, 101);
}

TEST(EngineFailures, EchoStoppingMidCommandSendsNothingMore)
{
    Rig rig;
    rig.phone.silentFrom = 7;
    ASSERT_TRUE(rig.Run(EngineJob::WriteBlock));
    ExpectFailedAndRestored(rig);
    EXPECT_EQ(rig.phone.received.size(), 8);
}

TEST(EngineFailures, WrongEchoFails)
{
    Rig rig;
    rig.phone.echoAs[3] = 'x';
    ASSERT_TRUE(rig.Run(EngineJob::Read258));
    ExpectFailedAndRestored(rig);
    EXPECT_EQ(rig.phone.received, "\rm00");
    EXPECT_EQ(rig.image, EepromImage());
}

TEST(EngineFailures, CorrectEchoAfterMoreThanHundredTicksFails)
{
    for (int delay : {100, 101}) {
        Rig rig;
        rig.phone.echoExtra[2] = delay; // the "0" of "m00"
        ASSERT_TRUE(rig.Run(EngineJob::ReadCur, 0x00));
        EXPECT_EQ(rig.win.statuses.last(), delay == 100 ? EngineTexts::Completed : EngineTexts::NotDone);
    }
}

TEST(EngineFailures, StrayCharacterIsTakenForTheNextEcho)
{
    Rig rig;
    rig.Start(EngineJob::ReadBlock);
    ASSERT_TRUE(rig.RunUntil([&] { return rig.eng.State == EngineState::ReplyPause; }));
    rig.phone.Send('x', rig.phone.now); // stray: read where the echo of "m" is awaited
    ASSERT_TRUE(rig.RunToEnd());
    ExpectFailedAndRestored(rig);
    EXPECT_EQ(rig.phone.received, "\rm30\rm");
}

TEST(EngineFailures, ShortReplyTimesOutKeepingEarlierWords)
{
    Rig rig;
    rig.phone.replyLength[1] = 22;
    ASSERT_TRUE(rig.Run(EngineJob::Read258));
    ExpectFailedAndRestored(rig);
    for (int a = 0; a < 64; ++a)
        EXPECT_EQ(rig.image[a], a < 5 ? rig.phone.mem[a] : EepromImage::kBlank) << a;
    EXPECT_EQ(rig.phone.received.count('m'), 2);
}

TEST(EngineFailures, ReplyCompletedOnTheLimitTickStillCounts)
{
    // Collection starts 51 ticks after the CR; the reply must be complete
    // by the 31st tick after that, and a reply completed in that very step wins.
    for (int last : {82, 83}) {
        Rig rig;
        rig.phone.replyGap = 1;
        rig.phone.replyDelay = last - 22;
        ASSERT_TRUE(rig.Run(EngineJob::ReadCur, 0x10));
        const bool ok = last == 82;
        EXPECT_EQ(rig.win.statuses.last(), ok ? EngineTexts::Completed : EngineTexts::NotDone);
        EXPECT_EQ(rig.image[0x10], ok ? rig.phone.mem[0x10] : EepromImage::kBlank);
    }
}

TEST(EngineFailures, ReplyWithoutMarkStoresItsWordsThenFails)
{
    Rig rig;
    rig.phone.replyLead[2] = '?'; // the reply at 0x3A
    ASSERT_TRUE(rig.Run(EngineJob::ReadBlock));
    ExpectFailedAndRestored(rig);
    for (int a = 0; a < 64; ++a)
        EXPECT_EQ(rig.image[a], a >= 0x30 && a <= 0x3E ? rig.phone.mem[a] : EepromImage::kBlank) << a;
    EXPECT_EQ(rig.phone.received.count('m'), 3);
}

TEST(EngineFailures, PortErrorEndsTheJobAndGoesOn)
{
    struct Case { int throwOnWrite; bool throwOnReadInReply; };
    for (Case c : {Case{0, false}, Case{12, false}, Case{-1, true}}) {
        SCOPED_TRACE(c.throwOnWrite);
        Rig rig;
        rig.phone.throwOnWrite = c.throwOnWrite;
        rig.eng.StartJob(c.throwOnReadInReply ? EngineJob::Read258 : EngineJob::Write258, 0);
        if (c.throwOnReadInReply) {
            rig.phone.replyDelay = 60; // so that the collection waits
            rig.Settle();
            ASSERT_TRUE(rig.RunUntil([&] { return rig.eng.State == EngineState::CollectReply; }));
            rig.phone.throwOnRead = true;
        }
        EXPECT_THROW(rig.RunToEnd(), std::runtime_error);
        ExpectFailedAndRestored(rig);
        EXPECT_EQ(rig.win.log.count("Enable"), 1);
        // nothing touches the port any more
        const QByteArray sent = rig.phone.received;
        for (int i = 0; i < 500; ++i)
            rig.AdvanceMs();
        EXPECT_EQ(rig.phone.received, sent);
        EXPECT_EQ(rig.win.log.count("Enable"), 1);
    }
}

TEST(EngineFailures, ALostPortNamesTheRealPlaceOrNone)
{
    const CliEnglish english; // the causes as quillon-cli words them
    // Where the port went away, as the record stands there: after a whole
    // job, waiting for a reply, in the middle of sending a character.
    const struct {
        EngineJob first; // a job that completes before (not for a write)
        EngineJob job;
        int throwOnWrite;
        bool throwInReply;
        const char *text;
    } cases[] = {
        {EngineJob::ReadCur, EngineJob::ReadCur, -1, false, "the port was lost (the opening CR)"},
        {EngineJob::ReadCur, EngineJob::ReadCur, -1, true, "the port was lost (the reply to m0A<CR>, address 0A)"},
        {EngineJob::Write258, EngineJob::Write258, 12, false,
         "the port was lost (character 12 of M000A0B0C0D0E0F10111213<CR>, address 00)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        Rig rig;
        for (int a = 0; a < 64; ++a)
            rig.image[a] = static_cast<uint16_t>(0x0A0B + a * 0x0202);
        if (c.first == c.job && c.throwOnWrite < 0)
            ASSERT_TRUE(rig.Run(c.first, 0x0A));
        rig.phone.received.clear();
        rig.phone.throwOnWrite = c.throwOnWrite;
        if (c.throwInReply) {
            rig.phone.replyDelay = 60; // so that the collection waits
            rig.Start(c.job, 0x0A);
            ASSERT_TRUE(rig.RunUntil([&] { return rig.eng.State == EngineState::CollectReply; }));
        }
        if (!c.throwInReply)
            rig.eng.StartJob(c.job, 0x0A);
        rig.phone.throwOnRead = c.throwOnWrite < 0;
        EXPECT_THROW(rig.RunToEnd(), std::runtime_error);
        EXPECT_EQ(FaultText(rig.eng.Fault).toStdString(), c.text);
    }
}

// ---------------------------------------------------------------- cancel

TEST(EngineCancel, CancelWhileSendingFailsAtTheNextEchoWait)
{
    Rig rig;
    rig.phone.echoDelay = 5;
    rig.Start(EngineJob::WriteBlock);
    ASSERT_TRUE(rig.RunUntil([&] { return rig.phone.received.size() == 3; }));
    const int64_t at = rig.phone.now;
    rig.eng.CancelProg();
    ASSERT_TRUE(rig.RunToEnd());
    ExpectFailedAndRestored(rig);
    EXPECT_EQ(rig.phone.received, "\rM3");
    EXPECT_LE(rig.phone.now - at, 1);
}

TEST(EngineCancel, CancelAfterTheLastEchoIsNotSeenAndClearedByTheNextJob)
{
    Rig rig;
    rig.phone.replyDelay = 60; // collection runs for a while
    rig.Start(EngineJob::ReadCur, 0x07);
    ASSERT_TRUE(rig.RunUntil([&] { return rig.eng.State == EngineState::CollectReply; }));
    rig.eng.CancelProg();
    ASSERT_TRUE(rig.RunToEnd());
    EXPECT_EQ(rig.win.statuses.last(), EngineTexts::Completed);
    EXPECT_TRUE(rig.eng.CancelRequested);

    ASSERT_TRUE(rig.Run(EngineJob::WriteCur, 0x07));
    EXPECT_EQ(rig.win.statuses.last(), EngineTexts::Completed);
    EXPECT_FALSE(rig.eng.CancelRequested);

    // the pause after the last write command is past the last echo as well
    rig.Start(EngineJob::WriteCur, 0x08);
    ASSERT_TRUE(rig.RunUntil([&] { return rig.eng.State == EngineState::SendNext && rig.eng.CharIndex > 8; }));
    rig.eng.CancelProg();
    ASSERT_TRUE(rig.RunToEnd());
    EXPECT_EQ(rig.win.statuses.last(), EngineTexts::Completed);
}

TEST(EngineCancel, StepsWithoutAJobDoNothing)
{
    Rig rig;
    rig.eng.CancelProg();
    for (int i = 0; i < 300; ++i)
        rig.AdvanceMs();
    rig.eng.EngineStep();
    EXPECT_TRUE(rig.win.log.isEmpty());
    EXPECT_TRUE(rig.phone.received.isEmpty());
    EXPECT_FALSE(rig.eng.StepDue());
    EXPECT_FALSE(rig.eng.ReadsPort());
}
