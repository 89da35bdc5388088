#include "link/PortNotifier.h"

#include <QMetaObject>
#include <QTimer>
#include <QWinEventNotifier>

#include <windows.h>

struct PortNotifier::Private {
    explicit Private(TCustomComPort &p) : port(p), device(static_cast<HANDLE>(p.Handle())) {}

    TCustomComPort &port;
    HANDLE device;
    bool enabled = false;
    bool commEventWorks = true; // until the driver refuses WaitCommEvent
    bool waitPending = false;
    DWORD mask = 0;
    OVERLAPPED overlapped {};
    QWinEventNotifier *event = nullptr;
    QTimer poll;

    bool BytesWaiting() const
    {
        try {
            return port.InputCount() > 0;
        } catch (...) {
            return true; // a failing device: the next Read reports it
        }
    }

    // Waits for the end of the pending comm-event wait, cancelling it.
    void CancelWait()
    {
        if (!waitPending)
            return;
        ::CancelIoEx(device, &overlapped);
        DWORD unused = 0;
        ::GetOverlappedResult(device, &overlapped, &unused, TRUE);
        waitPending = false;
        ::ResetEvent(overlapped.hEvent);
    }

    void GiveUpCommEvent()
    {
        CancelWait();
        commEventWorks = false;
        event->setEnabled(false);
        ::SetCommMask(device, 0);
    }
};

PortNotifier::PortNotifier(TCustomComPort &port, QObject *parent) : QObject(parent), d(new Private(port))
{
    d->overlapped.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!d->overlapped.hEvent || !::SetCommMask(d->device, EV_RXCHAR))
        d->commEventWorks = false;
    if (d->overlapped.hEvent) {
        d->event = new QWinEventNotifier(d->overlapped.hEvent, this);
        d->event->setEnabled(false);
        connect(d->event, &QWinEventNotifier::activated, this, [this] {
            if (d->waitPending) {
                DWORD unused = 0;
                if (!::GetOverlappedResult(d->device, &d->overlapped, &unused, FALSE)) {
                    if (::GetLastError() == ERROR_IO_INCOMPLETE)
                        return;
                    // wine on a pseudo-terminal ends the wait at once with an
                    // error unless a byte waits already: poll instead.
                    d->waitPending = false;
                    d->GiveUpCommEvent();
                    if (d->enabled)
                        d->poll.start();
                    return;
                }
                d->waitPending = false;
            }
            ::ResetEvent(d->overlapped.hEvent);
            if (!d->enabled)
                return;
            emit activated();
            if (d->enabled)
                setEnabled(true); // wait for the next byte
        });
    }
    d->poll.setTimerType(Qt::PreciseTimer);
    d->poll.setInterval(1);
    connect(&d->poll, &QTimer::timeout, this, [this] {
        if (d->BytesWaiting())
            emit activated();
    });
}

PortNotifier::~PortNotifier()
{
    // The port may be closed by now: only our own objects are let go here.
    delete d->event;
    if (d->overlapped.hEvent)
        ::CloseHandle(d->overlapped.hEvent);
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
        ::ResetEvent(d->overlapped.hEvent);
        if (::WaitCommEvent(d->device, &d->mask, &d->overlapped)) {
            ::SetEvent(d->overlapped.hEvent); // an event already: report it from the loop
        } else if (::GetLastError() == ERROR_IO_PENDING) {
            d->waitPending = true;
        } else {
            d->GiveUpCommEvent();
            d->poll.start();
            return;
        }
    }
    d->event->setEnabled(true);
    // A byte that came before the wait began raises no event of its own.
    if (d->BytesWaiting())
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
