#include "TestFiles.h"
#include "image/ImageFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

QString U(const char *utf8) { return QString::fromUtf8(utf8); }

} // namespace

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

// ---- the byte layout ----

TEST(ImageFileFormat, BlankImageModelZeroNoComment)
{
    const QByteArray f = EncodeImageFile(EepromImage(), 0, QString());
    ASSERT_EQ(f.size(), 129);
    EXPECT_EQ(f.left(128), QByteArray(128, '\xFF'));
    EXPECT_EQ(static_cast<uint8_t>(f.at(128)), 0x00);
}

TEST(ImageFileFormat, ModelAndCommentFollowTheWords)
{
    const QByteArray f = EncodeImageFile(EepromImage(), 4, QStringLiteral("abc"));
    ASSERT_EQ(f.size(), 132);
    EXPECT_EQ(f.right(4), Bytes({0x04, 0x61, 0x62, 0x63}));
    EXPECT_EQ(DefaultSuffix(4), "hp");
}

TEST(ImageFileFormat, WordsAreHighByteFirstInAddressOrder)
{
    EepromImage img;
    img[0x00] = 0x1234;
    img[0x32] = 0x01A9;
    img[0x3F] = 0xE8BB;
    const QByteArray f = EncodeImageFile(img, 1, QString());
    EXPECT_EQ(f.mid(0, 2), Bytes({0x12, 0x34}));
    EXPECT_EQ(f.mid(100, 2), Bytes({0x01, 0xA9}));
    EXPECT_EQ(f.mid(126, 2), Bytes({0xE8, 0xBB}));
}

TEST(ImageFileFormat, NoModelIsStoredAsFF)
{
    const struct {
        int model;
        uint8_t byte;
    } rows[] = {{-1, 0xFF}, {8, 0x08}, {9, 0xFF}};
    for (const auto &r : rows)
        EXPECT_EQ(static_cast<uint8_t>(EncodeImageFile(EepromImage(), r.model, QString()).at(128)), r.byte) << r.model;
}

TEST(ImageFileFormat, DefaultSuffixByModel)
{
    const char *expected[] = {"", "b", "h", "bp", "hp", "bk", "hk", "bf", "hf"};
    for (int m = 0; m < kModelCount; ++m)
        EXPECT_EQ(DefaultSuffix(m), QString::fromLatin1(expected[m])) << m;
    EXPECT_TRUE(DefaultSuffix(-1).isEmpty());
}

TEST(ImageFileFormat, DialogTexts)
{
    EXPECT_EQ(QString::fromUtf8(ImageFolder), "EELog");
    EXPECT_EQ(QString::fromUtf8(ImageFilterCaption), U("Все файлы (*.*)"));
    EXPECT_EQ(OverwriteQuestion("/tmp/a.h"), U("Файл /tmp/a.h уже существует. Переписать?"));
}

TEST(ImageFileDecode, ModelByteAndComment)
{
    QByteArray f(128, '\0');
    f[100] = '\x01';
    f[101] = '\xA9';
    auto d = DecodeImageFile(f);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->image[0x32], 0x01A9);
    EXPECT_EQ(d->image[0x00], 0x0000);
    EXPECT_FALSE(d->model.has_value()) << "a 128-byte file keeps the model selection";
    EXPECT_TRUE(d->comment.isEmpty());

    for (int byte : {9, 0x80, 0xFE, 0xFF}) {
        d = DecodeImageFile(f + Bytes({byte}));
        ASSERT_TRUE(d);
        EXPECT_EQ(d->model, -1) << byte;
    }
    d = DecodeImageFile(f + Bytes({8, 0xCF, 0xF0}));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->model, 8);
    EXPECT_EQ(d->comment, U("Пр"));

    EXPECT_FALSE(DecodeImageFile(f.left(127)));
    EXPECT_FALSE(DecodeImageFile(QByteArray()));
}

// ---- code page 1251 ----

TEST(Cp1251, CodecIsAvailableInThisBuild)
{
    // Qt converts windows-1251 only through ICU; without it comments would lose
    // every Cyrillic letter.
    ASSERT_TRUE(Cp1251Available());
}

TEST(Cp1251, KnownLetters)
{
    EXPECT_EQ(ToCp1251(U("АЯаяЁё№€")), Bytes({0xC0, 0xDF, 0xE0, 0xFF, 0xA8, 0xB8, 0xB9, 0x88}));
    EXPECT_EQ(FromCp1251(Bytes({0xCF, 0xF0, 0xE8, 0xE2, 0xE5, 0xF2})), U("Привет"));
    EXPECT_EQ(ToCp1251(QStringLiteral("abc 1.")), QByteArray("abc 1."));
}

TEST(Cp1251, EveryByteReadsBackAsItself)
{
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[b] = static_cast<char>(b);
    const QString text = FromCp1251(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToCp1251(text), all);
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    // CJK, a zero-width space (which the platform encoder would drop), a Polish
    // letter, and one character outside the BMP (a surrogate pair: one "?").
    EXPECT_EQ(ToCp1251(U("a中b\u200Bcłd😀e")), QByteArray("a?b?c?d?e"));
}

// ---- files on disk ----

class ImageFileDisk : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString &name) const { return dir.filePath(name); }
};

TEST_F(ImageFileDisk, SaveThenLoadGivesBackWordsModelAndComment)
{
    ASSERT_TRUE(dir.isValid());
    EepromImage img;
    for (int a = 0; a < EepromImage::kWords; ++a)
        img[a] = static_cast<uint16_t>(a * 0x0101 + 0x0F00);
    const QString comment = U("Трубка Иванова, ёлка №5 — OK, Łódź");
    const QString path = Path(U("образ.hp"));

    ASSERT_FALSE(SaveImageFile(path, EncodeImageFile(img, 4, comment)));
    const QByteArray onDisk = ReadFile(path, "<unreadable>");
    EXPECT_EQ(onDisk.size(), 129 + comment.size());

    LoadResult r = LoadImageFile(path, 32767);
    ASSERT_FALSE(r.error) << r.error.Text().toStdString();
    EXPECT_EQ(r.data.image, img);
    EXPECT_EQ(r.data.model, 4);
    EXPECT_EQ(r.data.comment, U("Трубка Иванова, ёлка №5 — OK, ??d?")) << "Ł, ó and ź have no byte in 1251";

    // Saving what was loaded gives the same bytes.
    ASSERT_FALSE(SaveImageFile(path, EncodeImageFile(r.data.image, *r.data.model, r.data.comment)));
    EXPECT_EQ(ReadFile(path, "<unreadable>"), onDisk);
}

TEST_F(ImageFileDisk, LoadErrors)
{
    auto loadText = [](const QString &p) { return LoadImageFile(p, 32767).error.Text(); };

    EXPECT_EQ(loadText(Path("missing.h")), "File not found");
    EXPECT_EQ(loadText(Path("no-such-folder/x.h")), "Invalid filename");
    ASSERT_TRUE(WriteFile(Path("plain"), QByteArray(200, '\0')));
    EXPECT_EQ(loadText(Path("plain/x.h")), "Invalid filename");
    EXPECT_EQ(loadText(Path(QString(300, u'x'))), "Invalid filename");

    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    EXPECT_EQ(loadText(Path("folder")), "File access denied");

    ASSERT_TRUE(WriteFile(Path("short"), QByteArray(127, '\0')));
    EXPECT_EQ(loadText(Path("short")), "Read beyond end of file");
    ASSERT_TRUE(WriteFile(Path("empty"), QByteArray()));
    EXPECT_EQ(loadText(Path("empty")), "Read beyond end of file");
}

TEST_F(ImageFileDisk, UnreadableFileIsAccessDenied)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: file permissions do not stop root from reading";
    ASSERT_TRUE(WriteFile(Path("secret"), QByteArray(129, '\0')));
    ASSERT_EQ(::chmod(QFile::encodeName(Path("secret")).constData(), 0), 0);
    EXPECT_EQ(LoadImageFile(Path("secret"), 32767).error.Text(), "File access denied");
}

TEST_F(ImageFileDisk, SaveErrors)
{
    const QByteArray bytes = EncodeImageFile(EepromImage(), 0, QString());
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    EXPECT_EQ(SaveImageFile(Path("folder"), bytes).Text(), "File access denied");
    EXPECT_EQ(SaveImageFile(Path("no-such-folder/x"), bytes).Text(), "Invalid filename");

    // /dev/full is written in place (it stays the device) and reports ENOSPC.
    EXPECT_EQ(SaveImageFile("/dev/full", bytes).Text(), "Disk full");
    struct stat st;
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST_F(ImageFileDisk, SaveIntoReadOnlyPlacesIsAccessDenied)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: permissions do not stop root from writing";
    const QByteArray bytes = EncodeImageFile(EepromImage(), 0, QString());
    ASSERT_TRUE(WriteFile(Path("ro"), QByteArray("old")));
    ::chmod(QFile::encodeName(Path("ro")).constData(), 0444);
    EXPECT_EQ(SaveImageFile(Path("ro"), bytes).Text(), "File access denied");
    EXPECT_EQ(ReadFile(Path("ro"), "<unreadable>"), QByteArray("old"));

    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    ASSERT_TRUE(WriteFile(Path("locked/open"), QByteArray("old")));
    ::chmod(QFile::encodeName(Path("locked")).constData(), 0555);
    EXPECT_EQ(SaveImageFile(Path("locked/x"), bytes).Text(), "File access denied");
    // A writable file in that folder cannot be replaced, but it can be rewritten.
    EXPECT_FALSE(SaveImageFile(Path("locked/open"), bytes));
    EXPECT_EQ(ReadFile(Path("locked/open"), "<unreadable>"), bytes);
}

// Runs save with no file allowed to grow beyond limit bytes: the write fails
// with EFBIG part way, as on a full disk.
static IoError SaveWithFileSizeLimit(rlim_t limit, const QString &path, const QByteArray &bytes)
{
    struct rlimit saved;
    EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = limit;
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const IoError err = SaveImageFile(path, bytes);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    return err;
}

TEST_F(ImageFileDisk, FailingWriteLeavesTheOldFileIntact)
{
    const QString path = Path("keep.h");
    const QByteArray old = EncodeImageFile(EepromImage(), 2, U("старый"));
    ASSERT_TRUE(WriteFile(path, old));
    EepromImage changed;
    changed[0] = 0x1234;
    const IoError err = SaveWithFileSizeLimit(64, path, EncodeImageFile(changed, 4, U("новый")));

    EXPECT_EQ(err.Text(), "Disk full");
    EXPECT_EQ(ReadFile(path, "<unreadable>"), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.h"})
        << "no half-written sibling left behind";
}

TEST_F(ImageFileDisk, SavingKeepsLinksAndOwnerAndPutsTheOldBackOnFailure)
{
    const QByteArray old = EncodeImageFile(EepromImage(), 2, U("старый"));
    const QByteArray bytes = EncodeImageFile(EepromImage(), 4, QString(200, u'x'));
    const QByteArray path = QFile::encodeName(Path("linked.h"));
    ASSERT_TRUE(WriteFile(Path("linked.h"), old));
    ASSERT_EQ(::link(path.constData(), QFile::encodeName(Path("twin.h")).constData()), 0);

    // Rewritten in place: both names still show one file, with the old
    // contents back when the new ones could not be completed.
    EXPECT_EQ(SaveWithFileSizeLimit(old.size() + 20, Path("linked.h"), bytes).Text(), "Disk full");
    EXPECT_EQ(ReadFile(Path("linked.h"), "<unreadable>"), old);
    ASSERT_FALSE(SaveImageFile(Path("linked.h"), bytes));
    EXPECT_EQ(ReadFile(Path("twin.h"), "<unreadable>"), bytes);
    struct stat st;
    ASSERT_EQ(::stat(path.constData(), &st), 0);
    EXPECT_EQ(st.st_nlink, 2u);

    if (geteuid() != 0)
        return; // only root can give a file to another owner
    ASSERT_TRUE(WriteFile(Path("theirs.h"), old));
    ASSERT_EQ(::chown(QFile::encodeName(Path("theirs.h")).constData(), 12345, 12346), 0);
    ASSERT_FALSE(SaveImageFile(Path("theirs.h"), bytes));
    ASSERT_EQ(::stat(QFile::encodeName(Path("theirs.h")).constData(), &st), 0);
    EXPECT_EQ(st.st_uid, 12345u);
    EXPECT_EQ(st.st_gid, 12346u);
    EXPECT_EQ(ReadFile(Path("theirs.h"), "<unreadable>"), bytes);
}

TEST_F(ImageFileDisk, AnyNameTheFolderTakesSaves)
{
    const QByteArray bytes = EncodeImageFile(EepromImage(), 1, QStringLiteral("x"));
    for (int length : {246, 255}) {
        const QString path = Path(QString(length, u'n'));
        ASSERT_FALSE(SaveImageFile(path, bytes)) << length << " new";
        ASSERT_FALSE(SaveImageFile(path, bytes)) << length << " replacing";
        EXPECT_EQ(ReadFile(path, "<unreadable>"), bytes);
    }
}

TEST_F(ImageFileDisk, PipesAndDevicesNeverBlock)
{
    const QString fifo = Path("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    const QByteArray bytes = EncodeImageFile(EepromImage(), 0, QString());
    // Nobody is on the other end: a blocking open would wait for ever.
    EXPECT_EQ(LoadImageFile(fifo).error.Text(), "File access denied");
    EXPECT_EQ(SaveImageFile(fifo, bytes).Text(), "File access denied");
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile()) << "still the pipe";
    EXPECT_EQ(LoadImageFile("/dev/zero").error.Text(), "File access denied");
}

TEST_F(ImageFileDisk, ReplacingKeepsModeAndFollowsLinks)
{
    const QString path = Path("image.b");
    ASSERT_TRUE(WriteFile(path, QByteArray("old")));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(path, Path("link")));

    const QByteArray bytes = EncodeImageFile(EepromImage(), 1, QStringLiteral("x"));
    ASSERT_FALSE(SaveImageFile(Path("link"), bytes));
    EXPECT_TRUE(QFileInfo(Path("link")).isSymLink());
    EXPECT_EQ(ReadFile(path, "<unreadable>"), bytes);
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(IoErrorText, StandardTextsFromSystemErrors)
{
    // The ones the disk tests cannot provoke; anything else carries the
    // system's number.
    const struct {
        int err;
        QString text;
    } rows[] = {
        {EMFILE, "Too many open files"}, {ENFILE, "Too many open files"},
        {EPERM, "File access denied"},   {EROFS, "File access denied"},
        {EDQUOT, "Disk full"},           {EIO, QStringLiteral("I/O error %1").arg(EIO)},
    };
    for (const auto &r : rows)
        EXPECT_EQ(IoErrorFromErrno(r.err).Text(), r.text) << r.err;
    EXPECT_FALSE(IoErrorFromErrno(0));
}
