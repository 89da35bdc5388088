// The "Буфер" page: the hex grid, the entry box and the whole-image actions.
#include "app/Unit1.h"

#include "image/WordDescription.h"

#include <QAction>
#include <QCoreApplication>
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
    Marked = marks;
    MarkedWords = Buf;
    Act.ClearMarks->setEnabled(!marks.empty() && !Act.CancelProg->isEnabled()); // Esc is the cancel's meanwhile
}

void TForm1::ClearMarksExecute()
{
    for (const CellMark &m : Marked) {
        QTableWidgetItem *item = StringGrid1->item(m.addr / 8 + 1, m.addr % 8 + 1);
        item->setBackground(QBrush());
        item->setToolTip(QString());
    }
    Marked.clear();
    Act.ClearMarks->setEnabled(false);
}
