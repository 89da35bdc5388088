// Windows error numbers get Windows words: which ones mean the adapter went
// away (the job then closes the port), and the CLI's remedy for each.

#include "cli/CliCore.h"
#include "cli/CliPorts.h"
#include "link/CPort.h"
#include "link/PortProbe.h"

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
