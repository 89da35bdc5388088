// The Win32 backend of the port against quillon-phone, which runs on the Linux
// side of wine on a pseudo-terminal that wine's registry maps to a COM name
// (tools/test-windows.sh does that). QUILLON_TEST_COM names the port of a
// phone with words 00=1234 and 3F=ABCD; QUILLON_TEST_COM_HANGUP one that
// hangs up after the first character it receives; QUILLON_TEST_COM_SILENT a
// real UART with nothing attached. Without them the tests that need one skip. What only real Windows can show skips under wine.

#include "QuietWindow.h"
#include "WaitFor.h"
#include "link/CPort.h"
#include "link/EngineDriver.h"
#include "link/PortNames.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <windows.h>

namespace {

bool UnderWine()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

QString PhonePort(const char *variable)
{
    return qEnvironmentVariable(variable);
}

#define REQUIRE_PHONE(var, name)                                                                   \
    const QString name = PhonePort(var);                                                           \
    if (name.isEmpty())                                                                            \
        GTEST_SKIP() << var " is not set: no quillon-phone on a mapped COM port";

// Runs a job to its end (or 30 s); true when it completed.
bool RunJob(EngineDriver &driver, EngineJob job, bool *ended)
{
    bool completed = false;
    const auto c = QObject::connect(&driver, &EngineDriver::JobEnded, [&](bool ok) {
        *ended = true;
        completed = ok;
    });
    driver.StartJob(job, 0);
    WaitFor([&] { return *ended; }, 30000);
    QObject::disconnect(c);
    return completed;
}

} // namespace

TEST(ComPortWin, ComNamesOpenInTheDeviceNamespace)
{
    EXPECT_EQ(PortDevicePath(QStringLiteral("COM1")), QStringLiteral("\\\\.\\COM1"));
    EXPECT_EQ(PortDevicePath(QStringLiteral("COM12")), QStringLiteral("\\\\.\\COM12"));
    EXPECT_EQ(PortDevicePath(QStringLiteral("\\\\.\\COM3")), QStringLiteral("\\\\.\\COM3"));
    EXPECT_EQ(PortDevicePath(QStringLiteral("LPT1")), QString());
}

TEST(ComPortWin, OpenAppliesTheLineSettings)
{
    REQUIRE_PHONE("QUILLON_TEST_COM", com);
    TComPort COM;
    int opened = 0, closed = 0;
    COM.OnAfterOpen = [&] { ++opened; };
    COM.OnAfterClose = [&] { ++closed; };
    COM.Port = com;
    COM.Open();
    ASSERT_TRUE(COM.Connected());
    EXPECT_EQ(opened, 1);

    const HANDLE device = static_cast<HANDLE>(COM.Handle());
    DCB dcb {};
    dcb.DCBlength = sizeof dcb;
    ASSERT_TRUE(::GetCommState(device, &dcb));
    EXPECT_EQ(dcb.BaudRate, DWORD(CBR_300));
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    EXPECT_EQ(dcb.fDtrControl, DWORD(DTR_CONTROL_ENABLE));
    EXPECT_EQ(dcb.fRtsControl, DWORD(RTS_CONTROL_ENABLE));
    EXPECT_FALSE(dcb.fOutxCtsFlow);
    EXPECT_FALSE(dcb.fOutX);
    COMMTIMEOUTS t {};
    ASSERT_TRUE(::GetCommTimeouts(device, &t));
    EXPECT_EQ(t.ReadIntervalTimeout, MAXDWORD);
    EXPECT_EQ(t.ReadTotalTimeoutConstant, 0u);
    EXPECT_EQ(t.WriteTotalTimeoutMultiplier, 100u);
    EXPECT_EQ(t.WriteTotalTimeoutConstant, 1000u);

    COM.Open(); // already open: nothing
    EXPECT_EQ(opened, 1);
    COM.Close();
    EXPECT_FALSE(COM.Connected());
    EXPECT_EQ(COM.Handle(), nullptr);
    EXPECT_EQ(closed, 1);
    COM.Close();
    EXPECT_EQ(closed, 1);
}

TEST(ComPortWin, ReadNeverWaitsAndGetsTheEcho)
{
    REQUIRE_PHONE("QUILLON_TEST_COM", com);
    TComPort COM;
    COM.Port = com;
    COM.Open();
    char c = 0;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(COM.Read(&c, 1), 0);
    EXPECT_LT(clock.elapsed(), 500); // generous: wine's first calls are slow

    EXPECT_EQ(COM.Write("\r", 1), 1);
    QByteArray echo;
    WaitFor([&] {
        if (COM.Read(&c, 1) == 1)
            echo += c;
        return !echo.isEmpty();
    }, 3000);
    EXPECT_EQ(echo, QByteArray("\r"));
    COM.Close();
}

TEST(ComPortWin, AReadJobGetsTheTelephonesWords)
{
    REQUIRE_PHONE("QUILLON_TEST_COM", com);
    QuietWindow window;
    TComPort COM;
    EepromImage image;
    ProgrammingEngine engine(window, COM, image);
    EngineDriver driver(engine, COM);
    COM.Port = com;
    COM.Open();
    bool ended = false;
    EXPECT_TRUE(RunJob(driver, EngineJob::Read258, &ended));
    EXPECT_TRUE(ended);
    EXPECT_EQ(window.status, QStringLiteral("Завершено!"));
    EXPECT_EQ(image[0x00], 0x1234);
    EXPECT_EQ(image[0x3F], 0xABCD);
    EXPECT_EQ(image[0x20], 0xFFFF);
    EXPECT_FALSE(driver.Listening());
    COM.Close();
}

TEST(ComPortWin, AHangUpEndsTheJobAndThePortStillCloses)
{
    REQUIRE_PHONE("QUILLON_TEST_COM_HANGUP", com);
    QuietWindow window;
    TComPort COM;
    EepromImage image;
    ProgrammingEngine engine(window, COM, image);
    EngineDriver driver(engine, COM);
    QStringList errors;
    driver.OnError = [&](const QString &message) { errors << message; };
    COM.Port = com;
    COM.Open();
    bool ended = false;
    EXPECT_FALSE(RunJob(driver, EngineJob::Read258, &ended));
    EXPECT_TRUE(ended) << "the job did not end after the hang-up";
    EXPECT_FALSE(engine.Active);
    EXPECT_NO_THROW(COM.Close());
    EXPECT_FALSE(COM.Connected());
}

TEST(ComPortWin, ANameWithoutADeviceFailsWithWindowsCode2)
{
    if (UnderWine())
        GTEST_SKIP() << "wine: checked on real Windows only (wine opens unmapped COM names)";
    TComPort COM;
    COM.Port = QStringLiteral("COM199");
    try {
        COM.Open();
        FAIL() << "opened COM199";
    } catch (const EComPort &e) {
        EXPECT_EQ(e.Code(), ceOpen);
        EXPECT_EQ(e.PlatformCode(), ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(e.Message(), QStringLiteral("Unable to open com port (win error code: 2)"));
    }
    EXPECT_FALSE(COM.Connected());
}

TEST(ComPortWin, APortIsNeverShared)
{
    if (UnderWine())
        GTEST_SKIP() << "wine: checked on real Windows only (wine lets a second open through)";
    REQUIRE_PHONE("QUILLON_TEST_COM", com);
    TComPort first, second;
    first.Port = second.Port = com;
    first.Open();
    try {
        second.Open();
        FAIL() << "opened twice";
    } catch (const EComPort &e) {
        EXPECT_EQ(e.Code(), ceOpen);
        EXPECT_EQ(e.PlatformCode(), ERROR_ACCESS_DENIED);
    }
    first.Close();
}

// QUILLON_TEST_COM_SILENT: a real UART with nothing attached (wine's default
// COM1 on a machine that has one). Its driver ends no comm-event wait by
// itself, which is where a cancelled wait once held the thread for good.
TEST(ComPortWin, AJobWhereNothingAnswersEndsUnfinished)
{
    const QString com = PhonePort("QUILLON_TEST_COM_SILENT");
    if (com.isEmpty())
        GTEST_SKIP() << "QUILLON_TEST_COM_SILENT is not set: no UART without a telephone";
    QuietWindow window;
    TComPort COM;
    EepromImage image;
    ProgrammingEngine engine(window, COM, image);
    EngineDriver driver(engine, COM);
    COM.Port = com;
    COM.Open();
    bool ended = false;
    EXPECT_FALSE(RunJob(driver, EngineJob::Read258, &ended));
    EXPECT_TRUE(ended) << "the job did not end without an echo";
    EXPECT_EQ(window.status, EngineTexts::NotDone);
    EXPECT_FALSE(driver.Listening());
    // A second job on the same port: the first one's wait may still pend.
    ended = false;
    EXPECT_FALSE(RunJob(driver, EngineJob::Read258, &ended));
    EXPECT_TRUE(ended);
    EXPECT_NO_THROW(COM.Close());
}
