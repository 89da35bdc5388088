#include "app/TraceDialog.h"

#include "app/ErrorBox.h"
#include "image/DialogFolder.h"
#include "image/FileDialogs.h"
#include "image/ImageFile.h"
#include "image/IoErrorText.h"
#include "link/WireTrace.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QFont TraceFont()
{
    // Qt's fixed font is "Courier New" on Windows; where that is missing (wine
    // has none) the stand-in is a serif, and the wire's columns go astray.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (QFontInfo(font).fixedPitch())
        return font;
    for (const char *family :
         {"Consolas", "Courier New", "Lucida Console", "DejaVu Sans Mono", "Liberation Mono", "Courier"}) {
        const QString name = QString::fromLatin1(family);
        if (QFontDatabase::hasFamily(name) && QFontDatabase::isFixedPitch(name)) {
            font.setFamily(name);
            return font;
        }
    }
    font.setFamily(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

TTraceDialog::TTraceDialog(const WireTrace &trace, FileDialogs &dialogs, QWidget *parent)
    : QDialog(parent), Trace(trace), Dialogs(dialogs)
{
    setWindowTitle(QCoreApplication::translate("Quillon", "Обмен с телефоном"));
    resize(560, 420);
    auto *layout = new QVBoxLayout(this);
    Text = new QPlainTextEdit(this);
    Text->setObjectName(QStringLiteral("TraceText"));
    Text->setReadOnly(true);
    Text->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text->setFont(TraceFont());
    Text->setPlainText(trace.Empty() ? QCoreApplication::translate("Quillon", "Обмена ещё не было.")
                                     : trace.Text(kShownChars));
    Text->moveCursor(QTextCursor::End); // the failure is at the end
    layout->addWidget(Text);
    auto *buttons = new QDialogButtonBox(this);
    SaveButton =
        buttons->addButton(QCoreApplication::translate("Quillon", "Сохранить..."), QDialogButtonBox::ActionRole);
    SaveButton->setEnabled(!trace.Empty());
    buttons->addButton(QCoreApplication::translate("Quillon", "Закрыть"), QDialogButtonBox::RejectRole);
    connect(SaveButton, &QPushButton::clicked, this, [this] { Save(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool TTraceDialog::Save()
{
    const QString path = Dialogs.SaveFileName(
        DialogStartFolder(), QCoreApplication::translate("Quillon", "Текст (*.txt)"), QStringLiteral("txt"));
    if (path.isEmpty())
        return false;
    RememberDialogFile(path);
    if (QFileInfo::exists(path)
        && !Dialogs.ConfirmOverwrite(
            QCoreApplication::translate("Quillon", "Файл %1 уже есть. Заменить?").arg(QDir::toNativeSeparators(path))))
        return false;
    if (const IoError error = SaveTextFile(path, Trace.Text())) {
        Dialogs.Error(QCoreApplication::translate("Quillon", "Обмен не сохранён в %1: %2")
                          .arg(QDir::toNativeSeparators(path), IoErrorText(error)));
        return false;
    }
    return true;
}
