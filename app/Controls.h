#pragma once

#include <QLineEdit>

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
