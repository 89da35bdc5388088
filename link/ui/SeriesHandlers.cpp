// "Серия...": many telephones in a row with the window's image, on one port
// or several at once. The series runs on sessions of its own, one per port
// (app/SeriesController); the window only locks what must not change
// meanwhile, and lends its port when it is one of the lanes.
#include "app/Unit1.h"

#include "app/ErrorBox.h"
#include "app/SeriesController.h"
#include "app/SeriesWindow.h"

#include <QCoreApplication>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

bool TForm1::SeriesRuns() const { return Series->Running(); }

void TForm1::SeriesExecute()
{
    if (SeriesRuns() || Session.Busy() || !COM.Connected())
        return;
    TSeriesDialog dialog(this);
    QList<TSeriesDialog::PortChoice> ports;
    for (int i = 0; i < ComboBox1->count(); ++i) {
        const QString name = ComboBox1->itemText(i);
        const bool held = name == COM.Port;
        ports.append({name,
                      ComboBox1->itemData(i, Qt::ToolTipRole).toString()
                          + (held ? QCoreApplication::translate("Quillon", " (открыт в окне)") : QString()),
                      ComboBox1->itemData(i, PresentRole).toBool(), held});
    }
    dialog.SetPorts(ports);
    if (dialog.exec() != QDialog::Accepted)
        return;
    SeriesOptions options;
    options.image = Buf;
    options.keep = dialog.Keep();
    options.scope = dialog.Scope();
    options.stopOnFailure = dialog.StopOnFailure();
    options.count = dialog.Count();
    // Words no read brought in are FFFF only because nothing was there, as
    // "Записать всю EEPROM" asks; words a unit keeps are its own.
    const ImageCoverage &coverage = Doc.State().coverage;
    if (options.scope == SeriesScope::All && !(options.keep & KeepLow) && coverage.Partial()
        && !AskYesNo(this, QCoreApplication::translate("Quillon", "Образ содержит не все слова (прочитаны только %1): записывать в каждый "
                                          "телефон всю EEPROM, включая слова FFFF?")
                               .arg(coverage.Text())))
        return;
    // The same image quillon-cli refuses without an explicit --scope.
    if (!coverage.Partial() && SeriesErasesLowWords(options.image, options.keep, options.scope)
        && !AskYesNo(this, QCoreApplication::translate(
                               "Quillon", "Слова 00-2F образа все FFFF, как после очистки буфера, "
                                          "предустановки или чтения блока: каждый телефон получит FFFF "
                                          "вместо своих настроек. Записывать в каждый телефон всю EEPROM?")))
        return;

    Series->HeldPort = COM.Port;
    Series->TickMs = Timer1.interval();
    QString error;
    if (!Series->Start(dialog.Ports(), options, &error))
        ShowErrorBox(error);
}

// The series' controller: it locks this window, and borrows its port when
// that port is one of the lanes.
void TForm1::CreateSeries()
{
    Series = new TSeriesController(this);
    Series->Lock = [this](bool lock) { LockForSeries(lock); };
    Series->ReleasePort = [this] { COM.Close(); };
    Series->TakeBackPort = [this] {
        try {
            COM.Open();
        } catch (const EComPort &e) {
            // The port went with the series' end (an adapter pulled out): the
            // window stays closed, and says why.
            ShowPanel1(QCoreApplication::translate("Quillon", "Порт %1 не открыт снова: %2").arg(COM.Port, e.Message()));
        }
    };
    Series->Model = [this] { return DeviceModel(); };
    connect(Series, &TSeriesController::Finished, this, [this] { SafeCall([this] { SeriesEnded(); }); });
}

void TForm1::LockForSeries(bool lock)
{
    if (lock) {
        LockedActions.clear();
        for (QAction *a : findChildren<QAction *>()) {
            if (a == Act.AbuotBox || a == Act.ShowSheme || a == Act.FileExit1 || a == Act.CancelProg)
                continue;
            LockedActions.append({a, a->isEnabled()});
            a->setEnabled(false);
        }
    } else {
        for (const auto &[action, enabled] : std::as_const(LockedActions))
            action->setEnabled(enabled);
        LockedActions.clear();
    }
    // Esc: "Стоп" for the whole series.
    Act.CancelProg->setEnabled(lock || Session.Busy());
    PageControl2->setEnabled(!lock);
    ComboBox2->setEnabled(!lock);
    Edit1->setEnabled(!lock);
    if (lock) {
        ComboBox1->setEnabled(false);
    } else {
        // The port may have gone during the series.
        if (COM.Connected())
            EnablePortActions();
        else
            DisablePortActions();
        UpdateUndoActions();
    }
}

void TForm1::SeriesEnded()
{
    if (CloseAfterSeries) {
        CloseAfterSeries = false;
        QTimer::singleShot(0, this, [this] { close(); });
    }
}
