// Code page 1251, the encoding of the comment in an image file.
//
// Both directions come from Qt's own decoder, so the program has one source
// for the code page. The encoder is a reverse of that table rather than
// QStringEncoder: ICU's encoder writes 0x1A for characters it cannot map and
// drops some (zero-width marks) without a trace, and a comment must neither
// lose characters silently nor store a byte that reads back as another one.

#include "image/ImageFile.h"

#include <QHash>
#include <QStringDecoder>

namespace {

struct Cp1251Table {
    bool valid = false;
    QString toUnicode; // 256 characters, one per byte
    QHash<char16_t, uint8_t> toByte;

    Cp1251Table()
    {
        QStringDecoder decoder("windows-1251");
        if (decoder.isValid()) {
            QByteArray bytes(256, '\0');
            for (int b = 0; b < 256; ++b)
                bytes[b] = static_cast<char>(b);
            toUnicode = decoder.decode(bytes);
            valid = !decoder.hasError() && toUnicode.size() == 256;
        }
        if (!valid) {
            // A Qt without ICU (the Windows build) has no decoder for it: the
            // code page's own table, as ICU gives it (0x98, unassigned, as U+0098).
            static const char16_t upper[64] = {
                0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
                0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
                0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
                0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
                0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
            toUnicode.resize(256);
            for (int b = 0; b < 256; ++b)
                toUnicode[b] = b < 0x80 ? QChar(b) : b < 0xC0 ? QChar(upper[b - 0x80]) : QChar(0x0410 + b - 0xC0);
            valid = true;
        }
        for (int b = 0; b < 256; ++b) {
            const char16_t c = toUnicode.at(b).unicode();
            if (!toByte.contains(c) && (valid || b < 0x80))
                toByte.insert(c, static_cast<uint8_t>(b));
        }
    }
};

const Cp1251Table &Cp1251()
{
    static const Cp1251Table table;
    return table;
}

} // namespace

bool Cp1251Available() { return Cp1251().valid; }

QByteArray ToCp1251(const QString &text)
{
    const Cp1251Table &t = Cp1251();
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i; // one character outside the BMP, one "?"
            out.append('?');
            continue;
        }
        const auto it = t.toByte.constFind(c.unicode());
        out.append(it != t.toByte.constEnd() ? static_cast<char>(*it) : '?');
    }
    return out;
}

QString FromCp1251(const QByteArray &bytes)
{
    const Cp1251Table &t = Cp1251();
    QString out;
    out.reserve(bytes.size());
    for (const char b : bytes)
        out.append(t.toUnicode.at(static_cast<uint8_t>(b)));
    return out;
}
