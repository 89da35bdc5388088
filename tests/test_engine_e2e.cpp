// The program window running its jobs against the telephone emulator on a
// pseudo-terminal, through the real serial port component.

#include "Arrangement.h"
#include "ModalHelper.h"
#include "PhoneProcess.h"
#include "BlockWatch.h"
#include "WaitFor.h"
#include "app/Unit1.h"
#include "image/ImageFile.h"
#include "FormUi.h"

#include <QAction>
#include <QApplication>
#include <QThread>
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QFrame>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Short ticks keep the suite quick; the emulator answers at once (--fast).
constexpr int kTestTickMs = 2;
const QString NotDone = QStringLiteral("Невыполнено...");
const QString Completed = QStringLiteral("Завершено!");

using Words = std::array<uint16_t, 64>;

void Pause(int ms)
{
    WaitFor([] { return false; }, ms);
}

Words Pattern(uint16_t seed)
{
    Words w{};
    for (int a = 0; a < 64; ++a)
        w[a] = static_cast<uint16_t>(seed + a * 0x0457);
    return w;
}

class Phone {
public:
    QProcess proc;
    QString pts;

    // Starts the emulator with the given EEPROM; an empty text when it runs,
    // else why not. Its arguments are formatted here, not by the program's
    // own hex functions, which are under test.
    QString Start(const Words &words, const QStringList &extra)
    {
        QString why;
        pts = StartPhone(proc, QStringList{"--fast", "--dump"} + PhoneWordArgs(words) + extra, &why);
        return why;
    }
    // Ends the emulator and returns its EEPROM as it dumped it.
    Words Stop()
    {
        if (proc.state() != QProcess::NotRunning) {
            proc.terminate();
            proc.waitForFinished(5000);
        }
        const QByteArray errors = proc.readAllStandardError();
        ExpectPhoneEndedCleanly(proc, errors);
        return LastPhoneDump(errors).value_or(Words{});
    }
};

// The longest a handler may keep the window thread waiting.
constexpr double kMaxBlockedMs = 50;

class EngineE2E : public ::testing::Test {
protected:
    BlockWatch watch;
    Phone phone;
    std::unique_ptr<TForm1> form;

    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
            GTEST_SKIP() << "QUILLON_PHONE not set";
    }
    void TearDown() override
    {
        // No handler keeps the window from repainting and taking Esc.
        EXPECT_LT(watch.LongestMs(), kMaxBlockedMs);
        if (form)
            form->COM.Close();
        form.reset();
        phone.Stop();
    }

    void Open(const Words &phoneWords, const QStringList &extra = {})
    {
        const QString failure = phone.Start(phoneWords, extra);
        ASSERT_TRUE(failure.isEmpty()) << "the telephone emulator did not start: " << failure.toStdString();
        qputenv("QUILLON_COM1", phone.pts.toLocal8Bit());
        form = std::make_unique<TForm1>();
        form->SetTickInterval(kTestTickMs);
        Ui(*form).Act.OpenPort->trigger();
        ASSERT_TRUE(form->COM.Connected());
    }
    bool Run(QAction *job, int timeoutMs = 20000)
    {
        if (!job->isEnabled())
            return false;
        // From the event loop, as a key press comes: the watch sees the handler.
        bool triggered = false;
        QTimer::singleShot(0, job, [&] {
            job->trigger();
            triggered = true;
        });
        return WaitFor([&] { return triggered && !form->Engine.Active; }, timeoutMs);
    }
    void ExpectPortOpenArrangement()
    {
        ExpectPortArrangement(*form, true);
        EXPECT_FALSE(Ui(*form).Act.CancelProg->isEnabled());
        EXPECT_TRUE(Ui(*form).Panel1->isHidden());
        // Nothing of ours wakes the program between jobs.
        EXPECT_FALSE(form->Timer1.isActive());
        EXPECT_FALSE(form->Driver.Listening());
    }
    void SetImage(const Words &w, int first = 0, int last = 63)
    {
        for (int a = first; a <= last; ++a)
            form->Doc.Words()[a] = w[a];
    }
    void ExpectImage(const Words &w, int first, int last)
    {
        for (int a = 0; a < 64; ++a)
            EXPECT_EQ(form->Doc.Image()[a], a >= first && a <= last ? w[a] : EepromImage::kBlank) << a;
    }
};

} // namespace

// The check above can fail: a handler that sleeps is seen, however busy the
// machine (time spent waiting for the processor does not count).
TEST(BlockWatchCheck, SeesAHandlerThatSleeps)
{
    BlockWatch watch;
    if (!watch.Available())
        GTEST_SKIP() << "no per-thread scheduler statistics";
    bool done = false;
    QTimer::singleShot(0, [&] {
        QThread::msleep(120);
        done = true;
    });
    ASSERT_TRUE(WaitFor([&] { return done; }, 10000));
    WaitFor([] { return false; }, 20); // the round ends when the loop sleeps again
    EXPECT_GE(watch.LongestMs(), 100);
}

TEST_F(EngineE2E, AllSixJobsRoundTrip)
{
    const Words p = Pattern(0x1234), q = Pattern(0x9ABC), r = Pattern(0x5150);
    ASSERT_NO_FATAL_FAILURE(Open(p));

    ASSERT_TRUE(Run(Ui(*form).Act.Read258));
    EXPECT_EQ(form->StatusText(0), Completed);
    ExpectImage(p, 0x00, 0x3F);
    EXPECT_EQ(Ui(*form).StringGrid1->item(8, 8)->text(), WordToHex(p[0x3F])); // the grid follows
    EXPECT_EQ(Ui(*form).Gauge1->value(), 351);
    ExpectPortOpenArrangement();

    SetImage(q);
    ASSERT_TRUE(Run(Ui(*form).Act.Write258));
    EXPECT_EQ(form->StatusText(0), Completed);

    form->Doc.Words().BlankBuf();
    ASSERT_TRUE(Run(Ui(*form).Act.ReadBlock));
    EXPECT_EQ(form->StatusText(0), Completed);
    ExpectImage(q, 0x30, 0x3F);

    SetImage(r, 0x30, 0x3F);
    ASSERT_TRUE(Run(Ui(*form).Act.WriteBlock));
    EXPECT_EQ(form->StatusText(0), Completed);
    EXPECT_EQ(form->StatusText(1), "Проверено: 16 слов совпадают"); // read back

    Ui(*form).StringGrid1->setCurrentCell(8, 8);
    ASSERT_EQ(form->SelectedAddr, 0x3F);
    form->Doc.Words()[0x3F] = 0xBEEF;
    ASSERT_TRUE(Run(Ui(*form).Act.WriteCur));
    EXPECT_EQ(form->StatusText(0), Completed);
    EXPECT_EQ(form->StatusText(1), "Проверено: 1 слово совпадает");
    form->Doc.Words().BlankBuf();
    ASSERT_TRUE(Run(Ui(*form).Act.ReadCur));
    EXPECT_EQ(form->StatusText(0), Completed);
    EXPECT_EQ(form->Doc.Image()[0x3F], 0xBEEF);
    EXPECT_EQ(form->Doc.Image()[0x3E], EepromImage::kBlank);
    ExpectPortOpenArrangement();

    form->COM.Close();
    Words expected = q;
    for (int a = 0x30; a <= 0x3E; ++a)
        expected[a] = r[a];
    expected[0x3F] = 0xBEEF;
    EXPECT_EQ(phone.Stop(), expected);
}

TEST_F(EngineE2E, LowerCaseRepliesReadTheSame)
{
    const Words p = Pattern(0xABCD);
    ASSERT_NO_FATAL_FAILURE(Open(p, {"--fault", "lowercase"}));
    ASSERT_TRUE(Run(Ui(*form).Act.ReadBlock));
    EXPECT_EQ(form->StatusText(0), Completed);
    ExpectImage(p, 0x30, 0x3F);
}

TEST_F(EngineE2E, EveryFaultEndsTheJobAndTheWindowGoesOn)
{
    // ReadBlock: received characters 1 CR, then "m30" CR = 2-5, "m35" CR = 6-9, ...
    // Each fault leaves the telephone without a half-received address, which
    // the next job's opening CR would complete into a read command.
    struct Case {
        const char *fault;
        int lastStored; // the image keeps the words of the replies before the fault
        const char *cause; // panel 1 (its tooltip holds the whole text) begins so
    };
    const Case cases[] = {
        // The reply comes where the CR's echo should: it is taken for a wrong echo.
        {"no-echo@5", -1, "Неверное эхо: послан CR, пришёл '!' (символ 4 команды m30<CR>, адрес 30)"},
        {"wrong-echo@7", 0x34, "Неверное эхо: послан '3', пришёл '4' (символ 2 команды m35<CR>, адрес 35)"},
        {"stray@2", -1, "Неверное эхо: послан '3', пришёл '#' (символ 2 команды m30<CR>, адрес 30)"},
        {"no-bang@2", 0x39, "Ответ не начинается с \"!\": пришёл '?' (адрес 35)"},
        {"short-reply@2", 0x34, "Ответ не получен полностью: 12 из 23 символов (адрес 35)"},
        {"late-reply=300@2", 0x34, "Ответ не получен полностью"},
    };
    const Words p = Pattern(0x0F0F);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fault);
        ASSERT_NO_FATAL_FAILURE(Open(p, {"--fault", c.fault}));
        ASSERT_TRUE(Run(Ui(*form).Act.ReadBlock));
        EXPECT_EQ(form->StatusText(0), NotDone);
        EXPECT_TRUE(Ui(*form).StatusPanel1->toolTip().startsWith(QString::fromUtf8(c.cause)))
            << Ui(*form).StatusPanel1->toolTip().toStdString();
        EXPECT_FALSE(form->StatusText(1).isEmpty());
        ExpectImage(p, 0x30, c.lastStored);
        ExpectPortOpenArrangement();
        // Usable again: the fault hit only once. Let the echo in flight or a
        // late reply arrive first, as it would before a person starts again;
        // else it passes for an echo of the next job.
        Pause(QString(c.fault).startsWith("late") ? 400 : 100);
        ASSERT_TRUE(Run(Ui(*form).Act.ReadBlock));
        EXPECT_EQ(form->StatusText(0), Completed);
        EXPECT_EQ(form->StatusText(1), ""); // the next job cleared it
        ExpectImage(p, 0x30, 0x3F);
        TearDown();
    }

    // A write that breaks off leaves the telephone with the commands it got:
    // Write258's first command is characters 2-25.
    const Words q = Pattern(0x7777);
    ASSERT_NO_FATAL_FAILURE(Open(p, {"--fault", "no-echo@30"}));
    SetImage(q);
    ASSERT_TRUE(Run(Ui(*form).Act.Write258));
    EXPECT_EQ(form->StatusText(0), NotDone);
    form->COM.Close();
    const Words got = phone.Stop();
    for (int a = 0; a < 64; ++a)
        EXPECT_EQ(got[a], a < 5 ? q[a] : p[a]) << a;
}

TEST_F(EngineE2E, CancelStopsAJob)
{
    const Words p = Pattern(0x4444);
    ASSERT_NO_FATAL_FAILURE(Open(p));
    Ui(*form).Act.Read258->trigger();
    ASSERT_TRUE(WaitFor([&] { return form->Doc.Image()[0x00] != EepromImage::kBlank; }, 10000));
    EXPECT_TRUE(Ui(*form).Act.CancelProg->isEnabled());
    Ui(*form).Act.CancelProg->trigger();
    ASSERT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 5000));
    EXPECT_EQ(form->StatusText(0), NotDone);
    EXPECT_EQ(form->Doc.Image()[0x3F], EepromImage::kBlank);
    ExpectPortOpenArrangement();
}

TEST_F(EngineE2E, JobGoesOnWhileAModalWindowIsOpen)
{
    const Words p = Pattern(0x2468);
    ASSERT_NO_FATAL_FAILURE(Open(p));
    bool modalSeen = false, doneWhileModal = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        modalSeen = modalSeen || modal;
        if (modal && !form->Engine.Active) {
            doneWhileModal = true;
            modal->close();
        }
    });
    closer.start(5);
    Ui(*form).Act.ReadBlock->trigger();
    QTimer::singleShot(0, [&] { Ui(*form).Act.AbuotBox->trigger(); }); // blocks in its own loop
    ASSERT_TRUE(WaitFor([&] { return doneWhileModal && !QApplication::activeModalWidget(); }, 10000));
    EXPECT_TRUE(modalSeen);
    EXPECT_EQ(form->StatusText(0), Completed);
    ExpectImage(p, 0x30, 0x3F);
}

TEST_F(EngineE2E, HangUpMidJobEndsItWithOneErrorBox)
{
    const Words p = Pattern(0x1357);
    ASSERT_NO_FATAL_FAILURE(Open(p, {"--fault", "hangup-after=12"})); // inside the third read command
    BoxAnswerer boxes;
    Ui(*form).Act.ReadBlock->trigger();
    ASSERT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 10000));
    Pause(300); // no further boxes, no stuck job
    ASSERT_EQ(boxes.texts.size(), 1) << boxes.texts.join(" | ").toStdString();
    EXPECT_TRUE(boxes.texts[0].startsWith("Порт COM1 (" + phone.pts + ") пропал")) << boxes.texts[0].toStdString();
    EXPECT_TRUE(boxes.texts[0].endsWith("ReadFile function failed (win error code: 5)")) << boxes.texts[0].toStdString();
    EXPECT_EQ(form->StatusText(0), NotDone);
    ExpectImage(p, 0x30, 0x39);
    // The device is gone: the window lets go of it and offers F9 again.
    ExpectPortArrangement(*form, false);
    EXPECT_FALSE(Ui(*form).Act.CancelProg->isEnabled());
    EXPECT_TRUE(Ui(*form).Panel1->isHidden());
    EXPECT_FALSE(form->Driver.Listening());
    EXPECT_FALSE(form->Timer1.isActive());

    // Plugged in again (a new line under the name COM1 maps to): F9 opens it.
    phone.Stop();
    ASSERT_TRUE(phone.Start(p, {}).isEmpty());
    qputenv("QUILLON_COM1", phone.pts.toLocal8Bit());
    Ui(*form).Act.OpenPort->trigger();
    ExpectPortOpenArrangement();
    ASSERT_TRUE(Run(Ui(*form).Act.ReadBlock));
    EXPECT_EQ(form->StatusText(0), Completed);
    EXPECT_TRUE(boxes.texts.size() == 1);
}

namespace {
QStringList g_messages;
void CaptureMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_messages << text;
}
} // namespace

// A port lost in a write: one box, which says also what the telephone holds.
TEST_F(EngineE2E, HangUpMidWriteNamesWhatTheTelephoneHolds)
{
    ASSERT_NO_FATAL_FAILURE(Open(Pattern(0x2222), {"--fault", "hangup-after=40"}));
    BoxAnswerer boxes;
    Ui(*form).Act.WriteBlock->trigger();
    ASSERT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 10000));
    Pause(300);
    ASSERT_EQ(boxes.texts.size(), 1) << boxes.texts.join(" | ").toStdString();
    const QStringList lines = boxes.texts[0].split(u'\n');
    ASSERT_EQ(lines.size(), 2) << boxes.texts[0].toStdString();
    EXPECT_TRUE(lines[0].startsWith("Порт COM1 (" + phone.pts + ") пропал")) << lines[0].toStdString();
    EXPECT_EQ(lines[1],
              "Телефон принял слова 30-34, возможно 35-37, не получил 38-3F: в нём неполный образ, запишите ещё раз.");
    ExpectPortArrangement(*form, false);
}

TEST_F(EngineE2E, ClosingTheWindowMidJobClosesThePortQuietly)
{
    Open(Pattern(0x3333), {"--fault", "no-echo@3"}); // the job waits 100 ticks for that echo
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    Ui(*form).Act.Read258->trigger();
    // Waiting for the echo of "0" in "m00", which never comes (character 3);
    // the earlier echoes are awaited too, but only for a moment.
    ASSERT_TRUE(WaitFor(
        [&] { return form->Engine.State == EngineState::AwaitEcho && form->Engine.CharIndex == 3; }, 5000));
    ASSERT_TRUE(form->Driver.Listening());
    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CaptureMessage);
    QTest::keyClick(form.get(), Qt::Key_F4, Qt::AltModifier);
    Pause(100); // the event loop goes on polling whatever is still registered
    qInstallMessageHandler(previous);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->COM.Connected());
    EXPECT_FALSE(form->Timer1.isActive());
    EXPECT_TRUE(g_messages.filter("QSocketNotifier").isEmpty()) << g_messages.join('\n').toStdString();
}

// ---- what the telephone holds after a write, and comparisons ----

namespace {

// The grid's marked cells, by address.
std::vector<int> MarkedCells(const TForm1 &form)
{
    std::vector<int> cells;
    for (int a = 0; a < 64; ++a)
        if (!Ui(form).StringGrid1->item(a / 8 + 1, a % 8 + 1)->toolTip().isEmpty())
            cells.push_back(a);
    return cells;
}

std::vector<int> Span(int first, int last)
{
    std::vector<int> cells;
    for (int a = first; a <= last; ++a)
        cells.push_back(a);
    return cells;
}

class ChecksE2E : public EngineE2E {
protected:
    void Show()
    {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        Ui(*form).StringGrid1->setFocus();
    }
    static void Key(int key, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mods);
    }
};

} // namespace

// Write258 of one image over another: the read-back catches what the echoes
// cannot, a check the line breaks off leaves the write standing, and a write
// cut off names what the telephone holds.
TEST_F(ChecksE2E, EveryWriteIsReadBackAndWhatDiffersIsMarked)
{
    const Words p = Pattern(0x0F0F), q = Pattern(0x7777);
    const struct {
        const char *fault;
        const char *status, *panel;
        int first, last; // the marked cells
        int boxes;
    } cases[] = {
        {"", "Завершено!", "Проверено: 64 слова совпадают", 0, -1, 0},
        {"drop-write@3", "Завершено!", "Проверено: 5 слов из 64 не совпадают", 0x0A, 0x0E, 1},
        {"corrupt-write@2", "Завершено!", "Проверено: 1 слово из 64 не совпадает", 0x05, 0x05, 1},
        // The write completed; its check did not.
        {"no-bang@1", "Завершено!",
         "Запись завершена, но проверить её не удалось: Ответ не начинается с \"!\": пришёл '?' (адрес 00)", 0, -1, 0},
        // The CR of the second command goes unechoed.
        {"no-echo@49", "Невыполнено...",
         "Телефон принял слова 00-04, возможно 05-09, не получил 0A-3F: в нём неполный образ, запишите ещё раз", 0x05,
         0x3F, 0},
        // The line goes inside the second command's first word: the error
        // box says what the telephone holds too.
        {"hangup-after=30", "Невыполнено...",
         "Телефон принял слова 00-04, не получил 05-3F: в нём неполный образ, запишите ещё раз", 0x05, 0x3F, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fault);
        ASSERT_NO_FATAL_FAILURE(Open(p, *c.fault ? QStringList{"--fault", c.fault} : QStringList{}));
        SetImage(q);
        BoxAnswerer boxes;
        ASSERT_TRUE(Run(Ui(*form).Act.Write258));
        EXPECT_TRUE(WaitFor([&] { return boxes.texts.size() >= c.boxes; }, 5000));
        EXPECT_EQ(boxes.texts.size(), c.boxes) << boxes.texts.join('|').toStdString();
        const bool lineLost = QByteArray(c.fault).startsWith("hangup");
        if (lineLost) {
            EXPECT_TRUE(boxes.texts.value(0).startsWith("Порт COM1 (")
                        && boxes.texts[0].contains(QString::fromUtf8(c.panel)))
                << boxes.texts.value(0).toStdString();
        } else if (c.boxes) {
            EXPECT_TRUE(boxes.texts[0].contains(
                QString("%1: записано %2, прочитано %3")
                    .arg(ByteToHex(c.first), WordToHex(q[c.first]), WordToHex(c.first == 5 ? q[5] ^ 1 : p[c.first]))))
                << boxes.texts[0].toStdString();
        }
        EXPECT_EQ(form->StatusText(0), c.status);
        EXPECT_TRUE(Ui(*form).StatusPanel1->toolTip().endsWith(QString::fromUtf8(c.panel)))
            << Ui(*form).StatusPanel1->toolTip().toStdString();
        EXPECT_EQ(MarkedCells(*form), Span(c.first, c.last));
        EXPECT_EQ(form->Doc.Image().words, q); // the read-back never changes the image
        ExpectPortArrangement(*form, !lineLost);
        if (!*c.fault) {
            EXPECT_EQ(Ui(*form).Gauge1->maximum(), 309 + 352); // one gauge for the write and its read-back
        }
        TearDown();
    }
}

// Switched off (and so remembered), a write ends at its echoes as it did.
TEST_F(ChecksE2E, VerifySwitchedOffWritesAsBefore)
{
    ASSERT_NO_FATAL_FAILURE(Open(Pattern(0x0F0F), {"--fault", "drop-write@3"}));
    Ui(*form).Act.VerifyAfterWrite->trigger();
    EXPECT_FALSE(Ui(*form).Act.VerifyAfterWrite->isChecked());
    EXPECT_FALSE(Ui(TForm1()).Act.VerifyAfterWrite->isChecked());
    SetImage(Pattern(0x7777));
    ASSERT_TRUE(Run(Ui(*form).Act.Write258));
    Ui(*form).Act.VerifyAfterWrite->trigger(); // on again for the other tests
    EXPECT_EQ(form->StatusText(0), Completed);
    EXPECT_EQ(form->StatusText(1), "");
    EXPECT_TRUE(MarkedCells(*form).empty());
    EXPECT_EQ(Ui(*form).Gauge1->maximum(), 309);
}

// Esc in the middle of a write: the words the panel names as taken are in
// the telephone, those it names as not received are not.
TEST_F(ChecksE2E, AWriteCancelledMidwayNamesWhatTheTelephoneHolds)
{
    QTemporaryDir dir;
    const QString saved = dir.filePath("phone.img");
    const Words p = Pattern(0x0F0F), q = Pattern(0x7777);
    ASSERT_NO_FATAL_FAILURE(Open(p, {"--save", saved}));
    ASSERT_NO_FATAL_FAILURE(Show());
    SetImage(q);
    Key(Qt::Key_F8);
    ASSERT_TRUE(WaitFor([&] { return form->Engine.CurAddr >= 0x14; }, 10000));
    Key(Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 10000));
    EXPECT_EQ(form->StatusText(0), NotDone);
    const QRegularExpression groups(
        "^Телефон принял слова 00-([0-9A-F]{2})(?:, возможно ([0-9A-F]{2})(?:-([0-9A-F]{2}))?)?, "
        "не получил ([0-9A-F]{2})(?:-3F)?: в нём неполный образ, запишите ещё раз$");
    const QRegularExpressionMatch m = groups.match(Ui(*form).StatusPanel1->toolTip().section(u'\n', -1));
    ASSERT_TRUE(m.hasMatch()) << Ui(*form).StatusPanel1->toolTip().toStdString();
    const int confirmed = m.captured(1).toInt(nullptr, 16), notFrom = m.captured(4).toInt(nullptr, 16);
    EXPECT_EQ(MarkedCells(*form), Span(confirmed + 1, 0x3F));
    form->COM.Close();
    phone.Stop();
    const LoadResult file = LoadImageFile(saved);
    ASSERT_FALSE(file.error) << file.error.Text().toStdString();
    for (int a = 0; a < 64; ++a)
        if (a <= confirmed || a >= notFrom) {
            EXPECT_EQ(file.data.image[a], a <= confirmed ? q[a] : p[a]) << a;
        }
}

// Once a write's read-back runs the write has ended: Esc stops the check
// alone and the panels say which part ended how; closing asks nothing of a
// write, as during a read.
TEST_F(ChecksE2E, TheReadBackAfterAWriteEndsAsARead)
{
    ASSERT_NO_FATAL_FAILURE(Open(Pattern(0x0F0F)));
    ASSERT_NO_FATAL_FAILURE(Show());
    SetImage(Pattern(0x7777));
    // Esc counts once the read-back has opened (it enables Esc at its first step).
    const auto readingBack = [&] {
        return form->Engine.Active && !form->Engine.Writing && Ui(*form).Act.CancelProg->isEnabled();
    };
    Key(Qt::Key_F8);
    ASSERT_TRUE(WaitFor(readingBack, 30000));
    Key(Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 10000));
    EXPECT_EQ(form->StatusText(0), Completed);
    EXPECT_TRUE(Ui(*form).StatusPanel1->toolTip().startsWith("Запись завершена, но проверить её не удалось: "))
        << Ui(*form).StatusPanel1->toolTip().toStdString();

    Ui(*form).StringGrid1->setFocus();
    Key(Qt::Key_F8);
    ASSERT_TRUE(WaitFor(readingBack, 30000));
    QStringList asked;
    AnswerNextModal(
        [&](QWidget *w) {
            if (auto *box = qobject_cast<QMessageBox *>(w))
                asked << box->text();
        },
        50);
    form->close();
    QTest::qWait(600);
    for (const QString &text : asked)
        EXPECT_FALSE(text.startsWith("Идёт запись")) << text.toStdString();
}

// An edit made while a write runs goes into the image, not into the telephone.
TEST_F(ChecksE2E, AWriteSendsTheImageAsItWasWhenItStarted)
{
    const Words q = Pattern(0x7777);
    ASSERT_NO_FATAL_FAILURE(Open(Pattern(0x0F0F)));
    ASSERT_NO_FATAL_FAILURE(Show());
    SetImage(q);
    Ui(*form).StringGrid1->setCurrentCell(8, 8); // word 3F, the last to go out
    BoxAnswerer boxes;
    Key(Qt::Key_F8);
    ASSERT_TRUE(WaitFor([&] { return form->Engine.CurAddr >= 0x0A; }, 10000));
    Key(Qt::Key_Return);
    for (char k : QByteArray("BEEF"))
        QTest::keyClick(QApplication::focusWidget(), k);
    Key(Qt::Key_Return);
    ASSERT_EQ(form->Doc.Image()[0x3F], 0xBEEF);
    ASSERT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 20000));
    EXPECT_EQ(form->StatusText(1), "Проверено: 64 слова совпадают");
    EXPECT_TRUE(boxes.texts.isEmpty());
    form->COM.Close();
    EXPECT_EQ(phone.Stop(), q);
}

// Ctrl+F7 reads the telephone into a copy and marks where it differs; no
// undo step. Esc, a change of the words or the next job takes the marks away.
TEST_F(ChecksE2E, CompareWithTheTelephoneMarksTheDifferences)
{
    const Words p = Pattern(0x2468);
    ASSERT_NO_FATAL_FAILURE(Open(p));
    ASSERT_NO_FATAL_FAILURE(Show());
    SetImage(p);
    form->Doc.Words()[0x07] = 0x1111;
    form->Doc.Words()[0x3E] = 0x2222;
    const EepromImage image = form->Doc.Image();
    Key(Qt::Key_F7, Qt::ControlModifier);
    ASSERT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 20000));
    EXPECT_EQ(Ui(*form).StatusPanel1->toolTip(), "Сравнено с телефоном: 2 слова из 64 не совпадают");
    EXPECT_EQ(MarkedCells(*form), std::vector<int>({0x07, 0x3E}));
    EXPECT_EQ(Ui(*form).StringGrid1->item(1, 8)->toolTip(), "В телефоне: " + WordToHex(p[0x07]));
    EXPECT_EQ(form->Doc.Image(), image);
    EXPECT_FALSE(Ui(*form).Act.Undo->isEnabled());
    Key(Qt::Key_Escape);
    EXPECT_TRUE(MarkedCells(*form).empty());

    Key(Qt::Key_F7, Qt::ControlModifier);
    ASSERT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 20000));
    EXPECT_EQ(MarkedCells(*form).size(), 2u);
    Ui(*form).Act.SwapByte->trigger();
    EXPECT_TRUE(MarkedCells(*form).empty());
}
