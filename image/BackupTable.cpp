#include "image/BackupTable.h"

#include <QCoreApplication>
#include <QDir>

BackupTable::BackupTable(QList<Backups::Entry> entries, QObject *parent)
    : QAbstractTableModel(parent), all_(std::move(entries)), shown_(all_)
{
}

void BackupTable::SetFilter(const QString &filter)
{
    beginResetModel();
    shown_ = Backups::Filtered(all_, filter);
    endResetModel();
}

int BackupTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(shown_.size());
}

int BackupTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BackupTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= shown_.size())
        return QVariant();
    const Backups::Entry &e = shown_.at(index.row());
    if (role == Qt::ToolTipRole) // the comment column is cut to its width
        return e.comment + u'\n' + QDir::toNativeSeparators(e.path);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case ColDate: return e.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case ColDevice: return QCoreApplication::translate("Quillon", e.device.toUtf8()); // as the model list names it
    case ColId: return QString::number(e.id);
    case ColPort: return e.port;
    case ColComment: return e.comment;
    }
    return QVariant();
}

QVariant BackupTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case ColDate: return QCoreApplication::translate("Quillon", "Дата");
    case ColDevice: return QCoreApplication::translate("Quillon", "Устройство");
    case ColId: return QStringLiteral("ID");
    case ColPort: return QCoreApplication::translate("Quillon", "Порт");
    case ColComment: return QCoreApplication::translate("Quillon", "Комментарий");
    }
    return QVariant();
}
