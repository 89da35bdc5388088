#pragma once

// The backups browser's table: newest first, one row per backup that passes
// the filter (Backups::Matches, as "backups --id N" filters).

#include "image/Backups.h"

#include <QAbstractTableModel>

class BackupTable : public QAbstractTableModel {
public:
    enum Column { ColDate, ColDevice, ColId, ColPort, ColComment, ColumnCount };

    explicit BackupTable(QList<Backups::Entry> entries, QObject *parent = nullptr);

    void SetFilter(const QString &filter);
    const Backups::Entry &EntryAt(int row) const { return shown_.at(row); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<Backups::Entry> all_, shown_;
};
