#include "app/SeriesWindow.h"

#include "link/SeriesLanes.h"

#include <QCoreApplication>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

TSeriesDialog::TSeriesDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SeriesDialog"));
    setWindowTitle(QCoreApplication::translate("Quillon", "Серия"));
    auto *layout = new QVBoxLayout(this);

    auto *keep = new QGroupBox(QCoreApplication::translate("Quillon", "Оставить в телефоне его слова"), this);
    auto *keepLayout = new QVBoxLayout(keep);
    KeepId = new QCheckBox(QCoreApplication::translate("Quillon", "ID-код и каналы (37-3A)"), keep);
    KeepId->setObjectName(QStringLiteral("KeepId"));
    KeepId->setChecked(true);
    KeepLow = new QCheckBox(QCoreApplication::translate("Quillon", "Слова 00-2F"), keep);
    KeepLow->setObjectName(QStringLiteral("KeepLow"));
    keepLayout->addWidget(KeepId);
    keepLayout->addWidget(KeepLow);
    layout->addWidget(keep);

    auto *scope = new QGroupBox(QCoreApplication::translate("Quillon", "Записывать"), this);
    auto *scopeLayout = new QVBoxLayout(scope);
    ScopeAll = new QRadioButton(QCoreApplication::translate("Quillon", "Всю EEPROM"), scope);
    ScopeAll->setObjectName(QStringLiteral("ScopeAll"));
    ScopeAll->setChecked(true);
    ScopeBlock = new QRadioButton(QCoreApplication::translate("Quillon", "Блок 30-3F"), scope);
    ScopeBlock->setObjectName(QStringLiteral("ScopeBlock"));
    scopeLayout->addWidget(ScopeAll);
    scopeLayout->addWidget(ScopeBlock);
    layout->addWidget(scope);

    StopOnFail = new QCheckBox(QCoreApplication::translate("Quillon", "Остановить серию при браке"), this);
    StopOnFail->setObjectName(QStringLiteral("StopOnFail"));
    layout->addWidget(StopOnFail);

    // A batch of known size ends by itself.
    auto *countRow = new QHBoxLayout;
    auto *countLabel = new QLabel(QCoreApplication::translate("Quillon", "Телефонов в серии:"), this);
    UnitCount = new QSpinBox(this);
    UnitCount->setObjectName(QStringLiteral("UnitCount"));
    UnitCount->setRange(0, 9999);
    UnitCount->setSpecialValueText(QCoreApplication::translate("Quillon", "без ограничения"));
    countLabel->setBuddy(UnitCount);
    countRow->addWidget(countLabel);
    countRow->addWidget(UnitCount, 1);
    layout->addLayout(countRow);

    // One lane per port: several clips programmed at once.
    auto *portsLabel = new QLabel(QCoreApplication::translate("Quillon", "Порты:"), this);
    PortList = new QListWidget(this);
    PortList->setObjectName(QStringLiteral("PortList"));
    PortList->setAccessibleName(portsLabel->text());
    portsLabel->setBuddy(PortList);
    layout->addWidget(portsLabel);
    layout->addWidget(PortList, 1);

    auto *buttons = new QDialogButtonBox(this);
    StartButton = buttons->addButton(QCoreApplication::translate("Quillon", "Начать"), QDialogButtonBox::AcceptRole);
    StartButton->setObjectName(QStringLiteral("StartButton"));
    StartButton->setDefault(true);
    buttons->addButton(QCoreApplication::translate("Quillon", "Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

unsigned TSeriesDialog::Keep() const
{
    return (KeepId->isChecked() ? ::KeepId : 0u) | (KeepLow->isChecked() ? ::KeepLow : 0u);
}

SeriesScope TSeriesDialog::Scope() const { return ScopeBlock->isChecked() ? SeriesScope::Block : SeriesScope::All; }

bool TSeriesDialog::StopOnFailure() const { return StopOnFail->isChecked(); }

int TSeriesDialog::Count() const { return UnitCount->value(); }

void TSeriesDialog::SetPorts(const QList<PortChoice> &ports)
{
    PortList->clear();
    for (const PortChoice &p : ports) {
        auto *item = new QListWidgetItem(p.tip.isEmpty() ? p.name : QStringLiteral("%1    %2").arg(p.name, p.tip), PortList);
        item->setData(Qt::UserRole, p.name);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(p.checked ? Qt::Checked : Qt::Unchecked);
        // A name with no device behind it is there to be seen, not chosen.
        if (!p.present && !p.checked)
            item->setFlags(Qt::ItemIsUserCheckable);
    }
    // Only the present ports and the one open count; the list is not long.
    PortList->setMinimumHeight(PortList->sizeHintForRow(0) * std::min(6, int(ports.size())) + 4);
    const auto update = [this] { StartButton->setEnabled(!Ports().isEmpty()); };
    connect(PortList, &QListWidget::itemChanged, this, update);
    update();
}

QStringList TSeriesDialog::Ports() const
{
    QStringList ports;
    for (int i = 0; i < PortList->count(); ++i)
        if (PortList->item(i)->checkState() == Qt::Checked)
            ports << PortList->item(i)->data(Qt::UserRole).toString();
    return ports;
}

// ---- one lane ----

TSeriesLanePanel::TSeriesLanePanel(const QString &port, bool several, QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Lane ") + port);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(several ? 6 : 0, several ? 6 : 0, several ? 6 : 0, several ? 6 : 0);
    if (several)
        setFrameStyle(QFrame::StyledPanel | QFrame::Plain);

    Port = new QLabel(port, this);
    Port->setObjectName(QStringLiteral("Port"));
    QFont bold = Port->font();
    bold.setBold(true);
    Port->setFont(bold);
    Port->setVisible(several);
    layout->addWidget(Port);

    Status = new QLabel(this);
    Status->setObjectName(QStringLiteral("Status"));
    Status->setAlignment(Qt::AlignCenter);
    Status->setMinimumHeight(several ? 64 : 90);
    QFont big = Status->font();
    big.setPointSize(several ? 20 : 28);
    big.setBold(true);
    Status->setFont(big);
    layout->addWidget(Status);

    Cause = new QLabel(this);
    Cause->setObjectName(QStringLiteral("Cause"));
    Cause->setAlignment(Qt::AlignCenter);
    Cause->setWordWrap(true);
    layout->addWidget(Cause);

    Count = new QLabel(this);
    Count->setObjectName(QStringLiteral("Count"));
    Count->setVisible(several); // one lane: the window's counters say it
    layout->addWidget(Count);

    Progress = new QProgressBar(this);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setTextVisible(false);
    Progress->setRange(0, 1);
    Progress->setValue(0);
    layout->addWidget(Progress);
}

void TSeriesLanePanel::ShowStatus(const QString &text, const QString &color)
{
    Status->setText(text);
    Status->setStyleSheet(color.isEmpty() ? QString()
                                          : QStringLiteral("QLabel { color: white; background: %1; }").arg(color));
}

void TSeriesLanePanel::ShowProgress(int progress, int maximum)
{
    Progress->setRange(0, std::max(1, maximum));
    Progress->setValue(progress);
}

void TSeriesLanePanel::PhaseChanged(SeriesCycle::Phase phase)
{
    switch (phase) {
    case SeriesCycle::Phase::WaitPhone:
        ShowStatus(QCoreApplication::translate("Quillon", "Подключите телефон"), QString());
        Cause->clear();
        Shown = false;
        break;
    case SeriesCycle::Phase::Reading:
        ShowStatus(QCoreApplication::translate("Quillon", "Чтение"), QString());
        Progress->setValue(0);
        break;
    case SeriesCycle::Phase::Writing: ShowStatus(QCoreApplication::translate("Quillon", "Запись"), QString()); break;
    case SeriesCycle::Phase::Verifying: ShowStatus(QCoreApplication::translate("Quillon", "Проверка"), QString()); break;
    case SeriesCycle::Phase::WaitRemoval:
        // The verdict stays big; the line under it says what to do.
        if (!Shown)
            ShowStatus(QCoreApplication::translate("Quillon", "Отключите телефон"), QString());
        break;
    case SeriesCycle::Phase::Finished: break;
    }
}

// A unit nothing was written to is no reject: it holds what it held.
QString TSeriesLanePanel::Verdict(const SeriesUnit &u)
{
    if (u.good)
        return QCoreApplication::translate("Quillon", "Годен");
    return u.written ? QCoreApplication::translate("Quillon", "Брак")
                     : QCoreApplication::translate("Quillon", "Не записан");
}

void TSeriesLanePanel::UnitDone(const SeriesUnit &u, int units)
{
    Shown = true;
    if (u.good) {
        ShowStatus(QCoreApplication::translate("Quillon", "Годен"), QStringLiteral("#1e8c2d"));
        Cause->setText(QCoreApplication::translate("Quillon", "Отключите телефон"));
    } else {
        ShowStatus(Verdict(u), u.written ? QStringLiteral("#c62020") : QStringLiteral("#b36b00"));
        Cause->setText(u.cause() + QCoreApplication::translate("Quillon", "\nОтключите телефон"));
    }
    Count->setText(QCoreApplication::translate("Quillon", "Телефонов: %1, последний: %2").arg(units).arg(Verdict(u)));
}

void TSeriesLanePanel::Ended(const QString &fatal, const QString &logError)
{
    QString text = Cause->text().section(u'\n', 0, 0);
    if (Shown && text == QCoreApplication::translate("Quillon", "Отключите телефон"))
        text.clear();
    if (!fatal.isEmpty())
        text = fatal;
    if (!logError.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral("\n"))
                + QCoreApplication::translate("Quillon", "Журнал серии записан не полностью: ") + logError;
    if (!Shown)
        ShowStatus(QCoreApplication::translate("Quillon", "Серия окончена"), QString());
    Cause->setText(text.isEmpty() ? QCoreApplication::translate("Quillon", "Серия окончена")
                                  : text + QCoreApplication::translate("Quillon", "\nСерия окончена"));
}

// ---- the series window ----

TSeriesWindow::TSeriesWindow(SeriesLanes &lanes, QWidget *parent) : QWidget(parent, Qt::Window), Series(lanes)
{
    setObjectName(QStringLiteral("SeriesWindow"));
    setWindowTitle(QCoreApplication::translate("Quillon", "Серия"));
    const bool several = lanes.LaneCount() > 1;
    resize(several ? 820 : 560, several ? 640 : 440);
    auto *layout = new QVBoxLayout(this);

    // Two lanes side by side, four in two rows.
    auto *grid = new QGridLayout;
    const int columns = lanes.LaneCount() <= 2 ? lanes.LaneCount() : (lanes.LaneCount() + 1) / 2;
    for (int i = 0; i < lanes.LaneCount(); ++i) {
        auto *panel = new TSeriesLanePanel(lanes.PortOf(i), several, this);
        Lanes << panel;
        grid->addWidget(panel, i / std::max(1, columns), i % std::max(1, columns));
    }
    layout->addLayout(grid);
    Status = Lanes.value(0)->Status;
    Cause = Lanes.value(0)->Cause;
    Progress = Lanes.value(0)->Progress;

    Counters = new QLabel(this);
    Counters->setObjectName(QStringLiteral("Counters"));
    QFont counters = Counters->font();
    counters.setPointSizeF(QFontInfo(counters).pointSizeF() * 1.4);
    counters.setBold(true);
    Counters->setFont(counters);
    // Several lanes: the totals above them; one: under its status, as ever.
    layout->insertWidget(several ? 0 : 1, Counters);

    UnitList = new QTreeWidget(this);
    UnitList->setObjectName(QStringLiteral("UnitList"));
    UnitList->setRootIsDecorated(false);
    UnitList->setHeaderLabels({QStringLiteral("№"), QCoreApplication::translate("Quillon", "Время"), QCoreApplication::translate("Quillon", "ID до"),
                               QCoreApplication::translate("Quillon", "ID после"), QCoreApplication::translate("Quillon", "Результат"),
                               QCoreApplication::translate("Quillon", "Причина"), QCoreApplication::translate("Quillon", "Порт")});
    UnitList->setColumnHidden(6, !several);
    const int widths[] = {40, 70, 60, 70, 80, 200};
    for (int c = 0; c < int(std::size(widths)); ++c)
        UnitList->setColumnWidth(c,
                                 std::max(UnitList->fontMetrics().horizontalAdvance(u'0') * widths[c] / 8,
                                          UnitList->header()->sectionSizeHint(c))); // a whole caption, in any language
    layout->addWidget(UnitList, 1);

    StopButton = new QPushButton(QCoreApplication::translate("Quillon", "Стоп"), this);
    StopButton->setObjectName(QStringLiteral("StopButton"));
    connect(StopButton, &QPushButton::clicked, this, &TSeriesWindow::StopOrClose);
    layout->addWidget(StopButton);

    connect(&Series, &SeriesLanes::PhaseChanged, this,
            [this](int lane, SeriesCycle::Phase phase) { Lanes[lane]->PhaseChanged(phase); });
    connect(&Series, &SeriesLanes::UnitDone, this, &TSeriesWindow::UnitDone);
    connect(&Series, &SeriesLanes::LaneEnded, this, &TSeriesWindow::LaneEnded);
    connect(&Series, &SeriesLanes::Finished, this, &TSeriesWindow::Ended);
    Counters->setText(QCoreApplication::translate("Quillon", "Всего: 0    Годных: 0    Брак: 0"));
    for (int i = 0; i < lanes.LaneCount(); ++i)
        if (const SeriesCycle *cycle = lanes.CycleOf(i))
            Lanes[i]->PhaseChanged(cycle->CurrentPhase());
}

void TSeriesWindow::UnitDone(int lane, const SeriesUnit &u)
{
    Lanes[lane]->UnitDone(u, Series.CycleOf(lane)->Done());
    QApplication::beep();
    Counters->setText(QCoreApplication::translate("Quillon", "Всего: %1    Годных: %2    Брак: %3")
                          .arg(Series.Done())
                          .arg(Series.Good())
                          .arg(Series.Failed()));
    const auto id = [](int v) { return v < 0 ? QStringLiteral("-") : QString::number(v); };
    auto *item = new QTreeWidgetItem({QString::number(u.number), u.start.toString(QStringLiteral("HH:mm:ss")),
                                      id(u.idBefore), id(u.idAfter), TSeriesLanePanel::Verdict(u), u.cause(), u.port});
    item->setForeground(4, u.good      ? QColor(0x1e, 0x8c, 0x2d)
                           : u.written ? QColor(0xc6, 0x20, 0x20)
                                       : QColor(0xb3, 0x6b, 0x00));
    item->setToolTip(5, u.cause());
    UnitList->addTopLevelItem(item);
    UnitList->scrollToItem(item);
}

void TSeriesWindow::LaneEnded(int lane)
{
    const SessionSeries &series = Series.SeriesOf(lane);
    Lanes[lane]->Ended(series.FatalError(), series.CurrentCycle()->LogFailed() ? series.LogError() : QString());
}

void TSeriesWindow::Ended() { StopButton->setText(QCoreApplication::translate("Quillon", "Закрыть")); }

void TSeriesWindow::StopOrClose()
{
    if (Series.Running())
        Series.Stop();
    else
        close();
}

void TSeriesWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        StopOrClose();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TSeriesWindow::closeEvent(QCloseEvent *event)
{
    Series.Stop();
    event->accept();
}
