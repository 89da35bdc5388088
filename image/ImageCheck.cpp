#include "image/ImageCheck.h"

#include "image/ImageFile.h"

#include <QStringDecoder>

#include <algorithm>

bool IsText(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return false;
    const bool controls = std::any_of(bytes.cbegin(), bytes.cend(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && c != '\n' && c != '\r' && c != '\t') || u == 0x7F;
    });
    if (controls)
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(bytes); // the decoder only looks when asked for the text
    return !utf8.hasError();
}

ImageFileCheck CheckImageFile(const QByteArray &bytes)
{
    ImageFileCheck check;
    const std::optional<ImageFileData> data = DecodeImageFile(bytes);
    if (IsText(bytes))
        check.kind = ImageFileCheck::Text; // says more than its length would
    else if (!data)
        check.kind = ImageFileCheck::TooShort;
    else if (bytes.size() > kImageBytes) {
        const auto model = static_cast<uint8_t>(bytes.at(kImageBytes));
        if (model >= kModelCount && model != kNoModelByte) {
            check.kind = ImageFileCheck::ModelByte;
            check.modelByte = model;
        }
    }
    if (data)
        check.held = FindReadRangeMark(data->comment);
    return check;
}
