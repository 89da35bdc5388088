// quillon-cli's Windows paths: error numbers get Windows words (which ones
// mean the adapter went away, and the remedy for each), and output files in
// folders whose names the ANSI code page cannot spell, and the writer that
// puts Russian and the progress line on a console.

#include "cli/CliCore.h"
#include "cli/CliInterrupt.h"
#include "cli/CliPorts.h"
#include "cli/CliOutput.h"
#include "link/CPort.h"
#include "link/PortNames.h"
#include "link/PortProbe.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <windows.h>

TEST(PortErrorsWin, EachCodeHasItsMeaningAndRemedy)
{
    const struct {
        int code;
        bool gone; // during a transfer
        const char *remedy;
    } table[] = {
        {ERROR_FILE_NOT_FOUND, false, "no such port"},
        {ERROR_INVALID_NAME, false, "not a Windows port name"},
        {ERROR_ACCESS_DENIED, true, "in use"},
        {ERROR_INVALID_FUNCTION, false, "not a serial port"},
        {ERROR_NOT_READY, true, "went away"},
        {ERROR_BAD_COMMAND, true, "went away"},
        {ERROR_GEN_FAILURE, true, "went away"},
        {ERROR_DEVICE_NOT_CONNECTED, true, "went away"},
        {ERROR_DEVICE_REMOVED, true, "went away"},
        {ERROR_SEM_TIMEOUT, false, ""},
    };
    for (const auto &row : table) {
        SCOPED_TRACE(row.code);
        EXPECT_EQ(DeviceGone(EComPort(ceWrite, row.code)), row.gone);
        EXPECT_FALSE(DeviceGone(EComPort(ceOpen, row.code)));
        const QString remedy = Cli::PortRemedy(row.code);
        EXPECT_TRUE(remedy.contains(QLatin1String(row.remedy))) << remedy.toStdString();
        for (const char *linuxWord : {"quillon-cli ports", "dialout", "dmesg", "brltty"})
            EXPECT_FALSE(remedy.contains(QLatin1String(linuxWord))) << remedy.toStdString();
    }
    EXPECT_TRUE(Cli::NoPortsText().contains(QLatin1String("Device Manager")));
}

TEST(OutputWin, AFolderWithACyrillicNameTakesTheImage)
{
    // Under code page 1252 (wine's with an English locale) the narrow calls
    // saw this folder as "??????" and refused it.
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString folder = temp.path() + QStringLiteral("/Прошивки");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(Cli::OutputProblem(folder + QStringLiteral("/телефон.e")), QString()) << ::GetACP();
    QFile existing(folder + QStringLiteral("/старый.e"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    EXPECT_EQ(Cli::OutputProblem(existing.fileName()), QString());
    EXPECT_EQ(Cli::OutputProblem(folder), Cli::IoErrorText(IoErrorFromErrno(EISDIR)));
    EXPECT_EQ(Cli::OutputProblem(folder + QStringLiteral("/нет/a.e")), QStringLiteral("No such folder"));
}

TEST(ConsoleWin, WithoutTheEraseSequenceBlanksCoverTheOldLine)
{
    EXPECT_EQ(Cli::RedrawnLine(QStringLiteral("Чтение 10%"), 14, QString()), QStringLiteral("\rЧтение 10%    "));
    EXPECT_EQ(Cli::RedrawnLine(QString(), 3, QString()), QStringLiteral("\r   \r"));
    EXPECT_EQ(Cli::RedrawnLine(QStringLiteral("ab"), 9, QStringLiteral("\033[K")), QStringLiteral("\rab\033[K"));
}

TEST(ConsoleWin, AFileOrPipeGetsUtf8)
{
    // The console path (WriteConsoleW) needs a console, which a test run has not.
    QTemporaryDir temp;
    const QByteArray name = QFile::encodeName(temp.filePath(QStringLiteral("out.txt")));
    std::FILE *file = std::fopen(name.constData(), "wb");
    ASSERT_TRUE(file);
    EXPECT_TRUE(WriteText(file, QStringLiteral("Невыполнено...\n")));
    std::fclose(file);
    QFile written(QString::fromLocal8Bit(name));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QStringLiteral("Невыполнено...\n").toUtf8());
}

TEST(PortNamesWin, DevicePathsAreWindowsOnes)
{
    EXPECT_EQ(Cli::PortArgument(QStringLiteral("\\\\.\\COM3")), QStringLiteral("\\\\.\\COM3"));
    EXPECT_EQ(Cli::PortArgument(QStringLiteral("com7")), QStringLiteral("COM7"));
    for (const char *bad : {"/dev/ttyUSB0", "\\\\.\\LPT1", "\\\\.\\COM", "C:\\COM3"})
        EXPECT_FALSE(Cli::PortArgument(QString::fromLatin1(bad))) << bad;
    EXPECT_TRUE(PortNamesAccepted().contains(QLatin1String("\\\\.\\COMn")));
}

// --port's help says what Windows takes, and nothing it refuses (an override
// by QUILLON_COMn, a device path with /).
TEST(PortNamesWin, ThePortsHelpPromisesOnlyWhatWindowsTakes)
{
    const QString help = QString::fromUtf8(Cli::kPortHelp);
    EXPECT_TRUE(help.contains(QLatin1String("\\\\.\\COMn"))) << help.toStdString();
    EXPECT_TRUE(Cli::PortArgument(QStringLiteral("\\\\.\\COM12")));
    for (const char *refused : {"QUILLON_COM", "device path", "/"})
        EXPECT_FALSE(help.contains(QLatin1String(refused))) << refused << " in: " << help.toStdString();
}

// A COM port of the system's list is present, nothing more: Windows keeps no
// permissions to judge by and `ports` opens no port (opening one toggles DTR
// and resets what hangs on it), so it claims neither "can open" nor access.
TEST(PortsWin, APortOfTheSystemsListIsPresentAndNoMore)
{
    Cli::PortEntry p;
    p.device.name = QStringLiteral("COM1");
    p.device.path = PortDevicePath(p.device.name);
    p.device.driver = QStringLiteral("\\Device\\Serial0");
    p.com = p.device.name;
    p.access = AccessOf(p.device, CurrentUserGroups());
    EXPECT_EQ(p.access.verdict, AccessVerdict::Unknown);
    Cli::PortsReport report;
    report.ports << p;
    const QString text = Cli::PortsText(report);
    EXPECT_TRUE(text.contains(QLatin1String("present (not opened; 'probe' opens it)"))) << text.toStdString();
    for (const char *claim : {"can open", "permissions"})
        EXPECT_FALSE(text.contains(QLatin1String(claim))) << claim << " in: " << text.toStdString();
    const QJsonObject port = Cli::PortsJson(report)[QLatin1String("ports")].toArray()[0].toObject();
    EXPECT_TRUE(port[QLatin1String("present")].toBool());
    EXPECT_EQ(port[QLatin1String("access")].toString(), QLatin1String("unknown"));
    EXPECT_FALSE(port.contains(QLatin1String("can_open")));
}
