#pragma once

// Image files: 128 bytes of words (HI byte first, word 0x00 first), one model
// byte (0xFF for none), then the comment in code page 1251, one byte per
// character, with no length and no terminator.
//
// Everything here works on bytes and paths and returns its result or error;
// showing dialogs and refreshing views is the window's business.

#include "image/EepromImage.h"

#include <QByteArray>
#include <QString>
#include <optional>

constexpr int kImageBytes = 2 * EepromImage::kWords; // 128
constexpr uint8_t kNoModelByte = 0xFF;
constexpr int kModelCount = 9; // indices 0-8 of the model list
// The longest comment a file may carry. Comments are one line typed into the
// comment box; a file with more is not an image (a photo chosen by mistake),
// and the box would crawl with it.
constexpr int kMaxCommentChars = 65536;

// Dialog settings shared by "Сохранить как..." and "Открыть...".
extern const char ImageFolder[];       // "EELog", relative to the working folder
extern const char ImageFilterCaption[]; // "Все файлы (*.*)"; the filter lists every file

// The save dialog's default extension for a DeviceModel index (-1 = none).
QString DefaultSuffix(int deviceModel);

// "Файл <full name> уже существует. Переписать?"
QString OverwriteQuestion(const QString &fullName);

// ---- code page 1251 (Cp1251.cpp) ----

// Whether windows-1251 converts both ways; with Qt's ICU decoder or, in a Qt
// without ICU, the code page's own table, it always does.
bool Cp1251Available();
// One byte per character; a character with no byte in code page 1251 (and
// each half of nothing: a surrogate pair counts as one character) becomes "?".
QByteArray ToCp1251(const QString &text);
QString FromCp1251(const QByteArray &bytes);

// ---- encoding ----

struct ImageFileData {
    EepromImage image;
    // The model byte: nullopt when the file ends after the words (the model
    // selection is kept), -1 for a byte that names no model, else 0-8.
    std::optional<int> model;
    QString comment;
};

// deviceModel: 0-8, or -1 (anything else) for no selection.
QByteArray EncodeImageFile(const EepromImage &image, int deviceModel, const QString &comment);
// nullopt for fewer than 128 bytes.
std::optional<ImageFileData> DecodeImageFile(const QByteArray &bytes);

// ---- errors (IoError.cpp) ----

// The standard I/O error texts; anything else is "I/O error <errno>".
struct IoError {
    enum Kind {
        None,
        FileNotFound,     // ENOENT
        InvalidFilename,  // ENOTDIR, ENAMETOOLONG, ELOOP, EINVAL, EILSEQ; ENOENT of a missing folder
        TooManyOpenFiles, // EMFILE, ENFILE
        AccessDenied,     // EACCES, EPERM, EISDIR, EROFS, ETXTBSY
        ReadBeyondEnd,    // the file ended before the 128 bytes of words
        DiskFull,         // ENOSPC, EDQUOT, EFBIG
        CommentTooLong,   // more than kMaxCommentChars after the model byte
        Other,            // "I/O error %d"
    };
    Kind kind = None;
    int sysErrno = 0; // the system's error number, 0 for ReadBeyondEnd

    explicit operator bool() const { return kind != None; }
    QString Text() const;
};

IoError IoErrorFromErrno(int err);

// ---- disk (ImageDisk.cpp, on Windows ImageDiskWin.cpp) ----

struct LoadResult {
    IoError error;
    ImageFileData data; // valid only without error
};

// Reads the whole file or nothing: a failure returns the error and no data.
// Only regular files are read (a pipe or a device could block for ever). A
// comment longer than maxCommentChars is refused, never cut, so that saving
// what was loaded gives back the same bytes.
LoadResult LoadImageFile(const QString &path, int maxCommentChars = kMaxCommentChars);
// The bytes LoadImageFile decodes, with its checks of the file and the length.
IoError ReadImageFileBytes(const QString &path, QByteArray *bytes, int maxCommentChars = kMaxCommentChars);

// Writes bytes to path; no call blocks on a pipe or a device.
// - A new or a regular file is completed beside the target and renamed over
//   it, so a failed save leaves the old file as it was.
// - Where renaming would change what the file is (another owner or group,
//   more hard links) or is refused (a folder we may not add to, a sticky
//   folder), the file is rewritten in place; its old contents are kept and
//   put back if the new ones cannot be completed.
// - A character device (such as /dev/full) is written in place; pipes,
//   sockets and block devices are refused.
IoError SaveImageFile(const QString &path, const QByteArray &bytes);

// A text for the user's own editor, saved as SaveImageFile saves, with the
// system's line ends: CR LF on Windows, where Notepad shows no others.
IoError SaveTextFile(const QString &path, const QString &text);

// Creates a new file holding bytes; an existing name is never replaced (the
// error then says so: FileExisted). A file that cannot be completed is removed.
IoError CreateImageFile(const QString &path, const QByteArray &bytes);
// CreateImageFile's error for a file that is there already, by the system's own number.
bool FileExisted(const IoError &error);

// Creates a folder and any missing folders above it.
IoError MakeFolder(const QString &path);
// One folder whose parent exists, by the system's own call (MakeFolder's step).
IoError MakeOneFolder(const QString &path);
