#pragma once

// quillon-cli's side of a programming session: the image, the jobs run to
// their end one after another, the job's progress on a terminal, and Ctrl+C
// acting as CancelProg.

#include "image/EepromImage.h"
#include "link/CPort.h"
#include "link/Engine.h"
#include "link/EngineDriver.h"
#include "link/ProgrammingSession.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class CliSession : public QObject, public GaugeView {
    Q_OBJECT

public:
    // progressOn: draw a progress line on standard error (a terminal).
    explicit CliSession(bool progressOn);

    EepromImage Buf; // blank until a job or a file fills it
    ProgrammingSession Session{Buf};
    TComPort &COM = Session.COM;
    ProgrammingEngine &Engine = Session.Engine;
    EngineDriver &Driver = Session.Driver;

    enum class Outcome { Completed, Failed, PortError, Interrupted };
    struct Result {
        Outcome outcome = Outcome::Completed;
        QString status;    // what the engine last showed: "Завершено!", "Невыполнено..."
        QString portError; // the port component's message
        int portCode = -1; // and its error number
        bool started = false; // the job was started (not refused after Ctrl+C)
        JobOutcome job;       // what the session reported
    };

    // PORT as PortArgument gives it. Throws EComPort.
    void Open(const QString &port);
    // A completed read of the whole EEPROM is kept as a backup (--no-backup: not).
    bool BackUpReads = true;
    // Runs the job to its end. After Ctrl+C no job starts, and the one that
    // runs counts as interrupted even when it got to its end. With
    // readBack, a completed write is read back at once (the result's
    // job.check, job.checkFault and job.diffs): see WritePart, ReadBackPart.
    Result Run(EngineJob job, uint8_t selectedAddr, bool readBack = false);
    // A write read back at once, as the two jobs it ran: the write, and its
    // read-back (a verify's result: its fault is the check's). Only for a
    // result whose write completed (job.check is not None).
    static Result WritePart(const Result &r);
    static Result ReadBackPart(const Result &r);
    // Reads the words of `readJob` back and compares them with `expected`
    // (the result's job.diffs); Buf is not touched.
    Result Verify(EngineJob readJob, uint8_t selectedAddr, const EepromImage &expected);
    // Opens the port by name and probes it (ProgrammingSession::StartProbe),
    // waiting for its end; a port error it met is thrown. After Ctrl+C no
    // probe starts, and the one that runs ends as Cancelled.
    ProbeResult Probe(const QString &port, int echoes);

    // From now on the first SIGINT, SIGTERM or SIGHUP (on Windows Ctrl+C,
    // Ctrl+Break and closing the console) cancels the running job; a second
    // one ends the program at once.
    static void CatchInterrupt();
    static bool Interrupted();

    // The engine's status, in the output's language.
    void ShowStatus(const QString &text) override;

private:
    Result Await(const JobRequest &request);
    void Changed() override { Draw(); }
    void Draw();
    void ClearLine();

    bool ProgressOn;
    bool LineDrawn = false;
    QString LastLine;
    QElapsedTimer Clock;
    QObject *InterruptNotifier = nullptr;
};
