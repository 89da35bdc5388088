#pragma once

// "Показать обмен": the last job's characters on the wire, with the place of
// a failure marked, and a way to save them as a text file for a report.

#include <QDialog>
#include <QFont>

class FileDialogs;
class QPlainTextEdit;
class QPushButton;
class WireTrace;

// A monospaced font the system has, so the wire's columns line up.
QFont TraceFont();

class TTraceDialog : public QDialog {
public:
    TTraceDialog(const WireTrace &trace, FileDialogs &dialogs, QWidget *parent = nullptr);

    // The characters shown; the file gets every one kept.
    static constexpr int kShownChars = 400;

    QPlainTextEdit *Text = nullptr;
    QPushButton *SaveButton = nullptr;

    // Saves the whole trace; false when nothing was saved (cancelled or an
    // error, which the error box showed).
    bool Save();

private:
    const WireTrace &Trace;
    FileDialogs &Dialogs;
};
