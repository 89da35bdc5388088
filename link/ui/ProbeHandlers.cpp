// The window's line probe: does the telephone answer on the open port. The
// session waits for the echo on events, so the window goes on meanwhile.
#include "app/Unit1.h"

#include "app/ErrorBox.h"
#include "link/PortNames.h"
#include "link/PortProbe.h"

#include <QCoreApplication>
#include <QLabel>
#include <stdexcept>

void TForm1::ProbeLineExecute()
{
    ShowPanel1(QString());
    Session.StartProbe(kLatencyEchoes, *this, [this](const ProbeResult &r) { SafeCall([&] { ProbeLineDone(r); }); });
}

void TForm1::ProbeLineDone(const ProbeResult &r)
{
    if (r.lost)
        PortErrorDuringJob(*r.lost); // a device that has gone away closes the port
    const QString slow = SlowEchoAdvice(r);
    const QString summary =
        ProbeSummary(r) + (slow.isEmpty() ? QString() : QCoreApplication::translate("Quillon", ", медленно"));
    ShowPanel1(summary, slow.isEmpty() ? QString() : summary + u'\n' + slow);
    if (!slow.isEmpty())
        ShowInfoBox(this, QStringLiteral("%1 (%2): %3").arg(COM.Port, PortDevicePath(COM.Port), slow));
    if (r.outcome == ProbeOutcome::Answers || r.outcome == ProbeOutcome::Cancelled)
        return;
    throw std::runtime_error(
        QStringLiteral("%1 (%2): %3").arg(COM.Port, PortDevicePath(COM.Port), ProbeRemedy(r)).toStdString());
}
