#pragma once

// The dialogs of the file and preset actions, behind one small interface so
// that tests can answer them. QtFileDialogs is the real thing (its code lives
// in image/ui/FileHandlers.cpp, with the window).

#include <QString>
#include <memory>

class QWidget;

class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // The save dialog, opening in startFolder with the single filter shown as
    // filterCaption (every file listed). defaultSuffix is added to a typed
    // name without an extension; empty adds nothing. Returns the chosen full
    // path, or an empty text when the user cancels. Asks nothing about
    // overwriting: the caller does that.
    virtual QString SaveFileName(const QString &startFolder, const QString &filterCaption,
                                 const QString &defaultSuffix) = 0;
    // The open dialog; the chosen full path, or empty when cancelled.
    virtual QString OpenFileName(const QString &startFolder, const QString &filterCaption) = 0;
    // Modal "Confirm" question with the buttons "&Yes" and "&No"; true for Yes.
    virtual bool ConfirmOverwrite(const QString &question) = 0;
    // Modal "Information" message with one "OK" button.
    virtual void Information(const QString &text) = 0;
    // The application's error box for a file error (text as the error gives it).
    virtual void Error(const QString &text) = 0;

    enum class SaveChoice { Save, Discard, Cancel };
    // Closing with unsaved work: "Сохранить", "Не сохранять" or "Отмена".
    // Dialogs that do not ask (test stand-ins) let the window close.
    virtual SaveChoice AskSaveChanges(const QString &question)
    {
        (void)question;
        return SaveChoice::Discard;
    }
};

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget *parent = nullptr);

    QString SaveFileName(const QString &startFolder, const QString &filterCaption,
                         const QString &defaultSuffix) override;
    QString OpenFileName(const QString &startFolder, const QString &filterCaption) override;
    bool ConfirmOverwrite(const QString &question) override;
    void Information(const QString &text) override;
    void Error(const QString &text) override;
    SaveChoice AskSaveChanges(const QString &question) override;

private:
    QWidget *parent_;
};

