// The programming engine against a fuzzed telephone.
//
// The input is a run of jobs. Two bytes pick the job and the selected cell;
// then each operation byte makes the telephone do one thing before the engine
// steps: answer honestly (echo what it got, reply to a read), let ticks pass,
// put an arbitrary byte on the line, swallow an echo, send a reply nobody
// asked for or cut one short, have the port vanish, or the user cancel. When the
// input runs out the telephone goes silent and the clock runs on.
//
// Properties: a job always ends, with "Завершено!" or "Невыполнено...", the
// window back in its port-open arrangement, within a bounded number of steps
// once the telephone is silent; it never sends more characters than its
// table says; its commands name only its own addresses and carry the
// image's words; a read changes no word outside its addresses and a write
// none at all; and a job that met an honest telephone throughout leaves the
// image and the telephone agreeing on its words.

#include "FuzzCheck.h"
#include "link/Engine.h"

#include <algorithm>
#include <deque>
#include <stdexcept>
#include <string>

namespace {

constexpr char CR = 0x0D;
// From a silent telephone every state reaches its end within 51 + 101 ticks.
constexpr int kSilentStepLimit = 400;

struct Window : IEngineWindow {
    int gaugeMax = 0;
    int progress = 0;
    bool counting = false; // the job has set the gauge back to 0
    bool portActionsEnabled = true; // the port is open between jobs
    bool panelVisible = false;
    bool cancelEnabled = false;
    int refreshes = 0;
    QString status;

    void DisablePortActions() override { portActionsEnabled = false; }
    void EnablePortActions() override { portActionsEnabled = true; }
    void SetGaugeMax(int max) override
    {
        gaugeMax = max;
        counting = false;
    }
    void SetGaugeProgress(int p) override
    {
        counting = counting || p == 0;
        FUZZ_CHECK(!counting || p <= gaugeMax); // the job table's count is exact
        progress = std::clamp(p, 0, gaugeMax);
    }
    int GaugeProgress() const override { return progress; }
    void SetGaugeColor(GaugeColor) override {}
    void SetProgressPanelVisible(bool visible) override { panelVisible = visible; }
    void SetCancelEnabled(bool enabled) override { cancelEnabled = enabled; }
    void ShowStatus(const QString &text) override { status = text; }
    void RefreshBuf() override { ++refreshes; }
};

// The line and the telephone behind it.
struct Phone : IEnginePort {
    std::array<uint16_t, 64> words{};
    std::string received;    // every byte the engine sent in this job
    size_t echoed = 0;       // received[0..echoed) have been answered
    std::string line;        // the command being parsed
    std::deque<char> toHost; // bytes on their way to the engine
    bool vanished = false;

    int Write(const void *buffer, int count) override
    {
        if (vanished)
            throw std::runtime_error("port gone");
        received.append(static_cast<const char *>(buffer), static_cast<size_t>(count));
        return count;
    }
    int Read(void *buffer, int count) override
    {
        if (vanished)
            throw std::runtime_error("port gone");
        if (count < 1 || toHost.empty())
            return 0;
        *static_cast<char *>(buffer) = toHost.front();
        toHost.pop_front();
        return 1;
    }

    // Upper-case hex digits only: the engine sends nothing else.
    static int Hex(const std::string &s, size_t at, int digits)
    {
        int v = 0;
        for (int i = 0; i < digits; ++i) {
            const char c = s[at + static_cast<size_t>(i)];
            FUZZ_CHECK((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
            v = v << 4 | (c <= '9' ? c - '0' : c - 'A' + 10);
        }
        return v;
    }
    void Reply(int addr, size_t keep)
    {
        static const char digits[] = "0123456789ABCDEF";
        std::string r = "!";
        for (int k = 0; k < 5; ++k)
            for (int shift = 12; shift >= 0; shift -= 4)
                r += digits[(words[static_cast<size_t>((addr + k) & 0x3F)] >> shift) & 0xF];
        r += "\r\n";
        for (size_t i = 0; i < keep && i < r.size(); ++i)
            toHost.push_back(r[i]);
    }
    // Acts on the next character received, echoing it or not.
    void Take(bool echo)
    {
        const char c = received[echoed++];
        if (echo)
            toHost.push_back(c);
        if (c != CR) {
            line += c;
            return;
        }
        if (line.size() == 3 && line[0] == 'm')
            Reply(Hex(line, 1, 2), 23);
        if (line.size() >= 7 && line[0] == 'M' && (line.size() - 3) % 4 == 0)
            for (size_t k = 0; 3 + 4 * k < line.size(); ++k)
                words[static_cast<size_t>((Hex(line, 1, 2) + static_cast<int>(k)) & 0x3F)] =
                    static_cast<uint16_t>(Hex(line, 3 + 4 * k, 4));
        line.clear();
    }
    // Answers everything not yet answered, as a sound telephone would.
    void Answer()
    {
        while (echoed < received.size())
            Take(true);
    }
};

struct Job {
    const JobSpec *spec = nullptr;
    uint8_t first = 0, last = 0;
    EepromImage before;
    bool honest = true;
    size_t checked = 0;  // bytes of the job's output looked at
    size_t cmdStart = 1; // where the command being sent starts (after the opening CR)
    int next = 0;        // the address the next command must start at
    bool reopened = false; // the job opened again after a reply a cut job left
};

// Checks what the engine sent since the last look: the commands name only the
// job's addresses, in order, and carry the image's words.
void CheckCommands(const Phone &phone, Job &job, const EepromImage &image)
{
    const std::string &s = phone.received;
    if (s.size() == job.checked)
        return;
    job.checked = s.size();
    // A job opens again at most once, right after its opening: a second CR
    // after the opening CR or after the first command's first character.
    const bool reopens = s.size() > 1 && (s[1] == CR || (s.size() > 2 && s[2] == CR));
    FUZZ_CHECK(static_cast<int>(s.size()) <= job.spec->GaugeMax + (reopens ? 2 : 0));
    FUZZ_CHECK(s[0] == CR);
    for (;;) {
        const size_t end = s.find(CR, job.cmdStart);
        const std::string cmd = s.substr(job.cmdStart, end == std::string::npos ? std::string::npos : end - job.cmdStart);
        if (cmd.empty() && end == std::string::npos)
            return;
        if (end != std::string::npos && cmd.size() <= 1 && !job.reopened && job.cmdStart == 1) {
            FUZZ_CHECK(cmd.empty() || cmd[0] == (job.spec->Writing ? 'M' : 'm'));
            job.reopened = true;
            job.cmdStart = end + 1;
            continue;
        }
        FUZZ_CHECK(!cmd.empty() && cmd[0] == (job.spec->Writing ? 'M' : 'm'));
        int next = job.next;
        if (cmd.size() >= 3) {
            const int addr = Phone::Hex(cmd, 1, 2);
            FUZZ_CHECK(addr == job.next && addr <= job.last);
            if (job.spec->Writing) {
                const size_t words = (cmd.size() - 3) / 4;
                FUZZ_CHECK(words <= 5 && (end == std::string::npos || cmd.size() == 3 + 4 * words));
                for (size_t k = 0; k < words; ++k) {
                    FUZZ_CHECK(addr + static_cast<int>(k) <= job.last);
                    FUZZ_CHECK(Phone::Hex(cmd, 3 + 4 * k, 4) == image[addr + static_cast<int>(k)]);
                }
                if (end != std::string::npos)
                    FUZZ_CHECK(words == static_cast<size_t>(std::min(5, job.last - addr + 1)));
                next = addr + static_cast<int>(words);
            } else {
                FUZZ_CHECK(end == std::string::npos || cmd.size() == 3);
                next = addr + 5;
            }
        }
        if (end == std::string::npos)
            return;
        job.next = next;
        job.cmdStart = end + 1;
    }
}

void CheckImage(const Job &job, const EepromImage &image)
{
    for (int a = 0; a < EepromImage::kWords; ++a)
        if (job.spec->Writing || a < job.first || a > job.last)
            FUZZ_CHECK(image[a] == job.before[a]);
}

void CheckEnded(const Window &w, const Phone &phone, const Job &job, const EepromImage &image)
{
    const bool completed = w.status == EngineTexts::Completed;
    FUZZ_CHECK(completed || w.status == EngineTexts::NotDone);
    FUZZ_CHECK(w.portActionsEnabled && !w.panelVisible && !w.cancelEnabled && w.refreshes > 0);
    if (completed && job.honest)
        for (int a = job.first; a <= job.last; ++a)
            FUZZ_CHECK(image[a] == phone.words[static_cast<size_t>(a)]);
    if (completed)
        FUZZ_CHECK(w.progress == job.spec->GaugeMax - 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Window window;
    Phone phone;
    EepromImage image;
    for (int a = 0; a < 64; ++a) {
        image[a] = static_cast<uint16_t>(0x1111 * (a % 15) + a);
        phone.words[static_cast<size_t>(a)] = static_cast<uint16_t>(0xA5C3 ^ (a * 0x0101));
    }
    ProgrammingEngine engine(window, phone, image);
    Job job;

    auto step = [&] {
        try {
            engine.EngineStep();
        } catch (const std::runtime_error &) {
            FUZZ_CHECK(!engine.Active); // a port error ends the job
        }
        CheckCommands(phone, job, image);
        CheckImage(job, image);
    };
    auto start = [&](uint8_t kind, uint8_t cell) {
        job = Job{};
        job.spec = &JobTable[kind % JobTable.size()];
        const uint8_t selected = cell & 0x3F;
        job.first = job.spec->AtSelectedAddr ? selected : job.spec->FirstAddr;
        job.last = job.spec->AtSelectedAddr ? selected : job.spec->LastAddr;
        job.before = image;
        job.next = job.first;
        phone.received.clear();
        phone.echoed = 0;
        phone.vanished = false;
        window.status.clear();
        window.refreshes = 0;
        engine.StartJob(job.spec->Job, selected);
    };

    size_t pos = 0;
    auto next = [&]() -> uint8_t { return pos < size ? data[pos++] : 0; };
    while (pos < size) {
        if (!engine.Active) {
            if (job.spec)
                CheckEnded(window, phone, job, image);
            const uint8_t kind = next();
            start(kind, next());
            continue;
        }
        const uint8_t op = next();
        const int arg = op >> 3;
        switch (op & 7) {
        case 0: phone.Answer(); break;
        case 1:
            for (int i = 0; i <= arg; ++i)
                engine.Tick();
            break;
        case 2: // a stray, wrong or late byte
            phone.toHost.push_back(static_cast<char>(next()));
            job.honest = false;
            break;
        case 3: // one character swallowed without an echo
            if (phone.echoed < phone.received.size()) {
                phone.Take(false);
                job.honest = false;
            }
            break;
        case 4: engine.CancelProg(); break;
        case 5: // a reply nobody asked for, possibly cut short
            phone.Reply(next() & 0x3F, static_cast<size_t>(arg));
            job.honest = false;
            break;
        case 6:
            if (arg == 0) {
                phone.vanished = true;
                job.honest = false;
            }
            break;
        case 7:
            for (int i = 0; i < arg % 8; ++i)
                step();
            break;
        }
        step();
    }

    // A silent telephone: the job must end on the clock alone.
    for (int i = 0; engine.Active; ++i) {
        FUZZ_CHECK(i < kSilentStepLimit);
        engine.Tick();
        step();
    }
    if (job.spec)
        CheckEnded(window, phone, job, image);
    return 0;
}
