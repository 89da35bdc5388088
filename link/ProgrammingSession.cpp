#include "link/ProgrammingSession.h"

#include "radio/InfoList.h"

#include <QDateTime>

#include <utility>

int SessionPort::Write(const void *buffer, int count)
{
    try {
        const int written = Port.Write(buffer, count);
        for (int i = 0; i < written; ++i)
            Trace.Sent(static_cast<const char *>(buffer)[i]);
        return written;
    } catch (const EComPort &e) {
        LastError = e;
        throw;
    }
}

int SessionPort::Read(void *buffer, int count)
{
    try {
        const int got = Port.Read(buffer, count);
        for (int i = 0; i < got; ++i)
            Trace.Received(static_cast<const char *>(buffer)[i]);
        return got;
    } catch (const EComPort &e) {
        LastError = e;
        throw;
    }
}

namespace {

// Before the first job: nothing to show it on.
GaugeView g_noView;

} // namespace

ProgrammingSession::ProgrammingSession(EepromImage &image, QObject *parent)
    : QObject(parent), Engine(*this, Tap, image), Driver(Engine, COM), View(&g_noView), Image(image)
{
    connect(&Driver, &EngineDriver::JobEnded, this, &ProgrammingSession::JobEnded);
    // A port error that ends a job goes to the one who asked, in its
    // outcome; the driver has nothing more to say of it.
    Driver.OnError = [this](const QString &message) {
        if (!Tap.LastError)
            qWarning("%s", qPrintable(message));
    };
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

void ProgrammingSession::Start(const JobRequest &request, IEngineWindow &view, JobDone done)
{
    EepromImage &image = request.image ? *request.image : Image;
    const JobSpec &spec = JobTable[static_cast<size_t>(request.job)];
    Verifying = request.verify && !spec.Writing;
    CheckPending = request.verify && spec.Writing;
    BackUpRead = request.backup;
    BackupNote = request.note;
    if (Verifying) {
        Expected = image;
        ReadBack.BlankBuf();
        JobImage = &Image;
        Engine.UseImage(ReadBack);
    } else if (spec.Writing) {
        JobImage = &image;
        Sent = image;
        Engine.UseImage(Sent);
    } else {
        JobImage = &image;
        Engine.UseImage(image);
    }
    // The read job of a write is the one after it in the table.
    GaugeAfter = CheckPending ? JobTable[static_cast<size_t>(request.job) + 1].GaugeMax : 0;
    Begin(request.job, request.addr, view, std::move(done));
}

void ProgrammingSession::Begin(EngineJob job, uint8_t selectedAddr, IEngineWindow &view, JobDone done)
{
    View = &view;
    Done = std::move(done);
    Checking = false;
    GaugeBase = 0;
    JobAddr = selectedAddr;
    Outcome = JobOutcome();
    Outcome.job = job;
    Outcome.verify = Verifying;
    Tap.LastError.reset();
    JobPort = COM.Port;
    Driver.StartJob(job, selectedAddr);
    Trace.Begin(TraceHeading(QStringLiteral("%1%2 %3-%4")
                                 .arg(JobTable[static_cast<size_t>(job)].Writing ? QStringLiteral("write")
                                                                                 : QStringLiteral("read"),
                                      Verifying ? QStringLiteral(" (verify)") : QString(), ByteToHex(Engine.FirstAddr),
                                      ByteToHex(Engine.LastAddr))),
                TraceLastJobOnly);
}

QString ProgrammingSession::TraceHeading(const QString &what) const
{
    return QStringLiteral("%1  %2  %3").arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs), COM.Port, what);
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
    if (Checking)
        return CheckEnded(completed);
    Outcome.completed = completed;
    Outcome.fault = Engine.Fault;
    Outcome.first = Engine.FirstAddr;
    Outcome.last = Engine.LastAddr;
    Outcome.portError = Tap.LastError;
    if (!completed)
        TraceFailure();
    const bool writing = JobTable[static_cast<size_t>(Outcome.job)].Writing;
    if (writing && !completed)
        Outcome.written = SplitWrite(Engine.FirstAddr, Engine.LastAddr, Engine.LastConfirmed, Engine.LastPossiblyTaken);
    if (CheckPending && completed) {
        // The same words read back, against what was sent; the view goes on
        // showing one job.
        CheckPending = false;
        Checking = true;
        Expected = Sent;
        ReadBack.BlankBuf();
        Engine.UseImage(ReadBack);
        GaugeBase = JobTable[static_cast<size_t>(Outcome.job)].GaugeMax;
        GaugeAfter = 0;
        Tap.LastError.reset();
        Driver.StartJob(static_cast<EngineJob>(static_cast<size_t>(Outcome.job) + 1), JobAddr);
        // The same trace goes on: the write and its check are one job.
        Trace.Begin(TraceHeading(QStringLiteral("read back %1-%2").arg(ByteToHex(Engine.FirstAddr), ByteToHex(Engine.LastAddr))),
                    false);
        return;
    }
    CheckPending = false;
    const EepromImage &jobImage = *JobImage;
    JobImage = &Image;
    Engine.UseImage(Image);
    if (Verifying) {
        Verifying = false;
        if (completed)
            Outcome.diffs = DiffWords(Expected, ReadBack, Outcome.first, Outcome.last);
    } else if (Outcome.job == EngineJob::Read258 && completed && BackUpRead) {
        BackUp(jobImage);
    }
    Finish();
}

// The one who asked hears of the end; it may start the next job from there.
void ProgrammingSession::Finish()
{
    const JobDone done = std::exchange(Done, nullptr);
    const JobOutcome outcome = Outcome;
    if (done)
        done(outcome);
}

void ProgrammingSession::CheckEnded(bool completed)
{
    Checking = false;
    GaugeBase = 0;
    JobImage = &Image;
    Engine.UseImage(Image);
    if (!completed)
        TraceFailure();
    Outcome.check = completed ? JobOutcome::Check::Completed : JobOutcome::Check::Failed;
    // The write completed whatever became of its check: the status says so,
    // the report says how the check ended.
    if (!completed)
        View->ShowStatus(EngineTexts::Completed);
    Outcome.checkFault = Engine.Fault;
    if (Tap.LastError)
        Outcome.portError = Tap.LastError;
    if (completed)
        Outcome.diffs = DiffWords(Expected, ReadBack, Outcome.first, Outcome.last);
    Finish();
}

// Where the job that just ended failed, and why: the port error, else the
// engine's fault.
void ProgrammingSession::TraceFailure()
{
    Trace.Fail(Tap.LastError ? Tap.LastError->Message() : FaultText(Engine.Fault));
}

void ProgrammingSession::BackUp(const EepromImage &image)
{
    // Named after the device the image is, whatever the model says.
    const DeviceKind device = InfoList::KindOf(image);
    Outcome.backupTaken = true;
    Outcome.backupFolder = Backups::Folder();
    Outcome.backup = Backups::Save(Outcome.backupFolder, image, BackupModel(), JobPort, QDateTime::currentDateTime(),
                                   device, BackupNote);
}

void ProgrammingSession::RefreshBuf()
{
    if (!Verifying && !Checking && JobImage == &Image)
        View->RefreshBuf();
}

// ---- the probe ----

bool ProgrammingSession::ProbeRuns() const
{
    return Probe && Probe->Running();
}

void ProgrammingSession::StartProbe(int echoes, IEngineWindow &view, ProbeDone done, const QString &openPort)
{
    View = &view;
    ProbeEnd = std::move(done);
    if (!Probe) {
        Probe = std::make_unique<LineProbe>(COM);
        connect(Probe.get(), &LineProbe::Finished, this, &ProgrammingSession::ProbeEnded);
    }
    // The engine's echo limit at the tick it runs at (tests shorten the tick).
    Probe->LimitMs = EngineLimits::EchoTicks * Driver.Timer1.interval();
    Probe->Echoes = echoes;
    Probe->OpenFirst = openPort;
    if (!openPort.isEmpty())
        COM.Port = openPort; // the trace's heading names it
    // As a job does: nothing else starts meanwhile, Esc ends it.
    View->DisablePortActions();
    View->SetCancelEnabled(true);
    Trace.Begin(TraceHeading(QStringLiteral("probe")), TraceLastJobOnly);
    Probe->SetTrace(&Trace);
    Probe->Start();
}

void ProgrammingSession::ProbeEnded()
{
    // As a job's failure: the port error, else the outcome.
    if (Probe->Result().lost)
        Trace.Fail(Probe->Result().lost->Message());
    else if (Probe->Result().outcome != ProbeOutcome::Answers)
        Trace.Fail(ProbeSummary(Probe->Result()));
    View->SetCancelEnabled(false);
    if (COM.Connected())
        View->EnablePortActions();
    const ProbeDone done = std::exchange(ProbeEnd, nullptr);
    const ProbeResult result = Probe->Result();
    if (done)
        done(result);
}
