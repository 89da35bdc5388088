#pragma once

// Does the telephone answer: a CR sent on a drained line must come back as
// its echo within the engine's echo limit. Tells a line that works from a
// dead one (no supply, no telephone, a broken cable) and from a garbled one
// (wrong line speed, another program on the line).

#include "link/CPort.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>
#include <functional>

class PortNotifier;
class WireTrace;

enum class ProbeOutcome { Answers, NoEcho, WrongEcho, OpenFailed, Cancelled };

struct ProbeResult {
    ProbeOutcome outcome = ProbeOutcome::NoEcho;
    int roundTripMs = -1; // Answers only: the median of echoesMs
    QList<int> echoesMs;  // Answers: each echo's round trip, in the order sent
    char received = 0;    // WrongEcho: the first byte that came instead
    QString portError;    // OpenFailed: the port component's message
    int platformCode = -1; // OpenFailed: its errno
    // A port error that ended the probe (the device went away...).
    std::optional<EComPort> lost;
};

// The port's device has gone away (unplugged, or the line hung up): a read,
// a write or a wait failed with an error that says so (DeviceGoneCode).
bool DeviceGone(const EComPort &e);

// The wait for the echo: the engine's limit of echo ticks at the program's tick.
int ProbeEchoLimitMs();
// How many echoes a probe that judges the adapter's latency measures: one
// late echo says little (a busy machine, a scheduler's whim), their median does.
constexpr int kLatencyEchoes = 5;

// The probe of a port that is open and not in use by a job, driven by the
// event loop: the caller's thread never waits for the echo.
class LineProbe : public QObject {
    Q_OBJECT

public:
    explicit LineProbe(TCustomComPort &port, QObject *parent = nullptr);
    ~LineProbe() override;

    // Drains the line and sends the CR; Finished comes later, or from
    // within when the port fails at once. The owner cancels the probe
    // before the port closes (the notifier must not outlive the descriptor).
    void Start();
    // Opens the port by this name first (a probe that brings its own open);
    // an open that fails ends the probe at once, as OpenFailed.
    QString OpenFirst;
    // Ends a running probe as Cancelled.
    void Cancel();
    bool Running() const { return IsRunning; }
    // Each character sent and received goes there too.
    void SetTrace(WireTrace *trace) { Trace = trace; }
    const ProbeResult &Result() const { return R; }
    // How long the echo may take: the engine's echo limit at its tick.
    int LimitMs = ProbeEchoLimitMs();
    // How many CRs to send, each after the echo of the one before; the first
    // decides the outcome, the rest only add round trips.
    int Echoes = 1;

signals:
    void Finished();

private:
    void Poll();
    void SendCr();
    void Finish(ProbeOutcome outcome);
    void Release();

    TCustomComPort &Port;
    ProbeResult R;
    bool IsRunning = false;
    QElapsedTimer Clock;
    QTimer PollTimer;
    PortNotifier *Notifier = nullptr;
    WireTrace *Trace = nullptr;
};

// Opens the port by name, probes it in a local event loop and closes it
// again; an open that fails is an outcome, not an error. Port errors of the
// exchange go on to the caller.
ProbeResult ProbePort(TCustomComPort &port, const QString &portName, WireTrace *trace = nullptr, int echoes = 1);

// One line for a person, in the installed language (context "Probe").
QString ProbeSummary(const ProbeResult &r);
// Echoes later than two character times (at 300 bit/s) plus 20 ms: the
// adapter may hold received bytes back (a USB latency timer, an adapter that
// waits for 32 bytes), which slows every job and may break the engine's
// reply window. Judged by the median of kLatencyEchoes echoes, never by
// fewer; the advice says what may help; empty when the echoes are in time.
int SlowEchoLimitMs();
QString SlowEchoAdvice(const ProbeResult &r);

// What to do about an outcome other than Answers.
QString ProbeRemedy(const ProbeResult &r);
