// The window's side of the image document: the model list and the comment box
// follow it, undo and redo call into it, and the question on closing with work
// that exists nowhere else.
#include "app/Unit1.h"

#include "image/ImageFile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

namespace {

const char kUndo[] = QT_TRANSLATE_NOOP("Quillon", "Отменить");
const char kRedo[] = QT_TRANSLATE_NOOP("Quillon", "Повторить");

} // namespace

void TForm1::WatchModelAndComment()
{
    // The document's own context: the boxes die after it among the children.
    connect(ComboBox2, &QComboBox::currentIndexChanged, &Doc, &ImageDocument::EditModel);
    connect(Edit1, &QLineEdit::textChanged, &Doc, &ImageDocument::EditComment);
    connect(&Doc, &ImageDocument::ModelChanged, this, [this](int model) {
        if (ComboBox2->currentIndex() != model)
            ComboBox2->setCurrentIndex(model);
    });
    connect(&Doc, &ImageDocument::CommentChanged, this, [this](const QString &comment) {
        if (Edit1->text() != comment)
            Edit1->setText(comment);
    });
    // The user's own choice of model and the comment typed are steps too;
    // every other change of them is recorded by the action that made it.
    connect(ComboBox2, &QComboBox::activated, &Doc,
            [this] { Doc.CommitModel(QCoreApplication::translate("Quillon", "Модель")); });
    connect(Edit1, &QLineEdit::editingFinished, &Doc,
            [this] { Doc.CommitComment(QCoreApplication::translate("Quillon", "Комментарий")); });
    connect(&Doc, &ImageDocument::Restored, this, [this] {
        RefreshBufExecute();
        RefreshEntryBox();
        TabSheet7Show(); // the frequency page is refilled whether it is shown or not
    });
    connect(&Doc, &ImageDocument::HistoryChanged, this, [this] { UpdateUndoActions(); });
}

void TForm1::UndoExecute()
{
    if (!RunningJob)
        Doc.Undo();
}

void TForm1::RedoExecute()
{
    if (!RunningJob)
        Doc.Redo();
}

void TForm1::UpdateUndoActions()
{
    const auto caption = [](const char *verb, bool can, const QString &step) {
        const QString text = QCoreApplication::translate("Quillon", verb);
        return can ? text + QStringLiteral(": ") + step : text;
    };
    // A job changes the image under its own step: no undo until it is over.
    Act.Undo->setEnabled(!RunningJob && Doc.CanUndo());
    Act.Undo->setText(caption(kUndo, Doc.CanUndo(), Doc.UndoText()));
    Act.Redo->setEnabled(!RunningJob && Doc.CanRedo());
    Act.Redo->setText(caption(kRedo, Doc.CanRedo(), Doc.RedoText()));
}

bool TForm1::AskToSaveChanges()
{
    if (Doc.IsSafe())
        return true;
    const QString question =
        QCoreApplication::translate("Quillon", "Буфер изменён, а изменения не сохранены в файл, не записаны в "
                                               "телефон и не попали в резервную копию. Сохранить их?");
    switch (Dialogs->AskSaveChanges(question)) {
    case FileDialogs::SaveChoice::Save:
        SaveFileExecute();
        return Doc.IsSafe(); // a cancelled or failed save keeps the window
    case FileDialogs::SaveChoice::Discard:
        return true;
    case FileDialogs::SaveChoice::Cancel:
        break;
    }
    return false;
}
