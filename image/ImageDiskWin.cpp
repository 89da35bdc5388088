// Image files on the Windows disk: the same promises as on Linux (a save is
// completed in a flushed file beside the target and then put in its place,
// so a failed save leaves the old file as it was), with the Win32 calls. The
// error numbers are Windows' own, as the texts "I/O error N" show them there.

#include "image/ImageFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <windows.h>

#include <algorithm>

namespace {

IoError FromWin32(DWORD error)
{
    IoError::Kind kind = IoError::Other;
    switch (error) {
    case ERROR_SUCCESS: kind = IoError::None; break;
    case ERROR_FILE_NOT_FOUND: kind = IoError::FileNotFound; break;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: kind = IoError::InvalidFilename; break;
    case ERROR_TOO_MANY_OPEN_FILES: kind = IoError::TooManyOpenFiles; break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: kind = IoError::AccessDenied; break;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: kind = IoError::DiskFull; break;
    default: break;
    }
    return IoError{kind, static_cast<int>(error)};
}

IoError LastError()
{
    return FromWin32(::GetLastError());
}

// CON, PRN, AUX, NUL, COM1-9, LPT1-9 (with any extension, in any case, with
// trailing dots or spaces) name devices in every folder: reading CON would
// wait for the keyboard, writing NUL would lose the image.
bool ReservedName(const QString &path)
{
    static const QRegularExpression reserved(
        QStringLiteral("^(CON|PRN|AUX|NUL|CONIN\\$|CONOUT\\$|COM[1-9¹²³]|LPT[1-9¹²³])[ .]*(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    return reserved.match(QFileInfo(path).fileName()).hasMatch();
}

const wchar_t *Wide(const QString &path)
{
    return reinterpret_cast<const wchar_t *>(path.utf16());
}

// Reads until limit bytes or the end of the file.
DWORD ReadUpTo(HANDLE file, QByteArray &out, qsizetype limit)
{
    out.resize(limit);
    qsizetype got = 0;
    while (got < limit) {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(limit - got, 1 << 20));
        if (!::ReadFile(file, out.data() + got, chunk, &n, nullptr)) {
            out.clear();
            return ::GetLastError();
        }
        if (n == 0)
            break;
        got += n;
    }
    out.resize(got);
    return ERROR_SUCCESS;
}

DWORD WriteAll(HANDLE file, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        DWORD n = 0;
        if (!::WriteFile(file, bytes.constData() + done, static_cast<DWORD>(bytes.size() - done), &n, nullptr))
            return ::GetLastError();
        if (n == 0)
            return ERROR_DISK_FULL;
        done += n;
    }
    return ERROR_SUCCESS;
}

DWORD WriteFromStart(HANDLE file, const QByteArray &bytes)
{
    if (::SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return ::GetLastError();
    if (const DWORD err = WriteAll(file, bytes))
        return err;
    if (!::SetEndOfFile(file) || !::FlushFileBuffers(file))
        return ::GetLastError();
    return ERROR_SUCCESS;
}

// A file in a folder we may not add to: rewritten in place, its old contents
// put back if the new ones cannot be completed.
IoError RewriteInPlace(const QString &path, const QByteArray &bytes)
{
    const HANDLE file = ::CreateFileW(Wide(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return LastError();
    LARGE_INTEGER size {};
    QByteArray old;
    DWORD err = ::GetFileSizeEx(file, &size) ? ERROR_SUCCESS : ::GetLastError();
    if (!err)
        err = ReadUpTo(file, old, static_cast<qsizetype>(size.QuadPart));
    if (!err && old.size() != size.QuadPart)
        err = ERROR_READ_FAULT; // the file changed under us: better not to touch it
    if (!err && (err = WriteFromStart(file, bytes)) != ERROR_SUCCESS)
        WriteFromStart(file, old); // best effort: the first error is the one to report
    if (!::CloseHandle(file) && !err)
        err = ::GetLastError();
    return FromWin32(err);
}

} // namespace

IoError ReadImageFileBytes(const QString &path, QByteArray *bytes, int maxCommentChars)
{
    if (ReservedName(path))
        return FromWin32(ERROR_INVALID_NAME);
    const QString name = QDir::toNativeSeparators(path);
    const HANDLE file = ::CreateFileW(Wide(name), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return LastError();
    // Only a file on a disk is an image; a pipe or a device could block.
    DWORD readErr = ::GetFileType(file) == FILE_TYPE_DISK ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
    // One byte more than the longest comment tells a longer one apart.
    const qsizetype limit = kImageBytes + 1 + qMax(0, maxCommentChars) + 1;
    if (!readErr)
        readErr = ReadUpTo(file, *bytes, limit);
    if (!::CloseHandle(file) && !readErr)
        readErr = ::GetLastError();
    if (readErr)
        return FromWin32(readErr);
    if (bytes->size() == limit)
        return IoError{IoError::CommentTooLong, 0};
    return IoError{};
}

bool FileExisted(const IoError &error)
{
    return error.sysErrno == ERROR_FILE_EXISTS || error.sysErrno == ERROR_ALREADY_EXISTS;
}

IoError CreateImageFile(const QString &path, const QByteArray &bytes)
{
    if (ReservedName(path))
        return FromWin32(ERROR_INVALID_NAME);
    const QString name = QDir::toNativeSeparators(path);
    // CREATE_NEW: an existing file is never replaced.
    const HANDLE file = ::CreateFileW(Wide(name), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return LastError();
    DWORD err = WriteAll(file, bytes);
    if (!err && !::FlushFileBuffers(file))
        err = ::GetLastError();
    if (!::CloseHandle(file) && !err)
        err = ::GetLastError();
    if (err)
        ::DeleteFileW(Wide(name)); // half a file is no copy
    return FromWin32(err);
}

IoError MakeOneFolder(const QString &path)
{
    if (::CreateDirectoryW(Wide(QDir::toNativeSeparators(path)), nullptr))
        return IoError();
    const DWORD err = ::GetLastError();
    return FromWin32(err == ERROR_ALREADY_EXISTS ? ERROR_DIRECTORY : err);
}

IoError SaveImageFile(const QString &path, const QByteArray &bytes)
{
    if (ReservedName(path))
        return FromWin32(ERROR_INVALID_NAME);
    const QString target = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    const DWORD attributes = ::GetFileAttributesW(Wide(target));
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && ::GetLastError() != ERROR_FILE_NOT_FOUND)
        return LastError();
    // Replacing a read-only file would get round its protection.
    if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return FromWin32(ERROR_ACCESS_DENIED);

    const QString folder = QDir::toNativeSeparators(QFileInfo(target).absolutePath());
    QString temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; file == INVALID_HANDLE_VALUE && attempt < 100; ++attempt) {
        temp = folder + QStringLiteral("\\.quillon-%1.tmp")
                            .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
        file = ::CreateFileW(Wide(temp), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            break;
        const DWORD err = ::GetLastError();
        if (exists && err == ERROR_ACCESS_DENIED)
            return RewriteInPlace(target, bytes); // a writable file in a folder we may not add to
        if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS)
            return FromWin32(err);
    }
    if (file == INVALID_HANDLE_VALUE)
        return FromWin32(ERROR_FILE_EXISTS);

    DWORD err = WriteAll(file, bytes);
    if (!err && !::FlushFileBuffers(file))
        err = ::GetLastError();
    if (!::CloseHandle(file) && !err)
        err = ::GetLastError();
    if (!err) {
        // ReplaceFileW keeps the old file's attributes and security; where it
        // cannot (another volume, a file system without it), a write-through
        // rename serves. Either leaves the old file in place when it fails.
        const bool replaced =
            exists && ::ReplaceFileW(Wide(target), Wide(temp), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                                     nullptr);
        if (!replaced &&
            !::MoveFileExW(Wide(temp), Wide(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            err = ::GetLastError();
    }
    if (err)
        ::DeleteFileW(Wide(temp));
    return FromWin32(err);
}

IoError SaveTextFile(const QString &path, const QString &text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(u'\n', QStringLiteral("\r\n"));
    return SaveImageFile(path, lines.toUtf8());
}
