#include "image/ReadMark.h"

#include "image/EepromImage.h"

#include <QRegularExpression>

QString ReadRangeMark(ReadRange range)
{
    if (range.first == range.last)
        return QStringLiteral("[read %1]").arg(ByteToHex(static_cast<uint8_t>(range.first)));
    return QStringLiteral("[read %1-%2]")
        .arg(ByteToHex(static_cast<uint8_t>(range.first)), ByteToHex(static_cast<uint8_t>(range.last)));
}

QString WithReadRangeMark(const QString &comment, ReadRange range)
{
    if (comment.isEmpty())
        return ReadRangeMark(range);
    return comment + QLatin1Char(' ') + ReadRangeMark(range);
}

std::optional<ReadRange> FindReadRangeMark(const QString &comment)
{
    static const QRegularExpression mark(QStringLiteral("\\[read ([0-9A-F]{2})(?:-([0-9A-F]{2}))?\\]"));
    std::optional<ReadRange> found;
    auto it = mark.globalMatch(comment);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        ReadRange r;
        r.first = m.captured(1).toInt(nullptr, 16);
        r.last = m.captured(2).isEmpty() ? r.first : m.captured(2).toInt(nullptr, 16);
        if (r.first <= r.last && r.last < EepromImage::kWords)
            found = r;
        else
            found.reset();
    }
    return found;
}
