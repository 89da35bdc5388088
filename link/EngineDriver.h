#pragma once

// Drives the programming engine from the Qt event loop; the window and
// quillon-cli use it alike, so a job takes the same time in both.
//
//  - Timer1 adds a tick and runs a step. It runs only while a job is active
//    (the engine sets Ticks to 0 when a job opens), so nothing of ours wakes
//    the program while it is idle.
//  - A step runs at once, queued, whenever the engine has work that waits for
//    neither a tick nor a byte: a command goes out at the pace of its echoes,
//    not of the ticks.
//  - A notifier on the port (PortNotifier) runs a step when a byte arrives
//    while the engine awaits one.
//  - EngineStep is never re-entered.

#include "link/CPort.h"
#include "link/Engine.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class PortNotifier;

class EngineDriver : public QObject {
    Q_OBJECT

public:
    // The real tick. The engine's limits are counted in ticks of nominally
    // 10 ms, which leave a 23-character reply at 300 bit/s no room; at 16 ms
    // the reply fits within the ticks the engine allows for it.
    static constexpr int kTickMs = 16;

    // Attaches itself to the port's before-close notification, so that it
    // stops listening to a descriptor before the descriptor is closed.
    EngineDriver(ProgrammingEngine &engine, TCustomComPort &port, QObject *parent = nullptr);
    ~EngineDriver() override;

    QTimer Timer1;

    // Fills the engine record for the job and starts driving it.
    void StartJob(EngineJob job, uint8_t selectedAddr);
    // The engine notices it at the next echo it awaits.
    void Cancel() { Engine.CancelProg(); }

    // Timer1's work: a tick, then a step.
    void Tick();
    // One engine step, unless a step is running or the job's port has been
    // closed under it (the job is then left as it is). A port error goes on
    // to the caller after the engine has ended the job.
    void Step();

    // What the driver's own notifications run: Timer1 runs OnTimer1, a
    // queued step and the port notifier run OnIdle. By default Tick() and
    // Step(); the window passes them through its handlers.
    std::function<void()> OnTimer1;
    std::function<void()> OnIdle;
    // A port error raised by what a notification ran. Without it, a warning.
    std::function<void(const QString &message)> OnError;
    // The port component's error number of the last error OnError got.
    int LastErrorCode = -1;

    bool StepPosted() const { return FStepPosted; }
    // The port notifier is enabled.
    bool Listening() const;

signals:
    // A job's record is filled; it has not stepped yet.
    void JobStarted();
    // The engine ended the job: completed ("Завершено!") or not ("Невыполнено...").
    void JobEnded(bool completed);

private:
    void Run(const std::function<void()> &handler);
    void AfterStep();
    void PostStep();
    void PortReadable();
    void ReleasePort();

    ProgrammingEngine &Engine;
    TCustomComPort &Port;
    std::function<void()> FPortBeforeClose; // the port's own handler, chained
    PortNotifier *Notifier = nullptr;
    bool Stepping = false;
    bool FStepPosted = false;
    bool JobRunning = false;
};
