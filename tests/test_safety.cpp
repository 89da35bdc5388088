// Nothing read from a telephone is lost: backups of every completed read,
// undo of every change to the image, and the question on closing.

#include "ModalHelper.h"
#include "PhoneProcess.h"
#include "WaitFor.h"
#include "app/Unit1.h"
#include "image/Backups.h"
#include "image/FileDialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <unistd.h>

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

// Failures show the words that differ, not 160 bytes of object.
void PrintTo(const ImageState &s, std::ostream *os)
{
    *os << "model " << s.model << ", comment \"" << s.comment.toStdString() << "\", words";
    for (int a = 0; a < 64; ++a)
        if (s.image[a] != EepromImage::kBlank)
            *os << ' ' << WordToHex(static_cast<uint8_t>(a)).mid(2).toStdString() << '=' << WordToHex(s.image[a]).toStdString();
}

namespace {

using Words = std::array<uint16_t, 64>;
const QDateTime kWhen(QDate(2026, 12, 9), QTime(14, 3, 22));

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

EepromImage Patterned(uint16_t seed)
{
    EepromImage image;
    for (int a = 0; a < 64; ++a)
        image[a] = static_cast<uint16_t>(seed + a * 0x0457);
    return image;
}

// The backups folder below a data folder of the test's own.
class DataHome {
public:
    DataHome() { qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path())); }
    QString Backups() const { return dir.filePath("Quillon/backups"); }
    QStringList Names() const { return QDir(Backups()).entryList(QDir::Files, QDir::Name); }
    QTemporaryDir dir;
};

// ------------------------------------------------------------ names and listing

TEST(Backups, NameCarriesTimeModelIdAndTheModelsExtension)
{
    const struct {
        int model;
        uint16_t id;
        int copy;
        const char *name;
    } cases[] = {
        {2, 0x1A2B, 1, "2026-12-09_14-03-22 SN-258 Труба ID 6699.h"}, // in decimal, as "Инфо" shows it
        {3, 0x0001, 1, "2026-12-09_14-03-22 SN-258+ База ID 1.bp"}, // the list's trailing blank is not kept
        {8, 0xABCD, 1, "2026-12-09_14-03-22 SN-258+ Труба Flagman ID 43981.hf"},
        {0, 0xFFFF, 1, "2026-12-09_14-03-22 неизвестно ID 65535"}, // no "<>", no extension
        {-1, 0x0000, 3, "2026-12-09_14-03-22 неизвестно ID 0 (3)"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Backups::FileName(kWhen, c.model, c.id, c.copy), QString::fromUtf8(c.name));
}

TEST(Backups, NeverOverwriteAndListNewestFirst)
{
    DataHome home;
    EepromImage a = Patterned(0x1000), b = Patterned(0x2000);
    a[0x37] = 0x1A2B;
    b[0x37] = 0x1A2B;
    const auto first = Backups::Save(home.Backups(), a, 2, "COM1", kWhen); // creates the folder
    const auto second = Backups::Save(home.Backups(), b, 2, "COM1", kWhen);
    const auto later = Backups::Save(home.Backups(), b, 4, "/dev/ttyUSB0", kWhen.addSecs(60));
    ASSERT_FALSE(first.error || second.error || later.error) << first.error.Text().toStdString();
    WriteAll(QDir(home.Backups()).filePath("notes.txt"), "not a backup");

    EXPECT_EQ(home.Names(), QStringList({"2026-12-09_14-03-22 SN-258 Труба ID 6699 (2).h",
                                         "2026-12-09_14-03-22 SN-258 Труба ID 6699.h",
                                         "2026-12-09_14-04-22 SN-258+ Труба ID 6699.hp", "notes.txt"}));
    EXPECT_EQ(ReadAll(first.path), EncodeImageFile(a, 2, "Прочитано из телефона 2026-12-09 14:03:22, порт COM1"));
    EXPECT_EQ(ReadAll(second.path), EncodeImageFile(b, 2, "Прочитано из телефона 2026-12-09 14:03:22, порт COM1"));

    const QList<Backups::Entry> list = Backups::List(home.Backups());
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0].path, later.path);
    EXPECT_EQ(list[0].port, "/dev/ttyUSB0");
    EXPECT_EQ(list[0].model, 4);
    EXPECT_EQ(list[1].path, second.path);
    EXPECT_EQ(list[2].path, first.path);
    EXPECT_EQ(list[2].when, kWhen);
    EXPECT_EQ(list[2].id, 6699);
    EXPECT_EQ(list[2].port, "COM1");
}

TEST(Backups, AFolderThatCannotBeWrittenGivesTheReason)
{
    const struct {
        const char *title;
        bool needsNonRoot; // permissions do not stop root
        void (*block)(const QString &folder);
        const char *reason;
    } cases[] = {
        {"a file where the folder should be", false,
         [](const QString &folder) {
             QDir().mkpath(QFileInfo(folder).absolutePath());
             WriteAll(folder, "x");
         },
         "Invalid filename"},
        {"a read-only folder", true,
         [](const QString &folder) {
             QDir().mkpath(folder);
             QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
         },
         "File access denied"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.title);
        if (c.needsNonRoot && ::geteuid() == 0)
            continue;
        DataHome home;
        c.block(home.Backups());
        const auto saved = Backups::Save(home.Backups(), EepromImage(), 2, "COM1", kWhen);
        EXPECT_TRUE(saved.path.isEmpty());
        EXPECT_EQ(saved.error.Text(), c.reason);
        QFile::setPermissions(home.Backups(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

// ------------------------------------------------------------ the window

// Answers the dialogs as told and notes what they were asked.
struct FakeDialogs : FileDialogs {
    QString openPath, savePath, openFolder;
    SaveChoice answer = SaveChoice::Cancel;
    int asked = 0;
    QString SaveFileName(const QString &, const QString &, const QString &) override { return savePath; }
    QString OpenFileName(const QString &folder, const QString &) override
    {
        openFolder = folder;
        return openPath;
    }
    bool ConfirmOverwrite(const QString &) override { return true; }
    void Information(const QString &) override {}
    void Error(const QString &text) override { ADD_FAILURE() << "error box: " << text.toStdString(); }
    SaveChoice AskSaveChanges(const QString &) override
    {
        ++asked;
        return answer;
    }
};

class SafetyWindow : public ::testing::Test {
public: // the steps of the table below act on the fixture
    void SetUp() override
    {
        form = std::make_unique<TForm1>();
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        form->Dialogs = std::move(fake);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->StringGrid1->setFocus();
    }
    void TearDown() override
    {
        if (form)
            form->COM.Close();
    }

    // A key as the user presses it: into whatever has the focus.
    static void Key(int key, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), mods);
    }
    static void Type(const char *keys)
    {
        for (const char *k = keys; *k; ++k)
            *k == '\n' ? Key(Qt::Key_Return) : QTest::keyClick(QApplication::focusWidget(), *k);
    }
    QString Cell(int addr) const { return form->StringGrid1->item(addr / 8 + 1, addr % 8 + 1)->text(); }
    QString Cells() const
    {
        QStringList c;
        for (int a = 0; a < 64; ++a)
            c << Cell(a);
        return c.join(' ');
    }
    static QString CellsOf(const EepromImage &image)
    {
        QStringList c;
        for (int a = 0; a < 64; ++a)
            c << WordToHex(image[a]);
        return c.join(' ');
    }

    DataHome home;
    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    FakeDialogs *dialogs = nullptr;
};

TEST_F(SafetyWindow, EveryChangeUndoesAndRedoesAsOneStep)
{
    QByteArray file = EncodeImageFile(Patterned(0x0101), 6, "from a file");
    WriteAll(dir.filePath("saved.hk"), file);
    const struct {
        const char *caption;
        std::function<void(SafetyWindow &)> act;
    } steps[] = {
        {"Труба 258 10625", [](SafetyWindow &t) { t.form->Act.L258Hand10625->trigger(); }},
        {"Ячейка 37H",
         [](SafetyWindow &t) {
             t.form->StringGrid1->setFocus();
             t.form->StringGrid1->setCurrentCell(7, 8); // 0x37
             Type("\n6699\n");
         }},
        {"Частота",
         [](SafetyWindow &t) {
             t.form->PageControl2->setCurrentIndex(2);
             t.form->Edit2->setFocus();
             Key(Qt::Key_A, Qt::ControlModifier);
             Type("0200");
             t.form->PageControl2->setCurrentIndex(0); // leaving the page stores the word
             t.form->StringGrid1->setFocus();
         }},
        {"Поменять байты местами", [](SafetyWindow &t) { t.form->Act.SwapByte->trigger(); }},
        {"Открыть saved.hk",
         [](SafetyWindow &t) {
             t.dialogs->openPath = t.dir.filePath("saved.hk");
             Key(Qt::Key_O, Qt::ControlModifier);
         }},
        {"Отчистить буфер", [](SafetyWindow &) { Key(Qt::Key_N, Qt::ControlModifier); }},
    };
    const ImageState start = form->CurrentState();
    for (const auto &s : steps) {
        SCOPED_TRACE(s.caption);
        const ImageState before = form->CurrentState();
        s.act(*this);
        const ImageState after = form->CurrentState();
        ASSERT_NE(after, before);
        EXPECT_EQ(form->Act.Undo->text(), QStringLiteral("Отменить: ") + QString::fromUtf8(s.caption));
        EXPECT_FALSE(form->Act.Redo->isEnabled());

        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(form->CurrentState(), before);
        ASSERT_EQ(Cells(), CellsOf(before.image));
        EXPECT_EQ(form->Act.Redo->text(), QStringLiteral("Повторить: ") + QString::fromUtf8(s.caption));
        EXPECT_EQ(form->Edit2->text(), WordToHex(before.image[0x32])); // the frequency page follows

        Key(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(form->CurrentState(), after);
        Key(Qt::Key_Z, Qt::ControlModifier);
        Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(form->CurrentState(), after);
        EXPECT_EQ(Cells(), CellsOf(after.image));
    }
    // All the way back to the start, and no further.
    for (size_t i = 0; i < std::size(steps); ++i)
        form->Act.Undo->trigger();
    EXPECT_EQ(form->CurrentState(), start);
    EXPECT_FALSE(form->Act.Undo->isEnabled());
    EXPECT_EQ(form->Act.Undo->text(), "Отменить");
}

TEST_F(SafetyWindow, BackupsMenuOpensTheBackupsFolder)
{
    EepromImage image = Patterned(0x0202);
    const auto saved = Backups::Save(home.Backups(), image, 1, "COM2", kWhen);
    ASSERT_FALSE(saved.error);
    dialogs->openPath = saved.path;
    form->Act.Backups->trigger();
    EXPECT_EQ(dialogs->openFolder, home.Backups());
    EXPECT_EQ(form->Buf, image);
    EXPECT_EQ(form->DeviceModel(), 1);
    EXPECT_EQ(form->Edit1->text(), "Прочитано из телефона 2026-12-09 14:03:22, порт COM2");
    // Restoring a backup is nothing to lose: it is on the disk.
    form->close();
    EXPECT_EQ(dialogs->asked, 0);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(SafetyWindow, ClosingWithUnsavedWorkAsksOnce)
{
    form->Act.L258Base12800->trigger();
    dialogs->answer = FileDialogs::SaveChoice::Cancel;
    form->close();
    EXPECT_EQ(dialogs->asked, 1);
    EXPECT_TRUE(form->isVisible());

    // "Сохранить" with the save dialog cancelled keeps the window too.
    dialogs->answer = FileDialogs::SaveChoice::Save;
    form->close();
    EXPECT_TRUE(form->isVisible());

    dialogs->savePath = dir.filePath("base.b");
    form->close();
    EXPECT_EQ(dialogs->asked, 3);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(ReadAll(dir.filePath("base.b")).left(128), EncodeImageFile(form->Buf, 1, "").left(128));

    // Undoing back to what was saved leaves nothing to ask about either.
    form->show();
    form->Act.ClearBuf->trigger();
    form->Act.Undo->trigger();
    form->close();
    EXPECT_EQ(dialogs->asked, 3);
}

// ------------------------------------------------------------ against the telephone

class Phone {
public:
    QProcess proc;
    QString pts;
    bool Start(const EepromImage &words, const QStringList &extra = {})
    {
        QStringList args{"--fast"};
        for (int a = 0; a < 64; ++a)
            args << "--word" << QString::asprintf("%02X=%04X", a, words[a]);
        proc.start(qEnvironmentVariable("QUILLON_PHONE"), args + extra);
        if (!proc.waitForStarted(5000))
            return false;
        while (!proc.canReadLine())
            if (!proc.waitForReadyRead(5000))
                return false;
        const QString line = QString::fromLatin1(proc.readLine()).trimmed();
        pts = line.mid(5);
        return line.startsWith("PORT ");
    }
    ~Phone()
    {
        proc.terminate();
        proc.waitForFinished(5000);
    }
};

class SafetyE2E : public SafetyWindow {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QUILLON_PHONE"))
            GTEST_SKIP() << "QUILLON_PHONE not set";
        phoneWords = Patterned(0x1234);
        phoneWords[0x37] = 0x1A2B;
        SafetyWindow::SetUp();
    }
    void Connect(const QStringList &faults = {})
    {
        ASSERT_TRUE(phone.Start(phoneWords, faults));
        qputenv("QUILLON_COM1", phone.pts.toLocal8Bit());
        form->SetTickInterval(2);
        Key(Qt::Key_F9);
        ASSERT_TRUE(form->COM.Connected());
    }
    // F7 as the user presses it; true when the job ended in time.
    bool RunRead()
    {
        Key(Qt::Key_F7);
        return WaitFor([&] { return !form->Engine.Active; }, 20000);
    }
    EepromImage phoneWords;
    Phone phone;
};

TEST_F(SafetyE2E, ACompletedReadIsBackedUpAndUndoesAsOneStep)
{
    ASSERT_NO_FATAL_FAILURE(Connect());
    form->ComboBox2->setCurrentIndex(2); // the technician names the model: "SN-258 Труба"
    form->StringGrid1->setFocus();
    Type("\n1111\n"); // something to undo before the job
    const ImageState before = form->CurrentState();
    Key(Qt::Key_F7);
    EXPECT_FALSE(form->Act.Undo->isEnabled()); // not while the job runs
    ASSERT_TRUE(WaitFor([&] { return !form->Engine.Active; }, 20000));
    EXPECT_EQ(form->StatusText(0), "Завершено!");
    EXPECT_EQ(form->StatusText(1), "");
    EXPECT_EQ(form->Buf, phoneWords);

    const QStringList names = home.Names();
    ASSERT_EQ(names.size(), 1);
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d SN-258 Труба ID 6699\\.h$")
                    .match(names[0]).hasMatch())
        << names[0].toStdString();
    const QByteArray bytes = ReadAll(QDir(home.Backups()).filePath(names[0]));
    const QByteArray comment = bytes.mid(129);
    EXPECT_EQ(bytes.left(129), EncodeImageFile(phoneWords, 2, "").left(129));
    EXPECT_TRUE(FromCp1251(comment).startsWith("Прочитано из телефона ")) << comment.toStdString();
    EXPECT_TRUE(FromCp1251(comment).endsWith(", порт COM1"));

    EXPECT_EQ(form->Act.Undo->text(), "Отменить: Прочитать всю EEPROM");
    form->StringGrid1->setFocus();
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->CurrentState(), before);
    EXPECT_EQ(form->Act.Undo->text(), "Отменить: Ячейка 00H");
    // Undo never touches the telephone, and the backup stays.
    EXPECT_EQ(home.Names().size(), 1);

    // What was read is backed up: closing asks nothing.
    Key(Qt::Key_Y, Qt::ControlModifier);
    form->close();
    EXPECT_EQ(dialogs->asked, 0);
}

TEST_F(SafetyE2E, AFailedReadIsOneStepAndNoBackup)
{
    ASSERT_NO_FATAL_FAILURE(Connect({"--fault", "no-bang@7"}));
    const ImageState before = form->CurrentState();
    ASSERT_TRUE(RunRead());
    EXPECT_EQ(form->StatusText(0), "Невыполнено...");
    EXPECT_NE(form->Buf, before.image); // six replies got in
    EXPECT_TRUE(home.Names().isEmpty());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->CurrentState(), before);
}

TEST_F(SafetyE2E, ABackupThatCannotBeWrittenLeavesTheJobCompleted)
{
    QDir().mkpath(QFileInfo(home.Backups()).absolutePath());
    WriteAll(home.Backups(), "a file where the folder should be");
    ASSERT_NO_FATAL_FAILURE(Connect());
    ASSERT_TRUE(RunRead());
    EXPECT_EQ(form->StatusText(0), "Завершено!");
    EXPECT_EQ(form->StatusText(1), "Копия не сохранена: Invalid filename");
    EXPECT_EQ(form->Buf, phoneWords);
    EXPECT_TRUE(form->Act.Read258->isEnabled()); // the window goes on

    // Not backed up, so not safe: closing asks.
    dialogs->answer = FileDialogs::SaveChoice::Discard;
    form->close();
    EXPECT_EQ(dialogs->asked, 1);
    EXPECT_FALSE(form->isVisible());
}

// ------------------------------------------------------------ quillon-cli

struct Ran {
    int code = -1;
    QString out, err;
};

Ran RunCli(const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUILLON_TICK_MS", "2");
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("QUILLON_CLI"), args);
    if (!p.waitForStarted(5000) || !p.waitForFinished(30000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

TEST(SafetyCli, ReadAllKeepsABackupAndBackupsListsThem)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE") || qEnvironmentVariableIsEmpty("QUILLON_CLI"))
        GTEST_SKIP() << "QUILLON_PHONE or QUILLON_CLI not set";
    DataHome home;
    EepromImage words = Patterned(0x4321);
    words[0x37] = 3054;
    Phone phone;
    ASSERT_TRUE(phone.Start(words));
    const QString out = home.dir.filePath("out.img");

    const Ran read = RunCli({"read", "--port", phone.pts, "-o", out, "--model", "4"});
    EXPECT_EQ(read.code, 0) << read.err.toStdString();
    ASSERT_EQ(home.Names().size(), 1);
    const QString backup = QDir(home.Backups()).filePath(home.Names()[0]);
    EXPECT_TRUE(read.err.contains("backup: " + backup)) << read.err.toStdString();
    EXPECT_TRUE(backup.endsWith(" SN-258+ Труба ID 3054.hp"));
    EXPECT_EQ(ReadAll(backup).left(129), ReadAll(out).left(129));

    for (const QStringList &args : {QStringList{"read", "--no-backup", "--port", phone.pts, "-o", out},
                                    QStringList{"read", "-q", "--port", phone.pts, "block", "-o", out}})
        EXPECT_EQ(RunCli(args).code, 0);
    EXPECT_EQ(home.Names().size(), 1); // neither kept one

    QTest::qWait(1100); // the next backup falls in another second
    ASSERT_EQ(RunCli({"read", "-q", "--port", phone.pts, "-o", out}).code, 0);
    const Ran list = RunCli({"backups", "--json"});
    EXPECT_EQ(list.code, 0) << list.err.toStdString();
    const QJsonArray entries = QJsonDocument::fromJson(list.out.toUtf8()).array();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].toObject()["model"].toString(), "неизвестно"); // the newer one, model 0
    EXPECT_EQ(entries[1].toObject()["model"].toString(), "SN-258+ Труба");
    EXPECT_EQ(entries[1].toObject()["modelIndex"].toInt(), 4);
    EXPECT_EQ(entries[1].toObject()["id"].toInt(), 3054);
    EXPECT_EQ(entries[1].toObject()["idHex"].toString(), "0BEE");
    EXPECT_EQ(entries[1].toObject()["port"].toString(), phone.pts);
    EXPECT_EQ(entries[1].toObject()["path"].toString(), backup);

    const Ran text = RunCli({"backups"});
    EXPECT_EQ(text.out.count('\n'), 2);
    EXPECT_TRUE(text.out.section('\n', 1, 1).contains("SN-258+ Труба") && text.out.contains(backup));
}

TEST(SafetyCli, ABackupThatCannotBeWrittenFailsNothing)
{
    if (qEnvironmentVariableIsEmpty("QUILLON_PHONE") || qEnvironmentVariableIsEmpty("QUILLON_CLI"))
        GTEST_SKIP() << "QUILLON_PHONE or QUILLON_CLI not set";
    DataHome home;
    QDir().mkpath(QFileInfo(home.Backups()).absolutePath());
    WriteAll(home.Backups(), "x");
    Phone phone;
    ASSERT_TRUE(phone.Start(Patterned(0x1111)));
    const Ran read = RunCli({"read", "-q", "--port", phone.pts, "-o", home.dir.filePath("out.img")});
    EXPECT_EQ(read.code, 0);
    EXPECT_TRUE(read.err.contains("backup not saved in " + home.Backups() + ": Invalid filename"))
        << read.err.toStdString();
    EXPECT_EQ(ReadAll(home.dir.filePath("out.img")).size(), 129);
}

} // namespace
