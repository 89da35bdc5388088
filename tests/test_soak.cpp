// A working day in a few minutes: hundreds of jobs of every kind back to back
// through the real window and quillon-phone, with the emulator's faults
// chosen at random from a fixed seed, the telephone hanging up and its port
// vanishing and coming back. After every job the window and the image must be
// right; at the end nothing may have piled up.
//
// QUILLON_SOAK_JOBS and QUILLON_SOAK_SEED run it longer or differently.

#include "Arrangement.h"
#include "ModalHelper.h"
#include "PhoneProcess.h"
#include "WaitFor.h"
#include "app/Unit1.h"
#include "FormUi.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QProcess>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Short ticks and an unpaced telephone keep hundreds of jobs within minutes.
constexpr int kTickMs = 1;
constexpr int kWarmUpJobs = 30; // caches and first-use allocations settle
constexpr int kFdSlack = 2;
constexpr long kRssSlackKiB = 12 * 1024;

using Words = std::array<uint16_t, 64>;

// The jobs as the telephone sees them: characters received (the opening CR
// included) and read replies.
struct JobKind {
    const char *name;
    bool writing;
    bool atCell;
    int first, last, chars, replies;
};
const JobKind kJobs[] = {
    {"Write258", true, false, 0x00, 0x3F, 309, 0}, {"Read258", false, false, 0x00, 0x3F, 53, 13},
    {"WriteBlock", true, false, 0x30, 0x3F, 81, 0}, {"ReadBlock", false, false, 0x30, 0x3F, 17, 4},
    {"WriteCur", true, true, 0, 0, 9, 0},           {"ReadCur", false, true, 0, 0, 5, 1},
};

enum class Fault { None, NoEcho, WrongEcho, Stray, NoBang, ShortReply, LateReply, Lowercase, HangUp, Vanish };
constexpr int kFaultKinds = 10;
const char *const kFaultNames[kFaultKinds] = {"none",        "no-echo",   "wrong-echo", "stray",   "no-bang",
                                              "short-reply", "late-reply", "lowercase", "hang-up", "port vanishes"};

int OpenFds() // less the listing's own
{
    return QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size() - 1;
}

long ResidentKiB()
{
    QFile f("/proc/self/statm");
    const QList<QByteArray> fields = f.open(QIODevice::ReadOnly) ? f.readAll().split(' ') : QList<QByteArray>();
    return fields.size() > 1 ? fields[1].toLong() * (::sysconf(_SC_PAGESIZE) / 1024) : -1;
}

// quillon-phone on a fixed link path, with a control FIFO and its EEPROM kept
// in a file across restarts.
class SoakPhone {
public:
    explicit SoakPhone(const QString &dir)
        : link(dir + "/tty"), control(dir + "/control"), file(dir + "/phone.img")
    {
    }
    const QString link, control, file;

    bool Start(const Words *initial)
    {
        QStringList args{"--fast", "--dump", "--link", link, "--control", control, "--save", file};
        if (initial)
            args << PhoneWordArgs(*initial);
        else
            args << "--load" << file;
        errors.clear();
        return !StartPhone(proc, args).isEmpty();
    }
    bool Running() const { return proc.state() == QProcess::Running; }

    // Control lines; the dump that follows them answers once they are done.
    std::optional<Words> Dump(const QString &commands = {})
    {
        errors.clear();
        const QByteArray text = (commands + "dump\n").toLatin1();
        const int fd = ::open(QFile::encodeName(control).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return std::nullopt;
        const bool written = ::write(fd, text.constData(), text.size()) == text.size();
        ::close(fd);
        const auto dump = [&] { return LastPhoneDump(errors += proc.readAllStandardError()); };
        if (!written || !WaitFor([&] { return dump().has_value() || !Running(); }, 5000))
            return std::nullopt;
        return dump();
    }
    // Waits for the emulator's end (a hang-up, or terminate()); its last dump.
    std::optional<Words> Finished(bool terminate)
    {
        if (terminate && Running())
            proc.terminate();
        if (!WaitFor([&] { return !Running(); }, 5000))
            return std::nullopt;
        errors += proc.readAllStandardError();
        ExpectPhoneEndedCleanly(proc, errors);
        return LastPhoneDump(errors);
    }

private:
    QProcess proc;
    QByteArray errors;
};

// A stray character just before a read reply shifts the reply by one; its
// first character is then not "!", and the engine stores its five words
// before it fails the job, as it does with every such reply. The word at
// `addr` then reads the last digit of the word before it ('!' for the first)
// and the first three of its own.
uint16_t Shifted(const Words &phone, int first, int addr)
{
    const int start = first + (addr - first) / 5 * 5;
    const uint16_t own = phone[addr & 0x3F];
    const uint16_t before = addr == start ? 0 : phone[(addr - 1) & 0x3F];
    return static_cast<uint16_t>((before & 0xF) << 12 | own >> 4);
}

struct Plan {
    int jobs;
    quint32 seed;
};
void PrintTo(const Plan &p, std::ostream *os) { *os << p.jobs << " jobs, seed " << p.seed; }

class Soak : public ::testing::TestWithParam<Plan> {
protected:
    std::unique_ptr<TForm1> form;

    void ExpectArrangement(bool portOpen, const QString &where)
    {
        SCOPED_TRACE(where.toStdString());
        ExpectPortArrangement(*form, portOpen);
        EXPECT_FALSE(Ui(*form).Act.CancelProg->isEnabled());
        EXPECT_TRUE(Ui(*form).Panel1->isHidden());
    }
    QAction *ActionOf(const JobKind &k)
    {
        QAction *const actions[] = {Ui(*form).Act.Write258,  Ui(*form).Act.Read258,  Ui(*form).Act.WriteBlock,
                                    Ui(*form).Act.ReadBlock, Ui(*form).Act.WriteCur, Ui(*form).Act.ReadCur};
        return actions[&k - kJobs];
    }
    void ClickCell(int addr)
    {
        QTableWidgetItem *item = Ui(*form).StringGrid1->item(addr / 8 + 1, addr % 8 + 1);
        const QRect r = Ui(*form).StringGrid1->visualItemRect(item);
        QTest::mouseClick(Ui(*form).StringGrid1->viewport(), Qt::LeftButton, {}, r.center());
    }
    Words Image() const { return form->Doc.Image().words; }
};

TEST_P(Soak, JobsBackToBackWithFaults)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
        GTEST_SKIP() << "QUILLON_PHONE not set";
    const Plan plan{qEnvironmentVariableIntValue("QUILLON_SOAK_JOBS") > 0
                        ? qEnvironmentVariableIntValue("QUILLON_SOAK_JOBS") : GetParam().jobs,
                    qEnvironmentVariableIsSet("QUILLON_SOAK_SEED")
                        ? static_cast<quint32>(qEnvironmentVariableIntValue("QUILLON_SOAK_SEED")) : GetParam().seed};
    QRandomGenerator rng(plan.seed);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SoakPhone phone(dir.path());
    Words initial{};
    for (int a = 0; a < 64; ++a)
        initial[a] = static_cast<uint16_t>(0x1234 + a * 0x0457);
    ASSERT_TRUE(phone.Start(&initial));
    qputenv("QUILLON_COM1", QFile::encodeName(phone.link));

    form = std::make_unique<TForm1>();
    form->SetTickInterval(kTickMs);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    BoxAnswerer answerer;
    QStringList &boxes = answerer.texts; // error boxes answered since the last look
    Ui(*form).Act.OpenPort->trigger();
    ASSERT_TRUE(form->COM.Connected());

    // A failed write can leave the telephone a command without its CR, which
    // the next job's opening CR completes: those words may land then.
    struct Leftover {
        bool pending = false;
        int first = 0, last = -1;
        Words words{};
    } leftover;
    int completed = 0, failed = 0, restarts = 0, closedByWindow = 0, faultsSeen[kFaultKinds] = {};
    int fdsBefore = 0;
    long rssBefore = 0;

    for (int job = 0; job < plan.jobs; ++job) {
        const JobKind &kind = job == 0 ? kJobs[1] : kJobs[rng.bounded(6)];
        const Fault fault = job == 0 || rng.bounded(3) == 0 ? Fault::None : Fault(1 + rng.bounded(kFaultKinds - 1));
        ++faultsSeen[int(fault)];
        if (job > 0 && rng.bounded(2))
            Ui(*form).Act.SwapByte->trigger(); // new words for the telephone
        int first = kind.first, last = kind.last;
        if (kind.atCell) {
            first = last = static_cast<int>(rng.bounded(64));
            ClickCell(first);
            ASSERT_EQ(form->SelectedAddr, first);
        }
        const int nth = 1 + static_cast<int>(rng.bounded(kind.chars - 1)); // a character before the last
        const int reply = 1 + static_cast<int>(rng.bounded(qMax(1, kind.replies)));
        QString spec;
        switch (fault) {
        case Fault::NoEcho: spec = QString("no-echo@%1").arg(nth); break;
        case Fault::WrongEcho: spec = QString("wrong-echo@%1").arg(nth); break;
        case Fault::Stray: spec = QString("stray@%1").arg(nth); break;
        case Fault::NoBang: spec = QString("no-bang@%1").arg(reply); break;
        case Fault::ShortReply: spec = QString("short-reply=%1@%2").arg(1 + rng.bounded(22)).arg(reply); break;
        case Fault::LateReply: spec = QString("late-reply=150@%1").arg(reply); break;
        case Fault::Lowercase: spec = QString("lowercase@%1").arg(reply); break;
        case Fault::HangUp: spec = QString("hangup-after=%1").arg(nth); break;
        case Fault::None:
        case Fault::Vanish: break;
        }
        const QString what = QString("job %1: %2 at %3..%4, %5 %6")
                                 .arg(job).arg(kind.name).arg(first, 2, 16, QChar('0')).arg(last, 2, 16, QChar('0'))
                                 .arg(kFaultNames[int(fault)], spec);
        SCOPED_TRACE(what.toStdString());

        const std::optional<Words> phoneBefore =
            fault == Fault::Vanish ? phone.Finished(true) : phone.Dump("clear\n" + (spec.isEmpty() ? "" : spec + "\n"));
        ASSERT_TRUE(phoneBefore);
        const Words imageBefore = Image();
        boxes.clear();

        QAction *action = ActionOf(kind);
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
        ASSERT_TRUE(WaitFor([&] { return !form->Engine.Active && !QApplication::activeModalWidget(); }, 30000));
        const QString status = form->StatusText(0);
        const bool done = status == QStringLiteral("Завершено!");
        ASSERT_TRUE(done || status == QStringLiteral("Невыполнено...")) << status.toStdString();
        done ? ++completed : ++failed;

        if (fault == Fault::HangUp) // the line drops a moment after the last echo
            WaitFor([&] { return !phone.Running(); }, 1000);
        const bool vanished = !phone.Running();
        const std::optional<Words> phoneAfter = vanished ? phone.Finished(false) : phone.Dump();
        ASSERT_TRUE(phoneAfter);
        EXPECT_LE(boxes.size(), vanished ? 1 : 0) << boxes.join(" | ").toStdString();

        // The image holds exactly words the telephone sent or had.
        const Words image = Image();
        for (int a = 0; a < 64; ++a) {
            SCOPED_TRACE(a);
            const bool mine = a >= first && a <= last;
            if (kind.writing || !mine)
                EXPECT_EQ(image[a], imageBefore[a]);
            else if (done)
                EXPECT_EQ(image[a], (*phoneAfter)[a]);
            else
                EXPECT_TRUE(image[a] == imageBefore[a] || image[a] == (*phoneAfter)[a]
                            || (fault == Fault::Stray && image[a] == Shifted(*phoneAfter, first, a)));
            // The telephone holds its words, the ones this write sent, or a
            // leftover command's.
            const uint16_t p = (*phoneAfter)[a];
            const bool sent = kind.writing && mine && p == image[a];
            const bool left = leftover.pending && a >= leftover.first && a <= leftover.last && p == leftover.words[a];
            EXPECT_TRUE(p == (*phoneBefore)[a] || sent || left) << std::hex << p;
            if (kind.writing && mine && done) {
                EXPECT_EQ(p, image[a]);
            }
        }
        leftover = Leftover{};
        if (kind.writing && !done && !vanished)
            leftover = Leftover{true, first, last, image};

        if (!vanished) {
            ExpectArrangement(true, what);
        } else {
            // The port went away with the telephone. A job that met the
            // loss closed the port itself with one box naming it; one that
            // ended before it (an echo time-out first) leaves the port
            // open for the user to close. The telephone comes back on the
            // same device name, and the user opens it again.
            ++restarts;
            if (boxes.size() == 1) {
                EXPECT_TRUE(boxes[0].startsWith("Порт COM1 (")) << boxes[0].toStdString();
                EXPECT_FALSE(done);
                ++closedByWindow;
            } else {
                ExpectArrangement(true, what + " still open");
                Ui(*form).Act.ClosePort->trigger();
            }
            ExpectArrangement(false, what + " closed");
            ASSERT_TRUE(phone.Start(nullptr));
            Ui(*form).Act.OpenPort->trigger();
            ASSERT_TRUE(WaitFor([&] { return !QApplication::activeModalWidget(); }, 5000));
            EXPECT_TRUE(boxes.size() <= 1) << boxes.join(" | ").toStdString();
            ExpectArrangement(true, what + " reopened");
        }
        if (HasFatalFailure())
            return;
        if (job == std::min(kWarmUpJobs, plan.jobs / 3)) {
            fdsBefore = OpenFds();
            rssBefore = ResidentKiB();
        }
    }

    const int fdsAfter = OpenFds();
    const long rssAfter = ResidentKiB();
    std::printf("soak: %d jobs (seed %u), %d completed, %d not done, %d port restarts (%d closed by the "
                "window); open descriptors %d -> %d, resident %ld KiB -> %ld KiB\n",
                plan.jobs, plan.seed, completed, failed, restarts, closedByWindow, fdsBefore, fdsAfter, rssBefore,
                rssAfter);
    std::fflush(stdout);
    for (int f = 0; f < kFaultKinds && plan.jobs >= 100; ++f)
        EXPECT_GT(faultsSeen[f], 0) << kFaultNames[f] << " never chosen";
    EXPECT_GT(completed, plan.jobs / 4);
    if (restarts >= 10) {
        EXPECT_GT(closedByWindow, 0); // a lost device is met by the jobs, not only by the user
    }
    EXPECT_LE(fdsAfter, fdsBefore + kFdSlack);
#ifndef QUILLON_SANITIZE // its quarantine holds freed memory on purpose
    EXPECT_LE(rssAfter, rssBefore + kRssSlackKiB);
#endif

    // The port opens again, and a job still runs through. The first job may
    // still meet what the last fault left on the line (a late reply, half a
    // command that its opening CR completes); the one after it may not.
    Ui(*form).Act.ClosePort->trigger();
    ExpectArrangement(false, "end, closed");
    Ui(*form).Act.OpenPort->trigger();
    ExpectArrangement(true, "end, reopened");
    ASSERT_TRUE(phone.Dump("clear\n"));
    bool ranThrough = false;
    for (int attempt = 0; attempt < 2 && !ranThrough; ++attempt) {
        Ui(*form).Act.ReadBlock->trigger();
        ASSERT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 30000));
        ranThrough = form->StatusText(0) == QStringLiteral("Завершено!");
    }
    EXPECT_TRUE(ranThrough);
    form->COM.Close();
    form.reset();
    phone.Finished(true);
}

INSTANTIATE_TEST_SUITE_P(FixedSeed, Soak, ::testing::Values(Plan{300, 20240610}));

} // namespace
