#include "image/ImageCoverage.h"

#include "image/EepromImage.h"

#include <QStringList>

ImageCoverage ImageCoverage::AfterRead(ReadRange range) const
{
    if (kind_ == Kind::Whole)
        return *this;
    uint64_t mask = mask_;
    for (int a = range.first; a <= range.last && a < EepromImage::kWords; ++a)
        mask |= uint64_t(1) << a;
    return ImageCoverage(Kind::Partial, mask);
}

QString ImageCoverage::Text() const
{
    if (kind_ != Kind::Partial)
        return QString();
    QStringList runs;
    for (int a = 0; a < EepromImage::kWords; ++a) {
        if (!(mask_ >> a & 1))
            continue;
        int last = a;
        while (last + 1 < EepromImage::kWords && (mask_ >> (last + 1) & 1))
            ++last;
        runs << ReadRangeMark({a, last}).mid(6).chopped(1); // "[read 30-3F]" -> "30-3F"
        a = last;
    }
    return runs.join(QStringLiteral(", "));
}
