// The "Инфо" page: a read-only list of what the radio block decodes to.
#include "app/Unit1.h"

#include "radio/InfoList.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

void TForm1::CreateInfoPage()
{
    Prop = new QTreeWidget(TabSheet6);
    Prop->setObjectName(QStringLiteral("Prop"));
    Prop->setColumnCount(InfoList::kColumns);
    QStringList captions;
    for (int c = 0; c < InfoList::kColumns; ++c)
        captions << InfoList::ColumnCaption(c);
    Prop->setHeaderLabels(captions);
    for (int c = 0; c < InfoList::kColumns; ++c)
        Prop->setColumnWidth(c, InfoList::ColumnWidth(c));
    Prop->header()->setStretchLastSection(false);
    Prop->header()->setSectionsMovable(false);
    Prop->setRootIsDecorated(false);
    Prop->setUniformRowHeights(true);
    Prop->setAllColumnsShowFocus(true);
    Prop->setSelectionBehavior(QAbstractItemView::SelectRows);
    Prop->setSelectionMode(QAbstractItemView::SingleSelection);
    Prop->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The rows exist from the start; a fill only replaces their texts.
    for (int r = 0; r < InfoList::kRows; ++r)
        new QTreeWidgetItem(Prop, QStringList{InfoList::RowCaption(r), QString(), QString()});

    auto *l = new QVBoxLayout(TabSheet6);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(Prop);
}

// The stored widths assume a narrower font than ours: a column widens to its
// texts (never narrows), so no caption or value is cut off.
static void WidenColumnsToTexts(QTreeWidget *list)
{
    for (int c = 0; c < InfoList::kColumns; ++c) {
        const int width = list->columnWidth(c);
        list->resizeColumnToContents(c);
        if (list->columnWidth(c) < width)
            list->setColumnWidth(c, width);
    }
}

void TForm1::FillListExecute()
{
    const InfoList::Rows rows = InfoList::Decode(Buf);
    for (int r = 0; r < InfoList::kRows; ++r) {
        QTreeWidgetItem *item = Prop->topLevelItem(r);
        item->setText(1, QCoreApplication::translate("Quillon", rows[static_cast<size_t>(r)].value.toUtf8()));
        // Rows without raw words keep their hex cell empty.
        if (!rows[static_cast<size_t>(r)].hex.isEmpty())
            item->setText(2, rows[static_cast<size_t>(r)].hex);
    }
    WidenColumnsToTexts(Prop);
}
