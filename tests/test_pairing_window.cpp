// The "Связь" page in the real window: typed fields, pairing from a base's
// file, and the ID code a factory preset zeroed.
#include "app/Unit1.h"
#include "app/Controls.h"
#include "image/Backups.h"
#include "image/FileDialogs.h"
#include "image/ImageFile.h"
#include "image/Presets.h"
#include "radio/InfoList.h"
#include "radio/Pairing.h"
#include "FormUi.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Dialogs : FileDialogs {
    QString openPath, openFolder;
    QStringList errors;
    QString SaveFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString OpenFileName(const QString &folder, const QString &) override { return openFolder = folder, openPath; }
    bool ConfirmOverwrite(const QString &) override { return false; }
    void Information(const QString &) override {}
    void Error(const QString &text) override { errors << text; }
};

using Words = Pairing::Words;
// ID 6699, F8, system channels 81 82 83 84.
constexpr Words kBaseWords = {0x1A2B, 0x5077, 0x5152, 0x5354};

EepromImage PresetImage(int preset, const Words &words)
{
    EepromImage image;
    EXPECT_TRUE(ApplyPreset(image, preset));
    Pairing::Store(image, words);
    return image;
}

class PairingWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        form = std::make_unique<TForm1>();
        auto d = std::make_unique<Dialogs>();
        dialogs = d.get();
        form->Dialogs = std::move(d);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        QTabBar *bar = Ui(*form).PageControl2->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(3).center());
        ASSERT_EQ(Ui(*form).PageControl2->currentWidget()->objectName(), "TabSheet8");
        pair = PairFields();
        ASSERT_TRUE(pair.Id && pair.Sys[3] && pair.Plan && pair.RestoreId && pair.Note);
    }

    // The state a read of a handset leaves: one step, model and comment set.
    void ReadHandset(const Words &words)
    {
        ImageState s = form->Doc.State();
        s.image = PresetImage(1, words);
        s.model = 2;
        s.comment = QStringLiteral("трубка Иванова");
        form->Doc.Apply(QStringLiteral("Чтение"), s);
        form->RefreshBufExecute();
    }

    QString SaveImage(const QString &path, const EepromImage &image)
    {
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        EXPECT_FALSE(SaveImageFile(path, EncodeImageFile(image, 2, QStringLiteral("база"))));
        return path;
    }

    static void Key(int key, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mods);
    }

    // The page's fields, found as the page names them.
    struct Fields {
        TMaskEdit *Id, *IdHex, *First, *Last;
        std::array<TMaskEdit *, 4> Sys;
        QComboBox *Plan;
        QPushButton *FromBase, *RestoreId;
        QLabel *Note;
    };
    template <class T = TMaskEdit> T *Field(const QString &name) const
    {
        return form->findChild<T *>(QStringLiteral("Pair") + name);
    }
    Fields PairFields() const
    {
        return {Field("Id"),
                Field("IdHex"),
                Field("First"),
                Field("Last"),
                {Field("Sys1"), Field("Sys2"), Field("Sys3"), Field("Sys4")},
                Field<QComboBox>("Plan"),
                Field<QPushButton>("FromBase"),
                Field<QPushButton>("RestoreId"),
                Field<QLabel>("Note")};
    }

    QTemporaryDir home;
    std::unique_ptr<TForm1> form;
    Dialogs *dialogs = nullptr;
    Fields pair{};
};

TEST_F(PairingWindow, TypedFieldsStoreParsedValuesOrSayWhyAndChangeNothing)
{
    enum FieldName { Id, IdHex, First, Last, Sys1, Sys3 };
    struct Row {
        FieldName field;
        const char *typed;
        int key; // how the field is done with
        Words words;         // after, when taken
        const char *refusal; // the note, when refused
    };
    const Words start = kBaseWords;
    const Row rows[] = {
        {Id, "1234", Qt::Key_Return, {0x04D2, 0x5077, 0x5152, 0x5354}, nullptr},
        {IdHex, "beef", Qt::Key_Tab, {0xBEEF, 0x5077, 0x5152, 0x5354}, nullptr},
        {Id, "65536", Qt::Key_Return, start, "ID-код: число вне пределов 0-65535."},
        {Id, "12a", Qt::Key_Tab, start, "ID-код: нужно число от 0 до 65535."},
        {IdHex, "G1", Qt::Key_Return, start, "ID-код: нужны шестнадцатеричные цифры, от 0 до FFFF."},
        {IdHex, " 1a2c", Qt::Key_Return, {0x1A2C, 0x5077, 0x5152, 0x5354}, nullptr}, // pasted with a space
        {IdHex, "12345", Qt::Key_Return, start, "ID-код: больше FFFF."}, // never cut to 1234
        {IdHex, "-1", Qt::Key_Tab, start, "ID-код: нужны шестнадцатеричные цифры, от 0 до FFFF."},
        {Id, "70000", Qt::Key_Return, start, "ID-код: число вне пределов 0-65535."},
        {Sys1, "2555", Qt::Key_Return, start, "Системный канал 1: число вне пределов 0-255."},
        {Last, "200", Qt::Key_Return, {0x1A2B, 0x50C8, 0x5152, 0x5354}, nullptr},
        {First, "150", Qt::Key_Return, start, "Рабочие каналы: первый канал (150) больше последнего (119)."},
        {Last, "256", Qt::Key_Tab, start, "Рабочие каналы: число вне пределов 0-255."},
        {Sys1, "30", Qt::Key_Tab, {0x1A2B, 0x5077, 0x1E52, 0x5354}, nullptr},
        {Sys3, "", Qt::Key_Return, start, "Системный канал 3: нужно число от 0 до 255."},
        {Sys3, "-1", Qt::Key_Tab, start, "Системный канал 3: число вне пределов 0-255."},
    };
    const Fields &p = pair;
    TMaskEdit *const fields[] = {p.Id, p.IdHex, p.First, p.Last, p.Sys[0], p.Sys[2]};
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.typed) + " into field " + std::to_string(r.field));
        ReadHandset(start);
        const QString undoBefore = form->Doc.UndoText();
        TMaskEdit *const field = fields[r.field];
        QTest::mouseClick(field, Qt::LeftButton);
        ASSERT_TRUE(field->hasFocus());
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QString::fromLatin1(r.typed));
        if (!*r.typed)
            Key(Qt::Key_Delete);
        Key(r.key);
        if (r.key == Qt::Key_Tab && QApplication::focusWidget() == p.Last)
            Key(Qt::Key_Tab); // the range is stored when both its fields are left
        EXPECT_EQ(Pairing::WordsOf(form->Doc.Image()), r.words);
        EXPECT_EQ(p.Note->text(), r.refusal ? QString::fromUtf8(r.refusal) : QString());
        if (r.refusal) {
            EXPECT_EQ(form->Doc.UndoText(), undoBefore);
            // The other side of the ID code shows the value stored, not one typed on the way.
            if (r.field == Id)
                EXPECT_EQ(p.IdHex->text(), WordToHex(r.words[0]));
            if (r.field == IdHex)
                EXPECT_EQ(p.Id->text(), QString::number(r.words[0]));
        } else {
            EXPECT_NE(form->Doc.UndoText(), undoBefore); // one step of its own
            EXPECT_EQ(p.Id->text(), QString::number(r.words[0]));
            EXPECT_EQ(p.IdHex->text(), WordToHex(r.words[0]));
        }
    }
    // The last accepted row put system channel 1 at 30, outside F8: marked, and why.
    ReadHandset({0x1A2B, 0x5077, 0x1E52, 0x5354});
    EXPECT_EQ(p.Plan->currentText(), "F8 (80-119)");
    EXPECT_EQ(p.Sys[0]->toolTip(), "Канал 30 вне рабочего диапазона F8 (80-119)");
    EXPECT_TRUE(p.Sys[1]->toolTip().isEmpty());

    // The plan list by keys: one up from F8 is F7, stored at once.
    p.Plan->setFocus();
    Key(Qt::Key_Up);
    EXPECT_EQ(form->Doc.Image()[0x38], 0x284F);
    EXPECT_EQ(p.First->text(), "40");
    EXPECT_EQ(p.Last->text(), "79");
    EXPECT_EQ(form->Doc.UndoText(), "Рабочие каналы");
}

TEST_F(PairingWindow, PairsFromABaseFileOrABackupInOneStepThatCtrlZTakesBack)
{
    ReadHandset({0x0000, 0x0027, 0x0102, 0x0304});
    const ImageState before = form->Doc.State();
    const QString base = SaveImage(home.path() + "/base.258", PresetImage(4, kBaseWords));
    dialogs->openPath = base;
    QTest::mouseClick(pair.FromBase, Qt::LeftButton);
    EXPECT_EQ(dialogs->openFolder, Backups::Folder());

    ImageState expected = before;
    Pairing::Store(expected.image, kBaseWords);
    EXPECT_EQ(form->Doc.Image(), expected.image); // only 0x37-0x3A changed
    EXPECT_EQ(form->Doc.Model(), before.model);
    EXPECT_EQ(form->Doc.Comment(), before.comment);
    EXPECT_EQ(form->StatusText(1), "ID 6699, F8, каналы 81 82 83 84 взяты из base.258");
    EXPECT_EQ(pair.Note->text(), form->StatusText(1));
    EXPECT_EQ(pair.Id->text(), "6699");
    EXPECT_EQ(pair.Sys[3]->text(), "84");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Doc.State(), before);
    EXPECT_EQ(pair.Id->text(), "0");
    EXPECT_EQ(pair.Note->text(), ""); // it told of words no longer there

    // A backup is a handset's own image here: taken the same way, and said so.
    const Words other = {4242, 0x0AC8, 0x6465, 0x6667};
    // (Saved apart from the real backups folder, which is the user's own under wine.)
    dialogs->openPath = SaveImage(home.path() + "/backups/2026-12-09_10-00-00_4242.258", PresetImage(1, other));
    ASSERT_FALSE(InfoList::IsBase(PresetImage(1, other)));
    Ui(*form).Act.PairFromBase->trigger();
    EXPECT_EQ(Pairing::WordsOf(form->Doc.Image()), other);
    EXPECT_EQ(
        form->StatusText(1),
        "Это образ трубы, не базы! ID 4242, 10-200, каналы 100 101 102 103 взяты из 2026-12-09_10-00-00_4242.258");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Doc.State(), before);

    // A file that is no image, and one saved from a read of other words, are
    // refused and change nothing.
    QFile junk(home.path() + "/junk.txt");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not an image");
    junk.close();
    dialogs->openPath = junk.fileName();
    Ui(*form).Act.PairFromBase->trigger();
    EXPECT_EQ(dialogs->errors.size(), 1);
    const QString partial = home.path() + "/word0A.258";
    ASSERT_FALSE(SaveImageFile(partial, EncodeImageFile(PresetImage(4, kBaseWords), 2, "[read 0A]")));
    dialogs->openPath = partial;
    Ui(*form).Act.PairFromBase->trigger();
    ASSERT_EQ(dialogs->errors.size(), 2);
    EXPECT_EQ(dialogs->errors[1], "В файле word0A.258 нет слов 37-3A: он сохранён после чтения [read 0A].");
    EXPECT_EQ(form->Doc.State(), before);
}

// "Взять у базы..." takes words 37-3A only from an image that holds them,
// by the rule quillon-cli's set --from and write apply.
TEST_F(PairingWindow, WhatIsNoBaseImageIsRefusedAndChangesNothing)
{
    QByteArray noise(200, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 97 + 13) % 251);
    noise[128] = char(0xA7);
    const struct {
        const char *name;
        QByteArray bytes;
        const char *error;
    } rows[] = {
        {"README.txt", QString("База 7, ID 6699: каналы F8.\n").repeated(10).toUtf8(),
         "Файл README.txt не образ: это текст."},
        {"noise.bin", noise, "Файл noise.bin не образ: байт модели A7, а в образе 00-08 или FF."},
        {"part.258", EncodeImageFile(PresetImage(4, kBaseWords), 2, "[read 30-33]"),
         "В файле part.258 нет слов 37-3A: он сохранён после чтения [read 30-33]."},
    };
    ReadHandset({0x0000, 0x0027, 0x0102, 0x0304});
    const ImageState before = form->Doc.State();
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QFile f(home.path() + "/" + row.name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(row.bytes);
        f.close();
        dialogs->openPath = f.fileName();
        dialogs->errors.clear();
        QTest::mouseClick(pair.FromBase, Qt::LeftButton);
        EXPECT_EQ(dialogs->errors, QStringList{QString::fromUtf8(row.error)});
        EXPECT_EQ(form->Doc.State(), before);
    }
}

TEST_F(PairingWindow, APresetOverAReadHandsetSaysItZeroedTheIdCodeAndOneClickPutsItBack)
{
    ReadHandset(kBaseWords);
    EXPECT_FALSE(pair.RestoreId->isVisible());
    Ui(*form).Act.L258Hand12800->trigger();
    ASSERT_EQ(form->Doc.Image()[0x37], 0x0000);
    EXPECT_EQ(form->StatusText(1), "ID-код 6699 обнулён (вернуть: «Связь»)");
    ASSERT_TRUE(pair.RestoreId->isVisible());
    EXPECT_EQ(pair.RestoreId->text(), "Вернуть ID-код 6699");
    const EepromImage preset = form->Doc.Image();

    QTest::mouseClick(pair.RestoreId, Qt::LeftButton);
    EepromImage expected = preset;
    expected[0x37] = 0x1A2B;
    EXPECT_EQ(form->Doc.Image(), expected); // the ID code alone
    EXPECT_FALSE(pair.RestoreId->isVisible());
    EXPECT_EQ(form->Doc.UndoText(), "Вернуть ID-код");

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Doc.Image(), preset);
    EXPECT_TRUE(pair.RestoreId->isVisible());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Pairing::WordsOf(form->Doc.Image()), kBaseWords);

    // Another image without an ID code is no place for this one; nor has a
    // preset over such an image anything to give back.
    Key(Qt::Key_Y, Qt::ControlModifier);
    ASSERT_TRUE(pair.RestoreId->isVisible());
    ReadHandset({0x0000, 0x5077, 0x0102, 0x0304});
    EXPECT_FALSE(pair.RestoreId->isVisible());
    Ui(*form).Act.L258Hand12800->trigger();
    EXPECT_FALSE(pair.RestoreId->isVisible());
}

} // namespace
