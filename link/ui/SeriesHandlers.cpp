// "Серия...": many telephones in a row with the window's image. The series
// runs on the window's session (link/SessionSeries); the window only locks
// what must not change meanwhile and shows the series window.
#include "app/Unit1.h"

#include "app/Translations.h"

#include "app/ErrorBox.h"
#include "app/SeriesWindow.h"
#include "link/SessionSeries.h"

#include <QCoreApplication>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

bool TForm1::SeriesRuns() const { return Series && Series->Running(); }

void TForm1::SeriesExecute()
{
    if (SeriesRuns() || Session.Busy() || !COM.Connected())
        return;
    TSeriesDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    SeriesOptions options;
    options.image = Buf;
    options.keep = dialog.Keep();
    options.scope = dialog.Scope();
    options.stopOnFailure = dialog.StopOnFailure();
    options.count = dialog.Count();
    options.port = COM.Port;
    options.russian = InstalledLanguage() == Language::Russian; // the causes in the window's language
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

    if (!Series) {
        Series = std::make_unique<SessionSeries>(Session);
        connect(Series.get(), &SessionSeries::Finished, this, [this] { SafeCall([this] { SeriesEnded(); }); });
    }
    QString error;
    LockForSeries(true);
    if (!Series->Start(options, QString(), &error)) {
        LockForSeries(false);
        throw std::runtime_error(QCoreApplication::translate("Quillon", "Журнал серии не создан: %1").arg(error).toStdString());
    }
    if (SeriesWin)
        SeriesWin->deleteLater();
    SeriesWin = new TSeriesWindow(*Series, Gauge1, this);
    SeriesWin->setAttribute(Qt::WA_DeleteOnClose, false);
    SeriesWin->show();
    SeriesWin->activateWindow();
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
    LockForSeries(false);
    if (CloseAfterSeries) {
        CloseAfterSeries = false;
        QTimer::singleShot(0, this, [this] { close(); });
    }
}
