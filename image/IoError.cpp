// The standard I/O error texts and the error numbers they stand for.

#include "image/ImageFile.h"

#include <cerrno>

#include <QCoreApplication>

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
        return QCoreApplication::translate("Quillon", "Это не образ EEPROM: комментарий в файле длиннее %1 символов.")
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
