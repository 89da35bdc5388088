#include "cli/CliImageText.h"

#include "cli/CliText.h"

#include <QList>

#include <algorithm>
#include <cctype>

namespace Cli {

QString DiffTable(const std::vector<WordDiff> &diffs, const QString &aColumn, const QString &bColumn)
{
    const QString addr = Text::tr("addr");
    const int addrWidth = std::max<int>(2, addr.size());
    const int width = std::max<int>(4, aColumn.size());
    QString text = addr.leftJustified(addrWidth) + QStringLiteral("  ") + aColumn.leftJustified(width)
                   + QStringLiteral("  ") + bColumn + u'\n';
    for (const WordDiff &d : diffs)
        text += ByteToHex(static_cast<uint8_t>(d.addr)).leftJustified(addrWidth) + QStringLiteral("  ")
                + WordToHex(d.a).leftJustified(width) + QStringLiteral("  ") + WordToHex(d.b) + u'\n';
    return text;
}

QString ImageHexText(const EepromImage &image)
{
    QString text;
    for (int row = 0; row < EepromImage::kWords; row += 8) {
        text += ByteToHex(static_cast<uint8_t>(row)) + u':';
        for (int a = row; a < row + 8; ++a)
            text += u' ' + WordToHex(image[a]);
        text += u'\n';
    }
    return text;
}

namespace {

bool IsHexWord(const QByteArray &token)
{
    return token.size() == 4
           && std::all_of(token.cbegin(), token.cend(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// "38:" and the like: hex digits and a colon, whatever their value.
bool IsHexLabel(const QByteArray &token)
{
    return token.size() >= 2 && token.endsWith(':')
           && std::all_of(token.cbegin(), token.cend() - 1, [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

QList<QByteArray> Tokens(const QByteArray &line)
{
    QList<QByteArray> tokens = line.simplified().split(' ');
    tokens.removeAll(QByteArray());
    return tokens;
}

} // namespace

std::optional<EepromImage> ParseImageHexText(const QByteArray &text, QString *error)
{
    const QList<QByteArray> lines = text.split('\n');
    const bool labelled = std::any_of(lines.cbegin(), lines.cend(), [](const QByteArray &line) {
        const QList<QByteArray> tokens = Tokens(line);
        return !tokens.isEmpty() && IsHexLabel(tokens.constFirst());
    });
    EepromImage image;
    if (!labelled) {
        // The words alone, in order.
        int count = 0;
        for (const QByteArray &token : Tokens(text)) {
            if (!IsHexWord(token) || count == EepromImage::kWords)
                return std::nullopt;
            image[count++] = static_cast<uint16_t>(token.toUInt(nullptr, 16));
        }
        if (count != EepromImage::kWords)
            return std::nullopt;
        return image;
    }

    // Reordered lines must not move words: each line's words go where its
    // label says, and a text that does not say where every word goes is refused.
    constexpr int kRows = EepromImage::kWords / 8;
    int lineOfRow[kRows] = {};
    const auto refuse = [error](int line, const QString &why) {
        if (error)
            *error = line > 0 ? Text::tr("line %1: %2").arg(QString::number(line), why) : why;
        return std::nullopt;
    };
    for (int n = 0; n < lines.size(); ++n) {
        const QList<QByteArray> tokens = Tokens(lines[n]);
        if (tokens.isEmpty())
            continue;
        const QByteArray &label = tokens.constFirst();
        if (!IsHexLabel(label))
            return refuse(n + 1, Text::tr("no address label (such as 08:) where the other lines have one"));
        bool ok = false;
        const uint addr = label.chopped(1).toUInt(&ok, 16);
        if (!ok || label.size() != 3 || addr % 8 != 0 || addr >= uint(EepromImage::kWords))
            return refuse(n + 1, Text::tr("the label %1 is none of 00: 08: 10: 18: 20: 28: 30: 38:")
                                     .arg(QString::fromLatin1(label.left(8))));
        const int row = int(addr / 8);
        if (lineOfRow[row])
            return refuse(n + 1, Text::tr("the label %1 again (line %2 has it)")
                                     .arg(QString::fromLatin1(label))
                                     .arg(lineOfRow[row]));
        const qsizetype words = tokens.size() - 1;
        if (words != 8 || !std::all_of(tokens.cbegin() + 1, tokens.cend(), IsHexWord))
            return refuse(n + 1, words == 8 ? Text::tr("a word that is not four hex digits")
                                            : Text::tr("%n words, where a line holds 8", nullptr, int(words)));
        for (int k = 0; k < 8; ++k)
            image[int(addr) + k] = static_cast<uint16_t>(tokens[k + 1].toUInt(nullptr, 16));
        lineOfRow[row] = n + 1;
    }
    for (int row = 0; row < kRows; ++row)
        if (!lineOfRow[row])
            return refuse(0, Text::tr("no line labelled %1: (words %1-%2)")
                                 .arg(ByteToHex(uint8_t(row * 8)), ByteToHex(uint8_t(row * 8 + 7))));
    return image;
}

QString ImageSuspicion(const QByteArray &bytes)
{
    const ImageFileCheck check = CheckImageFile(bytes);
    switch (check.kind) {
    case ImageFileCheck::Text:
        return Text::tr("this is text, not an image file, and not the 64 words of 'read -o -' either");
    case ImageFileCheck::ModelByte:
        return Text::tr("its model byte is %1, where an image file has 00-08 or FF").arg(ByteToHex(check.modelByte));
    case ImageFileCheck::Image:
    case ImageFileCheck::TooShort: break;
    }
    return QString();
}

ImageInput DecodeImageInput(const QByteArray &bytes, bool force)
{
    ImageInput in;
    QString dumpError;
    if (const std::optional<EepromImage> words = ParseImageHexText(bytes, &dumpError)) {
        in.data.emplace();
        in.data->image = *words;
        return in;
    }
    if (bytes.isEmpty()) {
        in.refusal = Text::tr("empty, not an image");
        return in;
    }
    if (!dumpError.isEmpty()) {
        // The words of such a text are meant for their labels; its bytes
        // are never what the user meant to write.
        in.refusal = Text::tr("not the 64 words of 'read -o -': %1").arg(dumpError);
        return in;
    }
    in.suspicion = ImageSuspicion(bytes);
    in.forceable = bytes.size() >= kImageBytes && bytes.size() <= kImageBytes + 1 + kMaxCommentChars;
    in.check = CheckImageFile(bytes);
    if (in.check.kind == ImageFileCheck::Text && !force) {
        in.error = IoError{IoError::ReadBeyondEnd, 0}; // stands for "not an image"
        return in;
    }
    if (bytes.size() > kImageBytes + 1 + kMaxCommentChars) {
        in.error = IoError{IoError::CommentTooLong, 0};
        return in;
    }
    in.data = DecodeImageFile(bytes);
    if (!in.data)
        in.error = IoError{IoError::ReadBeyondEnd, 0};
    return in;
}

} // namespace Cli
