// The window's programming-engine handlers. The driving itself (Timer1, prompt
// steps, the port notifier) is EngineDriver's, shared with quillon-cli.
#include "app/Unit1.h"

#include "app/ErrorBox.h"
#include "app/TraceDialog.h"

#include <QAction>
#include <QCoreApplication>

#include "app/SeriesController.h"

// The undo step and the backup of a job start with its record.
void TForm1::StartJob(EngineJob job)
{
    JobStarting(job);
    Session.StartJob(job, SelectedAddr,
                     Act.VerifyAfterWrite->isChecked() ? ProgrammingSession::ThenVerify::Yes
                                                       : ProgrammingSession::ThenVerify::No);
}

void TForm1::Write258Execute()
{
    // Words no read brought in are FFFF only because nothing was there: the
    // telephone's own words would be erased by them.
    const ImageCoverage &coverage = Doc.State().coverage;
    if (coverage.Partial()
        && !AskYesNo(this, QCoreApplication::translate(
                               "Quillon", "Образ содержит не все слова (прочитаны только %1): записать всю EEPROM, "
                                          "включая слова FFFF?")
                               .arg(coverage.Text())))
        return;
    StartJob(EngineJob::Write258);
}
void TForm1::Read258Execute() { StartJob(EngineJob::Read258); }
void TForm1::WriteBlockExecute() { StartJob(EngineJob::WriteBlock); }
void TForm1::ReadBlockExecute() { StartJob(EngineJob::ReadBlock); }
void TForm1::WriteCurExecute() { StartJob(EngineJob::WriteCur); }
void TForm1::ReadCurExecute() { StartJob(EngineJob::ReadCur); }

void TForm1::CancelProgExecute()
{
    // Esc during a series ends the series, not just the unit's job.
    if (SeriesRuns())
        Series->Stop();
    else
        Session.Cancel();
}

void TForm1::ShowTraceExecute()
{
    TTraceDialog dialog(Session.Trace, *Dialogs, this);
    dialog.exec();
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
