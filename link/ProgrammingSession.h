#pragma once

// One programming session: the port, the engine and its driver, and what a
// front end asks of them: the six jobs, a read-back compared with an image
// (verify), and the line probe. The window and quillon-cli start jobs here
// and show what it reports; a completed read of the whole EEPROM is kept as
// a backup here, for both.
//
// The front end stays the engine's view (gauge, status texts, actions): the
// session passes the engine's calls on to it, except that a verify's
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
    // A completed write read back at once (StartJob's ThenVerify::Yes): how
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
    // view: shows the job (the window's gauge and status bar, the CLI's
    // progress line); image: the image the jobs read into and write from.
    ProgrammingSession(IEngineWindow &view, EepromImage &image, QObject *parent = nullptr);
    ~ProgrammingSession() override;

    TComPort COM;
    // Every character of the jobs and probes, for a report of a failure.
    WireTrace Trace;
    SessionPort Tap{COM, Trace}; // the engine's side of the port
    ProgrammingEngine Engine;
    EngineDriver Driver;

    // Backups of completed whole reads (not of a verify's): on unless a
    // front end was told otherwise; the model the backup records.
    bool BackUpFullReads = true;
    std::function<int()> BackupModel = [] { return 0; };
    // The trace keeps the last job only (the window), or every job (a
    // command of quillon-cli, which writes them all to --trace).
    bool TraceLastJobOnly = true;
    // Causes in the trace in Russian (the window) or English (quillon-cli).
    bool RussianTexts = true;

    // Starts one of the six jobs on the image. A write goes out from a copy
    // taken now, so that an edit made meanwhile never mixes into what the
    // telephone gets; with ThenVerify::Yes a completed write is read back
    // and compared with that copy, and JobFinished reports both as one.
    enum class ThenVerify : bool { No, Yes };
    void StartJob(EngineJob job, uint8_t selectedAddr, ThenVerify thenVerify = ThenVerify::No);
    // The same job on another image (a series' unit): the view's image and
    // its display are not touched; a completed whole read is backed up from it.
    void StartJobOn(EngineJob job, uint8_t selectedAddr, EepromImage &image, ThenVerify thenVerify = ThenVerify::No);
    // Reads the words of `readJob` into a scratch image and compares them
    // with `expected`; the image is not touched.
    void StartVerify(EngineJob readJob, uint8_t selectedAddr, const EepromImage &expected);
    // Sends a CR on the drained line and waits for its echo, on events.
    // echoes: how many round trips it measures (kLatencyEchoes where the
    // adapter's latency is judged). openPort: the port is opened by this name
    // first (quillon-cli's probe, which opens it for the probe alone); an
    // open that fails ends the probe at once, as OpenFailed.
    void StartProbe(int echoes = 1, const QString &openPort = QString());
    // Cancels the job (at its next echo) or the probe (at once).
    void Cancel();

    bool JobRuns() const { return Engine.Active; }
    bool ProbeRuns() const;
    bool Busy() const { return JobRuns() || ProbeRuns(); }
    const JobOutcome &LastOutcome() const { return Outcome; }
    // The words the last verify read back (those of its range).
    const EepromImage &VerifyWords() const { return ReadBack; }
    // Put before the comment of the next backup only (a series and its unit).
    QString NextBackupNote;
    const ProbeResult &LastProbe() const;

signals:
    void JobStarted();
    // After the driver's JobEnded; the outcome is complete but for a port
    // error's message, which the driver passes on after the signal.
    void JobFinished(const JobOutcome &outcome);
    // The probe ended; a port error it met is rethrown by RethrowProbeError.
    void ProbeFinished(const ProbeResult &result);

public:
    // Throws the port error that ended the last probe, if one did.
    void RethrowProbeError() const;

private:
    void Begin(EngineJob job, uint8_t selectedAddr);
    QString TraceHeading(const QString &what) const;
    void JobEnded(bool completed);
    void CheckEnded(bool completed);
    void TraceFailure();
    void BackUp(const EepromImage &image);
    void ProbeEnded();

    // IEngineWindow, passed on to the view
    void DisablePortActions() override { View.DisablePortActions(); }
    void EnablePortActions() override { View.EnablePortActions(); }
    // A write and its read-back share one gauge: the read-back's counts
    // go on from where the write's maximum lies.
    void SetGaugeMax(int max) override { View.SetGaugeMax(GaugeBase + max + GaugeAfter); }
    void SetGaugeProgress(int progress) override { View.SetGaugeProgress(GaugeBase + progress); }
    int GaugeProgress() const override { return View.GaugeProgress() - GaugeBase; }
    void SetGaugeColor(GaugeColor color) override { View.SetGaugeColor(color); }
    void SetProgressPanelVisible(bool visible) override { View.SetProgressPanelVisible(visible); }
    void SetCancelEnabled(bool enabled) override { View.SetCancelEnabled(enabled); }
    void ShowStatus(const QString &text) override { View.ShowStatus(text); }
    void RefreshBuf() override;

    IEngineWindow &View;
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
