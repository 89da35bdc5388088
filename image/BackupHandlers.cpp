// Every completed read of the whole EEPROM is kept as a backup; the end of a
// job records its undo step and what it put in safety.
#include "app/Unit1.h"

#include "image/Backups.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
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
    JobBefore = CurrentState();
    JobPort = COM.Port;
    UpdateUndoActions();
}

void TForm1::JobEnded(bool completed)
{
    if (!RunningJob)
        return;
    const EngineJob job = *RunningJob;
    RunningJob.reset();
    if (!JobTable[static_cast<size_t>(job)].Writing) {
        // One step for the whole job, completed or not: undo puts back the
        // image as it was before the job started.
        RecordStep(JobAction(Act, job)->text(), JobBefore);
        if (job == EngineJob::Read258 && completed)
            BackupRead();
    } else if (completed) {
        // The telephone now holds the words as they were when the job started
        // (an edit made meanwhile may not have gone out). The rest of the
        // image counts only if it was safe already.
        const int first = Engine.FirstAddr, last = Engine.LastAddr;
        for (const ImageState &safe : std::as_const(SafeStates)) {
            bool restSafe = true;
            for (int a = 0; a < EepromImage::kWords && restSafe; ++a)
                restSafe = (a >= first && a <= last) || safe.image[a] == JobBefore.image[a];
            if (restSafe) {
                MarkSafe(JobBefore);
                break;
            }
        }
    }
    UpdateUndoActions();
}

void TForm1::BackupRead()
{
    const QString folder = Backups::Folder();
    const Backups::SaveResult saved =
        Backups::Save(folder, Buf, DeviceModel(), JobPort, QDateTime::currentDateTime());
    if (saved.error) {
        // The job stays completed; the panel says why there is no copy.
        ShowPanel1(QStringLiteral("Копия не сохранена: ") + saved.error.Text(),
                   QStringLiteral("Резервная копия не сохранена в папку ") + QDir::toNativeSeparators(folder) + QStringLiteral(": ")
                       + saved.error.Text());
        return;
    }
    ShowPanel1(QString(), QStringLiteral("Резервная копия: ") + QDir::toNativeSeparators(saved.path));
    MarkSafe(CurrentState());
}

void TForm1::BackupsExecute()
{
    const QString folder = Backups::Folder();
    MakeFolder(folder); // so the dialog can start there; a failure shows as another folder
    LoadFileFrom(folder);
}
