// The window's port handlers.
#include "app/Settings.h"
#include "app/Unit1.h"

#include "link/PortDiscovery.h"
#include "link/PortNames.h"
#include "link/PortProbe.h"
#include "link/PortSettings.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <algorithm>
#include <stdexcept>

// Port errors (EComPort) leave these handlers for the application's error box.
void TForm1::OpenPortExecute()
{
    COM.Port = ComboBox1->currentText();
    COM.Open();
}

void TForm1::ClosePortExecute()
{
    COM.Close();
}

void TForm1::COMAfterOpen()
{
    Settings::SetPortName(COM.Port); // the next start begins on it
    Act.OpenPort->setEnabled(false);
    Act.ClosePort->setEnabled(true);
    EnablePortActions();
}

void TForm1::COMAfterClose()
{
    Act.OpenPort->setEnabled(true);
    Act.ClosePort->setEnabled(false);
    DisablePortActions();
    MarkPresentPorts();
}

void TForm1::FormClose()
{
    COM.Close();
}

void TForm1::EnablePortActions()
{
    for (QAction *a : {Act.Write258, Act.WriteCur, Act.WriteBlock, Act.Read258, Act.ReadCur,
                       Act.ReadBlock, Act.ClosePort, Act.ProbeLine, Act.CompareWithPhone,
                       Act.Series})
        a->setEnabled(true);
    ComboBox1->setEnabled(false);
}

void TForm1::DisablePortActions()
{
    for (QAction *a : {Act.Write258, Act.WriteCur, Act.WriteBlock, Act.Read258, Act.ReadCur,
                       Act.ReadBlock, Act.ClosePort, Act.ProbeLine, Act.CompareWithPhone,
                       Act.Series})
        a->setEnabled(false);
    // Also the start of a job: the list stays as the open port has it.
    ComboBox1->setEnabled(!COM.Connected());
}

// ---- devices present, and a device that goes away ----

namespace {
// Draws a green dot beside the names in the open port list whose device is
// present; the box itself shows the name alone, which its width needs.
class TPortMarkDelegate : public QStyledItemDelegate {
public:
    explicit TPortMarkDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->icon = index.data(TForm1::PresentRole).toBool() ? Present : Absent;
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->decorationSize = QSize(8, 8);
    }

private:
    static QIcon Mark(bool present)
    {
        QPixmap pixmap(8, 8);
        pixmap.fill(Qt::transparent); // the same room, empty, keeps the names in line
        if (present) {
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QColor(0, 110, 0));
            painter.setBrush(QColor(40, 190, 40));
            painter.drawEllipse(QRectF(0.5, 0.5, 7, 7));
        }
        return QIcon(pixmap);
    }
    const QIcon Present = Mark(true), Absent = Mark(false);
};
} // namespace

void TForm1::MarkPresentPorts()
{
    if (!dynamic_cast<TPortMarkDelegate *>(ComboBox1->itemDelegate()))
        ComboBox1->setItemDelegate(new TPortMarkDelegate(ComboBox1));
    const QString root = SystemRoot();
    const QList<SerialDevice> devices = DiscoverSerialDevices(root);
    QStringList unreached;
    for (const SerialDevice &d : devices)
        if (ComNameOf(d, PortDevicePath, root).isEmpty())
            unreached << QCoreApplication::translate("Quillon",
                                                     "Адаптер %1 (%2) не виден ни под одним именем COM; чтобы он стал "
                                                     "виден, запустите программу с %3")
                             .arg(d.path, d.Description(), ComSettingFor(d, devices, PortDevicePath, root));
    for (int i = 0; i < ComboBox1->count(); ++i) {
        const QString name = ComboBox1->itemText(i);
        const QString path = PortDevicePath(name);
        const auto it = std::find_if(devices.begin(), devices.end(),
                                     [&](const SerialDevice &d) { return DeviceReachedBy(d, path, root); });
        const bool pseudoTerminal = it == devices.end() && IsPseudoTerminal(path, root);
        const bool present = it != devices.end() || pseudoTerminal;
        QString tip = it != devices.end() ? QStringLiteral("%1: %2").arg(it->path, it->Description())
                      : pseudoTerminal ? QCoreApplication::translate("Quillon", "%1: псевдотерминал").arg(path)
                                       : QCoreApplication::translate("Quillon", "%1: нет устройства").arg(path);
        if (PortSettingInForce(name, PortDevicePath))
            tip += QCoreApplication::translate("Quillon", " (задано QUILLON_%1)").arg(name);
        ComboBox1->setItemData(i, present, PresentRole);
        ComboBox1->setItemData(i, tip, Qt::ToolTipRole);
    }
    ComboBox1->setProperty("unreachedAdapters", unreached);
    ShowPortTip();
}

void TForm1::ShowPortTip()
{
    const QStringList unreached = ComboBox1->property("unreachedAdapters").toStringList();
    QString tip = ComboBox1->currentData(Qt::ToolTipRole).toString();
    for (const QString &line : unreached)
        tip += u'\n' + line;
    ComboBox1->setToolTip(tip);
}

void TForm1::PortErrorDuringJob(const EComPort &e, const QString &written)
{
    const auto withWritten = [&written](const QString &message) {
        return written.isEmpty() ? message : message + u'\n' + written;
    };
    if (!DeviceGone(e))
        throw std::runtime_error(withWritten(QString::fromUtf8(e.what())).toStdString());
    // The device will not come back under this descriptor: let it go, so
    // that the window offers F9 again once the adapter is back.
    const QString port = COM.Port;
    const QString device = PortDevicePath(port);
    try {
        COM.Close();
    } catch (const EComPort &) {
        // Closing what is gone cannot fail for a reason the user can act on.
    }
    MarkPresentPorts();
    throw std::runtime_error(
        withWritten(QCoreApplication::translate("Quillon",
                                                "Порт %1 (%2) пропал: адаптер отключён или линия оборвана. Порт "
                                                "закрыт; подключите адаптер и откройте порт снова (F9). %3")
                        .arg(port, device, e.Message()))
            .toStdString());
}
