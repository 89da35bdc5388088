#include "app/SeriesWindow.h"

#include "link/SessionSeries.h"

#include <QCoreApplication>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
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

// ---- the series window ----

TSeriesWindow::TSeriesWindow(SessionSeries &series, QProgressBar *gauge, QWidget *parent)
    : QWidget(parent, Qt::Window), Series(series)
{
    setObjectName(QStringLiteral("SeriesWindow"));
    setWindowTitle(QCoreApplication::translate("Quillon", "Серия"));
    resize(560, 440);
    auto *layout = new QVBoxLayout(this);

    Status = new QLabel(this);
    Status->setObjectName(QStringLiteral("Status"));
    Status->setAlignment(Qt::AlignCenter);
    Status->setMinimumHeight(90);
    QFont big = Status->font();
    big.setPointSize(28);
    big.setBold(true);
    Status->setFont(big);
    layout->addWidget(Status);

    Cause = new QLabel(this);
    Cause->setObjectName(QStringLiteral("Cause"));
    Cause->setAlignment(Qt::AlignCenter);
    Cause->setWordWrap(true);
    layout->addWidget(Cause);

    Counters = new QLabel(this);
    Counters->setObjectName(QStringLiteral("Counters"));
    QFont counters = Counters->font();
    counters.setPointSizeF(QFontInfo(counters).pointSizeF() * 1.4);
    counters.setBold(true);
    Counters->setFont(counters);
    layout->addWidget(Counters);

    Progress = new QProgressBar(this);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setTextVisible(false);
    Progress->setRange(0, 1);
    Progress->setValue(0);
    if (gauge) {
        connect(gauge, &QProgressBar::valueChanged, Progress, [this, gauge](int value) {
            Progress->setRange(0, std::max(1, gauge->maximum()));
            Progress->setValue(value);
        });
    }
    layout->addWidget(Progress);

    UnitList = new QTreeWidget(this);
    UnitList->setObjectName(QStringLiteral("UnitList"));
    UnitList->setRootIsDecorated(false);
    UnitList->setHeaderLabels({QStringLiteral("№"), QCoreApplication::translate("Quillon", "Время"), QCoreApplication::translate("Quillon", "ID до"),
                               QCoreApplication::translate("Quillon", "ID после"), QCoreApplication::translate("Quillon", "Результат"), QCoreApplication::translate("Quillon", "Причина")});
    UnitList->header()->setStretchLastSection(true);
    const int columns[] = {40, 70, 60, 70, 80};
    for (int c = 0; c < int(std::size(columns)); ++c)
        UnitList->setColumnWidth(c,
                                 std::max(UnitList->fontMetrics().horizontalAdvance(u'0') * columns[c] / 8,
                                          UnitList->header()->sectionSizeHint(c))); // a whole caption, in any language
    layout->addWidget(UnitList, 1);

    StopButton = new QPushButton(QCoreApplication::translate("Quillon", "Стоп"), this);
    StopButton->setObjectName(QStringLiteral("StopButton"));
    connect(StopButton, &QPushButton::clicked, this, &TSeriesWindow::StopOrClose);
    layout->addWidget(StopButton);

    connect(&Series, &SessionSeries::PhaseChanged, this, &TSeriesWindow::PhaseChanged);
    connect(&Series, &SessionSeries::UnitDone, this, &TSeriesWindow::UnitDone);
    connect(&Series, &SessionSeries::Finished, this, &TSeriesWindow::Ended);
    Counters->setText(QCoreApplication::translate("Quillon", "Всего: 0    Годных: 0    Брак: 0"));
    if (const SeriesCycle *cycle = Series.CurrentCycle())
        PhaseChanged(cycle->CurrentPhase());
}

void TSeriesWindow::ShowStatus(const QString &text, const QString &color)
{
    Status->setText(text);
    Status->setStyleSheet(color.isEmpty() ? QString()
                                          : QStringLiteral("QLabel { color: white; background: %1; }").arg(color));
}

void TSeriesWindow::PhaseChanged(SeriesCycle::Phase phase)
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
QString TSeriesWindow::Verdict(const SeriesUnit &u)
{
    if (u.good)
        return QCoreApplication::translate("Quillon", "Годен");
    return u.written ? QCoreApplication::translate("Quillon", "Брак")
                     : QCoreApplication::translate("Quillon", "Не записан");
}

void TSeriesWindow::UnitDone(const SeriesUnit &u)
{
    Shown = true;
    if (u.good) {
        ShowStatus(QCoreApplication::translate("Quillon", "Годен"), QStringLiteral("#1e8c2d"));
        Cause->setText(QCoreApplication::translate("Quillon", "Отключите телефон"));
    } else {
        ShowStatus(Verdict(u), u.written ? QStringLiteral("#c62020") : QStringLiteral("#b36b00"));
        Cause->setText(u.cause + QCoreApplication::translate("Quillon", "\nОтключите телефон"));
    }
    QApplication::beep();
    const SeriesCycle &cycle = *Series.CurrentCycle();
    Counters->setText(
        QCoreApplication::translate("Quillon", "Всего: %1    Годных: %2    Брак: %3").arg(cycle.Done()).arg(cycle.Good()).arg(cycle.Failed()));
    const auto id = [](int v) { return v < 0 ? QStringLiteral("-") : QString::number(v); };
    auto *item = new QTreeWidgetItem({QString::number(u.number), u.start.toString(QStringLiteral("HH:mm:ss")),
                                      id(u.idBefore), id(u.idAfter), Verdict(u), u.cause});
    item->setForeground(4, u.good      ? QColor(0x1e, 0x8c, 0x2d)
                           : u.written ? QColor(0xc6, 0x20, 0x20)
                                       : QColor(0xb3, 0x6b, 0x00));
    item->setToolTip(5, u.cause);
    UnitList->addTopLevelItem(item);
    UnitList->scrollToItem(item);
}

void TSeriesWindow::Ended()
{
    StopButton->setText(QCoreApplication::translate("Quillon", "Закрыть"));
    const QString fatal = Series.FatalError();
    QString text = Cause->text().section(u'\n', 0, 0);
    if (Shown && text == QCoreApplication::translate("Quillon", "Отключите телефон"))
        text.clear();
    if (!fatal.isEmpty())
        text = fatal;
    if (Series.CurrentCycle()->LogFailed())
        text += (text.isEmpty() ? QString() : QStringLiteral("\n"))
                + QCoreApplication::translate("Quillon", "Журнал серии записан не полностью: ") + Series.LogError();
    if (!Shown)
        ShowStatus(QCoreApplication::translate("Quillon", "Серия окончена"), QString());
    Cause->setText(text.isEmpty() ? QCoreApplication::translate("Quillon", "Серия окончена") : text + QCoreApplication::translate("Quillon", "\nСерия окончена"));
}

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
