#include "cli/CliPrintable.h"

#include "cli/CliText.h"
#include "image/IoErrorText.h"

namespace Cli {

QString Printable(const QString &text, bool keepLineBreaks)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool control = u < 0x20 || (u >= 0x7F && u <= 0x9F);
        if (control && !(keepLineBreaks && u == u'\n'))
            out += QStringLiteral("\\u") + QString::number(uint(u), 16).toUpper().rightJustified(4, u'0');
        else
            out += c;
    }
    return out;
}

QString IoErrorText(const IoError &error)
{
    if (error.kind == IoError::CommentTooLong)
        return Text::tr("not an image: its comment is longer than %1 characters").arg(kMaxCommentChars);
    return ::IoErrorText(error);
}

} // namespace Cli
