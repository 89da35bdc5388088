#pragma once

// The series' widgets: the dialog that chooses the ports and what a series
// keeps and writes, and the window that shows it running: per port (lane)
// the big status, its unit's progress, its count and last result; for all
// of them the counters, the units done and "Стоп". The series itself is
// SeriesLanes (link/); these only show it.

#include "image/SeriesImage.h"
#include "link/SeriesCycle.h"

#include <QDialog>
#include <QFrame>
#include <QList>
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeWidget;
class SeriesLanes;

class TSeriesDialog : public QDialog {
    Q_OBJECT

public:
    explicit TSeriesDialog(QWidget *parent = nullptr);

    unsigned Keep() const;
    SeriesScope Scope() const;
    bool StopOnFailure() const;
    int Count() const; // 0: no limit

    // A port the list offers: its name, what it maps to and whether its
    // device is present, as the window's port list shows it.
    struct PortChoice {
        QString name;
        QString tip;
        bool present = false;
        bool checked = false; // the window's open port
    };
    void SetPorts(const QList<PortChoice> &ports);
    QStringList Ports() const; // the checked ones, in the list's order

    QCheckBox *KeepId = nullptr;
    QCheckBox *KeepLow = nullptr;
    QRadioButton *ScopeAll = nullptr;
    QRadioButton *ScopeBlock = nullptr;
    QCheckBox *StopOnFail = nullptr;
    QSpinBox *UnitCount = nullptr; // "Телефонов в серии", 0 shown as no limit
    QListWidget *PortList = nullptr; // one lane per checked port
    QPushButton *StartButton = nullptr;
};

// One lane: its port, its state in large letters, its unit's progress, its
// count and its last result.
class TSeriesLanePanel : public QFrame {
    Q_OBJECT

public:
    TSeriesLanePanel(const QString &port, bool several, QWidget *parent = nullptr);

    QLabel *Port = nullptr;
    QLabel *Status = nullptr; // "Подключите телефон", "Годен", "Брак"...
    QLabel *Cause = nullptr;  // a failed unit's cause, the port error that ended the lane
    QLabel *Count = nullptr;  // its units and the last result
    QProgressBar *Progress = nullptr;

    void PhaseChanged(SeriesCycle::Phase phase);
    void UnitDone(const SeriesUnit &unit, int units);
    void Ended(const QString &fatal, const QString &logError);
    void ShowProgress(int progress, int maximum);
    static QString Verdict(const SeriesUnit &unit);

private:
    void ShowStatus(const QString &text, const QString &color);
    bool Shown = false; // the last unit's verdict stays up while it is removed
};

class TSeriesWindow : public QWidget {
    Q_OBJECT

public:
    explicit TSeriesWindow(SeriesLanes &lanes, QWidget *parent = nullptr);

    TSeriesLanePanel *Lane(int i) const { return Lanes.at(i); }
    // The first lane's, which is the only one of a series on one port.
    QLabel *Status = nullptr;
    QLabel *Cause = nullptr;
    QProgressBar *Progress = nullptr;
    QLabel *Counters = nullptr;
    QTreeWidget *UnitList = nullptr;
    QPushButton *StopButton = nullptr; // "Стоп"; "Закрыть" once the series has ended

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void UnitDone(int lane, const SeriesUnit &unit);
    void LaneEnded(int lane);
    void Ended();
    void StopOrClose();

    SeriesLanes &Series;
    QList<TSeriesLanePanel *> Lanes;
};
