// Image files on the Windows disk: a save replaces the file whole or not at
// all and leaves nothing behind; device names are refused, whatever their case
// or extension.

#include "image/Backups.h"
#include "image/ImageFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <windows.h>

namespace {

QByteArray ImageBytes(uint16_t word0, const QString &comment)
{
    EepromImage image;
    image[0] = word0;
    return EncodeImageFile(image, 2, comment);
}

} // namespace

TEST(FilesWin, ASaveReplacesTheFileAndLeavesNoTemporaryFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Any name the folder takes, Cyrillic included.
    const QString path = dir.filePath(QStringLiteral("трубка 1.e"));
    ASSERT_FALSE(SaveImageFile(path, ImageBytes(0x1111, QStringLiteral("первый"))));
    ASSERT_FALSE(SaveImageFile(path, ImageBytes(0x2222, QStringLiteral("второй"))));
    const LoadResult r = LoadImageFile(path);
    ASSERT_FALSE(r.error) << r.error.Text().toStdString();
    EXPECT_EQ(r.data.image[0], 0x2222);
    EXPECT_EQ(r.data.comment, QStringLiteral("второй"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("трубка 1.e")});
}

// Two units of one base read in the same second (two ports of a series):
// Windows says "file exists" with its own number, and the second backup
// takes the next name instead of failing.
TEST(FilesWin, TwoBackupsOfOneIdInOneSecondBothStay)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDateTime when(QDate(2026, 12, 10), QTime(2, 3, 4));
    EepromImage image;
    image[Addr::BaseId] = 6699;
    const Backups::SaveResult first = Backups::Save(dir.path(), image, 2, QStringLiteral("COM7"), when);
    const Backups::SaveResult second = Backups::Save(dir.path(), image, 2, QStringLiteral("COM8"), when);
    ASSERT_FALSE(first.error) << first.error.Text().toStdString();
    ASSERT_FALSE(second.error) << second.error.Text().toStdString();
    EXPECT_NE(first.path, second.path);
}

TEST(FilesWin, AReadOnlyFileIsRefusedAndKept)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ro.e"));
    ASSERT_FALSE(SaveImageFile(path, ImageBytes(0x1111, QString())));
    ASSERT_TRUE(::SetFileAttributesW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                                     FILE_ATTRIBUTE_READONLY));
    const IoError error = SaveImageFile(path, ImageBytes(0x2222, QString()));
    EXPECT_EQ(error.kind, IoError::AccessDenied);
    EXPECT_EQ(error.Text(), QStringLiteral("File access denied"));
    EXPECT_EQ(LoadImageFile(path).data.image[0], 0x1111);
    ::SetFileAttributesW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                         FILE_ATTRIBUTE_NORMAL);
}

TEST(FilesWin, MissingThingsHaveTheirTexts)
{
    QTemporaryDir dir;
    EXPECT_EQ(LoadImageFile(dir.filePath(QStringLiteral("none.e"))).error.Text(), QStringLiteral("File not found"));
    EXPECT_EQ(SaveImageFile(dir.filePath(QStringLiteral("no/folder.e")), ImageBytes(1, QString())).Text(),
              QStringLiteral("Invalid filename"));
    EXPECT_EQ(LoadImageFile(dir.path()).error.Text(), QStringLiteral("File access denied"));
}

TEST(FilesWin, DeviceNamesAreRefused)
{
    QTemporaryDir dir;
    for (const char *name : {"CON", "nul", "Nul.e", "COM1", "com9.img", "LPT1", "aux ", "PRN.txt.e", "CONIN$"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_EQ(SaveImageFile(path, ImageBytes(1, QString())).Text(), QStringLiteral("Invalid filename")) << name;
        EXPECT_EQ(LoadImageFile(path).error.Text(), QStringLiteral("Invalid filename")) << name;
    }
    // Only the whole name (up to its first dot) counts.
    const QString fine = dir.filePath(QStringLiteral("console.e"));
    EXPECT_FALSE(SaveImageFile(fine, ImageBytes(1, QString())));
}

// The Qt for Windows has no ICU: the code page comes from the program's own table.
TEST(FilesWin, CommentsAreStoredInCodePage1251)
{
    EXPECT_TRUE(Cp1251Available());
    EXPECT_EQ(ToCp1251(QStringLiteral("Ёж№ A")), QByteArray("\xA8\xE6\xB9 A"));
    EXPECT_EQ(FromCp1251(QByteArray("\xC0\xFF\x98")), QStringLiteral("Ая\u0098"));
}

// A saved exchange opened in Notepad was one long line: texts for the user's
// editor get Windows' line ends, a CR LF already there stays one.
TEST(FilesWin, ATextIsSavedWithWindowsLineEnds)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("обмен.txt"));
    ASSERT_FALSE(SaveTextFile(path, QStringLiteral("> M00\n< M00\r\n! ответ")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QStringLiteral("> M00\r\n< M00\r\n! ответ").toUtf8());
}
