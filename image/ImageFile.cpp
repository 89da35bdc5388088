#include "image/ImageFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <cerrno>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

const char ImageFolder[] = "EELog";
const char ImageFilterCaption[] = "Все файлы (*.*)";

QString DefaultSuffix(int deviceModel)
{
    // Model 0 "<неизвестно>" and no selection get no extension.
    static const char *const suffixes[kModelCount] = {"", "b", "h", "bp", "hp", "bk", "hk", "bf", "hf"};
    if (deviceModel < 0 || deviceModel >= kModelCount)
        return QString();
    return QString::fromLatin1(suffixes[deviceModel]);
}

QString OverwriteQuestion(const QString &fullName)
{
    return QStringLiteral("Файл ") + fullName + QStringLiteral(" уже существует. Переписать?");
}

// ---- code page 1251 ----
//
// Both directions come from Qt's own decoder, so the program has one source
// for the code page. The encoder is a reverse of that table rather than
// QStringEncoder: ICU's encoder writes 0x1A for characters it cannot map and
// drops some (zero-width marks) without a trace, and a comment must neither
// lose characters silently nor store a byte that reads back as another one.

namespace {

struct Cp1251Table {
    bool valid = false;
    QString toUnicode; // 256 characters, one per byte
    QHash<char16_t, uint8_t> toByte;

    Cp1251Table()
    {
        QStringDecoder decoder("windows-1251");
        if (decoder.isValid()) {
            QByteArray bytes(256, '\0');
            for (int b = 0; b < 256; ++b)
                bytes[b] = static_cast<char>(b);
            toUnicode = decoder.decode(bytes);
            valid = !decoder.hasError() && toUnicode.size() == 256;
        }
        if (!valid) {
            // A Qt without ICU (the Windows build) has no decoder for it: the
            // code page's own table, as ICU gives it (0x98, unassigned, as U+0098).
            static const char16_t upper[64] = {
                0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
                0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
                0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
                0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
                0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
            toUnicode.resize(256);
            for (int b = 0; b < 256; ++b)
                toUnicode[b] = b < 0x80 ? QChar(b) : b < 0xC0 ? QChar(upper[b - 0x80]) : QChar(0x0410 + b - 0xC0);
            valid = true;
        }
        for (int b = 0; b < 256; ++b) {
            const char16_t c = toUnicode.at(b).unicode();
            if (!toByte.contains(c) && (valid || b < 0x80))
                toByte.insert(c, static_cast<uint8_t>(b));
        }
    }
};

const Cp1251Table &Cp1251()
{
    static const Cp1251Table table;
    return table;
}

} // namespace

bool Cp1251Available() { return Cp1251().valid; }

QByteArray ToCp1251(const QString &text)
{
    const Cp1251Table &t = Cp1251();
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i; // one character outside the BMP, one "?"
            out.append('?');
            continue;
        }
        const auto it = t.toByte.constFind(c.unicode());
        out.append(it != t.toByte.constEnd() ? static_cast<char>(*it) : '?');
    }
    return out;
}

QString FromCp1251(const QByteArray &bytes)
{
    const Cp1251Table &t = Cp1251();
    QString out;
    out.reserve(bytes.size());
    for (const char b : bytes)
        out.append(t.toUnicode.at(static_cast<uint8_t>(b)));
    return out;
}

// ---- encoding ----

QByteArray EncodeImageFile(const EepromImage &image, int deviceModel, const QString &comment)
{
    QByteArray out;
    out.reserve(kImageBytes + 1 + comment.size());
    for (int a = 0; a < EepromImage::kWords; ++a) {
        out.append(static_cast<char>(Hi(image[a])));
        out.append(static_cast<char>(Lo(image[a])));
    }
    const bool known = deviceModel >= 0 && deviceModel < kModelCount;
    out.append(static_cast<char>(known ? deviceModel : kNoModelByte));
    out.append(ToCp1251(comment));
    return out;
}

std::optional<ImageFileData> DecodeImageFile(const QByteArray &bytes)
{
    if (bytes.size() < kImageBytes)
        return std::nullopt;
    ImageFileData d;
    const auto byteAt = [&](qsizetype i) { return static_cast<uint8_t>(bytes.at(i)); };
    for (int a = 0; a < EepromImage::kWords; ++a)
        d.image[a] = static_cast<uint16_t>(byteAt(2 * a) << 8 | byteAt(2 * a + 1));
    if (bytes.size() > kImageBytes) {
        const int m = byteAt(kImageBytes);
        d.model = m < kModelCount ? m : -1;
        d.comment = FromCp1251(bytes.mid(kImageBytes + 1));
    }
    return d;
}

// ---- errors ----

QString IoError::Text() const
{
    switch (kind) {
    case None: return QString();
    case FileNotFound: return QStringLiteral("File not found");
    case InvalidFilename: return QStringLiteral("Invalid filename");
    case TooManyOpenFiles: return QStringLiteral("Too many open files");
    case AccessDenied: return QStringLiteral("File access denied");
    case ReadBeyondEnd: return QStringLiteral("Read beyond end of file");
    case DiskFull: return QStringLiteral("Disk full");
    case CommentTooLong:
        return QStringLiteral("Это не образ EEPROM: комментарий в файле длиннее %1 символов.")
            .arg(kMaxCommentChars);
    case Other: break;
    }
    return QStringLiteral("I/O error %1").arg(sysErrno);
}

IoError IoErrorFromErrno(int err)
{
    IoError::Kind kind = IoError::Other;
    switch (err) {
    case 0: kind = IoError::None; break;
    case ENOENT: kind = IoError::FileNotFound; break;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
    case EILSEQ: kind = IoError::InvalidFilename; break;
    case EMFILE:
    case ENFILE: kind = IoError::TooManyOpenFiles; break;
    case EACCES:
    case EPERM:
    case EISDIR: // opening a folder as a file is refused as access on other systems too
    case EROFS:
    case ETXTBSY: kind = IoError::AccessDenied; break;
    case ENOSPC:
#ifdef EDQUOT // not in mingw-w64
    case EDQUOT:
#endif
    case EFBIG: kind = IoError::DiskFull; break;
    default: break;
    }
    return IoError{kind, err};
}

// ---- disk ----
//
// Windows has its own versions of what follows, in ImageDiskWin.cpp.
#ifndef _WIN32
//
// Plain POSIX calls rather than QFile/QSaveFile: the error texts need the
// system's error number of the call that failed, which Qt's file classes do not
// keep, and QSaveFile would replace a device node (such as /dev/full) by a
// regular file. Every open is non-blocking, so no name (a pipe with nobody on
// the other end, a serial line) can hang the window.

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
#endif // _WIN32

IoError MakeFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return IoError();
    const QString parent = info.absolutePath();
    if (parent != info.absoluteFilePath())
        if (const IoError err = MakeFolder(parent))
            return err;
    const IoError err = MakeOneFolder(info.absoluteFilePath());
    if (err && QFileInfo(path).isDir())
        return IoError(); // made by someone else meanwhile
    return err;
}

LoadResult LoadImageFile(const QString &path, int maxCommentChars)
{
    LoadResult r;
    QByteArray bytes;
    r.error = ReadImageFileBytes(path, &bytes, maxCommentChars);
    if (r.error)
        return r;
    std::optional<ImageFileData> data = DecodeImageFile(bytes);
    if (!data) {
        r.error = IoError{IoError::ReadBeyondEnd, 0};
        return r;
    }
    r.data = std::move(*data);
    return r;
}
