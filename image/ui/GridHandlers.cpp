// The "Буфер" page: the hex grid, the entry box and the whole-image actions.
#include "app/Unit1.h"

#include "app/ErrorBox.h"

#include "image/WordDescription.h"

#include <QAction>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>

void TForm1::RefreshBufExecute()
{
    StringGrid1->item(0, 0)->setText(QStringLiteral("Addr"));
    for (int r = 1; r <= 8; ++r)
        StringGrid1->item(r, 0)->setText(ByteToHex(static_cast<uint8_t>(8 * (r - 1))));
    for (int c = 1; c <= 8; ++c)
        StringGrid1->item(0, c)->setText(ByteToHex(static_cast<uint8_t>(c - 1)));
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            StringGrid1->item(r, c)->setText(WordToHex(Buf[8 * (r - 1) + (c - 1)]));
    FillListExecute();
    PairFromBuf();
}

void TForm1::RefreshEntryBox()
{
    if (MaskEdit1->isModified())
        return; // what the user is typing stays
    MaskEdit1->setText(WordToHex(Buf[SelectedAddr]));
    DeScrypt->setPlainText(DescribeWord(Buf, SelectedAddr));
}

void TForm1::StringGrid1SelectCell(int column, int row)
{
    SelectedAddr = static_cast<uint8_t>(8 * (row - 1) + (column - 1));
    MaskEdit1->setText(StringGrid1->item(row, column)->text()); // also clears "modified"
    Label12->setText(ByteToHex(SelectedAddr) + u'H');
    DeScrypt->setPlainText(DescribeWord(Buf, SelectedAddr));
}

void TForm1::StringGrid1KeyPress(int key)
{
    if (key == 13) {
        // The box arrives with its whole text selected, so the four typed digits
        // replace the word; with the cursor left after the last position every
        // key would be refused.
        MaskEdit1->setFocus(Qt::OtherFocusReason);
        MaskEdit1->selectAll();
    }
}

void TForm1::MaskEdit1KeyPress(int key)
{
    if (key == 13)
        StringGrid1->setFocus(Qt::TabFocusReason);
}

void TForm1::MaskEdit1Exit()
{
    // Only what the user typed goes back into the image: after a load or a
    // preset the box still shows the old value, and merely passing through
    // the box must not overwrite the new word with it.
    if (!MaskEdit1->isModified())
        return;
    // The positions as shown: text() would drop the blanks and close the gap,
    // turning "__FF" into FF00.
    ImageState after = Doc.State();
    after.image[SelectedAddr] = HexToWord(MaskEdit1->displayText());
    MaskEdit1->setModified(false);
    Doc.Apply(QCoreApplication::translate("Quillon", "Ячейка ") + ByteToHex(SelectedAddr) + u'H', after);
    RefreshBufExecute();
}

void TForm1::ClearBufExecute()
{
    ImageState after = Doc.State();
    after.image.BlankBuf();
    after.comment.clear();
    after.model = 0;
    after.coverage = ImageCoverage::Blank(); // blank on purpose: meant to be written so
    Doc.Apply(Act.ClearBuf->text(), after);
    RefreshBufExecute();
}

void TForm1::SwapByteExecute()
{
    ImageState after = Doc.State();
    for (uint16_t &w : after.image.words)
        w = static_cast<uint16_t>((w << 8) | (w >> 8));
    Doc.Apply(Act.SwapByte->text(), after);
    RefreshBufExecute();
}

// ---- cells marked by a check ----

void TForm1::MarkCells(const CellMarks &marks)
{
    ClearMarksExecute();
    for (const CellMark &m : marks) {
        QTableWidgetItem *item = StringGrid1->item(m.addr / 8 + 1, m.addr % 8 + 1);
        item->setBackground(m.doubtful ? QColor(255, 215, 120) : QColor(255, 150, 150));
        item->setToolTip(m.tip);
    }
    Marks.Set(marks, Buf);
    Act.ClearMarks->setEnabled(!marks.empty() && !Act.CancelProg->isEnabled()); // Esc is the cancel's meanwhile
}

void TForm1::ClearMarksExecute()
{
    for (const CellMark &m : Marks.Take()) {
        QTableWidgetItem *item = StringGrid1->item(m.addr / 8 + 1, m.addr % 8 + 1);
        item->setBackground(QBrush());
        item->setToolTip(QString());
    }
    Act.ClearMarks->setEnabled(false);
}

// ---- the page itself ----

void TForm1::CreateBufferPage()
{
    StringGrid1 = new QTableWidget(9, 9, TabSheet5);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setMinimumSectionSize(8);
    StringGrid1->verticalHeader()->setMinimumSectionSize(8);
    StringGrid1->horizontalHeader()->setDefaultSectionSize(32);
    StringGrid1->verticalHeader()->setDefaultSectionSize(17);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->setTextElideMode(Qt::ElideNone);
    QFont gridFont = StringGrid1->font();
    gridFont.setPixelSize(10); // four hex digits must fit a 32-pixel cell
    StringGrid1->setFont(gridFont);
    StringGrid1->setStyleSheet(QStringLiteral(
        "QTableWidget { background: rgb(255, 255, 225); gridline-color: #a0a0a0; }"
        "QTableWidget::item { padding: 0px; }"));
    StringGrid1->setGeometry(4, 4, 9 * 32 + 2, 9 * 17 + 2);
    const QBrush fixedBrush = palette().brush(QPalette::Button);
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (r == 0 || c == 0) {
                item->setFlags(Qt::NoItemFlags); // label cells cannot be selected
                item->setBackground(fixedBrush);
                item->setForeground(palette().brush(QPalette::ButtonText));
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            StringGrid1->setItem(r, c, item);
        }
    StringGrid1->setCurrentCell(1, 1);
    StringGrid1->installEventFilter(this);
    connect(StringGrid1, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int previousRow, int previousColumn) {
                if (row < 1 || column < 1) {
                    // Keep the selection on a data cell.
                    if (previousRow >= 1 && previousColumn >= 1)
                        StringGrid1->setCurrentCell(previousRow, previousColumn);
                    return;
                }
                SafeCall([&] { StringGrid1SelectCell(column, row); });
            });

    const int right = StringGrid1->geometry().right() + 6;
    Label13 = new QLabel(QStringLiteral("Addr:"), TabSheet5);
    Label13->setObjectName(QStringLiteral("Label13"));
    Label13->setGeometry(right, 8, 28, 16);
    Label12 = new QLabel(QStringLiteral("00H"), TabSheet5);
    Label12->setObjectName(QStringLiteral("Label12"));
    Label12->setGeometry(FitLabelText(Label13), 8, 30, 16);
    FitLabelText(Label12);

    MaskEdit1 = new TMaskEdit(TabSheet5);
    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    MaskEdit1->setGeometry(right, 28, 50, 21);
    MaskEdit1->setInputMask(QStringLiteral(">NNNN;_"));
    MaskEdit1->setText(QStringLiteral("FFFF"));
    connect(MaskEdit1, &TMaskEdit::Exit, this, [this] { SafeCall([this] { MaskEdit1Exit(); }); });
    connect(MaskEdit1, &TMaskEdit::KeyPress, this,
            [this](int key) { SafeCall([&] { MaskEdit1KeyPress(key); }); });

    DeScrypt = new QPlainTextEdit(TabSheet5);
    DeScrypt->setObjectName(QStringLiteral("DeScrypt"));
    DeScrypt->setReadOnly(true);
    DeScrypt->setGeometry(4, StringGrid1->geometry().bottom() + 5, 353, 44);
}
