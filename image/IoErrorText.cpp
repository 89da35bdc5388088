#include "image/IoErrorText.h"

#include "image/Wording.h"

QString IoErrorText(const IoError &error)
{
    switch (error.kind) {
    case IoError::None: return QString();
    case IoError::FileNotFound: return Worded("IoError", QT_TRANSLATE_NOOP("IoError", "файл не найден"));
    case IoError::InvalidFilename:
        return Worded("IoError", QT_TRANSLATE_NOOP("IoError", "недопустимое имя файла или папки"));
    case IoError::TooManyOpenFiles:
        return Worded("IoError", QT_TRANSLATE_NOOP("IoError", "открыто слишком много файлов"));
    case IoError::AccessDenied: return Worded("IoError", QT_TRANSLATE_NOOP("IoError", "нет доступа"));
    case IoError::ReadBeyondEnd: return Worded("IoError", QT_TRANSLATE_NOOP("IoError", "файл короче образа"));
    case IoError::DiskFull: return Worded("IoError", QT_TRANSLATE_NOOP("IoError", "диск заполнен"));
    case IoError::CommentTooLong: return Worded("IoError", QT_TRANSLATE_NOOP("IoError", "слишком длинный комментарий"));
    case IoError::Other: break;
    }
    return Worded("IoError", QT_TRANSLATE_NOOP("IoError", "ошибка ввода-вывода %1"), {QString::number(error.sysErrno)});
}
