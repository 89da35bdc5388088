#pragma once

// Tells when bytes wait in an open port's input queue, for as long as it is
// enabled (the engine driver enables it only while a job awaits a byte).
// Linux: a socket notifier on the tty. Windows: the comm event (EV_RXCHAR)
// where the driver supports waiting for it, otherwise a 1 ms poll of the
// input count, which runs only while enabled. No call waits without a limit:
// a comm-event wait that a driver will not end when cancelled is left to end
// in its own time, and the notifier polls from then on.

#include "link/CPort.h"

#include <QObject>
#include <memory>

class CommEventWait;

class PortNotifier : public QObject {
    Q_OBJECT

public:
    // The port must be open; the notifier is created disabled and must be
    // disabled before the port closes.
    explicit PortNotifier(TCustomComPort &port, QObject *parent = nullptr);
    // Over a given comm-event wait (a test's); the one above waits on the
    // port's. Windows only: the other systems have no comm events.
    explicit PortNotifier(std::unique_ptr<CommEventWait> wait, QObject *parent = nullptr);
    ~PortNotifier() override;

    void setEnabled(bool enabled);
    bool isEnabled() const;

signals:
    // Bytes wait (or the device failed: the next Read tells which).
    void activated();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
