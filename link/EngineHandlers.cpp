// The window's programming-engine handlers. The driving itself (Timer1, prompt
// steps, the port notifier) is EngineDriver's, shared with quillon-cli.
#include "app/Unit1.h"

void TForm1::Write258Execute() { Driver.StartJob(EngineJob::Write258, SelectedAddr); }
void TForm1::Read258Execute() { Driver.StartJob(EngineJob::Read258, SelectedAddr); }
void TForm1::WriteBlockExecute() { Driver.StartJob(EngineJob::WriteBlock, SelectedAddr); }
void TForm1::ReadBlockExecute() { Driver.StartJob(EngineJob::ReadBlock, SelectedAddr); }
void TForm1::WriteCurExecute() { Driver.StartJob(EngineJob::WriteCur, SelectedAddr); }
void TForm1::ReadCurExecute() { Driver.StartJob(EngineJob::ReadCur, SelectedAddr); }

void TForm1::CancelProgExecute()
{
    Driver.Cancel();
}

void TForm1::Timer1Timer()
{
    try {
        Driver.Tick();
    } catch (const EComPort &e) {
        PortErrorDuringJob(e);
    }
}

void TForm1::ApplicationEvents1Idle()
{
    try {
        Driver.Step();
    } catch (const EComPort &e) {
        PortErrorDuringJob(e);
    }
}

void TForm1::SetTickInterval(int ms)
{
    Driver.Timer1.setInterval(ms);
}
