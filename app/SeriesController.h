#pragma once

// A series run from the window: the lanes (link/SeriesLanes), the series
// window that shows them, and the main window kept locked meanwhile. The
// main window's own port, when chosen, is handed over to its lane for the
// series and taken back after it: a port is never open twice.

#include "app/SeriesWindow.h"
#include "link/SeriesCycle.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

class SeriesLanes;
class QWidget;

class TSeriesController : public QObject {
    Q_OBJECT

public:
    explicit TSeriesController(QWidget *mainWindow);
    ~TSeriesController() override;

    // Locks (true) or gives back (false) what must not change during a series.
    std::function<void(bool)> Lock;
    // The port the main window holds open, and how it lets it go and takes it back.
    QString HeldPort;
    std::function<void()> ReleasePort;
    std::function<void()> TakeBackPort;
    int TickMs = 0; // the lanes' engine tick; 0 keeps the default
    std::function<int()> Model = [] { return 0; };

    // Opens every port and starts; false with the reason (nothing runs then,
    // and the main window's port is back).
    bool Start(const QStringList &ports, const SeriesOptions &options, QString *error);
    // As "Стоп" on every lane.
    void Stop();
    bool Running() const;

    const SeriesLanes *Lanes() const { return Series.get(); }
    TSeriesWindow *Window() const { return View.data(); }

signals:
    void Finished();

private:
    void Ended();
    void GiveBack();

    QWidget *MainWindow;
    std::unique_ptr<SeriesLanes> Series;
    QPointer<TSeriesWindow> View;
    bool Released = false;
};
