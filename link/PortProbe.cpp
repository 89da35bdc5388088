#include "link/PortProbe.h"

#include "link/Engine.h"
#include "link/EngineDriver.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

namespace {
constexpr char CR = 0x0D;
constexpr int DrainLimit = 65536;

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

ProbeResult ProbeOpenPort(TCustomComPort &port)
{
    ProbeResult r;
    char c = 0;
    for (int i = 0; i < DrainLimit && port.Read(&c, 1) == 1; ++i) {
    }
    QElapsedTimer clock;
    clock.start();
    port.Write(&CR, 1);
    for (;;) {
        if (port.Read(&c, 1) == 1) {
            if (c == CR) {
                r.outcome = ProbeOutcome::Answers;
                r.roundTripMs = static_cast<int>(clock.elapsed());
            } else {
                r.outcome = ProbeOutcome::WrongEcho;
                r.received = c;
            }
            return r;
        }
        const qint64 left = ProbeEchoLimitMs() - clock.elapsed();
        if (left <= 0) {
            r.outcome = ProbeOutcome::NoEcho;
            return r;
        }
        // Read tells a hung-up line on the next round. A short nap rather
        // than a wait on the descriptor keeps this the same on every system;
        // a probe is rare and short.
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<qint64>(left, 2)));
    }
}

ProbeResult ProbePort(TCustomComPort &port, const QString &portName)
{
    port.Port = portName;
    try {
        port.Open();
    } catch (const EComPort &e) {
        ProbeResult r;
        r.outcome = ProbeOutcome::OpenFailed;
        r.portError = e.Message();
        r.platformCode = e.PlatformCode();
        return r;
    }
    ProbeResult r;
    try {
        r = ProbeOpenPort(port);
    } catch (...) {
        port.Close();
        throw;
    }
    port.Close();
    return r;
}

QString ProbeSummary(const ProbeResult &r)
{
    switch (r.outcome) {
    case ProbeOutcome::Answers: return QStringLiteral("the telephone answers (echo in %1 ms)").arg(r.roundTripMs);
    case ProbeOutcome::NoEcho: return QStringLiteral("no echo within %1 ms").arg(ProbeEchoLimitMs());
    case ProbeOutcome::WrongEcho: return QStringLiteral("wrong echo: %1 came back for CR").arg(ByteText(r.received));
    case ProbeOutcome::OpenFailed: return QStringLiteral("the port could not be opened: ") + r.portError;
    }
    return QString();
}

QString ProbeSummaryRu(const ProbeResult &r)
{
    switch (r.outcome) {
    case ProbeOutcome::Answers: return QStringLiteral("Связь есть (%1 мс)").arg(r.roundTripMs);
    case ProbeOutcome::NoEcho: return QStringLiteral("Нет эха");
    case ProbeOutcome::WrongEcho: return QStringLiteral("Неверное эхо");
    case ProbeOutcome::OpenFailed: return QStringLiteral("Порт не открыт");
    }
    return QString();
}

QString ProbeRemedy(const ProbeResult &r)
{
    switch (r.outcome) {
    case ProbeOutcome::Answers: return QString();
    case ProbeOutcome::NoEcho:
        return QStringLiteral("check the converter's supply (it takes it from DTR and RTS, which are raised; "
                              "a USB adapter without those lines cannot feed it), that the telephone is "
                              "powered and in programming mode, and the cable");
    case ProbeOutcome::WrongEcho:
        return QStringLiteral("check the line speed (300 bit/s, 8N1) and that no other program or "
                              "device is on the line");
    case ProbeOutcome::OpenFailed: break; // the port error's own remedy
    }
    return QString();
}

QString ProbeRemedyRu(const ProbeResult &r)
{
    switch (r.outcome) {
    case ProbeOutcome::NoEcho:
        return QStringLiteral("Телефон не отвечает. Проверьте питание преобразователя (DTR и RTS подняты), "
                              "что телефон включён и в режиме программирования, и кабель.");
    case ProbeOutcome::WrongEcho:
        return QStringLiteral("Вместо эха пришло %1. Проверьте скорость линии (300 бит/с) и нет ли на "
                              "линии другой программы.")
            .arg(ByteText(r.received));
    default:
        return QString();
    }
}
