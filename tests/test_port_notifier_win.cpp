// The Windows port notifier over a comm-event wait that a test controls: a
// serial driver may ignore the cancel of a pending wait (wine's does on a
// real UART), and the thread that disables the notifier must not wait for it.

#include "WaitFor.h"
#include "link/CommEventWait.h"
#include "link/PortNotifier.h"

#include <gtest/gtest.h>

#include <memory>
#include <windows.h>

namespace {

struct WaitLog {
    bool ended = false;     // the driver has let the wait go at last
    bool destroyed = false; // the wait's record was freed
    bool bytes = false;
    int begun = 0;
};

// A wait that pends until the test says it has ended; Cancel does nothing.
class StuckWait : public CommEventWait {
public:
    explicit StuckWait(WaitLog &log) : FLog(log) { FEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }
    ~StuckWait() override
    {
        FLog.destroyed = true;
        ::CloseHandle(FEvent);
    }
    Begun Begin() override
    {
        ++FLog.begun;
        return Begun::Pending;
    }
    void *Event() const override { return FEvent; }
    void ResetEvent() override { ::ResetEvent(FEvent); }
    State Collect() override { return FLog.ended ? State::Ended : State::Pending; }
    void Cancel() override {}
    bool BytesWaiting() override { return FLog.bytes; }

private:
    WaitLog &FLog;
    HANDLE FEvent;
};

} // namespace

TEST(PortNotifierWin, AWaitThatIgnoresTheCancelNeitherHoldsTheThreadNorIsFreedEarly)
{
    WaitLog log;
    {
        PortNotifier notifier(std::make_unique<StuckWait>(log));
        notifier.setEnabled(true);
        EXPECT_EQ(log.begun, 1);
        notifier.setEnabled(false); // returned: the thread is free again
        EXPECT_FALSE(notifier.isEnabled());

        // From now on the notifier polls the input count instead.
        int activations = 0;
        QObject::connect(&notifier, &PortNotifier::activated, [&] { ++activations; });
        notifier.setEnabled(true);
        EXPECT_EQ(log.begun, 1);
        log.bytes = true;
        EXPECT_TRUE(WaitFor([&] { return activations > 0; }, 10000));
        notifier.setEnabled(false);
    }
    EXPECT_FALSE(log.destroyed); // the driver may still write its record

    log.ended = true;
    WaitLog other;
    PortNotifier next(std::make_unique<StuckWait>(other)); // frees the waits that have ended
    EXPECT_TRUE(log.destroyed);
}
