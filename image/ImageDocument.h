#pragma once

#include "image/ImageState.h"

#include <QList>
#include <QObject>
#include <QString>
#include <vector>

// The image the user works on, with its model and comment, and their history.
// Every change is a named step that undo and redo move over; a group (a
// whole read job) is one step. The document also knows which states exist
// somewhere else (a file, a telephone, a backup), so that closing asks only
// when work would be lost. The views follow it through its signals.
class ImageDocument : public QObject {
    Q_OBJECT

public:
    // Safe states remembered, the newest kept: each may carry a long comment,
    // and a long session would otherwise pile them up.
    static constexpr int kMaxSafeStates = 32;

    explicit ImageDocument(QObject *parent = nullptr); // blank, model 0, no comment; safe

    const ImageState &State() const { return Current; }
    const EepromImage &Image() const { return Current.image; }
    int Model() const { return Current.model; } // -1 for none
    const QString &Comment() const { return Current.comment; }
    // The words themselves, for the engine that reads into them word by word:
    // what changes through here goes into the open group, or into the
    // "before" of the next step.
    EepromImage &Words() { return Current.image; }
    // Which words came from reads or a file: follows the words, but is no
    // change of its own (no step; an open group takes it along).
    void SetCoverage(const ImageCoverage &coverage) { Current.coverage = coverage; }

    // One named step to `after`; nothing is recorded when nothing changes.
    // A model outside the list becomes -1.
    void Apply(const QString &caption, ImageState after);

    // The comment box while the user types, a model the program sets: the
    // state changes at once, the step comes when the user is done (Commit*),
    // from what the last step left.
    void EditModel(int model);
    void EditComment(const QString &comment);
    void CommitModel(const QString &caption);
    void CommitComment(const QString &caption);

    // While a group is open every change joins it, and undo waits for its end;
    // the group becomes one step (none if it changed nothing).
    void BeginGroup();
    void EndGroup(const QString &caption);
    bool InGroup() const { return Group; }

    bool CanUndo() const { return Done > 0; }
    bool CanRedo() const { return Done < Steps.size(); }
    QString UndoText() const;
    QString RedoText() const;
    void Undo();
    void Redo();

    // The current state now exists elsewhere (saved, opened, backed up).
    void MarkSafe();
    // A write put words first..last of `sent` into a telephone: the whole of
    // `sent` is safe if a safe state already holds the words the write left
    // out.
    void MarkWritten(const ImageState &sent, int first, int last);
    bool IsSafe() const { return Safe.contains(Current); }

signals:
    void ModelChanged(int model);
    void CommentChanged(const QString &comment);
    void Restored(); // undo or redo put a whole state back
    void HistoryChanged();

private:
    struct Step {
        QString caption;
        ImageState before, after;
    };
    void Record(const QString &caption, const ImageState &before);
    void SetModelAndComment(int model, const QString &comment);
    void Restore(const ImageState &state);
    void MarkSafe(const ImageState &state);

    ImageState Current;
    int ModelRecorded = 0; // the model and the comment as the last step left them
    QString CommentRecorded;
    std::vector<Step> Steps;
    size_t Done = 0; // Steps[0, Done) are in effect
    bool Group = false;
    ImageState GroupBefore;
    QList<ImageState> Safe; // oldest first
};
