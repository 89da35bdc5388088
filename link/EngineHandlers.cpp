// The window's programming-engine handlers. The driving itself (Timer1, prompt
// steps, the port notifier) is EngineDriver's, shared with quillon-cli.
#include "app/Unit1.h"

void TForm1::Write258Execute()
{
    JobStarting(EngineJob::Write258);
    Driver.StartJob(EngineJob::Write258, SelectedAddr);
}

void TForm1::Read258Execute()
{
    JobStarting(EngineJob::Read258);
    Driver.StartJob(EngineJob::Read258, SelectedAddr);
}

void TForm1::WriteBlockExecute()
{
    JobStarting(EngineJob::WriteBlock);
    Driver.StartJob(EngineJob::WriteBlock, SelectedAddr);
}

void TForm1::ReadBlockExecute()
{
    JobStarting(EngineJob::ReadBlock);
    Driver.StartJob(EngineJob::ReadBlock, SelectedAddr);
}

void TForm1::WriteCurExecute()
{
    JobStarting(EngineJob::WriteCur);
    Driver.StartJob(EngineJob::WriteCur, SelectedAddr);
}

void TForm1::ReadCurExecute()
{
    JobStarting(EngineJob::ReadCur);
    Driver.StartJob(EngineJob::ReadCur, SelectedAddr);
}

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
