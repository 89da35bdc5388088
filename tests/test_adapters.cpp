// Real adapters: which device is which (a small sysfs, /dev and /proc tree of
// our own), whether the telephone answers (quillon-phone), and what the
// window shows of both.

#include "BlockWatch.h"
#include "CliEnglish.h"
#include "CliRunner.h"
#include "ModalHelper.h"
#include "PhoneProcess.h"
#include "QuietWindow.h"
#include "WaitFor.h"
#include "app/Unit1.h"
#include "cli/CliCore.h"
#include "cli/CliPorts.h"
#include "link/PortDiscovery.h"
#include "link/PortNames.h"
#include "link/PortProbe.h"
#include "link/ProgrammingSession.h"
#include "FormUi.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

namespace {

// A machine with an FTDI and a CH340 adapter, an Arduino on ttyACM0, a board
// UART and a board port without hardware; brltty (installed, its udev rules
// naming the CH340, holding it) and ModemManager running.
class FakeSystem {
public:
    QTemporaryDir dir;
    QString root() const { return dir.path(); }

    FakeSystem()
    {
        Usb("1-1", "0403", "6001", "FTDI", "FT232R USB UART", "A1B2C3", "ttyUSB0", "ftdi_sio", true);
        Usb("1-2", "1a86", "7523", "", "USB Serial", "", "ttyUSB1", "ch341-uart", true);
        Usb("1-3", "2341", "0043", "Arduino (www.arduino.cc)", "Uno", "7563", "ttyACM0", "cdc_acm", false);
        Board("ttyS0", "4");
        Board("ttyS1", "0");
        Link("dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0", "../../ttyUSB0");
        Link("dev/serial/by-id/usb-Arduino__www.arduino.cc__0043_7563-if00", "../../ttyACM0");
        Write("proc/4242/comm", "brltty\n");
        Link("proc/4242/fd/7", "/dev/ttyUSB1");
        Write("proc/77/comm", "ModemManager\n");
        Link("proc/77/fd/3", "socket:[1234]");
        Write("usr/bin/brltty", "");
        Write("usr/lib/udev/rules.d/85-brltty.rules",
              "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\", GOTO=\"brltty_usb_run\"\n"
              "ENV{PRODUCT}==\"10c4/ea60/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"sk\", GOTO=\"brltty_usb_run\"\n");
    }

private:
    void Write(const QString &path, const QByteArray &text)
    {
        QDir(root()).mkpath(QFileInfo(path).path());
        QFile f(root() + u'/' + path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    void Link(const QString &path, const QString &target)
    {
        QDir(root()).mkpath(QFileInfo(path).path());
        ASSERT_EQ(::symlink(target.toLocal8Bit().constData(), (root() + u'/' + path).toLocal8Bit().constData()), 0);
    }
    void Tty(const QString &name, const QString &deviceDir)
    {
        QDir(root()).mkpath("sys/class/tty/" + name);
        Link("sys/class/tty/" + name + "/device", root() + u'/' + deviceDir);
        Write("dev/" + name, "");
    }
    // usb-serial: device / interface / port; cdc-acm: device / interface.
    void Usb(const QString &bus, const char *vid, const char *pid, const char *maker, const char *product,
             const char *serial, const QString &tty, const QString &driver, bool usbSerial)
    {
        const QString dev = "sys/devices/pci0/usb1/" + bus;
        Write(dev + "/idVendor", QByteArray(vid) + '\n');
        Write(dev + "/idProduct", QByteArray(pid) + '\n');
        if (*maker)
            Write(dev + "/manufacturer", QByteArray(maker) + '\n');
        Write(dev + "/product", QByteArray(product) + '\n');
        if (*serial)
            Write(dev + "/serial", QByteArray(serial) + '\n');
        const QString iface = dev + u'/' + bus + ":1.0";
        const QString ttyDevice = usbSerial ? iface + u'/' + tty : iface;
        QDir(root()).mkpath(ttyDevice);
        QDir(root()).mkpath("sys/bus/drivers/" + driver);
        Link(ttyDevice + "/driver", root() + "/sys/bus/drivers/" + driver);
        Tty(tty, ttyDevice);
    }
    void Board(const QString &tty, const QByteArray &uartType)
    {
        const QString device = "sys/devices/platform/serial8250";
        QDir(root()).mkpath(device);
        QDir(root()).mkpath("sys/bus/drivers/serial8250");
        if (!QFileInfo::exists(root() + u'/' + device + "/driver"))
            Link(device + "/driver", root() + "/sys/bus/drivers/serial8250");
        Tty(tty, device);
        Write("sys/class/tty/" + tty + "/type", uartType + '\n');
    }
};

QString DefaultMapping(const QString &com)
{
    return PortDevicePath(com);
}


} // namespace

TEST(PortDiscovery, FindsTheAdaptersAndWhatTheyAre)
{
    FakeSystem sys;
    struct Expect {
        const char *name, *driver, *description, *byId, *com;
    };
    const Expect expected[] = {
        {"ttyACM0", "cdc_acm", "Arduino (www.arduino.cc) Uno (cdc_acm, USB 2341:0043, serial 7563)",
         "/dev/serial/by-id/usb-Arduino__www.arduino.cc__0043_7563-if00", ""},
        {"ttyS0", "serial8250", "board serial port (serial8250)", "", "COM1"},
        {"ttyUSB0", "ftdi_sio", "FTDI FT232R USB UART (ftdi_sio, USB 0403:6001, serial A1B2C3)",
         "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0", "COM5"},
        {"ttyUSB1", "ch341-uart", "USB Serial (ch341-uart, USB 1a86:7523)", "", "COM6"},
    };
    const QList<SerialDevice> found = DiscoverSerialDevices(sys.root());
    ASSERT_EQ(found.size(), std::size(expected)); // ttyS1 has no UART
    // The window's Russian joins what quillon-cli's English puts in brackets.
    EXPECT_EQ(found[2].Description(),
              QString::fromUtf8("FTDI FT232R USB UART, драйвер ftdi_sio, USB 0403:6001, серийный номер A1B2C3"));
    EXPECT_EQ(found[1].Description(), QString::fromUtf8("порт на плате, драйвер serial8250"));
    const CliEnglish english;
    for (size_t i = 0; i < std::size(expected); ++i) {
        const SerialDevice &d = found[static_cast<int>(i)];
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(d.name, expected[i].name);
        EXPECT_EQ(d.path, QStringLiteral("/dev/") + expected[i].name);
        EXPECT_EQ(d.driver, expected[i].driver);
        EXPECT_EQ(d.Description(), expected[i].description);
        EXPECT_EQ(d.byId.value(0), expected[i].byId);
        EXPECT_EQ(ComNameOf(d, DefaultMapping, sys.root()), expected[i].com);
    }
    // A QUILLON_COMn setting pointing at a by-id link reaches the adapter.
    const auto overridden = [](const QString &com) {
        return com == "COM3" ? QStringLiteral("/dev/serial/by-id/usb-Arduino__www.arduino.cc__0043_7563-if00")
                             : PortDevicePath(com);
    };
    EXPECT_EQ(ComNameOf(found[0], overridden, sys.root()), "COM3");
    // The setting offered uses the first name whose own device is absent.
    EXPECT_EQ(ComSettingFor(found[0], found, DefaultMapping, sys.root()),
              "QUILLON_COM2=/dev/serial/by-id/usb-Arduino__www.arduino.cc__0043_7563-if00");
}

TEST(PortDiscovery, AccessFromOwnerGroupAndMode)
{
    constexpr gid_t dialout = 20, users = 100;
    const UserGroups inSession{1000, {users, dialout}, {users, dialout}};
    const UserGroups notLoggedIn{1000, {users}, {users, dialout}};
    const UserGroups outsider{1000, {users}, {users}};
    struct Case {
        uid_t owner;
        mode_t mode;
        UserGroups user;
        AccessVerdict verdict;
    };
    const Case cases[] = {
        {0, 0660, inSession, AccessVerdict::Allowed},
        {0, 0660, notLoggedIn, AccessVerdict::NotLoggedInAgain},
        {0, 0660, outsider, AccessVerdict::NotInGroup},
        {0, 0600, inSession, AccessVerdict::Denied},
        {0, 0666, outsider, AccessVerdict::Allowed},
        {1000, 0600, outsider, AccessVerdict::Allowed},
        {0, 0600, UserGroups{0, {}, {}}, AccessVerdict::Allowed},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DecideAccess(c.owner, dialout, S_IFCHR | c.mode, c.user), c.verdict)
            << std::oct << c.mode << " uid " << c.user.uid;
}

// The technician whose CH340 brltty took: told so, and how to fix it.
// A process that opened the adapter by a name other than its path or by-id
// link is as much in the way: the port's open refused it while `ports`, which
// compared names, said nobody held the device.
TEST(PortDiscovery, AHolderIsSeenWhateverNameItOpenedTheDeviceBy)
{
    FakeSystem sys;
    const QString root = sys.root();
    const QString byPath = "/dev/serial/by-path/pci-0000:00:14.0-usb-0:1:1.0-port0";
    ASSERT_TRUE(QDir(root).mkpath("dev/serial/by-path"));
    ASSERT_TRUE(QDir(root).mkpath("proc/5151/fd"));
    ASSERT_EQ(::symlink("../../ttyUSB0", QFile::encodeName(root + byPath).constData()), 0);
    ASSERT_EQ(::symlink(QFile::encodeName(byPath).constData(), QFile::encodeName(root + "/proc/5151/fd/4").constData()),
              0);
    QFile comm(root + "/proc/5151/comm");
    ASSERT_TRUE(comm.open(QIODevice::WriteOnly));
    comm.write("minicom\n");
    comm.close();

    QStringList heldBy;
    for (const SerialDevice &d : DiscoverSerialDevices(root))
        for (const ProcessInfo &p : ProcessesHolding(d, root))
            heldBy << d.name + u':' + p.name + u':' + QString::number(p.pid);
    EXPECT_EQ(heldBy.join(' ').toStdString(), "ttyUSB0:minicom:5151 ttyUSB1:brltty:4242");
}

TEST(PortDiscovery, PortsCommandNamesTheHolderAndTheFix)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_CLI"))
        GTEST_SKIP() << "QUILLON_CLI not set";
    FakeSystem sys;
    QProcessEnvironment env;
    env.insert("QUILLON_SYSROOT", sys.root());
    const Ran text = RunQuillonCli({"ports"}, {env});
    ASSERT_EQ(text.code, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.contains(QRegularExpression(
        "COM6  /dev/ttyUSB1  USB Serial \\(ch341-uart, USB 1a86:7523\\)\\n      present \\(not opened; 'probe' opens "
        "it\\)\\n      permissions: yes\\n      held by: brltty \\(pid 4242\\)\\n"
        "      brltty's udev rules claim it: sudo apt remove brltty\\n")))
        << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("no COM name reaches it; run with QUILLON_COM2=/dev/serial/by-id/usb-Arduino"));
    EXPECT_TRUE(text.out.contains("ModemManager (running)")) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("fix: sudo systemctl disable --now ModemManager"));

    const Ran json = RunQuillonCli({"ports", "--json"}, {env});
    ASSERT_EQ(json.code, 0);
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    const QJsonArray ports = o["ports"].toArray();
    ASSERT_EQ(ports.size(), 4);
    const QJsonObject ch340 = ports[3].toObject();
    EXPECT_EQ(ch340["com"].toString(), "COM6");
    // Presence from the device list; whether it opens is not claimed.
    EXPECT_TRUE(ch340["present"].toBool());
    EXPECT_FALSE(ch340.contains("can_open"));
    EXPECT_FALSE(text.out.contains("can open")) << text.out.toStdString();
    EXPECT_EQ(ch340["held_by"].toArray()[0].toObject()["name"].toString(), "brltty");
    EXPECT_TRUE(ch340["brltty_claims"].toBool());
    EXPECT_TRUE(ports[0].toObject()["com"].isNull());
    const QJsonArray trouble = o["troublemakers"].toArray();
    ASSERT_EQ(trouble.size(), 2);
    EXPECT_EQ(trouble[0].toObject()["name"].toString(), "brltty");
    EXPECT_TRUE(trouble[0].toObject()["what"].toString().contains("WCH CH340 (1a86:7523), Silicon Labs CP210x"));
    EXPECT_EQ(trouble[0].toObject()["fix"].toString(), "sudo apt remove brltty");
}

// quillon-cli probe: one exit status per outcome.
TEST(Probe, EachOutcomeHasItsExitStatus)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_CLI") || qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
        GTEST_SKIP() << "QUILLON_CLI or QUILLON_PHONE not set";
    struct Case {
        QStringList phone; // empty: no telephone, a port that does not exist
        int code;
        const char *says;
    };
    const Case cases[] = {
        {{"--fast"}, Cli::ExitOk, "the telephone answers \\(echo in \\d+ ms\\)"},
        {{"--fault", "no-echo"}, Cli::ExitNoEcho, "no echo within 1600 ms\\n  check the converter's supply"},
        {{"--fault", "wrong-echo"}, Cli::ExitWrongEcho, "wrong echo: 0x0e came back for CR\\n  check the line speed"},
        {{}, Cli::ExitPort, "could not be opened: Unable to open com port \\(win error code: 2\\)\\n  no such device"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.says);
        QProcess phone;
        QString port = QDir::temp().filePath("quillon-no-such-tty");
        if (!c.phone.isEmpty()) {
            port = StartPhone(phone, c.phone);
            ASSERT_FALSE(port.isEmpty());
        }
        const Ran r = RunQuillonCli({"probe", "--port", port});
        EXPECT_EQ(r.code, c.code) << r.err.toStdString();
        EXPECT_TRUE((r.out + r.err).contains(QRegularExpression(c.says))) << (r.out + r.err).toStdString();
        phone.terminate();
        phone.waitForFinished(5000);
    }
}

// The latency advice comes from the median of several echoes only: one late
// echo (a busy machine), or one late among prompt ones, gives none; and it
// says what may help, not what must.
TEST(Probe, LatencyAdviceNeedsTheMedianOfSeveralEchoes)
{
    const struct {
        const char *what;
        QList<int> echoes;
        int median;
        bool advised;
    } cases[] = {
        {"one slow echo", {107}, 107, false},
        {"one slow among prompt ones", {70, 72, 180, 69, 71}, 71, false},
        {"too few, all slow", {105, 106, 109, 108}, 106, false},
        {"five slow", {105, 109, 106, 108, 107}, 107, true},
        {"five in time", {70, 71, 69, 72, 70}, 70, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ProbeResult r;
        r.outcome = ProbeOutcome::Answers;
        r.echoesMs = c.echoes;
        r.roundTripMs = c.median;
        const QString russian = SlowEchoAdvice(r);
        const CliEnglish english;
        const QString advice = SlowEchoAdvice(r);
        EXPECT_EQ(!advice.isEmpty(), c.advised) << advice.toStdString();
        EXPECT_EQ(!russian.isEmpty(), c.advised);
        if (c.advised) {
            EXPECT_TRUE(advice.contains("the median of 5")) << advice.toStdString();
            EXPECT_TRUE(advice.contains("may hold received bytes back")) << advice.toStdString();
            EXPECT_TRUE(russian.contains("возможно")) << russian.toStdString();
        }
    }
}

// One text per outcome for both programs: each wording shows the values it
// names (the byte that came back, the time limit) and leaves the others out.
TEST(Probe, EachProgramWordsTheOutcomeItsWay)
{
    ProbeResult wrong;
    wrong.outcome = ProbeOutcome::WrongEcho;
    wrong.received = 'A';
    ProbeResult none;
    none.outcome = ProbeOutcome::NoEcho;
    EXPECT_EQ(ProbeSummary(wrong), QStringLiteral("Неверное эхо"));
    EXPECT_EQ(ProbeSummary(none), QStringLiteral("Нет эха"));
    EXPECT_TRUE(ProbeRemedy(wrong).startsWith(QStringLiteral("Вместо эха пришло 0x41 'A'. ")))
        << ProbeRemedy(wrong).toStdString();
    const CliEnglish english;
    EXPECT_EQ(ProbeSummary(wrong), QStringLiteral("wrong echo: 0x41 'A' came back for CR"));
    EXPECT_EQ(ProbeSummary(none), QStringLiteral("no echo within %1 ms").arg(ProbeEchoLimitMs()));
    EXPECT_EQ(
        ProbeRemedy(wrong),
        QStringLiteral("check the line speed (300 bit/s, 8N1) and that no other program or device is on the line"));
}

// The probe sends its CRs one after another's echo and keeps every round
// trip; the summary gives their median.
TEST(Probe, MeasuresTheEchoesItWasAskedFor)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
        GTEST_SKIP() << "QUILLON_PHONE not set";
    QProcess phone;
    const QString port = StartPhone(phone, {"--fast"});
    ASSERT_FALSE(port.isEmpty());
    TComPort com;
    const ProbeResult r = ProbePort(com, port, nullptr, kLatencyEchoes);
    ASSERT_EQ(r.outcome, ProbeOutcome::Answers) << ProbeSummary(r).toStdString();
    ASSERT_EQ(r.echoesMs.size(), kLatencyEchoes);
    QList<int> sorted = r.echoesMs;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(r.roundTripMs, sorted[2]);
    phone.terminate();
    phone.waitForFinished(5000);
}

TEST(Probe, PseudoTerminalWithoutLowLatencyOpensAllTheSame)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
        GTEST_SKIP() << "QUILLON_PHONE not set";
    QProcess phone;
    const QString port = StartPhone(phone, {"--fast", "--latency-ms", "16"});
    ASSERT_FALSE(port.isEmpty());
    TComPort com;
    // The request for low latency is refused by a pty, which is no error.
    com.Port = port;
    com.Open();
    EXPECT_TRUE(com.Connected());
    EXPECT_FALSE(com.LowLatency());
    com.Close();
    const ProbeResult r = ProbePort(com, port);
    EXPECT_EQ(r.outcome, ProbeOutcome::Answers) << ProbeSummary(r).toStdString();
    EXPECT_GE(r.roundTripMs, 1); // the echo waited for the adapter's timer
    EXPECT_FALSE(com.Connected());
    phone.terminate();
    phone.waitForFinished(5000);
}

class ProbeWindow : public ::testing::Test {
protected:
    QProcess phone;
    std::unique_ptr<TForm1> form;

    void Open(const QStringList &phoneArgs)
    {
        if (qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
            GTEST_SKIP() << "QUILLON_PHONE not set";
        const QString port = StartPhone(phone, phoneArgs);
        ASSERT_FALSE(port.isEmpty());
        qputenv("QUILLON_COM1", port.toLocal8Bit());
        form = std::make_unique<TForm1>();
        form->SetTickInterval(2); // the telephone answers at once (--fast)
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        EXPECT_FALSE(Ui(*form).Act.ProbeLine->isEnabled());
        QTest::keyClick(form.get(), Qt::Key_F9);
        ASSERT_TRUE(form->COM.Connected());
        EXPECT_TRUE(Ui(*form).Act.ProbeLine->isEnabled());
    }
    void TearDown() override
    {
        form.reset();
        phone.terminate();
        phone.waitForFinished(5000);
        qunsetenv("QUILLON_COM1");
    }
};

TEST_F(ProbeWindow, AnAnsweringTelephoneGoesToPanelOneWithoutABox)
{
    ASSERT_NO_FATAL_FAILURE(Open({"--fast"}));
    BoxAnswerer boxes;
    Ui(*form).Act.ProbeLine->trigger();
    ASSERT_TRUE(WaitFor([&] { return !form->StatusText(1).isEmpty(); }, 5000));
    EXPECT_TRUE(form->StatusText(1).contains(QRegularExpression("^Связь есть \\(\\d+ мс\\)$")))
        << form->StatusText(1).toStdString();
    WaitFor([] { return false; }, 100);
    EXPECT_TRUE(boxes.texts.isEmpty());

    // Not while a job runs.
    Ui(*form).Act.Read258->trigger();
    ASSERT_TRUE(WaitFor([&] { return Ui(*form).Act.CancelProg->isEnabled(); }, 5000));
    EXPECT_FALSE(Ui(*form).Act.ProbeLine->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 20000));
    EXPECT_TRUE(Ui(*form).Act.ProbeLine->isEnabled());
}

TEST_F(ProbeWindow, NoEchoShowsTheRemedy)
{
    ASSERT_NO_FATAL_FAILURE(Open({"--fast", "--fault", "no-echo"}));
    BoxAnswerer boxes;
    BlockWatch watch;
    // The menu item, as a person reaches it, from the event loop.
    QTimer::singleShot(0, Ui(*form).Act.ProbeLine, &QAction::trigger);
    ASSERT_TRUE(WaitFor([&] { return !form->StatusText(1).isEmpty(); }, 5000));
    EXPECT_EQ(form->StatusText(1), "Нет эха");
    // The 1.6 s without an echo passed with the window free.
    EXPECT_LT(watch.LongestMs(), 50);
    ASSERT_TRUE(WaitFor([&] { return !boxes.texts.isEmpty(); }, 5000));
    EXPECT_TRUE(boxes.texts[0].startsWith("COM1 (")) << boxes.texts[0].toStdString();
    EXPECT_TRUE(boxes.texts[0].contains("питание преобразователя"));
    EXPECT_TRUE(form->COM.Connected());
}

// The probe waits on events: the window's timers go on and Esc ends it.
TEST_F(ProbeWindow, TheWindowRunsOnWhileTheProbeWaitsAndEscEndsIt)
{
    ASSERT_NO_FATAL_FAILURE(Open({"--fast", "--fault", "no-echo"}));
    BoxAnswerer boxes;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    Ui(*form).Act.ProbeLine->trigger();
    EXPECT_TRUE(form->Session.ProbeRuns());
    EXPECT_FALSE(Ui(*form).Act.Read258->isEnabled()); // no job meanwhile
    ASSERT_TRUE(WaitFor([&] { return ticks >= 3; }, 5000));
    EXPECT_TRUE(form->Session.ProbeRuns());
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->Session.ProbeRuns());
    EXPECT_EQ(form->StatusText(1), "Проверка прервана");
    WaitFor([] { return false; }, 50);
    EXPECT_TRUE(boxes.texts.isEmpty()); // a cancel is no fault
    EXPECT_TRUE(Ui(*form).Act.Read258->isEnabled());
}

// A verify reads into a copy: the image and what shows it stay as they are,
// and only a plain whole read is kept as a backup.
TEST(Session, AVerifyComparesWithoutTouchingTheImage)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
        GTEST_SKIP() << "QUILLON_PHONE not set";
    QProcess phone;
    const QString port = StartPhone(phone, {"--fast"});
    ASSERT_FALSE(port.isEmpty());
    QuietWindow view;
    EepromImage image;
    ProgrammingSession session(image);
    session.Driver.Timer1.setInterval(2);
    session.COM.Port = port;
    session.COM.Open();
    std::optional<JobOutcome> outcome;
    const auto run = [&](JobRequest request) {
        outcome.reset();
        session.Start(request, view, [&](const JobOutcome &o) { outcome = o; });
        return WaitFor([&] { return outcome.has_value(); }, 30000);
    };
    JobRequest block;
    block.job = EngineJob::ReadBlock;

    ASSERT_TRUE(run(block));
    ASSERT_TRUE(outcome->completed);
    EXPECT_FALSE(outcome->backupTaken); // a block is not the whole EEPROM
    const EepromImage read = image;
    EepromImage expected = read;
    expected[0x31] ^= 0x0101;
    expected[0x3E] ^= 0x8000;
    const int refreshes = view.refreshes;
    JobRequest verify = block;
    verify.image = &expected;
    verify.verify = true;
    ASSERT_TRUE(run(verify));
    ASSERT_TRUE(outcome->completed);
    EXPECT_TRUE(outcome->verify);
    EXPECT_FALSE(outcome->backupTaken);
    ASSERT_EQ(outcome->diffs.size(), 2u);
    EXPECT_EQ(outcome->diffs[0].addr, 0x31);
    EXPECT_EQ(outcome->diffs[0].a, expected[0x31]);
    EXPECT_EQ(outcome->diffs[0].b, read[0x31]);
    EXPECT_EQ(outcome->diffs[1].addr, 0x3E);
    EXPECT_EQ(image, read);
    EXPECT_EQ(view.refreshes, refreshes);

    session.COM.Close();
    phone.terminate();
    phone.waitForFinished(5000);
}

TEST(PortListWindow, MarksThePresentPortsAndNamesTheUnreachedAdapter)
{
    FakeSystem sys;
    qputenv("QUILLON_SYSROOT", sys.root().toLocal8Bit());
    TForm1 form;
    qunsetenv("QUILLON_SYSROOT");
    ASSERT_EQ(Ui(form).ComboBox1->count(), 15);
    for (int i = 0; i < 15; ++i) {
        const QString name = QStringLiteral("COM%1").arg(i + 1);
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(Ui(form).ComboBox1->itemText(i), name);
        const bool present = name == "COM1" || name == "COM5" || name == "COM6";
        EXPECT_EQ(Ui(form).ComboBox1->itemData(i, TForm1::PresentRole).toBool(), present);
        const QString tip = Ui(form).ComboBox1->itemData(i, Qt::ToolTipRole).toString();
        EXPECT_TRUE(tip.startsWith(PortDevicePath(name) + ": ")) << tip.toStdString();
        EXPECT_EQ(tip.endsWith("нет устройства"), !present) << tip.toStdString();
    }
    EXPECT_EQ(Ui(form).ComboBox1->itemData(4, Qt::ToolTipRole).toString(),
              "/dev/ttyUSB0: FTDI FT232R USB UART, драйвер ftdi_sio, USB 0403:6001, серийный номер A1B2C3");
    EXPECT_TRUE(Ui(form).ComboBox1->toolTip().contains(
        "Адаптер /dev/ttyACM0 (Arduino (www.arduino.cc) Uno, драйвер cdc_acm, USB 2341:0043, серийный номер 7563) "
        "не виден ни под одним именем COM; чтобы он стал виден, запустите программу с "
        "QUILLON_COM2=/dev/serial/by-id/usb-Arduino__www.arduino.cc__0043_7563-if00"))
        << Ui(form).ComboBox1->toolTip().toStdString();
}

// The README's emulator on COM1 (a pseudo-terminal named by QUILLON_COM1): it
// is present under its name, and no advice offers to replace that setting.
TEST(PortListWindow, SettingsInForceAndPseudoTerminalsCount)
{
    FakeSystem sys;
    QDir(sys.root()).mkpath("dev/pts");
    QFile(sys.root() + "/dev/pts/3").open(QIODevice::WriteOnly);
    qputenv("QUILLON_SYSROOT", sys.root().toLocal8Bit());
    qputenv("QUILLON_COM1", "/dev/pts/3");
    TForm1 form;
    qunsetenv("QUILLON_SYSROOT");
    EXPECT_TRUE(Ui(form).ComboBox1->itemData(0, TForm1::PresentRole).toBool());
    EXPECT_EQ(Ui(form).ComboBox1->itemData(0, Qt::ToolTipRole).toString(),
              "/dev/pts/3: псевдотерминал (задано QUILLON_COM1)");
    // The board port COM1 no longer reaches is offered the first free name.
    const QString tip = Ui(form).ComboBox1->toolTip();
    EXPECT_TRUE(tip.contains("Адаптер /dev/ttyS0 (порт на плате, драйвер serial8250) не виден ни под одним именем "
                             "COM; чтобы он стал виден, запустите программу с QUILLON_COM2=/dev/ttyS0"))
        << tip.toStdString();
    EXPECT_FALSE(tip.contains("QUILLON_COM1=")) << tip.toStdString();

    if (!qEnvironmentVariableIsEmpty("QUILLON_CLI")) {
        QProcessEnvironment env;
        env.insert("QUILLON_SYSROOT", sys.root());
        const Ran text = RunQuillonCli({"ports"}, {env});
        ASSERT_EQ(text.code, 0) << text.err.toStdString();
        EXPECT_TRUE(text.out.contains("no COM name reaches it; run with QUILLON_COM2=/dev/ttyS0\n"))
            << text.out.toStdString();
        EXPECT_TRUE(text.out.contains("Settings in force:\n  COM1  QUILLON_COM1=/dev/pts/3: pseudo-terminal\n"))
            << text.out.toStdString();
        const QJsonObject o = QJsonDocument::fromJson(RunQuillonCli({"ports", "--json"}, {env}).out.toUtf8()).object();
        const QJsonObject setting = o["settings"].toArray()[0].toObject();
        EXPECT_EQ(setting["com"].toString(), "COM1");
        EXPECT_TRUE(setting["pseudo_terminal"].toBool());
        EXPECT_TRUE(setting["present"].toBool());
    }
    qunsetenv("QUILLON_COM1");
}
