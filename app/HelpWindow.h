#pragma once

#include <QWidget>

class QLineEdit;
class QTextBrowser;
class QUrl;

// The guide to the window (docs/guide.md, compiled in with its pictures) in a
// window of its own: its links between sections work, Ctrl+F searches it, and
// Esc closes it (the search first, when that is open).
class THelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit THelpWindow(QWidget *parent = nullptr);

    QTextBrowser *Browser = nullptr;
    QLineEdit *Search = nullptr; // hidden until Ctrl+F

    // The anchor GitHub gives a heading, so that one link works on both.
    static QString HeadingAnchor(const QString &heading);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void NameHeadings();
    void OpenLink(const QUrl &url);
    void Find(bool fromStart);
};
