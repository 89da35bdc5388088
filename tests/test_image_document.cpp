// The image document without a window: steps and groups, undo and redo of the
// image, the model and the comment, and which states count as safe.

#include "image/ImageDocument.h"

#include <gtest/gtest.h>

namespace {

ImageState With(int addr, uint16_t word, int model = 0, const QString &comment = {})
{
    ImageState s;
    s.image[addr] = word;
    s.model = model;
    s.comment = comment;
    return s;
}

// What a model list and a comment box would show, following the signals.
struct View {
    int model = 0;
    QString comment;
    int restored = 0;
    explicit View(ImageDocument &doc)
    {
        QObject::connect(&doc, &ImageDocument::ModelChanged, [this](int m) { model = m; });
        QObject::connect(&doc, &ImageDocument::CommentChanged, [this](const QString &c) { comment = c; });
        QObject::connect(&doc, &ImageDocument::Restored, [this] { ++restored; });
    }
};

TEST(ImageDocument, EachChangeIsOneStepThatUndoesAndRedoes)
{
    const struct {
        const char *caption;
        ImageState after;
    } steps[] = {
        {"Ячейка 05H", With(5, 0x1234)},
        {"Модель", With(5, 0x1234, 3)},
        {"Комментарий", With(5, 0x1234, 3, "abc")},
        {"Открыть a.b", With(7, 0x0001, -1, "")},
    };
    ImageDocument doc;
    View view(doc);
    std::vector<ImageState> states{doc.State()};
    for (const auto &s : steps) {
        doc.Apply(QString::fromUtf8(s.caption), s.after);
        EXPECT_EQ(doc.State(), s.after);
        EXPECT_EQ(doc.UndoText(), QString::fromUtf8(s.caption));
        states.push_back(s.after);
    }
    doc.Apply("Ничего", doc.State()); // no change, no step
    EXPECT_EQ(doc.UndoText(), "Открыть a.b");
    EXPECT_FALSE(doc.CanRedo());

    for (size_t i = std::size(steps); i-- > 0;) {
        doc.Undo();
        EXPECT_EQ(doc.State(), states[i]);
        EXPECT_EQ(doc.RedoText(), QString::fromUtf8(steps[i].caption));
        EXPECT_EQ(view.model, doc.Model());
        EXPECT_EQ(view.comment, doc.Comment());
    }
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(view.restored, int(std::size(steps)));
    doc.Redo();
    doc.Redo();
    EXPECT_EQ(doc.State(), states[2]);
    EXPECT_EQ(view.model, 3);

    doc.Apply("Ячейка 01H", With(1, 1)); // drops the steps undone
    EXPECT_FALSE(doc.CanRedo());
    doc.Undo();
    EXPECT_EQ(doc.State(), states[2]);
}

TEST(ImageDocument, TypingAndTheProgramsModelAreOneStepWhenCommitted)
{
    ImageDocument doc;
    View view(doc);
    doc.EditComment("a");
    doc.EditComment("ab");
    doc.EditModel(99); // not on the list
    EXPECT_EQ(doc.Model(), -1);
    EXPECT_EQ(view.comment, "ab");
    EXPECT_FALSE(doc.CanUndo());

    doc.CommitComment("Комментарий");
    doc.Undo();
    EXPECT_EQ(doc.State(), With(0, 0xFFFF, -1, "")); // the model set meanwhile stays
    doc.Redo();
    doc.EditModel(4);
    doc.CommitModel("Модель");
    doc.Undo();
    EXPECT_EQ(doc.State(), With(0, 0xFFFF, -1, "ab"));
}

TEST(ImageDocument, AGroupIsOneStepAndUndoWaitsForItsEnd)
{
    ImageDocument doc;
    doc.Apply("Ячейка 00H", With(0, 0x0001));
    const ImageState before = doc.State();
    doc.BeginGroup();
    doc.Words()[0x30] = 0x1111; // as a read fills the image
    ImageState edited = doc.State();
    edited.image[2] = 0x2222;
    doc.Apply("Ячейка 02H", edited); // an edit meanwhile joins the group
    doc.Undo();
    EXPECT_EQ(doc.State(), edited);
    EXPECT_EQ(doc.UndoText(), "Ячейка 00H");
    doc.EndGroup("Прочитать всю EEPROM");
    EXPECT_EQ(doc.UndoText(), "Прочитать всю EEPROM");
    doc.Undo();
    EXPECT_EQ(doc.State(), before);

    doc.BeginGroup(); // a group that changed nothing leaves no step
    doc.EndGroup("Прочитать блок");
    EXPECT_EQ(doc.RedoText(), "Прочитать всю EEPROM");
}

TEST(ImageDocument, SafeAreStatesSavedOrBackedUpAndWhatAWriteCompletes)
{
    ImageDocument doc;
    EXPECT_TRUE(doc.IsSafe()); // blank: nothing to lose
    doc.Apply("Комментарий", With(0, 0xFFFF, 0, "x"));
    EXPECT_FALSE(doc.IsSafe());
    doc.MarkSafe();
    doc.Apply("Ячейка 01H", With(1, 0x0001, 0, "x"));
    EXPECT_FALSE(doc.IsSafe());
    doc.Undo();
    EXPECT_TRUE(doc.IsSafe());

    // Edits to a blank image, then a write of words first..last.
    const struct {
        const char *name;
        std::vector<int> edits;
        int first, last;
        bool safe;
    } writes[] = {
        {"all words", {0x10, 0x32}, 0x00, 0x3F, true},
        {"a block holding every edit", {0x32, 0x3F}, 0x30, 0x3F, true},
        {"a block missing an edit", {0x10, 0x32}, 0x30, 0x3F, false},
    };
    for (const auto &w : writes) {
        SCOPED_TRACE(w.name);
        ImageDocument doc;
        ImageState s = doc.State();
        for (int a : w.edits)
            s.image[a] = 0x1234;
        doc.Apply("Ячейка", s);
        doc.MarkWritten(doc.State(), w.first, w.last);
        EXPECT_EQ(doc.IsSafe(), w.safe);
    }
}

TEST(ImageDocument, TheOldestSafeStatesAreForgotten)
{
    ImageDocument doc;
    const int kMax = ImageDocument::kMaxSafeStates;
    for (int i = 1; i < kMax; ++i) { // with the blank start: full
        doc.Apply("Ячейка 00H", With(0, uint16_t(i)));
        doc.MarkSafe();
    }
    doc.Apply("Отчистить буфер", ImageState{});
    EXPECT_TRUE(doc.IsSafe());
    doc.MarkSafe(); // marked again: now the newest
    doc.Apply("Ячейка 00H", With(0, uint16_t(kMax)));
    doc.MarkSafe();

    doc.Apply("Ячейка 00H", With(0, 1));
    EXPECT_FALSE(doc.IsSafe()); // the oldest, dropped
    for (const ImageState &kept : {ImageState{}, With(0, 2), With(0, uint16_t(kMax))}) {
        doc.Apply("Ячейка 00H", kept);
        EXPECT_TRUE(doc.IsSafe());
    }
}

} // namespace
