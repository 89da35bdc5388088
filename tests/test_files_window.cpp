// "Сохранить как...", "Открыть..." and the preset submenu, run through the
// window's actions with the dialogs answered by a fake.
#include "ModalHelper.h"
#include "TestFiles.h"
#include "app/Translations.h"
#include "app/Unit1.h"
#include "image/Backups.h"
#include "image/ImageFile.h"
#include "image/Presets.h"
#include "FormUi.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QString U(const char *utf8) { return QString::fromUtf8(utf8); }

// Answers every dialog as told and writes down what it was asked.
struct FakeDialogs : FileDialogs {
    QString savePath, openPath; // empty: the user cancels
    bool overwrite = false;

    QStringList calls;
    QString startFolder, filterCaption, defaultSuffix, question, info, error;

    QString SaveFileName(const QString &folder, const QString &caption, const QString &suffix) override
    {
        calls << "save";
        startFolder = folder, filterCaption = caption, defaultSuffix = suffix;
        return savePath;
    }
    QString OpenFileName(const QString &folder, const QString &caption) override
    {
        calls << "open";
        startFolder = folder, filterCaption = caption;
        return openPath;
    }
    bool ConfirmOverwrite(const QString &q) override
    {
        calls << "confirm";
        question = q;
        return overwrite;
    }
    void Information(const QString &text) override
    {
        calls << "information";
        info = text;
    }
    void Error(const QString &text) override
    {
        calls << "error";
        error = text;
    }
};

class FilesWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<TForm1>();
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        form->Dialogs = std::move(fake);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QString Path(const QString &name) const { return dir.filePath(name); }
    QString Cell(int addr) const { return Ui(*form).StringGrid1->item(addr / 8 + 1, addr % 8 + 1)->text(); }

    // The window's state that a failed or cancelled load must not change.
    struct Snapshot {
        EepromImage image;
        int model;
        QString comment;
        QStringList cells;
        bool operator==(const Snapshot &o) const
        {
            return image == o.image && model == o.model && comment == o.comment && cells == o.cells;
        }
    };
    Snapshot Take() const
    {
        Snapshot s{form->Doc.Image(), form->DeviceModel(), Ui(*form).Edit1->text(), {}};
        for (int a = 0; a < EepromImage::kWords; ++a)
            s.cells << Cell(a);
        return s;
    }

    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    FakeDialogs *dialogs = nullptr;
};

} // namespace

// ---- saving ----

TEST_F(FilesWindow, SaveWritesWordsModelAndCommentWithTheModelsExtension)
{
    form->Doc.Words()[0x32] = 0x01A9;
    form->SetDeviceModel(4);
    Ui(*form).Edit1->setText(QStringLiteral("abc"));
    dialogs->savePath = Path("phone.hp");
    Ui(*form).Act.SaveFile->trigger();

    EXPECT_EQ(dialogs->calls, QStringList{"save"});
    EXPECT_EQ(dialogs->startFolder, "EELog");
    EXPECT_EQ(dialogs->filterCaption, U("Все файлы (*.*)"));
    EXPECT_EQ(dialogs->defaultSuffix, "hp");
    const QByteArray f = ReadFile(Path("phone.hp"), "<unreadable>");
    ASSERT_EQ(f.size(), 132);
    EXPECT_EQ(f.mid(100, 2), QByteArray("\x01\xA9", 2));
    EXPECT_EQ(f.right(4), QByteArray("\x04" "abc"));

    form->SetDeviceModel(0);
    Ui(*form).Act.SaveFile->trigger();
    EXPECT_EQ(dialogs->defaultSuffix, "") << "model 0 has no extension";
}

TEST_F(FilesWindow, OverwriteOnlyWhenTheUserSaysYes)
{
    const QString path = Path("old.b");
    ASSERT_TRUE(WriteFile(path, QByteArray("precious")));
    dialogs->savePath = path;
    dialogs->overwrite = false;
    Ui(*form).Act.SaveFile->trigger();
    EXPECT_EQ(dialogs->calls, (QStringList{"save", "confirm"}));
    EXPECT_EQ(dialogs->question, U("Файл ") + path + U(" уже существует. Переписать?"));
    EXPECT_EQ(ReadFile(path, "<unreadable>"), QByteArray("precious"));

    dialogs->overwrite = true;
    Ui(*form).Act.SaveFile->trigger();
    EXPECT_EQ(ReadFile(path, "<unreadable>").size(), 129);
}

TEST_F(FilesWindow, CancelledSaveWritesNothing)
{
    dialogs->savePath.clear();
    Ui(*form).Act.SaveFile->trigger();
    EXPECT_EQ(dialogs->calls, QStringList{"save"});
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(FilesWindow, SaveErrorsAreReportedWithTheStandardText)
{
    dialogs->savePath = "/dev/full";
    dialogs->overwrite = true;
    Ui(*form).Act.SaveFile->trigger();
    EXPECT_EQ(dialogs->calls, (QStringList{"save", "confirm", "error"}));
    EXPECT_EQ(dialogs->error, "Disk full");
    struct stat st;
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    // A folder is no file to overwrite: no question, access denied.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    dialogs->calls.clear();
    dialogs->savePath = Path("folder");
    Ui(*form).Act.SaveFile->trigger();
    EXPECT_EQ(dialogs->calls, (QStringList{"save", "error"}));
    EXPECT_EQ(dialogs->error, "File access denied");
}

// ---- loading ----

TEST_F(FilesWindow, SaveThenLoadRestoresImageModelAndComment)
{
    for (int a = 0; a < EepromImage::kWords; ++a)
        form->Doc.Words()[a] = static_cast<uint16_t>(0x1000 + 3 * a);
    form->SetDeviceModel(6);
    const QString comment = U("Труба Петрова, ремонт №12, ёмкость");
    Ui(*form).Edit1->setText(comment);
    dialogs->savePath = Path("p.hk");
    Ui(*form).Act.SaveFile->trigger();
    const EepromImage saved = form->Doc.Image();

    form->Doc.Words().BlankBuf();
    form->SetDeviceModel(0);
    Ui(*form).Edit1->clear();
    form->RefreshBufExecute();

    dialogs->openPath = Path("p.hk");
    Ui(*form).Act.LoadFile->trigger();
    EXPECT_EQ(dialogs->startFolder, "EELog");
    EXPECT_EQ(dialogs->filterCaption, U("Все файлы (*.*)"));
    EXPECT_EQ(form->Doc.Image(), saved);
    EXPECT_EQ(form->DeviceModel(), 6);
    EXPECT_EQ(Ui(*form).Edit1->text(), comment);
    EXPECT_EQ(Cell(0x3F), WordToHex(saved[0x3F])) << "the grid shows the loaded words";
}

TEST_F(FilesWindow, ShortFileNameOnlyWordsKeepsModelAndEmptiesComment)
{
    ASSERT_TRUE(WriteFile(Path("words"), QByteArray(128, '\x42')));
    form->SetDeviceModel(3);
    Ui(*form).Edit1->setText(QStringLiteral("old"));
    dialogs->openPath = Path("words");
    Ui(*form).Act.LoadFile->trigger();
    EXPECT_EQ(form->Doc.Image()[0x00], 0x4242);
    EXPECT_EQ(form->DeviceModel(), 3);
    EXPECT_TRUE(Ui(*form).Edit1->text().isEmpty());
}

TEST_F(FilesWindow, UnknownModelByteSelectsNoneAndSavesAsFF)
{
    QByteArray f(128, '\0');
    f.append('\x09');
    ASSERT_TRUE(WriteFile(Path("m9"), f));
    form->SetDeviceModel(2);
    dialogs->openPath = Path("m9");
    Ui(*form).Act.LoadFile->trigger();
    EXPECT_EQ(form->DeviceModel(), -1);

    dialogs->savePath = Path("again");
    Ui(*form).Act.SaveFile->trigger();
    EXPECT_EQ(dialogs->defaultSuffix, "");
    EXPECT_EQ(static_cast<uint8_t>(ReadFile(Path("again"), "<unreadable>").at(128)), 0xFF);
}

// "Сравнить с файлом...": marks where a file differs from the image and
// names its model and comment; the image stays, no undo step. A file from a
// block read is compared where it holds words.
TEST_F(FilesWindow, CompareWithAFileMarksItsWordsAndNamesModelAndComment)
{
    Ui(*form).Act.L258Base12800->trigger();
    const EepromImage image = form->Doc.Image();
    const int steps = form->Doc.CanUndo();
    EepromImage other = image;
    other[0x02] ^= 0x0F00;
    other[0x31] = 0x1234;
    ASSERT_TRUE(WriteFile(Path("other.h"), EncodeImageFile(other, 2, U("с базы 7"))));
    EepromImage block;
    for (int a = 0x30; a < 0x40; ++a)
        block[a] = other[a];
    ASSERT_TRUE(WriteFile(Path("block.h"), EncodeImageFile(block, form->DeviceModel(), U("[read 30-3F]"))));

    const auto marked = [&] {
        QStringList cells;
        for (int a = 0; a < 64; ++a)
            if (const QString tip = Ui(*form).StringGrid1->item(a / 8 + 1, a % 8 + 1)->toolTip(); !tip.isEmpty())
                cells << ByteToHex(uint8_t(a)) + ' ' + tip;
        return cells;
    };
    dialogs->openPath = Path("other.h");
    Ui(*form).Act.CompareWithFile->trigger();
    EXPECT_EQ(dialogs->startFolder, Backups::Folder());
    EXPECT_EQ(form->StatusText(1), U("Файл other.h: 2 слова из 64 не совпадают; модель в файле: SN-258 Труба; "
                                     "комментарий в файле: «с базы 7»"));
    EXPECT_EQ(marked(), QStringList({"02 В файле: " + WordToHex(other[0x02]), "31 В файле: 1234"}));
    EXPECT_EQ(form->Doc.Image(), image);
    EXPECT_EQ(form->Doc.CanUndo(), steps);

    dialogs->openPath = Path("block.h");
    Ui(*form).Act.CompareWithFile->trigger();
    EXPECT_EQ(form->StatusText(1), U("Файл block.h: 1 слово из 16 не совпадает (в файле только 30-3F); "
                                     "комментарий в файле: «[read 30-3F]»"));
    EXPECT_EQ(marked(), QStringList({"31 В файле: 1234"}));
    Ui(*form).Act.ClearMarks->trigger();
    EXPECT_TRUE(marked().isEmpty());
}

TEST_F(FilesWindow, FailedLoadChangesNothing)
{
    form->Doc.Words()[0x05] = 0x1234;
    form->SetDeviceModel(1);
    Ui(*form).Edit1->setText(QStringLiteral("keep me"));
    form->RefreshBufExecute();
    const Snapshot before = Take();

    ASSERT_TRUE(WriteFile(Path("short"), QByteArray(101, '\0'))); // 50 words and a half
    struct Case {
        QString path;
        const char *text;
    } cases[] = {{Path("short"), "Read beyond end of file"},
                 {Path("missing"), "File not found"},
                 {dir.path(), "File access denied"}};
    for (const Case &c : cases) {
        dialogs->calls.clear();
        dialogs->openPath = c.path;
        Ui(*form).Act.LoadFile->trigger();
        EXPECT_EQ(dialogs->calls, (QStringList{"open", "error"})) << c.text;
        EXPECT_EQ(dialogs->error, c.text);
        EXPECT_TRUE(Take() == before) << c.text;
    }
}

TEST_F(FilesWindow, LongCommentsLoadWholeAndOversizedFilesAreRefused)
{
    // Longer than the comment box used to hold: loading then saving gives the same bytes.
    QByteArray f = EncodeImageFile(EepromImage(), 1, QString());
    f.append(QByteArray(40000, 'x'));
    ASSERT_TRUE(WriteFile(Path("long"), f));
    dialogs->openPath = Path("long");
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(dialogs->error.isEmpty());
    EXPECT_EQ(Ui(*form).Edit1->text().size(), 40000);
    dialogs->savePath = Path("again");
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(Path("again"), "<unreadable>"), f);

    // A comment beyond any sensible size (a photo chosen by mistake) is refused.
    const Snapshot before = Take();
    f.append(QByteArray(kMaxCommentChars, 'y'));
    ASSERT_TRUE(WriteFile(Path("photo"), f));
    dialogs->openPath = Path("photo");
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs->error, U("Это не образ EEPROM: комментарий в файле длиннее 65536 символов."));
    EXPECT_TRUE(Take() == before);
}

TEST_F(FilesWindow, APipeChosenInEitherDialogIsRefusedWithoutWaiting)
{
    // Nobody is on the other end of the pipe: a blocking open would freeze the window.
    const QString fifo = Path("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    const Snapshot before = Take();
    dialogs->openPath = dialogs->savePath = fifo;
    dialogs->overwrite = true;
    for (Qt::Key key : {Qt::Key_O, Qt::Key_S}) {
        dialogs->error.clear();
        QTest::keyClick(form.get(), key, Qt::ControlModifier);
        EXPECT_EQ(dialogs->error, "File access denied") << key;
    }
    EXPECT_TRUE(Take() == before);
    EXPECT_FALSE(QFileInfo(fifo).isFile()) << "still the pipe";
}

// ---- the frequency page after loads and presets ----

class FilesWindowFreq : public FilesWindow {
protected:
    void SetUp() override
    {
        FilesWindow::SetUp();
        if (!Ui(*form).CheckBox1 || !Ui(*form).Edit2)
            GTEST_SKIP() << "the frequency page is not built in this tree yet";
    }
};

TEST_F(FilesWindowFreq, LoadRefreshesTheFrequencyPageEvenWhenCancelled)
{
    // Changed behind the page's back: only a refresh shows it.
    form->Doc.Words()[0x32] = 0x01A9;
    form->Doc.Words()[0x33] = 0x2931;
    form->Doc.Words()[0x34] = 0x397D;
    const EepromImage before = form->Doc.Image();
    dialogs->openPath.clear();
    Ui(*form).Act.LoadFile->trigger();
    EXPECT_EQ(form->Doc.Image(), before);
    EXPECT_TRUE(Ui(*form).CheckBox1->isChecked());
    EXPECT_EQ(Ui(*form).Edit2->text(), "01A9");
    EXPECT_EQ(Ui(*form).Edit3->text(), "2931");

    ApplyPreset(form->Doc.Words(), 3); // a base: 0x33 above 0x34
    dialogs->openPath = Path("base");
    ASSERT_TRUE(WriteFile(dialogs->openPath, EncodeImageFile(form->Doc.Image(), 1, QString())));
    form->Doc.Words().BlankBuf();
    Ui(*form).Act.LoadFile->trigger();
    EXPECT_FALSE(Ui(*form).CheckBox1->isChecked());
    EXPECT_EQ(Ui(*form).Edit3->text(), "3CE1");
}

TEST_F(FilesWindowFreq, FailedLoadLeavesTheFrequencyPage)
{
    form->Doc.Words()[0x32] = 0x0200;
    Ui(*form).Edit2->setText(QStringLiteral("0000"));
    ASSERT_TRUE(WriteFile(Path("short"), QByteArray(10, '\0')));
    dialogs->openPath = Path("short");
    Ui(*form).Act.LoadFile->trigger();
    EXPECT_EQ(Ui(*form).Edit2->text(), "0000");
}

TEST_F(FilesWindowFreq, EachPresetLoadsBlockModelAndReminder)
{
    QAction *actions[kPresetCount] = {
        Ui(*form).Act.L258Hand10625,  Ui(*form).Act.L258Hand12800,    Ui(*form).Act.L258Hand21250,
        Ui(*form).Act.L258Base10625,  Ui(*form).Act.L258Base12800,    Ui(*form).Act.L258Base21250,
        Ui(*form).Act.L258PHand12800, Ui(*form).Act.L258PHand21250,   Ui(*form).Act.L258PBase12800,
        Ui(*form).Act.L258PBase21250, Ui(*form).Act.L258Hand21250Ukr, Ui(*form).Act.L258Base21250Ukr};
    form->Doc.Words()[0x10] = 0xBEEF; // an edit outside the block
    Ui(*form).Edit1->setText(QStringLiteral("comment"));
    Ui(*form).StringGrid1->setCurrentCell(3, 5);
    const uint8_t selected = form->SelectedAddr;

    for (int p = 0; p < kPresetCount; ++p) {
        dialogs->calls.clear();
        actions[p]->trigger();
        const PresetRow &row = PresetTable[p].words;
        for (int k = 0; k < kPresetWords; ++k) {
            ASSERT_EQ(form->Doc.Image()[0x30 + k], row[static_cast<size_t>(k)]) << "preset " << p << " word " << k;
            ASSERT_EQ(Cell(0x30 + k), WordToHex(row[static_cast<size_t>(k)])) << "grid, preset " << p;
        }
        EXPECT_EQ(form->Doc.Image()[0x10], 0xBEEF);
        EXPECT_EQ(form->DeviceModel(), PresetTable[p].model) << "preset " << p;
        EXPECT_EQ(Ui(*form).CheckBox1->isChecked(), row[3] < row[4]) << "preset " << p;
        EXPECT_EQ(Ui(*form).Edit2->text(), WordToHex(row[2])) << "preset " << p;
        EXPECT_EQ(Ui(*form).Edit1->text(), "comment");
        EXPECT_EQ(form->SelectedAddr, selected);
        EXPECT_EQ(dialogs->calls, QStringList{"information"}) << "preset " << p;
        EXPECT_EQ(dialogs->info, QString::fromUtf8(PresetReminder));
    }
}

TEST_F(FilesWindowFreq, BasePresetIntoBlankImage)
{
    Ui(*form).Act.L258Base10625->trigger();
    for (int a = 0; a < 0x30; ++a)
        ASSERT_EQ(form->Doc.Image()[a], 0xFFFF);
    EXPECT_EQ(Ui(*form).ComboBox2->currentText(), U("SN-258 База"));
    EXPECT_FALSE(Ui(*form).CheckBox1->isChecked());
    EXPECT_TRUE(Ui(*form).RadioButton3->isChecked());
    EXPECT_EQ(Ui(*form).MaskEdit3->text(), "389.625");
}

// ---- the real dialogs ----

// The dialog lists its folder in the background; a selection made before the
// listing is in may be reset by it.
static QFileSystemModel *WaitForListing(QFileDialog *dialog)
{
    auto *model = dialog->findChild<QFileSystemModel *>();
    if (!model)
        return nullptr;
    const QModelIndex root = model->index(dialog->directory().absolutePath());
    for (int waited = 0; model->rowCount(root) < 2 && waited < 5000; waited += 20)
        QTest::qWait(20);
    return model;
}

// As the user does: type a name into the file name box and press the button.
static void TypeAndAccept(QFileDialog *dialog, const QString &name)
{
    auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(edit);
    edit->setText(name);
    static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept, as its button does
}

TEST(QtFileDialogsTest, ConfirmAndInformationBoxes)
{
    QtFileDialogs dialogs(nullptr);
    QString title;
    QStringList buttons;
    AnswerNextModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_TRUE(box);
        title = box->windowTitle();
        for (QAbstractButton *b : box->buttons())
            buttons << b->text();
        for (QAbstractButton *b : box->buttons())
            if (b->text() == "&No")
                b->click();
    });
    EXPECT_FALSE(dialogs.ConfirmOverwrite(QStringLiteral("q")));
    EXPECT_EQ(title, "Confirm");
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"&No", "&Yes"}));

    AnswerNextModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_TRUE(box);
        for (QAbstractButton *b : box->buttons())
            if (b->text() == "&Yes")
                b->click();
    });
    EXPECT_TRUE(dialogs.ConfirmOverwrite(QStringLiteral("q")));

    AnswerNextModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_TRUE(box);
        title = box->windowTitle();
        buttons.clear();
        for (QAbstractButton *b : box->buttons())
            buttons << b->text();
        EXPECT_EQ(box->text(), "note");
    });
    dialogs.Information(QStringLiteral("note"));
    EXPECT_EQ(title, "Information");
    EXPECT_EQ(buttons, QStringList{"OK"});
}

TEST(QtFileDialogsTest, FileDialogsStartInTheFolderAndListEveryFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("EELog"));
    ASSERT_TRUE(WriteFile(dir.filePath("EELog/nodot"), QByteArray(129, '\0')));
    ASSERT_TRUE(WriteFile(dir.filePath("EELog/with.h"), QByteArray(129, '\0')));
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(dir.path());

    QtFileDialogs dialogs(nullptr);
    QStringList listed, filters;
    QString folder;
    AnswerNextModal([&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        ASSERT_TRUE(dialog);
        folder = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        QFileSystemModel *model = WaitForListing(dialog);
        ASSERT_TRUE(model);
        const QModelIndex root = model->index(folder);
        for (int i = 0; i < model->rowCount(root); ++i) {
            const QModelIndex ix = model->index(i, 0, root);
            if (model->flags(ix) & Qt::ItemIsEnabled)
                listed << ix.data().toString();
        }
        TypeAndAccept(dialog, QStringLiteral("nodot"));
    });
    const QString opened = dialogs.OpenFileName("EELog", U("Все файлы (*.*)"));

    AnswerNextModal([&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        ASSERT_TRUE(dialog);
        WaitForListing(dialog);
        TypeAndAccept(dialog, QStringLiteral("fresh"));
    });
    const QString saved = dialogs.SaveFileName("EELog", U("Все файлы (*.*)"), "hp");
    QDir::setCurrent(oldCwd);

    EXPECT_EQ(folder, QDir(dir.filePath("EELog")).absolutePath());
    EXPECT_EQ(filters, QStringList{U("Все файлы (*.*)")});
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"nodot", "with.h"}));
    EXPECT_EQ(QFileInfo(opened).fileName(), "nodot");
    EXPECT_EQ(QFileInfo(saved).fileName(), "fresh.hp") << "the default extension is added";
}

// Qt's own dialog speaks the window's language: its title and buttons.
TEST(QtTexts, TheFileDialogIsRussian)
{
    ASSERT_TRUE(InstallQtRussian(*QCoreApplication::instance()));
    QTemporaryDir dir;
    QtFileDialogs dialogs;
    QString title, buttons;
    AnswerNextModal([&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        ASSERT_TRUE(dialog);
        title = dialog->windowTitle();
        for (QPushButton *b : dialog->findChildren<QPushButton *>())
            if (b->isVisible())
                buttons += b->text() + u' ';
        dialog->reject();
    });
    dialogs.OpenFileName(dir.path(), U("Все файлы (*.*)"));
    EXPECT_EQ(title, U("Открыть"));
    EXPECT_TRUE(buttons.contains(U("&Открыть")) && buttons.contains(U("Отмена"))) << buttons.toStdString();
}

// The exchange saved from the real window as the user reaches it, before any
// other dialog was used (the window once had no dialogs until the first
// open or save, and this path crashed it). The text filter lists text files.
TEST(TraceSave, FromTheRealWindowBeforeAnyOtherDialog)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("EELog"));
    for (const char *name : {"EELog/image.h", "EELog/image.e", "EELog/old.txt"})
        ASSERT_TRUE(WriteFile(dir.filePath(name), QByteArray(129, '\0')));
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(dir.path());

    TForm1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.Session.Trace.Begin(QStringLiteral("ReadCur 00"), true);
    form.Session.Trace.Sent('m');
    QStringList listed;
    AnswerNextModal([&](QWidget *trace) {
        auto *save = trace->findChild<QPushButton *>();
        for (QPushButton *b : trace->findChildren<QPushButton *>())
            if (b->text() == U("Сохранить..."))
                save = b;
        AnswerNextModal([&](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            ASSERT_TRUE(dialog);
            QFileSystemModel *model = WaitForListing(dialog);
            ASSERT_TRUE(model);
            const QModelIndex root = model->index(dialog->directory().absolutePath());
            for (int i = 0; i < model->rowCount(root); ++i)
                if (model->flags(model->index(i, 0, root)) & Qt::ItemIsEnabled)
                    listed << model->index(i, 0, root).data().toString();
            TypeAndAccept(dialog, QStringLiteral("exchange"));
        });
        QTest::mouseClick(save, Qt::LeftButton);
    });
    Ui(form).Act.ShowTrace->trigger();
    QDir::setCurrent(oldCwd);

    EXPECT_EQ(listed, QStringList{"old.txt"});
    EXPECT_TRUE(ReadFile(dir.filePath("EELog/exchange.txt"), "<unreadable>").contains("ReadCur 00"));
}
