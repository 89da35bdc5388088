#include "cli/BackupsList.h"

#include "image/DeviceModels.h"

#include <QDir>
#include <QJsonObject>

namespace Cli {

namespace {

// As the window's model list shows it ("<неизвестно>").
QString ShownModelName(int model)
{
    return QString::fromUtf8(DeviceModelNames[model >= 0 && model < kModelCount ? model : 0]);
}

} // namespace

QString BackupsListText(const QList<Backups::Entry> &entries)
{
    QString text;
    for (const Backups::Entry &e : entries)
        text += e.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral("  ") +
                ShownModelName(e.model).leftJustified(22) + QStringLiteral("  ID ") + QString::number(e.id).leftJustified(5) +
                QStringLiteral("  ") + (e.port.isEmpty() ? QStringLiteral("-") : e.port).leftJustified(6) +
                QStringLiteral("  ") + QDir::toNativeSeparators(e.path) + u'\n';
    return text;
}

QJsonArray BackupsListJson(const QList<Backups::Entry> &entries)
{
    QJsonArray out;
    for (const Backups::Entry &e : entries) {
        QJsonObject o;
        o.insert(QStringLiteral("date"), e.when.toString(Qt::ISODate));
        o.insert(QStringLiteral("model"), ShownModelName(e.model));
        o.insert(QStringLiteral("model_index"), e.model);
        o.insert(QStringLiteral("id"), e.id);
        o.insert(QStringLiteral("id_hex"), WordToHex(e.id));
        o.insert(QStringLiteral("port"), e.port);
        o.insert(QStringLiteral("path"), QDir::toNativeSeparators(e.path));
        out.append(o);
    }
    return out;
}

} // namespace Cli
