#pragma once

// The series' widgets: the dialog that chooses what a series keeps and
// writes, and the window that shows it running (the big status, the
// counters, the unit's progress, the units done and "Стоп"). The series
// itself is SessionSeries (link/); these only show it.

#include "image/SeriesImage.h"
#include "link/SeriesCycle.h"

#include <QDialog>
#include <QWidget>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeWidget;
class SessionSeries;

class TSeriesDialog : public QDialog {
    Q_OBJECT

public:
    explicit TSeriesDialog(QWidget *parent = nullptr);

    unsigned Keep() const;
    SeriesScope Scope() const;
    bool StopOnFailure() const;
    int Count() const; // 0: no limit

    QCheckBox *KeepId = nullptr;
    QCheckBox *KeepLow = nullptr;
    QRadioButton *ScopeAll = nullptr;
    QRadioButton *ScopeBlock = nullptr;
    QCheckBox *StopOnFail = nullptr;
    QSpinBox *UnitCount = nullptr; // "Телефонов в серии", 0 shown as no limit
    QPushButton *StartButton = nullptr;
};

class TSeriesWindow : public QWidget {
    Q_OBJECT

public:
    // gauge: the main window's, which the unit's progress follows.
    TSeriesWindow(SessionSeries &series, QProgressBar *gauge, QWidget *parent = nullptr);

    QLabel *Status = nullptr; // "Подключите телефон", "Годен", "Брак"...
    QLabel *Cause = nullptr; // a failed unit's cause, the port error that ended the series
    QLabel *Counters = nullptr;
    QProgressBar *Progress = nullptr;
    QTreeWidget *UnitList = nullptr;
    QPushButton *StopButton = nullptr; // "Стоп"; "Закрыть" once the series has ended

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void PhaseChanged(SeriesCycle::Phase phase);
    void UnitDone(const SeriesUnit &unit);
    void Ended();
    void ShowStatus(const QString &text, const QString &color);
    static QString Verdict(const SeriesUnit &unit);
    void StopOrClose();

    SessionSeries &Series;
    bool Shown = false; // the last unit's verdict stays up while it is removed
};
