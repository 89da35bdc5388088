#include "app/Controls.h"

#include <QKeyEvent>
#include <QLabel>

void TMaskEdit::focusOutEvent(QFocusEvent *e)
{
    QLineEdit::focusOutEvent(e);
    // A popup (menu, combo list) taking the focus for a moment is not leaving the box.
    if (e->reason() != Qt::PopupFocusReason)
        emit Exit();
}

void TMaskEdit::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        emit KeyPress(13);
        return;
    }
    QLineEdit::keyPressEvent(e);
}

int FitLabelText(QLabel *label, bool leftwards)
{
    QRect r = label->geometry();
    const int needed = label->sizeHint().width();
    if (needed > r.width()) {
        if (leftwards)
            r.setLeft(r.right() + 1 - needed);
        else
            r.setWidth(needed);
        label->setGeometry(r);
    }
    return r.right() + 1;
}
