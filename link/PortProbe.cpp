#include "link/PortProbe.h"

#include "image/Wording.h"
#include "link/Engine.h"
#include "link/EngineDriver.h"

#include "link/PortNotifier.h"
#include "link/WireTrace.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>

namespace {
using Line::CR;
using Line::DrainLimit;

QString ByteText(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x20 && b < 0x7F ? QStringLiteral("0x%1 '%2'").arg(b, 2, 16, QChar('0')).arg(QChar(b))
                                 : QStringLiteral("0x%1").arg(b, 2, 16, QChar('0'));
}
} // namespace

bool DeviceGone(const EComPort &e)
{
    const bool transfer = e.Code() == ceRead || e.Code() == ceWrite || e.Code() == ceClearError;
    return transfer && DeviceGoneCode(e.PlatformCode());
}

int ProbeEchoLimitMs()
{
    return EngineLimits::EchoTicks * EngineDriver::kTickMs;
}

LineProbe::LineProbe(TCustomComPort &port, QObject *parent) : QObject(parent), Port(port)
{
    // Read tells a hung-up line at the next round; the notifier tells a byte
    // at once where the system can.
    PollTimer.setInterval(EngineDriver::kTickMs);
    connect(&PollTimer, &QTimer::timeout, this, [this] { Poll(); });
}

LineProbe::~LineProbe()
{
    Release();
}

void LineProbe::Start()
{
    R = ProbeResult();
    IsRunning = true;
    if (!OpenFirst.isEmpty()) {
        Port.Port = OpenFirst;
        try {
            Port.Open();
        } catch (const EComPort &e) {
            R.portError = e.Message();
            R.platformCode = e.PlatformCode();
            Finish(ProbeOutcome::OpenFailed);
            return;
        }
    }
    try {
        char c = 0;
        for (int i = 0; i < DrainLimit && Port.Read(&c, 1) == 1; ++i) {
        }
        SendCr();
    } catch (const EComPort &e) {
        R.lost = e;
        Finish(ProbeOutcome::NoEcho);
        return;
    }
    Notifier = new PortNotifier(Port, this);
    connect(Notifier, &PortNotifier::activated, this, [this] { Poll(); });
    Notifier->setEnabled(true);
    PollTimer.start();
}

void LineProbe::SendCr()
{
    Clock.start();
    Port.Write(&CR, 1);
    if (Trace)
        Trace->Sent(CR);
}

void LineProbe::Cancel()
{
    if (IsRunning)
        Finish(ProbeOutcome::Cancelled);
}

void LineProbe::Poll()
{
    if (!IsRunning)
        return;
    char c = 0;
    int got = 0;
    try {
        got = Port.Read(&c, 1);
    } catch (const EComPort &e) {
        R.lost = e;
        Finish(ProbeOutcome::NoEcho);
        return;
    }
    if (got == 1) {
        if (Trace)
            Trace->Received(c);
        if (c == CR) {
            R.echoesMs << static_cast<int>(Clock.elapsed());
            if (R.echoesMs.size() >= Echoes) {
                Finish(ProbeOutcome::Answers);
                return;
            }
            try {
                SendCr();
            } catch (const EComPort &e) {
                R.lost = e;
                Finish(ProbeOutcome::NoEcho);
            }
        } else if (R.echoesMs.isEmpty()) {
            R.received = c;
            Finish(ProbeOutcome::WrongEcho);
        } else {
            Finish(ProbeOutcome::Answers); // the telephone answered; the round trips end here
        }
        return;
    }
    if (Clock.elapsed() >= LimitMs) {
        Finish(R.echoesMs.isEmpty() ? ProbeOutcome::NoEcho : ProbeOutcome::Answers);
        return;
    }
    // Readable but no byte: a failing device. Rest until the next tick
    // rather than being woken again at once.
    if (Notifier && sender() == Notifier)
        Notifier->setEnabled(false);
    else if (Notifier)
        Notifier->setEnabled(true);
}

void LineProbe::Finish(ProbeOutcome outcome)
{
    R.outcome = outcome;
    if (outcome == ProbeOutcome::Answers) {
        QList<int> sorted = R.echoesMs;
        std::sort(sorted.begin(), sorted.end());
        R.roundTripMs = sorted[(sorted.size() - 1) / 2];
    }
    IsRunning = false;
    Release();
    emit Finished();
}

void LineProbe::Release()
{
    PollTimer.stop();
    if (Notifier) {
        Notifier->setEnabled(false);
        Notifier->deleteLater(); // it may be the sender of the poll that got here
        Notifier = nullptr;
    }
}

ProbeResult ProbePort(TCustomComPort &port, const QString &portName, WireTrace *trace, int echoes)
{
    LineProbe probe(port);
    probe.OpenFirst = portName;
    probe.SetTrace(trace);
    probe.Echoes = echoes;
    QEventLoop loop;
    QObject::connect(&probe, &LineProbe::Finished, &loop, &QEventLoop::quit);
    probe.Start();
    if (probe.Running())
        loop.exec();
    port.Close();
    if (probe.Result().lost)
        throw *probe.Result().lost;
    return probe.Result();
}

QString ProbeSummary(const ProbeResult &r)
{
    switch (r.outcome) {
    case ProbeOutcome::Answers:
        return Worded("Probe", QT_TRANSLATE_NOOP("Probe", "Связь есть (%1 мс)"), {QString::number(r.roundTripMs)});
    case ProbeOutcome::NoEcho:
        return Worded("Probe", QT_TRANSLATE_NOOP("Probe", "Нет эха"), {QString::number(ProbeEchoLimitMs())});
    case ProbeOutcome::WrongEcho:
        return Worded("Probe", QT_TRANSLATE_NOOP("Probe", "Неверное эхо"), {ByteText(r.received)});
    case ProbeOutcome::OpenFailed:
        // The port's own message carries the error number the remedy goes by.
        return Worded("Probe", QT_TRANSLATE_NOOP("Probe", "Порт не открыт: %1"), {r.portError});
    case ProbeOutcome::Cancelled: return Worded("Probe", QT_TRANSLATE_NOOP("Probe", "Проверка прервана"));
    }
    return QString();
}

int SlowEchoLimitMs()
{
    constexpr double kCharMs = 10 * 1000.0 / 300; // start, 8 data and stop bits at 300 bit/s
    return static_cast<int>(2 * kCharMs + 20);
}

namespace {
// Only the median of several echoes: a single late one proves nothing.
bool SlowEcho(const ProbeResult &r)
{
    return r.outcome == ProbeOutcome::Answers && r.echoesMs.size() >= kLatencyEchoes
           && r.roundTripMs > SlowEchoLimitMs();
}
} // namespace

QString SlowEchoAdvice(const ProbeResult &r)
{
    if (!SlowEcho(r))
        return QString();
    return Worded(
        "Probe",
        QT_TRANSLATE_NOOP("Probe", "Эхо приходило через %1 мс (медиана %2 проверок), дольше двух символов и 20 мс "
                                   "(%3 мс): возможно, адаптер задерживает принятые байты. Может помочь таймер "
                                   "задержки 1 мс (в Linux флаг low_latency порта или latency_timer в /sys, в "
                                   "Windows дополнительные параметры порта в диспетчере устройств) или другой "
                                   "адаптер."),
        {QString::number(r.roundTripMs), QString::number(r.echoesMs.size()), QString::number(SlowEchoLimitMs())});
}

QString ProbeRemedy(const ProbeResult &r)
{
    switch (r.outcome) {
    case ProbeOutcome::NoEcho:
        return Worded("Probe",
                      QT_TRANSLATE_NOOP("Probe", "Телефон не отвечает. Проверьте питание преобразователя (DTR и RTS "
                                                 "подняты), что телефон включён и в режиме программирования, и "
                                                 "кабель."));
    case ProbeOutcome::WrongEcho:
        return Worded("Probe",
                      QT_TRANSLATE_NOOP("Probe", "Вместо эха пришло %1. Проверьте скорость линии (300 бит/с) и нет "
                                                 "ли на линии другой программы."),
                      {ByteText(r.received)});
    default:
        // Answers needs none; a port that did not open has its error's own.
        return QString();
    }
}
