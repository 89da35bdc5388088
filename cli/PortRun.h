#pragma once

// read, write and verify share the port's bookkeeping: opening it, running
// a job and reporting how it ended, reading back, closing.

#include "cli/CliRange.h"
#include "cli/CliSession.h"
#include "cli/ExitCode.h"

#include <QString>

namespace Cli {

struct PortRun {
    CliSession session;
    QString port;
    bool quiet;
    QString traceFile; // --trace: every job of the command goes there
    int code = ExitOk;

    PortRun(const QString &portName, bool beQuiet);

    // ExitPort only for a port that did not open: once a job has begun, its
    // failure is the job's, whatever the cause.
    int PortFailure(const QString &message, int platformCode, int exitCode = ExitPort);
    bool Open(const QString &portName, const QString &trace);
    // Runs a job and reports how it ended; false when it did not complete.
    bool Job(EngineJob job, const JobRange &range) { return Report(job, session.Run(job, range.addr)); }
    bool Report(EngineJob job, const CliSession::Result &r);
    // The words first..last read back and compared with `expected`.
    bool Verify(const EepromImage &expected, const JobRange &range, const QString &expectedColumn);
    // The session's Buf written and, once the write has completed, read back
    // at once and compared with what was written; reported as the write and
    // the verify that Job and Verify report.
    bool WriteThenVerify(const JobRange &range);
    int Close();

private:
    // A read-back's report, then the words that differ.
    bool Compared(EngineJob readJob, const CliSession::Result &r, const JobRange &range, const QString &expectedColumn);
};

} // namespace Cli
