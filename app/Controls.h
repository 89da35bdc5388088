#pragma once

#include <QLineEdit>

class QLabel;

// Widens a label placed by fixed geometry until its whole text shows in the
// font it got (the system may give another font than the one asked for):
// to the right, or leftwards for one that ends at the window's right edge.
// Returns the x just after it.
int FitLabelText(QLabel *label, bool leftwards = false);

// A line edit that tells when it loses the focus (Exit) and hands Enter to its
// owner (KeyPress) - the two notifications the window's handlers hang on.
// QLineEdit::isModified() tells whether the user typed since the text was last
// set by the program.
class TMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void Exit();
    void KeyPress(int key);

protected:
    void focusOutEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
};
