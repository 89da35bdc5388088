// What the telephone holds: the read-back after a write, what a write that
// did not complete left, and "Сравнить с телефоном".
#include "app/Unit1.h"

#include "app/ErrorBox.h"
#include "app/Settings.h"
#include "link/JobReport.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

void TForm1::CreateVerifyActions()
{
    Act.VerifyAfterWrite->setCheckable(true);
    Act.VerifyAfterWrite->setChecked(Settings::VerifyAfterWrite());
    // Marks say what the telephone or a file holds against these words: a
    // change of the words ends them.
    connect(&Doc, &ImageDocument::HistoryChanged, this, [this] {
        if (Marks.OutdatedBy(Doc.Image()))
            ClearMarksExecute();
    });
}

void TForm1::VerifyAfterWriteExecute()
{
    Settings::SetVerifyAfterWrite(Act.VerifyAfterWrite->isChecked());
}

void TForm1::CompareWithPhoneExecute()
{
    // A read into a copy: no undo step, the image and the grid stay.
    ShowPanel1(QString());
    ClearMarksExecute();
    JobRequest compare;
    compare.addr = SelectedAddr;
    compare.verify = true;
    Session.Start(compare, *this, [this](const JobOutcome &o) { JobFinished(o); });
}

void TForm1::ShowJobReport(const JobOutcome &outcome)
{
    const JobReport report = ReportJob(outcome);
    if (!report.panel.isEmpty() || !outcome.completed)
        ShowPanel1(report.panel, report.whole);
    MarkCells(report.marks);
    // Shown once the job's end has been dealt with (its undo step, the
    // driver's step), and not while the window closes.
    if (report.box.isEmpty() || CloseAfterJob || Terminating)
        return;
    QTimer::singleShot(0, this, [this, report] {
        QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), report.box, QMessageBox::Ok, this);
        box.setDetailedText(report.boxDetails);
        box.exec();
    });
}
