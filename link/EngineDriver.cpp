#include "link/EngineDriver.h"

#include "link/PortNotifier.h"

#include <exception>

EngineDriver::EngineDriver(ProgrammingEngine &engine, TCustomComPort &port, QObject *parent)
    : QObject(parent), Engine(engine), Port(port)
{
    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.setInterval(kTickMs);
    connect(&Timer1, &QTimer::timeout, this, [this] { Run(OnTimer1 ? OnTimer1 : [this] { Tick(); }); });

    FPortBeforeClose = Port.OnBeforeClose;
    Port.OnBeforeClose = [this] {
        ReleasePort();
        if (FPortBeforeClose)
            FPortBeforeClose();
    };
}

EngineDriver::~EngineDriver()
{
    Port.OnBeforeClose = FPortBeforeClose;
}

void EngineDriver::StartJob(EngineJob job, uint8_t selectedAddr)
{
    Engine.StartJob(job, selectedAddr);
    JobRunning = true;
    // The port may have been reopened (another descriptor) since the last job.
    ReleasePort();
    if (Port.Connected()) {
        Notifier = new PortNotifier(Port, this);
        connect(Notifier, &PortNotifier::activated, this, [this] { PortReadable(); });
    }
    Timer1.start();
    emit JobStarted();
    PostStep();
}

void EngineDriver::Tick()
{
    Engine.Tick();
    Step();
}

void EngineDriver::Step()
{
    if (Stepping || (Engine.Active && !Port.Connected()))
        return;
    Stepping = true;
    try {
        Engine.EngineStep();
    } catch (...) {
        // A port error: the engine has ended the job, and its end is told
        // (from here, not while the stack unwinds) before the error goes on.
        Stepping = false;
        AfterStep();
        throw;
    }
    Stepping = false;
    AfterStep();
}

bool EngineDriver::Listening() const
{
    return Notifier && Notifier->isEnabled();
}

void EngineDriver::Run(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const std::exception &e) {
        const auto *portError = dynamic_cast<const EComPort *>(&e);
        LastErrorCode = portError ? portError->PlatformCode() : -1;
        if (OnError)
            OnError(QString::fromUtf8(e.what()));
        else
            qWarning("%s", e.what());
    }
}

void EngineDriver::AfterStep()
{
    if (!Engine.Active) {
        if (JobRunning) {
            JobRunning = false;
            ReleasePort();
            emit JobEnded(Engine.State == EngineState::Done);
        }
        return;
    }
    // Listen to the port only while a byte is awaited: a reply that waits in
    // the input during the pause after a command would otherwise wake us
    // without end.
    if (Notifier)
        Notifier->setEnabled(Engine.ReadsPort() && Port.Connected());
    if (Engine.StepDue())
        PostStep();
}

void EngineDriver::PostStep()
{
    if (FStepPosted)
        return;
    FStepPosted = true;
    QTimer::singleShot(0, this, [this] {
        FStepPosted = false;
        Run(OnIdle ? OnIdle : [this] { Step(); });
    });
}

void EngineDriver::PortReadable()
{
    Run(OnIdle ? OnIdle : [this] { Step(); });
    // Readable but no byte: a hung-up or failing device. Rest until the next
    // tick rather than being woken again at once.
    if (!Engine.LastStepGotByte && Notifier)
        Notifier->setEnabled(false);
}

// Stops the tick and lets go of the descriptor: at the end of a job, and
// before the port closes (a notifier on a closed descriptor makes the event
// loop complain of an invalid socket).
void EngineDriver::ReleasePort()
{
    Timer1.stop();
    if (!Notifier)
        return;
    Notifier->setEnabled(false);
    Notifier->deleteLater(); // it may be the sender of the step that got here
    Notifier = nullptr;
}
