// Nothing read from a telephone is lost: backups of every completed read,
// undo of every change to the image, and the question on closing.

#include "ModalHelper.h"
#include "CliRunner.h"
#include "PhoneProcess.h"
#include "WaitFor.h"
#include "app/BackupsDialog.h"
#include "app/Unit1.h"
#include "image/Backups.h"
#include "image/ReadMark.h"
#include "FormUi.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

void PrintTo(const ImageState &s, std::ostream *os)
{
    *os << "model " << s.model << " \"" << s.comment.toStdString() << "\"";
    for (int a = 0; a < 64; ++a)
        if (s.image[a] != EepromImage::kBlank)
            *os << ' ' << ByteToHex(uint8_t(a)).toStdString() << '=' << WordToHex(s.image[a]).toStdString();
}

namespace {

const QDateTime kWhen(QDate(2026, 12, 9), QTime(14, 3, 22));

QByteArray Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

EepromImage Patterned(uint16_t seed)
{
    EepromImage image;
    for (int a = 0; a < 64; ++a)
        image[a] = static_cast<uint16_t>(seed + a * 0x0457);
    image[0x37] = 0x1A2B; // ID code 6699
    return image;
}

// A data folder of the test's own; Block() puts a file in place of the backups folder.
struct DataHome {
    QTemporaryDir dir;
    DataHome() { qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path())); }
    QString Folder() const { return dir.filePath("Quillon/backups"); }
    QStringList Names() const { return QDir(Folder()).entryList(QDir::Files, QDir::Name); }
    void Block() const
    {
        QDir(Folder()).removeRecursively();
        QDir().mkpath(dir.filePath("Quillon"));
        QFile f(Folder());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
};

TEST(Backups, NamedByTimeModelAndIdNeverOverwrittenListedNewestFirst)
{
    const struct {
        int model;
        uint16_t id;
        int copy;
        const char *name;
    } names[] = {
        {2, 0x1A2B, 1, "2026-12-09_14-03-22 SN-258 Труба ID 6699.h"}, // decimal, as "Инфо" shows it
        {3, 0x0001, 1, "2026-12-09_14-03-22 SN-258+ База ID 1.bp"},   // no trailing blank
        {0, 0xFFFF, 1, "2026-12-09_14-03-22 неизвестно ID 65535"},    // no "<>", no extension
        {-1, 0x0000, 3, "2026-12-09_14-03-22 неизвестно ID 0 (3)"},
    };
    for (const auto &n : names)
        EXPECT_EQ(Backups::FileName(kWhen, n.model, n.id, n.copy), QString::fromUtf8(n.name));

    DataHome home;
    const EepromImage a = Patterned(0x1000), b = Patterned(0x2000);
    const auto first = Backups::Save(home.Folder(), a, 2, "COM1", kWhen); // makes the folder
    const auto second = Backups::Save(home.Folder(), b, 2, "COM1", kWhen);
    const auto later = Backups::Save(home.Folder(), b, 4, "/dev/ttyUSB0", kWhen.addSecs(60));
    ASSERT_FALSE(first.error || second.error || later.error);
    EXPECT_TRUE(second.path.endsWith("ID 6699 (2).h"));
    EXPECT_EQ(Bytes(first.path), EncodeImageFile(a, 2, "Прочитано из телефона 2026-12-09 14:03:22, порт COM1"));
    QFile(QDir(home.Folder()).filePath("notes.txt")).open(QIODevice::WriteOnly);

    const QList<Backups::Entry> list = Backups::List(home.Folder());
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(QStringList({list[0].path, list[1].path, list[2].path}),
              QStringList({later.path, second.path, first.path}));
    EXPECT_EQ(list[0].port, "/dev/ttyUSB0");
    EXPECT_EQ(list[0].model, 4);
    EXPECT_EQ(list[2].when, kWhen);
    EXPECT_EQ(list[2].id, 6699);
}

// The keys go where the user's would: into the dialog, once it has the focus.
bool WaitForFocusIn(QWidget *dialog)
{
    dialog->activateWindow();
    return WaitFor([&] { return QApplication::focusWidget() && dialog->isAncestorOf(QApplication::focusWidget()); },
                   5000);
}

// Answers every message box that shows while it lives (none may be expected):
// a question that should not come is seen, not left to block the test.
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QMessageBox *)> answer)
    {
        QObject::connect(&timer_, &QTimer::timeout, [answer] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                answer(box);
        });
        timer_.start(10);
    }

private:
    QTimer timer_;
};

// Answers the dialogs as told and counts the questions.
struct FakeDialogs : FileDialogs {
    QString openPath, savePath, openFolder;
    SaveChoice answer = SaveChoice::Cancel;
    int asked = 0;
    QString SaveFileName(const QString &, const QString &, const QString &) override { return savePath; }
    QString OpenFileName(const QString &folder, const QString &) override { return openFolder = folder, openPath; }
    bool ConfirmOverwrite(const QString &) override { return true; }
    void Information(const QString &) override {}
    void Error(const QString &text) override { ADD_FAILURE() << text.toStdString(); }
    SaveChoice AskSaveChanges(const QString &) override { return ++asked, answer; }
};

class Safety : public ::testing::Test {
public:
    void SetUp() override
    {
        form = std::make_unique<TForm1>();
        form->Dialogs.reset(dialogs = new FakeDialogs);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        Ui(*form).StringGrid1->setFocus();
    }
    // Keys as the user presses them, into whatever has the focus.
    static void Key(int key, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mods);
    }
    static void Type(const char *keys)
    {
        for (const char *k = keys; *k; ++k)
            *k == '\n' ? Key(Qt::Key_Return) : QTest::keyClick(QApplication::focusWidget(), *k);
    }
    QString Grid() const
    {
        QString s;
        for (int a = 0; a < 64; ++a)
            s += Ui(*form).StringGrid1->item(a / 8 + 1, a % 8 + 1)->text() + ' ';
        return s;
    }
    // The state as the model list and the comment box show it.
    ImageState Shown() const
    {
        return ImageState{form->Doc.Image(), Ui(*form).ComboBox2->currentIndex(), Ui(*form).Edit1->text()};
    }
    static QString GridOf(const EepromImage &image)
    {
        QString s;
        for (int a = 0; a < 64; ++a)
            s += WordToHex(image[a]) + ' ';
        return s;
    }

    // A job from its key to its end.
    void RunJob(Qt::Key job)
    {
        StringGrid1Focus();
        Key(job);
        EXPECT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 20000));
    }
    void StringGrid1Focus()
    {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        Ui(*form).StringGrid1->setFocus();
    }
    void MarkSafeNow() { form->Doc.MarkSafe(); }

    DataHome home;
    std::unique_ptr<TForm1> form;
    FakeDialogs *dialogs = nullptr;
};

TEST_F(Safety, EveryChangeUndoesAndRedoesAsOneStep)
{
    const auto backup = Backups::Save(home.Folder(), Patterned(0x0101), 6, "COM2", kWhen);
    const struct {
        const char *caption;
        void (*act)(Safety &);
    } steps[] = {
        {"Труба 258 10625", [](Safety &t) { Ui(*t.form).Act.L258Hand10625->trigger(); }},
        {"Ячейка 37H", [](Safety &t) { Ui(*t.form).StringGrid1->setCurrentCell(7, 8), Type("\n6699\n"); }},
        {"Частота",
         [](Safety &t) {
             Ui(*t.form).PageControl2->setCurrentIndex(2);
             Ui(*t.form).Edit2->setFocus();
             Key(Qt::Key_A, Qt::ControlModifier);
             Type("0200");
             Ui(*t.form).PageControl2->setCurrentIndex(0); // leaving the page stores the word
             Ui(*t.form).StringGrid1->setFocus();
         }},
        {"Поменять байты местами", [](Safety &t) { Ui(*t.form).Act.SwapByte->trigger(); }},
        {"Модель",
         [](Safety &t) { Ui(*t.form).ComboBox2->setFocus(), Key(Qt::Key_Down), Ui(*t.form).StringGrid1->setFocus(); }},
        {"Комментарий",
         [](Safety &t) { Ui(*t.form).Edit1->setFocus(), Type("abc\n"), Ui(*t.form).StringGrid1->setFocus(); }},
        {"Открыть 2026-12-09_14-03-22 SN-258 Труба (Комтель) ID 6699.hk",
         [](Safety &t) {
             // The browser: the filter has the focus, Enter opens the first backup.
             AnswerNextModal([](QWidget *modal) {
                 ASSERT_TRUE(WaitForFocusIn(modal));
                 Type("6699\n");
             });
             Ui(*t.form).Act.Backups->trigger();
             t.StringGrid1Focus();
         }},
        {"Отчистить буфер", [](Safety &) { Key(Qt::Key_N, Qt::ControlModifier); }},
    };
    ASSERT_FALSE(backup.error);
    const ImageState start = form->Doc.State();
    for (const auto &s : steps) {
        SCOPED_TRACE(s.caption);
        const ImageState before = form->Doc.State();
        s.act(*this);
        const ImageState after = form->Doc.State();
        ASSERT_NE(after, before);
        EXPECT_EQ(Ui(*form).Act.Undo->text(), QString::fromUtf8("Отменить: ") + QString::fromUtf8(s.caption));

        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(form->Doc.State(), before);
        EXPECT_EQ(Shown(), before);
        EXPECT_EQ(Grid(), GridOf(before.image));
        EXPECT_EQ(Ui(*form).Edit2->text(), WordToHex(before.image[0x32])); // the frequency page follows
        EXPECT_EQ(Ui(*form).Act.Redo->text(), QString::fromUtf8("Повторить: ") + QString::fromUtf8(s.caption));
        Key(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(form->Doc.State(), after);
        EXPECT_EQ(Shown(), after);
        Key(Qt::Key_Z, Qt::ControlModifier);
        Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(Grid(), GridOf(after.image));
    }
    for (size_t i = 0; i < std::size(steps); ++i)
        Ui(*form).Act.Undo->trigger();
    EXPECT_EQ(form->Doc.State(), start);
    EXPECT_FALSE(Ui(*form).Act.Undo->isEnabled());
    EXPECT_EQ(Ui(*form).Act.Undo->text(), "Отменить");
}

TEST_F(Safety, ClosingAsksOnlyWhenWorkWouldBeLost)
{
    Ui(*form).Act.L258Base12800->trigger();
    form->close(); // "Отмена"
    EXPECT_EQ(dialogs->asked, 1);
    EXPECT_TRUE(form->isVisible());
    dialogs->answer = FileDialogs::SaveChoice::Save;
    dialogs->savePath = home.dir.filePath("base.b");
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Bytes(dialogs->savePath), EncodeImageFile(form->Doc.Image(), 1, ""));
    // Back at what was saved after a change: nothing to ask.
    form->show();
    Ui(*form).Act.ClearBuf->trigger();
    Ui(*form).Act.Undo->trigger();
    form->close();
    EXPECT_EQ(dialogs->asked, 2);
    EXPECT_FALSE(form->isVisible());
}

// ---- against the telephone emulator

struct Phone : QProcess {
    QString pts;
    bool Start(const EepromImage &words, const QStringList &extra = {})
    {
        // A paced line (--char-ms) leaves time to act during a job.
        const QStringList pace = extra.contains("--char-ms") ? QStringList() : QStringList{"--fast"};
        pts = StartPhone(*this, pace + PhoneWordArgs(words) + extra);
        return !pts.isEmpty();
    }
    ~Phone() override { terminate(), waitForFinished(5000); }
};

TEST_F(Safety, ReadsAgainstTheTelephone)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
        GTEST_SKIP() << "QUILLON_PHONE not set";
    const EepromImage words = Patterned(0x1234);
    const auto run = [&](Qt::Key job, const QStringList &faults) {
        Phone phone;
        EXPECT_TRUE(phone.Start(words, faults));
        qputenv("QUILLON_COM1", phone.pts.toLocal8Bit());
        form->SetTickInterval(2);
        Key(Qt::Key_F9);
        Key(job);
        EXPECT_FALSE(Ui(*form).Act.Undo->isEnabled()); // not while the job runs
        EXPECT_FALSE(Ui(*form).ComboBox1->isEnabled()); // nor another port
        EXPECT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 20000));
        form->COM.Close();
        Ui(*form).StringGrid1->setFocus();
    };
    Ui(*form).ComboBox2->setCurrentIndex(2); // "SN-258 Труба"
    Type("\n1111\n");
    const ImageState before = form->Doc.State();

    run(Qt::Key_F7, {});
    EXPECT_EQ(form->StatusText(0), "Завершено!");
    ASSERT_EQ(home.Names().size(), 1);
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d SN-258 Труба ID 6699\\.h$")
                    .match(home.Names()[0]).hasMatch());
    EXPECT_EQ(form->StatusText(1), "Копия: " + home.Names()[0]); // the safety net is seen
    const QByteArray backup = Bytes(QDir(home.Folder()).filePath(home.Names()[0]));
    EXPECT_EQ(backup.left(129), EncodeImageFile(words, 2, "").left(129));
    EXPECT_TRUE(FromCp1251(backup.mid(129)).contains(QRegularExpression("^Прочитано из телефона .*, порт COM1$")));
    EXPECT_EQ(Ui(*form).MaskEdit1->text(), WordToHex(words[0])); // the entry box follows the grid
    EXPECT_EQ(Ui(*form).Act.Undo->text(), "Отменить: Прочитать всю EEPROM");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Doc.State(), before);
    EXPECT_EQ(Ui(*form).MaskEdit1->text(), "1111");

    // A failed read is one step too, and leaves no backup.
    run(Qt::Key_F7, {"--fault", "no-bang@7"});
    EXPECT_EQ(form->StatusText(0), "Невыполнено...");
    EXPECT_NE(form->Doc.Image(), before.image);
    EXPECT_EQ(home.Names().size(), 1);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Doc.State(), before);

    // A backup that cannot be written: the job is completed all the same.
    home.Block();
    Ui(*form).ComboBox2->setCurrentIndex(4); // not what was backed up before
    run(Qt::Key_F7, {});
    EXPECT_EQ(form->StatusText(0), "Завершено!");
    EXPECT_EQ(form->StatusText(1), "Копия не сохранена: недопустимое имя файла или папки");
    EXPECT_EQ(form->Doc.Image(), words);
    form->close(); // nowhere else: the question comes ("Отмена")
    EXPECT_EQ(dialogs->asked, 1);
    run(Qt::Key_F8, {}); // now the telephone holds it
    form->close();
    EXPECT_EQ(dialogs->asked, 1);
    EXPECT_FALSE(form->isVisible());
}

TEST(SafetyCli, ReadAllKeepsABackupAndBackupsListsThem)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE") || qEnvironmentVariableIsEmpty("QUILLON_CLI"))
        GTEST_SKIP() << "QUILLON_PHONE or QUILLON_CLI not set";
    DataHome home;
    Phone phone;
    ASSERT_TRUE(phone.Start(Patterned(0x4321)));
    const auto cli = [](const QStringList &args, QString *err = nullptr) {
        const Ran r = RunQuillonCli(args, {QuickTicks()});
        if (err)
            *err = r.err;
        return r.code == 0 ? r.out : QStringLiteral("failed");
    };
    const QString out = home.dir.filePath("out.img");
    QString err;
    cli({"read", "--port", phone.pts, "-o", out, "--model", "4"}, &err);
    ASSERT_EQ(home.Names().size(), 1);
    const QString path = QDir(home.Folder()).filePath(home.Names()[0]);
    EXPECT_TRUE(err.contains("backup: " + path) && path.endsWith(" SN-258+ Труба ID 6699.hp")) << err.toStdString();
    EXPECT_EQ(Bytes(path).left(129), Bytes(out).left(129));
    cli({"read", "--no-backup", "-q", "--port", phone.pts, "-o", out});
    cli({"read", "-q", "--port", phone.pts, "block", "-o", out});
    EXPECT_EQ(home.Names().size(), 1); // neither kept one

    const QJsonArray list = QJsonDocument::fromJson(cli({"backups", "--json"}).toUtf8()).array();
    ASSERT_EQ(list.size(), 1);
    const QJsonObject e = list[0].toObject();
    EXPECT_EQ(QStringList({e["model"].toString(), e["id_hex"].toString(), e["port"].toString(), e["path"].toString()}),
              QStringList({"SN-258+ Труба", "1A2B", phone.pts, path}));
    EXPECT_EQ(e["id"].toInt(), 6699);
    EXPECT_TRUE(cli({"backups"}).contains(path));

    home.Block();
    EXPECT_NE(cli({"read", "-q", "--port", phone.pts, "-o", out}, &err), "failed");
    EXPECT_TRUE(err.contains("backup not saved in " + home.Folder() + ": Invalid filename")) << err.toStdString();
}

// A backup says what the image is, whatever the model list said; its date is
// one that can be; the filter is the one "backups --id" uses.
TEST(Backups, NamedAfterTheImagesDeviceDatedSoundlyAndFiltered)
{
    DataHome home;
    const struct {
        int listModel;
        DeviceKind imageKind;
        const char *name, *comment;
        int model;
    } named[] = {
        {2, DeviceKind::Handset, "2026-12-09_14-03-22 SN-258 Труба ID 6699.h", "", 2},
        {1, DeviceKind::Handset, "2026-12-09_14-03-22 SN-258 Труба ID 6699 (2).h", " (в списке моделей: SN-258 База)",
         2},
        {4, DeviceKind::Base, "2026-12-09_14-03-22 SN-258+ База ID 6699.bp", " (в списке моделей: SN-258+ Труба)", 3},
        {0, DeviceKind::Base, "2026-12-09_14-03-22 База ID 6699", "", 0},
        {-1, DeviceKind::Handset, "2026-12-09_14-03-22 Труба ID 6699", "", 0},
    };
    for (const auto &n : named) {
        SCOPED_TRACE(n.name);
        const auto saved = Backups::Save(home.Folder(), Patterned(0), n.listModel, "COM1", kWhen, n.imageKind);
        ASSERT_FALSE(saved.error);
        EXPECT_EQ(QFileInfo(saved.path).fileName(), QString::fromUtf8(n.name));
        const LoadResult loaded = LoadImageFile(saved.path);
        EXPECT_EQ(loaded.data.model.value_or(-1), n.model);
        EXPECT_EQ(loaded.data.comment,
                  QString::fromUtf8("Прочитано из телефона 2026-12-09 14:03:22%1, порт COM1").arg(QString::fromUtf8(n.comment)));
    }
    QDir(home.Folder()).removeRecursively();

    // A name whose time cannot be is dated by the file.
    QDir().mkpath(home.Folder());
    const QString odd = QDir(home.Folder()).filePath("2026-13-45_25-61-00 SN-258 Труба ID 1.h");
    {
        QFile f(odd);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        EepromImage image = Patterned(0);
        image[0x37] = 1;
        f.write(EncodeImageFile(image, 2, ""));
        f.close();
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(kWhen.addDays(-3), QFileDevice::FileModificationTime));
    }
    const auto usb = Backups::Save(home.Folder(), Patterned(0x0101), 4, "/dev/ttyUSB0", kWhen);
    EepromImage one = Patterned(0x0202);
    one[0x37] = 1;
    const auto com2 = Backups::Save(home.Folder(), one, 6, "COM2", kWhen.addSecs(-60));
    const QList<Backups::Entry> all = Backups::List(home.Folder());
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[2].path, odd);
    EXPECT_EQ(all[2].when, kWhen.addDays(-3));

    const struct {
        const char *filter;
        QStringList paths;
    } filters[] = {
        {"", {usb.path, com2.path, odd}},
        {"1", {com2.path, odd}}, // a number is an ID code, exactly
        {"66", {}},
        {"6699", {usb.path}},
        {"usb", {usb.path}},
        {"комтель", {com2.path}},
        {"2026-12-06", {odd}},
    };
    for (const auto &f : filters) {
        QStringList paths;
        for (const Backups::Entry &e : Backups::Filtered(all, QString::fromUtf8(f.filter)))
            paths << e.path;
        EXPECT_EQ(paths, f.paths) << f.filter;
    }

    // The XDG rules: a relative XDG_DATA_HOME is ignored.
    qputenv("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(Backups::Folder(), QDir::homePath() + "/.local/share/Quillon/backups");
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.dir.path()));
}

TEST_F(Safety, BackupsBrowserNewestFirstFiltersAndOpens)
{
    EepromImage one = Patterned(0x0202);
    one[0x37] = 1;
    const auto older = Backups::Save(home.Folder(), one, 6, "COM2", kWhen.addSecs(-60));
    const auto newer = Backups::Save(home.Folder(), Patterned(0x0101), 4, "/dev/ttyUSB0", kWhen);
    ASSERT_FALSE(older.error || newer.error);
    QStringList rows, afterFilter;
    AnswerNextModal([&](QWidget *modal) {
        auto *dialog = dynamic_cast<TBackupsDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(WaitForFocusIn(modal));
        EXPECT_EQ(QApplication::focusWidget(), dialog->Filter);
        EXPECT_EQ(dialog->windowTitle(), "Резервные копии");
        const auto row = [&](int r) {
            QStringList cells;
            for (int c = 0; c < dialog->Table->model()->columnCount(); ++c)
                cells << dialog->Table->model()->index(r, c).data().toString();
            return cells.join(" | ");
        };
        for (int r = 0; r < dialog->Table->model()->rowCount(); ++r)
            rows << row(r);
        Type("com2");
        for (int r = 0; r < dialog->Table->model()->rowCount(); ++r)
            afterFilter << row(r);
        Key(Qt::Key_Return);
    });
    Ui(*form).Act.Backups->trigger();
    EXPECT_EQ(rows, QStringList({"2026-12-09 14:03:22 | SN-258+ Труба | 6699 | /dev/ttyUSB0 | Прочитано из телефона "
                                 "2026-12-09 14:03:22, порт /dev/ttyUSB0",
                                 "2026-12-09 14:02:22 | SN-258 Труба (Комтель) | 1 | COM2 | Прочитано из телефона "
                                 "2026-12-09 14:02:22, порт COM2"}));
    EXPECT_EQ(afterFilter, rows.mid(1));
    EXPECT_EQ(form->Doc.Image(), one);
    EXPECT_EQ(Ui(*form).Act.Undo->text(), "Отменить: Открыть " + QFileInfo(older.path).fileName());
}

// A backups folder that cannot be read is said to be so, in the window and
// by quillon-cli; it is no empty list.
TEST_F(Safety, UnreadableBackupsFolderIsAnError)
{
    const struct {
        const char *what;
        void (*block)(const DataHome &);
    } blocks[] = {
        {"a file in its place", [](const DataHome &h) { h.Block(); }},
        {"a link to itself",
         [](const DataHome &h) {
             QDir(h.Folder()).removeRecursively();
             QFile::remove(h.Folder());
             QDir().mkpath(h.dir.filePath("Quillon"));
             ASSERT_TRUE(QFile::link(h.Folder(), h.Folder()));
         }},
    };
    for (const auto &b : blocks) {
        SCOPED_TRACE(b.what);
        b.block(home);
        {
            BoxAnswerer boxes;
            Ui(*form).Act.Backups->trigger();
            ASSERT_EQ(boxes.texts.size(), 1);
            EXPECT_TRUE(boxes.texts[0].startsWith("Папка резервных копий " + home.Folder() + " недоступна: "))
                << boxes.texts[0].toStdString();
        }
        if (qEnvironmentVariableIsEmpty("QUILLON_CLI"))
            continue;
        for (const QStringList &args : {QStringList{"backups"}, QStringList{"backups", "--json"}}) {
            QProcess p;
            p.start(qEnvironmentVariable("QUILLON_CLI"), args);
            ASSERT_TRUE(p.waitForFinished(20000));
            EXPECT_EQ(p.exitCode(), 4) << args.join(' ').toStdString();
            EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError())
                            .startsWith("quillon-cli: cannot read the backups folder " + home.Folder() + ": "));
            EXPECT_EQ(p.readAllStandardOutput(), "");
        }
        QFile::remove(home.Folder());
    }
}

// "Записать всю EEPROM" of an image whose words came only from block or word
// reads, or from a file saved from one, asks first; "Нет", the default, sends
// nothing. A blank the user asked for is written as it is.
TEST_F(Safety, WritingAPartialImageAsksFirst)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
        GTEST_SKIP() << "QUILLON_PHONE not set";
    const EepromImage words = Patterned(0x1234);
    const QString marked = home.dir.filePath("block.h");
    {
        EepromImage block;
        for (int a = 0x30; a < 0x40; ++a)
            block[a] = words[a];
        QFile f(marked);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(EncodeImageFile(block, 2, WithReadRangeMark("test", {0x30, 0x3F})));
    }
    const struct {
        const char *what;
        void (*prepare)(Safety &);
        const char *question; // nullptr: none
    } cases[] = {
        {"block read into a blank image", [](Safety &t) { t.RunJob(Qt::Key_F3); },
         "Образ содержит не все слова (прочитаны только 30-3F): записать всю EEPROM, включая слова FFFF?"},
        {"and one word more",
         [](Safety &t) {
             t.RunJob(Qt::Key_F3);
             Ui(*t.form).StringGrid1->setCurrentCell(1, 3); // word 02
             t.RunJob(Qt::Key_F5);
         },
         "Образ содержит не все слова (прочитаны только 02, 30-3F): записать всю EEPROM, включая слова FFFF?"},
        {"a marked file",
         [](Safety &t) {
             t.dialogs->openPath = t.home.dir.filePath("block.h");
             Key(Qt::Key_O, Qt::ControlModifier);
         },
         "Образ содержит не все слова (прочитаны только 30-3F): записать всю EEPROM, включая слова FFFF?"},
        {"blanked on purpose", [](Safety &) { Key(Qt::Key_N, Qt::ControlModifier); }, nullptr},
        {"a whole read", [](Safety &t) { t.RunJob(Qt::Key_F7); }, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Phone phone;
        ASSERT_TRUE(phone.Start(words, {"--dump"}));
        qputenv("QUILLON_COM1", phone.pts.toLocal8Bit());
        form->SetTickInterval(2);
        StringGrid1Focus();
        Key(Qt::Key_F9);
        c.prepare(*this);
        StringGrid1Focus();
        QString asked;
        bool defaultNo = false;
        ModalWatch watch([&](QMessageBox *box) {
            asked = box->text();
            defaultNo = box->defaultButton() && box->defaultButton()->text() == "Нет";
            QTest::keyClick(box, Qt::Key_Return);
        });
        Key(Qt::Key_F8);
        EXPECT_EQ(asked, c.question ? QString::fromUtf8(c.question) : QString());
        if (c.question) {
            EXPECT_TRUE(defaultNo);
            EXPECT_FALSE(form->Engine.Active); // nothing started
        } else {
            EXPECT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 20000));
        }
        form->COM.Close();
        phone.terminate();
        ASSERT_TRUE(phone.waitForFinished(5000));
        const auto dump = LastPhoneDump(phone.readAllStandardError());
        ASSERT_TRUE(dump);
        if (c.question) {
            for (int a = 0; a < 64; ++a)
                EXPECT_EQ((*dump)[a], words[a]) << a;
        }
        StringGrid1Focus();
        Key(Qt::Key_N, Qt::ControlModifier);
    }
}

// Closing during a write asks ("Нет" the default); "Да" cancels the job as
// Esc does, and the window closes once it has ended. SIGTERM does the same
// without the question. During a read the window closes at once.
TEST_F(Safety, ClosingDuringAWriteAsksAndCancelsCleanly)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
        GTEST_SKIP() << "QUILLON_PHONE not set";
    form->WatchTermSignal();
    Ui(*form).Act.L258Hand10625->trigger();
    MarkSafeNow();
    const auto start = [&](Phone &phone, Qt::Key job) {
        ASSERT_TRUE(phone.Start(Patterned(0x1234), {"--char-ms", "10"}));
        qputenv("QUILLON_COM1", phone.pts.toLocal8Bit());
        form->show();
        StringGrid1Focus();
        Key(Qt::Key_F9);
        Key(job);
        ASSERT_TRUE(form->Engine.Active);
    };
    const QString question = "Идёт запись: телефон останется с неполным образом. Прервать и закрыть?";
    {
        Phone phone;
        start(phone, Qt::Key_F8);
        QString asked;
        AnswerNextModal([&](QWidget *modal) {
            asked = qobject_cast<QMessageBox *>(modal)->text();
            QTest::keyClick(modal, Qt::Key_Return); // "Нет"
        });
        form->close();
        EXPECT_EQ(asked, question);
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(form->Engine.Active); // the write goes on

        AnswerNextModal([&](QWidget *modal) {
            for (QAbstractButton *b : qobject_cast<QMessageBox *>(modal)->buttons())
                if (b->text() == "Да")
                    b->click();
        });
        form->close();
        EXPECT_TRUE(WaitFor([&] { return !form->isVisible(); }, 20000));
        EXPECT_EQ(form->Engine.Fault.Kind, EngineFault::Cancelled);
        EXPECT_EQ(form->StatusText(0), "Невыполнено...");
        EXPECT_FALSE(form->COM.Connected());
    }
    {
        Phone phone;
        start(phone, Qt::Key_F8);
        ::kill(::getpid(), SIGTERM);
        EXPECT_TRUE(WaitFor([&] { return !form->isVisible(); }, 20000));
        EXPECT_EQ(form->Engine.Fault.Kind, EngineFault::Cancelled);
        EXPECT_FALSE(form->COM.Connected());
    }
    form->Terminating = false;
    {
        Phone phone;
        start(phone, Qt::Key_F7);
        bool asked = false;
        ModalWatch watch([&](QMessageBox *box) {
            asked = true;
            box->reject();
        });
        form->close();
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(asked);
    }
}

} // namespace
