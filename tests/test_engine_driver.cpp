// The engine driver on a real port (a pseudo-terminal) whose far end the test
// plays: a telephone that echoes every character at once.

#include "QuietWindow.h"
#include "WaitFor.h"
#include "link/EngineDriver.h"

#include <QSocketNotifier>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

class EchoingPhone {
public:
    int master = -1;
    QByteArray received;
    std::unique_ptr<QSocketNotifier> notifier;

    EchoingPhone()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            return;
        notifier = std::make_unique<QSocketNotifier>(master, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] {
            char buf[64];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) {
                received.append(buf, n);
                (void)!::write(master, buf, static_cast<size_t>(n));
            }
        });
    }
    ~EchoingPhone()
    {
        notifier.reset();
        if (master >= 0)
            ::close(master);
    }
    QString SlavePath() const { return QString::fromLocal8Bit(::ptsname(master)); }
};

} // namespace

// A step with work to do runs at once, not on the next tick: with Timer1 never
// firing, WriteCur still sends its whole command. (Only the pause after the
// CR needs ticks.)
TEST(EngineDriver, ACommandGoesOutAtThePaceOfItsEchoesNotOfTheTicks)
{
    EchoingPhone phone;
    ASSERT_GE(phone.master, 0);
    QuietWindow window;
    TComPort port;
    EepromImage image;
    image[0x3F] = 0xBEEF;
    ProgrammingEngine engine(window, port, image);
    EngineDriver driver(engine, port);
    bool ended = false, completed = false;
    QObject::connect(&driver, &EngineDriver::JobEnded, [&](bool ok) { ended = true; completed = ok; });
    port.Port = phone.SlavePath();
    port.Open();
    EXPECT_FALSE(driver.Timer1.isActive()); // idle: no tick

    driver.Timer1.setInterval(24 * 3600 * 1000);
    driver.StartJob(EngineJob::WriteCur, 0x3F);
    EXPECT_TRUE(driver.Timer1.isActive());
    const QByteArray command = "\rM3FBEEF\r";
    EXPECT_TRUE(WaitFor([&] { return phone.received == command; }, 5000)) << phone.received.constData();
    EXPECT_EQ(phone.received, command);
    EXPECT_TRUE(engine.Active);

    driver.Timer1.setInterval(1); // now the pause can pass
    ASSERT_TRUE(WaitFor([&] { return ended; }, 5000));
    EXPECT_TRUE(completed);
    EXPECT_FALSE(driver.Timer1.isActive());
    EXPECT_FALSE(driver.Listening());
    port.Close();
}
