// The window's programming-engine handlers. The driving itself (Timer1, prompt
// steps, the port notifier) is EngineDriver's, shared with quillon-cli.
#include "app/Unit1.h"

#include "app/ErrorBox.h"
#include "app/TraceDialog.h"
#include "link/JobReport.h"

#include <QAction>
#include <QCoreApplication>
#include <QTimer>

#include "app/SeriesController.h"

// The undo step and the backup of a job start with its record.
void TForm1::StartJob(EngineJob job)
{
    JobStarting(job);
    JobRequest request;
    request.job = job;
    request.addr = SelectedAddr;
    request.verify = JobTable[static_cast<size_t>(job)].Writing && Act.VerifyAfterWrite->isChecked();
    Session.Start(request, *this, [this](const JobOutcome &o) { JobFinished(o); });
}

void TForm1::JobFinished(const JobOutcome &outcome)
{
    SafeCall([&] { ShowJobReport(outcome); });
    SafeCall([&] { JobEnded(outcome); });
    if (outcome.portError) {
        const bool writeCut = !outcome.completed && JobTable[static_cast<size_t>(outcome.job)].Writing;
        SafeCall([&] { PortErrorDuringJob(*outcome.portError, writeCut ? PartialWriteText(outcome.written) : QString()); });
    }
    // A close that waited for a cancelled write goes on once it has ended.
    QTimer::singleShot(0, this, [this] {
        if (CloseAfterJob)
            QTimer::singleShot(0, this, [this] {
                CloseAfterJob = false;
                close();
            });
    });
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

// A port error ends the job; its outcome carries the error to the report.
void TForm1::Timer1Timer()
{
    try {
        Driver.Tick();
    } catch (const EComPort &) { }
}

void TForm1::ApplicationEvents1Idle()
{
    try {
        Driver.Step();
    } catch (const EComPort &) { }
}

void TForm1::SetTickInterval(int ms)
{
    Driver.Timer1.setInterval(ms);
}
