// The window's programming-engine handlers.
//
// How the engine is driven: Timer1 (16 ms) adds a tick and runs one step; a
// step also runs at once when the engine has work that waits for nothing
// (a queued call), and when a byte arrives while the engine is waiting for
// one (PortNotifier). Without a job only Timer1 runs.
#include "app/Unit1.h"

#include "app/ErrorBox.h"

#include <QSocketNotifier>

void TForm1::Write258Execute() { StartEngineJob(EngineJob::Write258); }
void TForm1::Read258Execute() { StartEngineJob(EngineJob::Read258); }
void TForm1::WriteBlockExecute() { StartEngineJob(EngineJob::WriteBlock); }
void TForm1::ReadBlockExecute() { StartEngineJob(EngineJob::ReadBlock); }
void TForm1::WriteCurExecute() { StartEngineJob(EngineJob::WriteCur); }
void TForm1::ReadCurExecute() { StartEngineJob(EngineJob::ReadCur); }

void TForm1::StartEngineJob(EngineJob job)
{
    Engine.StartJob(job, SelectedAddr);
    // The port may have been reopened (another descriptor) since the last job.
    delete PortNotifier;
    PortNotifier = nullptr;
    if (COM.Handle() >= 0) {
        PortNotifier = new QSocketNotifier(COM.Handle(), QSocketNotifier::Read, this);
        PortNotifier->setEnabled(false);
        connect(PortNotifier, &QSocketNotifier::activated, this,
                [this] { SafeCall([this] { PortNotifierActivated(); }); });
    }
    PostEngineStep();
}

void TForm1::CancelProgExecute()
{
    Engine.CancelProg();
}

void TForm1::Timer1Timer()
{
    Engine.Tick();
    ApplicationEvents1Idle();
}

void TForm1::ApplicationEvents1Idle()
{
    // Closing the window mid-job closes the port and ends the program; the
    // job is left as it is rather than failing on a closed port on the way out.
    if (EngineStepping || (Engine.Active && !COM.Connected()))
        return;
    EngineStepping = true;
    // Also when a port error leaves the step: the engine has ended the job by
    // then, and the error goes on to the error box.
    struct Finish {
        TForm1 *form;
        ~Finish()
        {
            form->EngineStepping = false;
            form->AfterEngineStep();
        }
    } finish{this};
    Engine.EngineStep();
}

void TForm1::AfterEngineStep()
{
    // Listen to the port only while a byte is awaited: a reply that waits in
    // the input during the pause after a command would otherwise wake us
    // without end.
    if (PortNotifier)
        PortNotifier->setEnabled(Engine.ReadsPort() && COM.Connected());
    if (Engine.StepDue())
        PostEngineStep();
}

void TForm1::PostEngineStep()
{
    if (EngineStepPosted)
        return;
    EngineStepPosted = true;
    QTimer::singleShot(0, this, [this] {
        EngineStepPosted = false;
        SafeCall([this] { ApplicationEvents1Idle(); });
    });
}

void TForm1::PortNotifierActivated()
{
    ApplicationEvents1Idle();
    // Readable but no byte: a hung-up or failing device. Rest until the next
    // tick rather than being woken again at once.
    if (!Engine.LastStepGotByte && PortNotifier)
        PortNotifier->setEnabled(false);
}

void TForm1::SetTickInterval(int ms)
{
    Timer1.setInterval(ms);
}
