#include "image/ImageFile.h"

#include <QCoreApplication>
#include <QFileInfo>

const char ImageFolder[] = "EELog";
const char ImageFilterCaption[] = QT_TRANSLATE_NOOP("Quillon", "Все файлы (*.*)");

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
    return QCoreApplication::translate("Quillon", "Файл ") + fullName
           + QCoreApplication::translate("Quillon", " уже существует. Переписать?");
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
