#include "link/ProgrammingSession.h"

#include "radio/InfoList.h"

#include <QDateTime>

int SessionPort::Write(const void *buffer, int count)
{
    try {
        return Port.Write(buffer, count);
    } catch (const EComPort &e) {
        LastError = e;
        throw;
    }
}

int SessionPort::Read(void *buffer, int count)
{
    try {
        return Port.Read(buffer, count);
    } catch (const EComPort &e) {
        LastError = e;
        throw;
    }
}

ProgrammingSession::ProgrammingSession(IEngineWindow &view, EepromImage &image, QObject *parent)
    : QObject(parent), Engine(*this, Tap, image), Driver(Engine, COM), View(view), Image(image)
{
    // Before anything a front end connects: the outcome is complete by then.
    connect(&Driver, &EngineDriver::JobStarted, this, &ProgrammingSession::JobStarted);
    connect(&Driver, &EngineDriver::JobEnded, this, &ProgrammingSession::JobEnded);
    // A probe that waits lets go of the port before the port closes, as
    // the driver does.
    const std::function<void()> driverBeforeClose = COM.OnBeforeClose;
    COM.OnBeforeClose = [this, driverBeforeClose] {
        if (Probe)
            Probe->Cancel();
        if (driverBeforeClose)
            driverBeforeClose();
    };
}

ProgrammingSession::~ProgrammingSession()
{
    Probe.reset();
}

void ProgrammingSession::StartJob(EngineJob job, uint8_t selectedAddr)
{
    StartJobOn(job, selectedAddr, Image);
}

void ProgrammingSession::StartJobOn(EngineJob job, uint8_t selectedAddr, EepromImage &image)
{
    Verifying = false;
    JobImage = &image;
    Engine.UseImage(image);
    Begin(job, selectedAddr);
}

void ProgrammingSession::StartVerify(EngineJob readJob, uint8_t selectedAddr, const EepromImage &expected)
{
    Expected = expected;
    ReadBack.BlankBuf();
    Verifying = true;
    Engine.UseImage(ReadBack);
    Begin(readJob, selectedAddr);
}

void ProgrammingSession::Begin(EngineJob job, uint8_t selectedAddr)
{
    Outcome = JobOutcome();
    Outcome.job = job;
    Outcome.verify = Verifying;
    Tap.LastError.reset();
    JobPort = COM.Port;
    Driver.StartJob(job, selectedAddr);
}

void ProgrammingSession::Cancel()
{
    if (ProbeRuns())
        Probe->Cancel();
    else
        Driver.Cancel();
}

void ProgrammingSession::JobEnded(bool completed)
{
    Outcome.completed = completed;
    Outcome.fault = Engine.Fault;
    Outcome.first = Engine.FirstAddr;
    Outcome.last = Engine.LastAddr;
    Outcome.portError = Tap.LastError;
    const bool writing = JobTable[static_cast<size_t>(Outcome.job)].Writing;
    if (writing && !completed)
        Outcome.written = SplitWrite(Engine.FirstAddr, Engine.LastAddr, Engine.LastConfirmed, Engine.LastPossiblyTaken);
    const EepromImage &jobImage = *JobImage;
    JobImage = &Image;
    if (Verifying) {
        Verifying = false;
        Engine.UseImage(Image);
        if (completed)
            Outcome.diffs = DiffWords(Expected, ReadBack, Outcome.first, Outcome.last);
    } else if (Outcome.job == EngineJob::Read258 && completed && BackUpFullReads) {
        BackUp(jobImage);
    }
    Engine.UseImage(Image);
    NextBackupNote.clear();
    emit JobFinished(Outcome);
}

void ProgrammingSession::BackUp(const EepromImage &image)
{
    // Named after the device the image is, whatever the model says.
    const QString device = InfoList::Decode(image)[InfoList::RowDevice].value;
    Outcome.backupTaken = true;
    Outcome.backupFolder = Backups::Folder();
    Outcome.backup = Backups::Save(Outcome.backupFolder, image, BackupModel(), JobPort, QDateTime::currentDateTime(),
                                   device, NextBackupNote);
}

void ProgrammingSession::RefreshBuf()
{
    if (!Verifying && JobImage == &Image)
        View.RefreshBuf();
}

// ---- the probe ----

bool ProgrammingSession::ProbeRuns() const
{
    return Probe && Probe->Running();
}

const ProbeResult &ProgrammingSession::LastProbe() const
{
    static const ProbeResult none;
    return Probe ? Probe->Result() : none;
}

void ProgrammingSession::StartProbe()
{
    if (!Probe) {
        Probe = std::make_unique<LineProbe>(COM);
        connect(Probe.get(), &LineProbe::Finished, this, &ProgrammingSession::ProbeEnded);
    }
    // The engine's echo limit at the tick it runs at (tests shorten the tick).
    Probe->LimitMs = EngineLimits::EchoTicks * Driver.Timer1.interval();
    // As a job does: nothing else starts meanwhile, Esc ends it.
    View.DisablePortActions();
    View.SetCancelEnabled(true);
    Probe->Start();
}

void ProgrammingSession::ProbeEnded()
{
    View.SetCancelEnabled(false);
    if (COM.Connected())
        View.EnablePortActions();
    emit ProbeFinished(Probe->Result());
}

void ProgrammingSession::RethrowProbeError() const
{
    if (Probe && Probe->Error())
        std::rethrow_exception(Probe->Error());
}
