#pragma once

// "Резервные копии...": the backups, newest first, with a filter by ID code
// or text; "Открыть" hands the chosen file to the window.

#include "image/Backups.h"

#include <QDialog>

class BackupTable;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

class TBackupsDialog : public QDialog {
public:
    // unreadable: "file: why" for backups that could not be read.
    TBackupsDialog(const QString &folder, const QList<Backups::Entry> &entries, const QStringList &unreadable,
                   QWidget *parent = nullptr);

    QString ChosenPath() const { return chosen_; }

    QLineEdit *Filter = nullptr;
    QTableView *Table = nullptr;
    QPushButton *OpenButton = nullptr;
    QPushButton *ShowFolderButton = nullptr;
    QLabel *Note = nullptr;

private:
    void Choose();
    void SelectFirst();

    QString folder_, chosen_;
    BackupTable *model_ = nullptr;
};
