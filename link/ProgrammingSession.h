#pragma once

// One programming session: the port, the engine and its driver, and what a
// front end asks of them: the six jobs, a read-back compared with an image
// (verify), and the line probe. The window, quillon-cli and each lane of a
// series start jobs here; a completed read of the whole EEPROM is kept as a
// backup here, for all of them.
//
// Whoever starts a job or a probe names the view that shows it (gauge,
// status texts, actions) and is told how it ended, port error and all; the
// session passes the engine's calls on to that view, except that a verify's
// read-back leaves the image and its display alone.

#include "image/Backups.h"
#include "image/EepromImage.h"
#include "image/WordDiff.h"
#include "link/CPort.h"
#include "link/Engine.h"
#include "link/EngineDriver.h"
#include "link/PortProbe.h"
#include "link/WireTrace.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// How a job ended, as a front end reports it.
struct JobOutcome {
    EngineJob job = EngineJob::Read258;
    bool verify = false;    // the read-back of a verify (StartVerify)
    bool completed = false; // "Завершено!"
    FaultRecord fault;      // why not, as the engine decided it
    int first = 0;          // the words of the job
    int last = -1;
    // A port error ended the job (the device went away...).
    std::optional<EComPort> portError;
    // A write that did not complete: what the telephone took.
    WriteGroups written;
    // A completed verify: the words that read back otherwise.
    std::vector<WordDiff> diffs;
    // A completed write read back at once (a write request with verify): how
    // the read-back went. Completed: `diffs` holds what it found; Failed: it
    // ended on the line (checkFault, or portError), the write stands.
    enum class Check : uint8_t { None, Completed, Failed };
    Check check = Check::None;
    FaultRecord checkFault;
    // A completed read of the whole EEPROM: the backup, when one was taken.
    bool backupTaken = false;
    QString backupFolder;
    Backups::SaveResult backup;
};

// What a front end asks the session to run.
struct JobRequest {
    EngineJob job = EngineJob::Read258;
    uint8_t addr = 0; // the selected word, for the one-word jobs
    // Read into, or written from a copy taken at the start (an edit made
    // meanwhile never mixes into what the telephone gets). Null: the
    // session's own image, whose display the view refreshes; another image
    // (a series' unit) leaves that display alone.
    EepromImage *image = nullptr;
    // A read: compares what the telephone holds with the image, which stays
    // as it is. A write: reads the words back at once and compares them with
    // what was sent; one gauge and one outcome for both.
    bool verify = false;
    // A completed read of the whole EEPROM (not a verify's) is kept as a
    // backup, `note` put before its comment.
    bool backup = true;
    QString note;
};

// The engine's port as the session hands it over: every byte goes to the
// port and into the trace, and a port error is noted before it goes on.
class SessionPort : public IEnginePort {
public:
    SessionPort(TCustomComPort &port, WireTrace &trace) : Port(port), Trace(trace) {}
    int Write(const void *buffer, int count) override;
    int Read(void *buffer, int count) override;
    std::optional<EComPort> LastError;

private:
    TCustomComPort &Port;
    WireTrace &Trace;
};

class ProgrammingSession : public QObject, private IEngineWindow {
    Q_OBJECT

public:
    // image: what the jobs read into and write from unless a request names
    // another (the window's document, the CLI's file).
    explicit ProgrammingSession(EepromImage &image, QObject *parent = nullptr);
    ~ProgrammingSession() override;

    TComPort COM;
    // Every character of the jobs and probes, for a report of a failure.
    WireTrace Trace;
    SessionPort Tap{COM, Trace}; // the engine's side of the port
    ProgrammingEngine Engine;
    EngineDriver Driver;

    // The model a backup records.
    std::function<int()> BackupModel = [] { return 0; };
    // The trace keeps the last job only (the window), or every job (a
    // command of quillon-cli, which writes them all to --trace).
    bool TraceLastJobOnly = true;

    // Starts the job; `view` shows it until it ends, and `done` is told how
    // it ended (a port error that ended it included), from within the
    // driver's step: a caller that starts the next job defers it.
    using JobDone = std::function<void(const JobOutcome &)>;
    void Start(const JobRequest &request, IEngineWindow &view, JobDone done);
    // Sends a CR on the drained line and waits for its echo, on events.
    // echoes: how many round trips it measures (kLatencyEchoes where the
    // adapter's latency is judged); a port error that ended it is in its
    // result. openPort: the port is opened by this name first
    // (quillon-cli's probe, which opens it for the probe alone); an open that
    // fails ends the probe at once, as OpenFailed.
    using ProbeDone = std::function<void(const ProbeResult &)>;
    void StartProbe(int echoes, IEngineWindow &view, ProbeDone done, const QString &openPort = QString());
    // Cancels the job (at its next echo) or the probe (at once).
    void Cancel();

    bool JobRuns() const { return Engine.Active; }
    bool ProbeRuns() const;
    bool Busy() const { return JobRuns() || ProbeRuns(); }
    // The words the last verify read back (those of its range).
    const EepromImage &VerifyWords() const { return ReadBack; }

private:
    void Begin(EngineJob job, uint8_t selectedAddr, IEngineWindow &view, JobDone done);
    void Finish();
    QString TraceHeading(const QString &what) const;
    void JobEnded(bool completed);
    void CheckEnded(bool completed);
    void TraceFailure();
    void BackUp(const EepromImage &image);
    void ProbeEnded();

    // IEngineWindow, passed on to the view of the job or probe
    void DisablePortActions() override { View->DisablePortActions(); }
    void EnablePortActions() override { View->EnablePortActions(); }
    // A write and its read-back share one gauge: the read-back's counts
    // go on from where the write's maximum lies.
    void SetGaugeMax(int max) override { View->SetGaugeMax(GaugeBase + max + GaugeAfter); }
    void SetGaugeProgress(int progress) override { View->SetGaugeProgress(GaugeBase + progress); }
    int GaugeProgress() const override { return View->GaugeProgress() - GaugeBase; }
    void SetGaugeColor(GaugeColor color) override { View->SetGaugeColor(color); }
    void SetProgressPanelVisible(bool visible) override { View->SetProgressPanelVisible(visible); }
    void SetCancelEnabled(bool enabled) override { View->SetCancelEnabled(enabled); }
    void ShowStatus(const QString &text) override { View->ShowStatus(text); }
    void RefreshBuf() override;

    IEngineWindow *View; // the running job's or probe's, else one that shows nothing
    JobDone Done;
    ProbeDone ProbeEnd;
    bool BackUpRead = true;
    QString BackupNote;
    EepromImage &Image;
    EepromImage Sent;     // what a write job sends: the image as the job began
    EepromImage *JobImage = &Image; // what the running job reads into, or writes from a copy of
    EepromImage ReadBack; // a verify's words
    EepromImage Expected;
    bool Verifying = false;
    bool CheckPending = false; // a write whose read-back follows
    bool Checking = false;     // the read-back of a write runs
    uint8_t JobAddr = 0;
    int GaugeBase = 0, GaugeAfter = 0;
    JobOutcome Outcome;
    QString JobPort;
    std::unique_ptr<LineProbe> Probe;
};
