#include "image/ImageDocument.h"

#include "image/ImageFile.h"

#include <cstddef>
#include <utility>

namespace {

int ListedModel(int model)
{
    return model >= 0 && model < kModelCount ? model : -1;
}

} // namespace

ImageDocument::ImageDocument(QObject *parent) : QObject(parent)
{
    MarkSafe(); // a blank image holds nothing to lose
}

void ImageDocument::Apply(const QString &caption, ImageState after)
{
    after.model = ListedModel(after.model);
    const ImageState before = Current;
    Current.image = after.image;
    Current.coverage = after.coverage;
    SetModelAndComment(after.model, after.comment);
    Record(caption, before);
}

void ImageDocument::EditModel(int model)
{
    SetModelAndComment(ListedModel(model), Current.comment);
}

void ImageDocument::EditComment(const QString &comment)
{
    SetModelAndComment(Current.model, comment);
}

void ImageDocument::CommitModel(const QString &caption)
{
    ImageState before = Current;
    before.model = ModelRecorded;
    Record(caption, before);
}

void ImageDocument::CommitComment(const QString &caption)
{
    ImageState before = Current;
    before.comment = CommentRecorded;
    Record(caption, before);
}

void ImageDocument::BeginGroup()
{
    Group = true;
    GroupBefore = Current;
}

void ImageDocument::EndGroup(const QString &caption)
{
    if (!Group)
        return;
    Group = false;
    Record(caption, GroupBefore);
}

QString ImageDocument::UndoText() const
{
    return CanUndo() ? Steps[Done - 1].caption : QString();
}

QString ImageDocument::RedoText() const
{
    return CanRedo() ? Steps[Done].caption : QString();
}

void ImageDocument::Undo()
{
    if (Group || !CanUndo())
        return;
    --Done;
    Restore(Steps[Done].before);
    emit HistoryChanged();
}

void ImageDocument::Redo()
{
    if (Group || !CanRedo())
        return;
    Restore(Steps[Done].after);
    ++Done;
    emit HistoryChanged();
}

void ImageDocument::MarkSafe()
{
    MarkSafe(Current);
}

void ImageDocument::MarkWritten(const ImageState &sent, int first, int last)
{
    // The telephone holds only the words written; the model and the comment
    // count as kept with them, as they always have.
    for (const ImageState &safe : std::as_const(Safe)) {
        bool restSafe = true;
        for (int a = 0; a < EepromImage::kWords && restSafe; ++a)
            restSafe = (a >= first && a <= last) || safe.image[a] == sent.image[a];
        if (restSafe) {
            MarkSafe(sent);
            return;
        }
    }
}

void ImageDocument::Record(const QString &caption, const ImageState &before)
{
    ModelRecorded = Current.model;
    CommentRecorded = Current.comment;
    if (Group || Current == before)
        return;
    Steps.erase(Steps.begin() + static_cast<std::ptrdiff_t>(Done), Steps.end()); // a new step drops what was undone
    Steps.push_back(Step{caption, before, Current});
    Done = Steps.size();
    emit HistoryChanged();
}

void ImageDocument::SetModelAndComment(int model, const QString &comment)
{
    const bool modelChanged = model != Current.model, commentChanged = comment != Current.comment;
    Current.model = model;
    Current.comment = comment;
    // Emitted once the whole state is in place: a view that answers with an
    // edit of its own finds nothing left to change.
    if (modelChanged)
        emit ModelChanged(model);
    if (commentChanged)
        emit CommentChanged(comment);
}

void ImageDocument::Restore(const ImageState &state)
{
    Current.image = state.image;
    Current.coverage = state.coverage;
    SetModelAndComment(state.model, state.comment);
    ModelRecorded = state.model;
    CommentRecorded = state.comment;
    emit Restored();
}

void ImageDocument::MarkSafe(const ImageState &state)
{
    Safe.removeOne(state);
    Safe.append(state);
    if (Safe.size() > kMaxSafeStates)
        Safe.removeFirst();
}
