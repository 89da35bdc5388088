#pragma once

// Windows only: what the port notifier (PortNotifierWin.cpp) waits on, the
// overlapped comm-event wait of an open port, behind a small interface so
// that a test can hand the notifier a wait that never ends (a serial driver
// that ignores the cancel does exactly that).

#include <memory>

class TCustomComPort;

class CommEventWait {
public:
    enum class Begun { Pending, Signalled, Refused };
    enum class State { Pending, Ended, Failed };

    virtual ~CommEventWait() = default;

    // Starts a wait for a received byte. Refused: the driver has no such
    // wait (or one is still pending), and the notifier polls instead.
    virtual Begun Begin() = 0;
    // The manual-reset event (a HANDLE) that is set when the wait ends.
    virtual void *Event() const = 0;
    virtual void ResetEvent() = 0;
    // Where the last wait stands, without waiting. Failed: it ended in an error.
    virtual State Collect() = 0;
    // Asks a pending wait to end. It may end later, or never: until Collect
    // says it has ended, its record must stay alive.
    virtual void Cancel() = 0;
    // Bytes wait in the input queue (or the device fails: the next Read says so).
    virtual bool BytesWaiting() = 0;
};

// The real wait on an open port's EV_RXCHAR.
std::unique_ptr<CommEventWait> NewCommEventWait(TCustomComPort &port);
