#pragma once

#include <QApplication>
#include <QString>
#include <exception>

// The application's title: the program file's name without folder and
// extension, first letter capitalised and the rest lower case ("quillon" ->
// "Quillon"). It captions the error box.
QString ApplicationTitleFromPath(const QString &programPath);

// The error box's text: the message, with a "." appended when its last
// character sorts after "." (so "...(win error code: 2)" stays as it is).
QString ErrorBoxText(const QString &message);

// A critical message box with the application title as caption and one OK button.
void ShowErrorBox(const QString &message);

// A notice that is no error (an information box, one OK button).
void ShowInfoBox(QWidget *parent, const QString &message);

// A question with the buttons "Да" and "Нет", "Нет" the default and what Esc
// answers: true for "Да".
bool AskYesNo(QWidget *parent, const QString &question);

// Runs a handler so that no error it raises can reach the event loop: the
// error is shown in the error box and the window goes on.
template <class F> void SafeCall(F &&handler)
{
    try {
        handler();
    } catch (const std::exception &e) {
        ShowErrorBox(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowErrorBox(QStringLiteral("Unknown error"));
    }
}

// Backstop for errors raised in event handlers outside SafeCall.
class TApplication : public QApplication {
public:
    TApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
