#include "link/PortNotifier.h"

#include "link/CommEventWait.h"

#include <QMetaObject>
#include <QTimer>
#include <QWinEventNotifier>

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

// How long a cancelled wait may take to end before it is left to end alone.
// Windows and wine end it within a few milliseconds; a faulty driver never.
constexpr DWORD kCancelLimitMs = 250;

class PortCommEventWait : public CommEventWait {
public:
    explicit PortCommEventWait(TCustomComPort &port) : FPort(port), FDevice(static_cast<HANDLE>(port.Handle()))
    {
        FOverlapped.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        FMaskSet = FOverlapped.hEvent && ::SetCommMask(FDevice, EV_RXCHAR);
    }
    ~PortCommEventWait() override
    {
        if (FOverlapped.hEvent)
            ::CloseHandle(FOverlapped.hEvent);
    }

    Begun Begin() override
    {
        if (!FMaskSet)
            return Begun::Refused;
        ::ResetEvent(FOverlapped.hEvent);
        if (::WaitCommEvent(FDevice, &FMask, &FOverlapped))
            return Begun::Signalled;
        return ::GetLastError() == ERROR_IO_PENDING ? Begun::Pending : Begun::Refused;
    }
    void *Event() const override { return FOverlapped.hEvent; }
    void ResetEvent() override { ::ResetEvent(FOverlapped.hEvent); }
    State Collect() override
    {
        // The record alone tells: the port may be closed by now.
        if (!HasOverlappedIoCompleted(&FOverlapped))
            return State::Pending;
        return FOverlapped.Internal == 0 ? State::Ended : State::Failed;
    }
    void Cancel() override
    {
        ::CancelIoEx(FDevice, &FOverlapped);
        // Setting the mask ends a pending wait too (wine's serial driver
        // ignores the cancel of this one, but not a new mask).
        ::SetCommMask(FDevice, EV_RXCHAR);
    }
    bool BytesWaiting() override
    {
        try {
            return FPort.InputCount() > 0;
        } catch (...) {
            return true; // a failing device: the next Read reports it
        }
    }

private:
    TCustomComPort &FPort;
    HANDLE FDevice;
    bool FMaskSet = false;
    DWORD FMask = 0;
    OVERLAPPED FOverlapped {};
};

// Waits that did not end when cancelled: the driver may still write their
// records, so they live until they end (or for the rest of the program).
std::vector<std::shared_ptr<CommEventWait>> &ParkedWaits()
{
    static auto *parked = new std::vector<std::shared_ptr<CommEventWait>>;
    return *parked;
}

void FreeEndedWaits()
{
    auto &parked = ParkedWaits();
    parked.erase(std::remove_if(parked.begin(), parked.end(),
                                [](const std::shared_ptr<CommEventWait> &w) {
                                    return w->Collect() != CommEventWait::State::Pending;
                                }),
                 parked.end());
}

} // namespace

std::unique_ptr<CommEventWait> NewCommEventWait(TCustomComPort &port)
{
    return std::make_unique<PortCommEventWait>(port);
}

struct PortNotifier::Private {
    // Shared with the parked waits once it does not end when cancelled; it
    // still tells the input count then.
    std::shared_ptr<CommEventWait> wait;
    bool enabled = false;
    bool commEventWorks = true; // until the driver refuses or ignores the wait
    bool waitPending = false;
    QWinEventNotifier *event = nullptr;
    QTimer poll;

    // Ends the pending wait, waiting at most kCancelLimitMs for it.
    void CancelWait()
    {
        if (!waitPending)
            return;
        waitPending = false;
        wait->Cancel();
        if (::WaitForSingleObject(static_cast<HANDLE>(wait->Event()), kCancelLimitMs) == WAIT_OBJECT_0 &&
            wait->Collect() != CommEventWait::State::Pending) {
            wait->ResetEvent();
            return;
        }
        // The driver ignores the cancel: a new wait would be refused while
        // this one pends, so poll from now on.
        commEventWorks = false;
        event->setEnabled(false);
        ParkedWaits().push_back(wait);
    }

    void GiveUpCommEvent()
    {
        CancelWait();
        commEventWorks = false;
        if (event)
            event->setEnabled(false);
    }
};

PortNotifier::PortNotifier(TCustomComPort &port, QObject *parent) : PortNotifier(NewCommEventWait(port), parent) {}

PortNotifier::PortNotifier(std::unique_ptr<CommEventWait> wait, QObject *parent) : QObject(parent), d(new Private)
{
    FreeEndedWaits();
    d->wait = std::move(wait);
    if (d->wait->Event()) {
        d->event = new QWinEventNotifier(static_cast<HANDLE>(d->wait->Event()), this);
        d->event->setEnabled(false);
        connect(d->event, &QWinEventNotifier::activated, this, [this] {
            if (!d->commEventWorks)
                return;
            if (d->waitPending) {
                const CommEventWait::State state = d->wait->Collect();
                if (state == CommEventWait::State::Pending)
                    return;
                d->waitPending = false;
                if (state == CommEventWait::State::Failed) {
                    // wine on a pseudo-terminal ends the wait at once with an
                    // error unless a byte waits already: poll instead.
                    d->GiveUpCommEvent();
                    if (d->enabled)
                        d->poll.start();
                    return;
                }
            }
            d->wait->ResetEvent();
            if (!d->enabled)
                return;
            emit activated();
            if (d->enabled)
                setEnabled(true); // wait for the next byte
        });
    } else {
        d->commEventWorks = false;
    }
    d->poll.setTimerType(Qt::PreciseTimer);
    d->poll.setInterval(1);
    connect(&d->poll, &QTimer::timeout, this, [this] {
        if (d->wait->BytesWaiting())
            emit activated();
    });
}

PortNotifier::~PortNotifier()
{
    // The port may be closed by now: only our own objects are let go here.
    delete d->event;
    d->event = nullptr;
    if (d->waitPending)
        ParkedWaits().push_back(d->wait);
}

void PortNotifier::setEnabled(bool enabled)
{
    d->enabled = enabled;
    if (!enabled) {
        d->poll.stop();
        if (d->event)
            d->event->setEnabled(false);
        d->CancelWait();
        return;
    }
    if (!d->commEventWorks) {
        d->poll.start();
        return;
    }
    if (!d->waitPending) {
        switch (d->wait->Begin()) {
        case CommEventWait::Begun::Signalled:
            ::SetEvent(static_cast<HANDLE>(d->wait->Event())); // an event already: report it from the loop
            break;
        case CommEventWait::Begun::Pending:
            d->waitPending = true;
            break;
        case CommEventWait::Begun::Refused:
            d->GiveUpCommEvent();
            d->poll.start();
            return;
        }
    }
    d->event->setEnabled(true);
    // A byte that came before the wait began raises no event of its own.
    if (d->wait->BytesWaiting())
        QMetaObject::invokeMethod(
            this, [this] {
                if (d->enabled)
                    emit activated();
            },
            Qt::QueuedConnection);
}

bool PortNotifier::isEnabled() const
{
    return d->enabled;
}
