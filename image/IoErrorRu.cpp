#include "image/IoErrorRu.h"

#include <QCoreApplication>

QString IoErrorTextRu(const IoError &error)
{
    switch (error.kind) {
    case IoError::None: return QString();
    case IoError::FileNotFound: return QCoreApplication::translate("Quillon", "файл не найден");
    case IoError::InvalidFilename: return QCoreApplication::translate("Quillon", "недопустимое имя файла или папки");
    case IoError::TooManyOpenFiles: return QCoreApplication::translate("Quillon", "открыто слишком много файлов");
    case IoError::AccessDenied: return QCoreApplication::translate("Quillon", "нет доступа");
    case IoError::ReadBeyondEnd: return QCoreApplication::translate("Quillon", "файл короче образа");
    case IoError::DiskFull: return QCoreApplication::translate("Quillon", "диск заполнен");
    case IoError::CommentTooLong: return QCoreApplication::translate("Quillon", "слишком длинный комментарий");
    case IoError::Other: break;
    }
    return QCoreApplication::translate("Quillon", "ошибка ввода-вывода %1").arg(error.sysErrno);
}
