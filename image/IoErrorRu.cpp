#include "image/IoErrorRu.h"

QString IoErrorTextRu(const IoError &error)
{
    switch (error.kind) {
    case IoError::None: return QString();
    case IoError::FileNotFound: return QStringLiteral("файл не найден");
    case IoError::InvalidFilename: return QStringLiteral("недопустимое имя файла или папки");
    case IoError::TooManyOpenFiles: return QStringLiteral("открыто слишком много файлов");
    case IoError::AccessDenied: return QStringLiteral("нет доступа");
    case IoError::ReadBeyondEnd: return QStringLiteral("файл короче образа");
    case IoError::DiskFull: return QStringLiteral("диск заполнен");
    case IoError::CommentTooLong: return QStringLiteral("слишком длинный комментарий");
    case IoError::Other: break;
    }
    return QStringLiteral("ошибка ввода-вывода %1").arg(error.sysErrno);
}
