#include "app/SeriesController.h"

#include "app/SeriesWindow.h"
#include "link/PortDiscovery.h"
#include "link/PortNames.h"
#include "link/SeriesLanes.h"

#include <QCoreApplication>

TSeriesController::TSeriesController(QWidget *mainWindow) : QObject(mainWindow), MainWindow(mainWindow) {}

TSeriesController::~TSeriesController()
{
    delete View.data();
}

bool TSeriesController::Running() const { return Series && Series->Running(); }

namespace {

// "COM5: <the port's message> (занят: minicom, pid 900)".
QString OpenFailure(const QString &port, const EComPort &e)
{
    QString text = QStringLiteral("%1: %2").arg(port, e.Message());
    SerialDevice device;
    device.path = PortDevicePath(port);
    QStringList holders;
    for (const ProcessInfo &p : ProcessesHolding(device))
        holders << QStringLiteral("%1, pid %2").arg(p.name).arg(p.pid);
    if (!holders.isEmpty())
        text += QCoreApplication::translate("Quillon", " (занят: %1)").arg(holders.join(QStringLiteral("; ")));
    return text;
}

} // namespace

bool TSeriesController::Start(const QStringList &ports, const SeriesOptions &options, QString *error)
{
    if (Running())
        return false;
    if (const auto same = SeriesLanes::SameDevice(ports)) {
        *error = QCoreApplication::translate("Quillon", "%1 и %2 ведут к одному устройству: выберите один из них")
                     .arg(ports[same->first], ports[same->second]);
        return false;
    }
    auto lanes = std::make_unique<SeriesLanes>();
    QString logError;
    if (!lanes->OpenLog(QString(), &logError)) {
        *error = QCoreApplication::translate("Quillon", "Журнал серии не создан: %1").arg(logError);
        return false;
    }
    for (const QString &port : ports) {
        if (!HeldPort.isEmpty() && !Released && PortIdentity(port) == PortIdentity(HeldPort) && ReleasePort) {
            ReleasePort();
            Released = true;
        }
    }
    for (const QString &port : ports) {
        try {
            ProgrammingSession &session = lanes->AddLane(port);
            if (TickMs > 0)
                session.Driver.Timer1.setInterval(TickMs);
            session.BackupModel = Model;
        } catch (const EComPort &e) {
            *error = OpenFailure(port, e);
            lanes.reset(); // closes the lanes opened so far
            GiveBack();
            return false;
        }
    }
    delete View.data();
    Series = std::move(lanes);
    connect(Series.get(), &SeriesLanes::Finished, this, &TSeriesController::Ended);
    Lock(true);
    Series->Start(options);
    View = new TSeriesWindow(*Series, MainWindow);
    Series->ViewChanged = [this](int lane) {
        if (const LaneView *view = Series->ViewOf(lane); view && View)
            View->Lane(lane)->ShowProgress(view->Progress, view->Maximum);
    };
    View->show();
    View->activateWindow();
    return true;
}

void TSeriesController::Stop()
{
    if (Running())
        Series->Stop();
}

void TSeriesController::GiveBack()
{
    if (Released && TakeBackPort) {
        Released = false;
        TakeBackPort();
    }
}

void TSeriesController::Ended()
{
    // The lanes' ports close before the window takes its own back.
    for (int i = 0; i < Series->LaneCount(); ++i)
        try {
            Series->SessionOf(i).COM.Close();
        } catch (const EComPort &) {
            // The lane has said what became of its port.
        }
    Lock(false);
    GiveBack();
    emit Finished();
}
