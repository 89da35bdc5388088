#include "app/BackupsDialog.h"

#include "image/BackupTable.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

TBackupsDialog::TBackupsDialog(const QString &folder, const QList<Backups::Entry> &entries,
                               const QStringList &unreadable, QWidget *parent)
    : QDialog(parent), folder_(folder)
{
    setObjectName(QStringLiteral("BackupsDialog"));
    setWindowTitle(QCoreApplication::translate("Quillon", "Резервные копии"));
    resize(640, 320);

    Filter = new QLineEdit(this);
    Filter->setPlaceholderText(QCoreApplication::translate("Quillon", "Фильтр: ID или текст"));
    Filter->setClearButtonEnabled(true);

    model_ = new BackupTable(entries, this);
    Table = new QTableView(this);
    Table->setModel(model_);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setWordWrap(false);
    Table->verticalHeader()->hide();
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);
    Table->horizontalHeader()->setStretchLastSection(true);
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Table->horizontalHeader()->setSectionResizeMode(BackupTable::ColComment, QHeaderView::Stretch);

    QString note = entries.isEmpty() ? QCoreApplication::translate("Quillon", "Резервных копий нет. ") : QString();
    note += QCoreApplication::translate("Quillon", "Папка: ") + QDir::toNativeSeparators(folder);
    if (!unreadable.isEmpty())
        note += QCoreApplication::translate("Quillon", "\nНе прочитаны: ") + unreadable.join(QStringLiteral("; "));
    Note = new QLabel(note, this);
    Note->setWordWrap(true);
    Note->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *buttons = new QDialogButtonBox(this);
    OpenButton = buttons->addButton(QCoreApplication::translate("Quillon", "Открыть"), QDialogButtonBox::AcceptRole);
    ShowFolderButton =
        buttons->addButton(QCoreApplication::translate("Quillon", "Показать папку"), QDialogButtonBox::ActionRole);
    QPushButton *close =
        buttons->addButton(QCoreApplication::translate("Quillon", "Закрыть"), QDialogButtonBox::RejectRole);
    OpenButton->setDefault(true);
    close->setAutoDefault(false);
    ShowFolderButton->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Filter);
    layout->addWidget(Table, 1);
    layout->addWidget(Note);
    layout->addWidget(buttons);

    connect(Filter, &QLineEdit::textChanged, this, [this](const QString &text) {
        model_->SetFilter(text);
        SelectFirst();
    });
    connect(OpenButton, &QPushButton::clicked, this, [this] { Choose(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(ShowFolderButton, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(folder_)); });
    connect(Table, &QTableView::activated, this, [this] { Choose(); });
    SelectFirst();
    Filter->setFocus();
}

void TBackupsDialog::SelectFirst()
{
    const bool any = model_->rowCount() > 0;
    if (any)
        Table->selectRow(0);
    OpenButton->setEnabled(any);
}

void TBackupsDialog::Choose()
{
    const QModelIndexList rows = Table->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    chosen_ = model_->EntryAt(rows.constFirst().row()).path;
    accept();
}
