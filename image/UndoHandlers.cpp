// Undo and redo of every change to the image, the model and the comment, and
// the question on closing with work that exists nowhere else.
#include "app/Unit1.h"

#include "image/ImageFile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QUndoCommand>
#include <QUndoStack>

namespace {

// A change that has already happened: the first redo (QUndoStack::push) has
// nothing to do; later ones put the state after the change back.
class ImageStep : public QUndoCommand {
public:
    ImageStep(TForm1 &window, const QString &caption, const ImageState &before, const ImageState &after)
        : QUndoCommand(caption), Window(window), Before(before), After(after)
    {
    }
    void undo() override { Window.ApplyState(Before); }
    void redo() override
    {
        if (Pushed)
            Window.ApplyState(After);
        Pushed = true;
    }

private:
    TForm1 &Window;
    ImageState Before, After;
    bool Pushed = false;
};

const char kUndo[] = "Отменить";
const char kRedo[] = "Повторить";

} // namespace

ImageState TForm1::CurrentState() const
{
    return ImageState{Buf, DeviceModel(), Edit1->text(), Coverage};
}

void TForm1::ApplyState(const ImageState &state)
{
    Buf = state.image;
    Coverage = state.coverage;
    SetDeviceModel(state.model);
    Edit1->setText(state.comment);
    RefreshBufExecute();
    RefreshEntryBox();
    TabSheet7Show(); // the frequency page is refilled whether it is shown or not
    ModelShown = state.model;
    CommentShown = state.comment;
}

void TForm1::RecordStep(const QString &caption, const ImageState &before)
{
    const ImageState after = CurrentState();
    ModelShown = after.model;
    CommentShown = after.comment;
    if (RunningJob && !JobTable[static_cast<size_t>(*RunningJob)].Writing)
        return;
    if (after != before)
        UndoStack->push(new ImageStep(*this, caption, before, after));
}

void TForm1::WatchModelAndComment()
{
    // The user's own choice of model and the comment typed are steps too;
    // every other change of them is recorded by the action that made it.
    connect(ComboBox2, &QComboBox::activated, this, [this] {
        ImageState before = CurrentState();
        before.model = ModelShown;
        RecordStep(QStringLiteral("Модель"), before);
    });
    connect(Edit1, &QLineEdit::editingFinished, this, [this] {
        ImageState before = CurrentState();
        before.comment = CommentShown;
        RecordStep(QStringLiteral("Комментарий"), before);
    });
}

void TForm1::UndoExecute()
{
    if (!RunningJob)
        UndoStack->undo();
}

void TForm1::RedoExecute()
{
    if (!RunningJob)
        UndoStack->redo();
}

void TForm1::UpdateUndoActions()
{
    const auto caption = [](const char *verb, bool can, const QString &step) {
        const QString text = QString::fromUtf8(verb);
        return can ? text + QStringLiteral(": ") + step : text;
    };
    // A job changes the image under its own step: no undo until it is over.
    Act.Undo->setEnabled(!RunningJob && UndoStack->canUndo());
    Act.Undo->setText(caption(kUndo, UndoStack->canUndo(), UndoStack->undoText()));
    Act.Redo->setEnabled(!RunningJob && UndoStack->canRedo());
    Act.Redo->setText(caption(kRedo, UndoStack->canRedo(), UndoStack->redoText()));
}

void TForm1::MarkSafe(const ImageState &state)
{
    if (!SafeStates.contains(state))
        SafeStates.append(state);
}

bool TForm1::HasUnsavedChanges() const
{
    return !SafeStates.contains(CurrentState());
}

bool TForm1::AskToSaveChanges()
{
    if (!HasUnsavedChanges())
        return true;
    const QString question = QStringLiteral("Буфер изменён, а изменения не сохранены в файл, не записаны в "
                                            "телефон и не попали в резервную копию. Сохранить их?");
    switch (EnsureDialogs(Dialogs, this).AskSaveChanges(question)) {
    case FileDialogs::SaveChoice::Save:
        SaveFileExecute();
        return !HasUnsavedChanges(); // a cancelled or failed save keeps the window
    case FileDialogs::SaveChoice::Discard:
        return true;
    case FileDialogs::SaveChoice::Cancel:
        break;
    }
    return false;
}
