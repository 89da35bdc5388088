// The end of a job records its undo step and what it put in safety (the
// session keeps every completed read of the whole EEPROM as a backup).
#include "app/Unit1.h"

#include "app/BackupsDialog.h"
#include "app/ErrorBox.h"
#include "image/Backups.h"
#include "image/IoErrorText.h"
#include "radio/InfoList.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace {

QAction *JobAction(TActions &act, EngineJob job)
{
    switch (job) {
    case EngineJob::Write258: return act.Write258;
    case EngineJob::Read258: return act.Read258;
    case EngineJob::WriteBlock: return act.WriteBlock;
    case EngineJob::ReadBlock: return act.ReadBlock;
    case EngineJob::WriteCur: return act.WriteCur;
    case EngineJob::ReadCur: return act.ReadCur;
    }
    return act.Read258;
}

} // namespace

void TForm1::JobStarting(EngineJob job)
{
    RunningJob = job;
    JobBefore = Doc.State();
    // A read job's changes, and any made meanwhile, are one step.
    if (!JobTable[static_cast<size_t>(job)].Writing)
        Doc.BeginGroup();
    UpdateUndoActions();
}

void TForm1::JobEnded(const JobOutcome &outcome)
{
    const bool completed = outcome.completed;
    if (!RunningJob)
        return;
    const EngineJob job = *RunningJob;
    RunningJob.reset();
    if (!JobTable[static_cast<size_t>(job)].Writing) {
        if (job == EngineJob::Read258 && completed)
            Doc.SetCoverage(ImageCoverage::Whole());
        else if (job != EngineJob::Read258)
            Doc.SetCoverage(Doc.State().coverage.AfterRead({outcome.first, outcome.last}));
        RefreshEntryBox(); // the box would show a word the grid no longer does
        // One step for the whole job, completed or not: undo puts back the
        // image as it was before the job started.
        Doc.EndGroup(JobAction(Act, job)->text());
        if (outcome.backupTaken)
            BackupRead(outcome);
    } else if (completed && outcome.diffs.empty()) {
        // The telephone now holds the words as they were when the job started
        // (it wrote from a copy), unless reading them back found otherwise.
        Doc.MarkWritten(JobBefore, outcome.first, outcome.last);
    }
    UpdateUndoActions();
}

void TForm1::BackupRead(const JobOutcome &outcome)
{
    const Backups::SaveResult &saved = outcome.backup;
    if (saved.error) {
        // The job stays completed; the panel says why there is no copy.
        ShowPanel1(QCoreApplication::translate("Quillon", "Копия не сохранена: ") + IoErrorText(saved.error),
                   QCoreApplication::translate("Quillon", "Резервная копия не сохранена в папку ")
                       + QDir::toNativeSeparators(outcome.backupFolder) + QStringLiteral(": ")
                       + IoErrorText(saved.error));
        return;
    }
    // The safety net is seen to work: the file by name, its folder in the tooltip.
    ShowPanel1(QCoreApplication::translate("Quillon", "Копия: ") + QFileInfo(saved.path).fileName(),
               QCoreApplication::translate("Quillon", "Резервная копия: ") + QDir::toNativeSeparators(saved.path));
    Doc.MarkSafe();
}

void TForm1::BackupsExecute()
{
    const QString folder = Backups::Folder();
    const auto unusable = [&](const IoError &why) {
        // Nothing to browse: say why rather than show another folder.
        ShowErrorBox(QCoreApplication::translate("Quillon", "Папка резервных копий %1 недоступна: %2")
                         .arg(QDir::toNativeSeparators(folder), IoErrorText(why)));
    };
    if (!QFileInfo(folder).isDir())
        if (const IoError made = MakeFolder(folder))
            return unusable(made);
    QList<Backups::Problem> problems;
    const QList<Backups::Entry> entries = Backups::List(folder, &problems);
    QStringList unreadable;
    for (const Backups::Problem &p : std::as_const(problems)) {
        if (p.path == folder)
            return unusable(p.error);
        unreadable << QStringLiteral("%1: %2").arg(QFileInfo(p.path).fileName(), IoErrorText(p.error));
    }
    TBackupsDialog dialog(folder, entries, unreadable, this);
    if (dialog.exec() == QDialog::Accepted && !dialog.ChosenPath().isEmpty()) {
        LoadFilePath(dialog.ChosenPath());
        TabSheet7Show();
    }
}
