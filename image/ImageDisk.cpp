// Image files on a POSIX disk; Windows has its own versions in ImageDiskWin.cpp.
//
// Plain POSIX calls rather than QFile/QSaveFile: the error texts need the
// system's error number of the call that failed, which Qt's file classes do not
// keep, and QSaveFile would replace a device node (such as /dev/full) by a
// regular file. Every open is non-blocking, so no name (a pipe with nobody on
// the other end, a serial line) can hang the window.

#include "image/ImageFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// ENOENT means "no such file" only when the folder exists; a missing folder is
// a bad name, as the other systems report it.
IoError OpenFailure(int err, const QString &path)
{
    if (err == ENOENT && !QFileInfo(path).absoluteDir().exists())
        return IoError{IoError::InvalidFilename, err};
    return IoErrorFromErrno(err);
}

int OpenFile(const QByteArray &name, int flags, mode_t mode = 0)
{
    int fd;
    do {
        fd = ::open(name.constData(), flags | O_CLOEXEC | O_NONBLOCK, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Closes fd; returns the error number of close, 0 when it succeeded.
int CloseFile(int fd)
{
    return ::close(fd) == 0 ? 0 : errno;
}

// Reads until limit bytes or the end of the file; returns the error number, 0 when fine.
int ReadUpTo(int fd, QByteArray &out, qsizetype limit)
{
    out.resize(limit);
    qsizetype got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, out.data() + got, static_cast<size_t>(limit - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.clear();
            return errno;
        }
        if (n == 0)
            break;
        got += n;
    }
    out.resize(got);
    return 0;
}

int WriteAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        done += n;
    }
    return 0;
}

// The error of the first failing step, 0 when all succeeded.
// Writes all, flushes to the disk and closes fd: the first error, or 0.
int WriteSyncClose(int fd, const QByteArray &bytes)
{
    int err = WriteAll(fd, bytes);
    if (!err && ::fsync(fd) != 0)
        err = errno;
    const int closeErr = CloseFile(fd);
    return err ? err : closeErr;
}

int WriteFromStart(int fd, const QByteArray &bytes)
{
    if (::lseek(fd, 0, SEEK_SET) < 0)
        return errno;
    if (const int err = WriteAll(fd, bytes))
        return err;
    if (::ftruncate(fd, bytes.size()) != 0)
        return errno;
    return ::fsync(fd) == 0 ? 0 : errno;
}

// A character device: written as it is, without truncating or syncing.
IoError WriteDevice(const QString &path, const QByteArray &bytes)
{
    const int fd = OpenFile(QFile::encodeName(path), O_WRONLY);
    if (fd < 0)
        return OpenFailure(errno, path);
    const int writeErr = WriteAll(fd, bytes);
    const int closeErr = CloseFile(fd);
    return IoErrorFromErrno(writeErr ? writeErr : closeErr);
}

// Rewrites a regular file in place, so it keeps its owner, its links and its
// place in a folder we may not add to. The old contents are read first and
// written back if the new ones cannot be completed.
IoError RewriteInPlace(const QString &path, const QByteArray &bytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = OpenFile(name, O_RDWR);
    if (fd < 0)
        return OpenFailure(errno, path);
    QByteArray old;
    struct stat st;
    int err = ::fstat(fd, &st) != 0 ? errno : 0;
    if (!err && !S_ISREG(st.st_mode))
        err = EACCES; // swapped for something else since we looked
    if (!err)
        err = ReadUpTo(fd, old, st.st_size);
    if (!err && old.size() != st.st_size)
        err = EIO; // the file changed under us: better not to touch it
    if (!err && (err = WriteFromStart(fd, bytes)) != 0)
        WriteFromStart(fd, old); // best effort: the first error is the one to report
    const int closeErr = CloseFile(fd);
    return IoErrorFromErrno(err ? err : closeErr);
}

enum class Replace { Done, Refused };

// Completes the new contents in a sibling file and renames it over the target
// (old == nullptr: there is no file yet). Refused where the sibling cannot
// be made to stand in for the old file or the folder will not take it; the
// old file is then untouched and the caller rewrites it in place.
Replace ReplaceFile(const QString &path, const QByteArray &bytes, const struct stat *old, IoError &result)
{
    const QFileInfo target(path);
    const QByteArray finalName = QFile::encodeName(path);
    QByteArray tempName;
    int fd = -1;
    // A short name of its own: one derived from the target's would be too long
    // for the folder when the target's name is near the limit.
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        tempName = QFile::encodeName(target.absolutePath()
                                     + QStringLiteral("/.quillon-%1.tmp")
                                           .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0')));
        fd = OpenFile(tempName, O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd < 0 && old && (errno == EACCES || errno == EPERM || errno == EROFS))
            return Replace::Refused; // a writable file in a folder we may not add to
        if (fd < 0 && errno != EEXIST) {
            result = OpenFailure(errno, path);
            return Replace::Done;
        }
    }
    if (fd < 0) {
        result = IoErrorFromErrno(EEXIST);
        return Replace::Done;
    }

    if (old) {
        // The new file must be what the old one was: its mode, and its group
        // where that is not ours (a failing chown means we cannot keep it).
        if (::fchown(fd, static_cast<uid_t>(-1), old->st_gid) != 0 || ::fchmod(fd, old->st_mode & 07777) != 0) {
            CloseFile(fd);
            ::unlink(tempName.constData());
            return Replace::Refused;
        }
    }
    int err = WriteSyncClose(fd, bytes);
    if (!err && ::rename(tempName.constData(), finalName.constData()) != 0) {
        const int renameErr = errno;
        ::unlink(tempName.constData());
        if (old)
            return Replace::Refused; // a sticky folder, say: the old file is still there
        result = IoErrorFromErrno(renameErr);
        return Replace::Done;
    }
    if (err)
        ::unlink(tempName.constData());
    result = IoErrorFromErrno(err);
    return Replace::Done;
}

} // namespace

IoError ReadImageFileBytes(const QString &path, QByteArray *bytes, int maxCommentChars)
{
    const int fd = OpenFile(QFile::encodeName(path), O_RDONLY);
    if (fd < 0)
        return OpenFailure(errno, path);
    struct stat st;
    int readErr = ::fstat(fd, &st) != 0 ? errno : 0;
    if (!readErr && S_ISDIR(st.st_mode))
        readErr = EISDIR;
    else if (!readErr && !S_ISREG(st.st_mode))
        readErr = EACCES; // a pipe or a device is no image, and reading it could block
    // One byte more than the longest comment tells a longer one apart.
    const qsizetype limit = kImageBytes + 1 + qMax(0, maxCommentChars) + 1;
    if (!readErr)
        readErr = ReadUpTo(fd, *bytes, limit);
    const int closeErr = CloseFile(fd);
    if (readErr || closeErr)
        return IoErrorFromErrno(readErr ? readErr : closeErr);
    if (bytes->size() == limit)
        return IoError{IoError::CommentTooLong, 0};
    return IoError{};
}

IoError SaveImageFile(const QString &path, const QByteArray &bytes)
{
    // A link is followed, so the file it points to is replaced, not the link.
    QString target = QFileInfo(path).canonicalFilePath();
    if (target.isEmpty())
        target = path;
    const QByteArray name = QFile::encodeName(target);

    IoError result;
    struct stat st;
    if (::stat(name.constData(), &st) != 0) {
        if (errno != ENOENT)
            return OpenFailure(errno, target);
        ReplaceFile(target, bytes, nullptr, result);
        return result;
    }
    if (S_ISDIR(st.st_mode))
        return IoErrorFromErrno(EISDIR);
    if (S_ISCHR(st.st_mode))
        return WriteDevice(target, bytes);
    if (!S_ISREG(st.st_mode))
        return IoErrorFromErrno(EACCES); // a pipe, a socket or a disk is no place for an image
    // Renaming over a read-only file would get round its protection.
    if (::access(name.constData(), W_OK) != 0)
        return IoErrorFromErrno(errno);
    // Renaming would make us the owner and split hard links.
    if (st.st_uid != ::geteuid() || st.st_nlink > 1)
        return RewriteInPlace(target, bytes);
    if (ReplaceFile(target, bytes, &st, result) == Replace::Refused)
        return RewriteInPlace(target, bytes);
    return result;
}

bool FileExisted(const IoError &error) { return error.sysErrno == EEXIST; }

IoError CreateImageFile(const QString &path, const QByteArray &bytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = OpenFile(name, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0)
        return OpenFailure(errno, path);
    const int err = WriteSyncClose(fd, bytes);
    if (err)
        ::unlink(name.constData()); // half a file is no copy
    return IoErrorFromErrno(err);
}

IoError MakeOneFolder(const QString &path)
{
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
        return IoError();
    const int err = errno;
    return IoErrorFromErrno(err == EEXIST ? ENOTDIR : err);
}

IoError SaveTextFile(const QString &path, const QString &text) { return SaveImageFile(path, text.toUtf8()); }
