#include "app/TraceDialog.h"

#include "app/ErrorBox.h"
#include "image/DialogFolder.h"
#include "image/FileDialogs.h"
#include "image/ImageFile.h"
#include "image/IoErrorRu.h"
#include "link/WireTrace.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TTraceDialog::TTraceDialog(const WireTrace &trace, FileDialogs &dialogs, QWidget *parent)
    : QDialog(parent), Trace(trace), Dialogs(dialogs)
{
    setWindowTitle(QStringLiteral("Обмен с телефоном"));
    resize(560, 420);
    auto *layout = new QVBoxLayout(this);
    Text = new QPlainTextEdit(this);
    Text->setObjectName(QStringLiteral("TraceText"));
    Text->setReadOnly(true);
    Text->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Text->setPlainText(trace.Empty() ? QStringLiteral("Обмена ещё не было.") : trace.Text(kShownChars));
    Text->moveCursor(QTextCursor::End); // the failure is at the end
    layout->addWidget(Text);
    auto *buttons = new QDialogButtonBox(this);
    SaveButton = buttons->addButton(QStringLiteral("Сохранить..."), QDialogButtonBox::ActionRole);
    SaveButton->setEnabled(!trace.Empty());
    buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
    connect(SaveButton, &QPushButton::clicked, this, [this] { Save(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool TTraceDialog::Save()
{
    const QString path = Dialogs.SaveFileName(DialogStartFolder(), QStringLiteral("Текст (*.txt)"), QStringLiteral("txt"));
    if (path.isEmpty())
        return false;
    RememberDialogFile(path);
    if (QFileInfo::exists(path)
        && !Dialogs.ConfirmOverwrite(QStringLiteral("Файл %1 уже есть. Заменить?").arg(QDir::toNativeSeparators(path))))
        return false;
    if (const IoError error = SaveImageFile(path, Trace.Text().toUtf8())) {
        Dialogs.Error(QStringLiteral("Обмен не сохранён в %1: %2").arg(QDir::toNativeSeparators(path), IoErrorTextRu(error)));
        return false;
    }
    return true;
}
