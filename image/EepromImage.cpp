#include "image/EepromImage.h"

#include <QList>

const char HexDigits[17] = "0123456789ABCDEF";

QString WordToHex(uint16_t w)
{
    const char s[4] = {HexDigits[(w >> 12) & 0xF], HexDigits[(w >> 8) & 0xF],
                       HexDigits[(w >> 4) & 0xF], HexDigits[w & 0xF]};
    return QString::fromLatin1(s, 4);
}

QString ByteToHex(uint8_t b)
{
    const char s[2] = {HexDigits[(b >> 4) & 0xF], HexDigits[b & 0xF]};
    return QString::fromLatin1(s, 2);
}

QString AddrSpanHex(int first, int last)
{
    const QString head = ByteToHex(static_cast<uint8_t>(first));
    return first == last ? head : head + u'-' + ByteToHex(static_cast<uint8_t>(last));
}

static int NibbleOf(char32_t c)
{
    if (c >= 'a' && c <= 'z')
        c = c - 'a' + 'A'; // only ASCII letters are folded
    for (int d = 0; d < 16; ++d)
        if (c == static_cast<char32_t>(HexDigits[d]))
            return d;
    return -1;
}

uint16_t HexToWord(const QString &text)
{
    uint16_t result = 0;
    const QList<uint> ucs = text.toUcs4();
    for (int i = 0; i < 4 && i < ucs.size(); ++i) {
        const int d = NibbleOf(ucs[i]);
        if (d >= 0)
            result |= static_cast<uint16_t>(d << (4 * (3 - i)));
    }
    return result;
}

uint16_t HexToWord(const char *text, int len)
{
    uint16_t result = 0;
    for (int i = 0; i < 4 && i < len; ++i) {
        const int d = NibbleOf(static_cast<unsigned char>(text[i]));
        if (d >= 0)
            result |= static_cast<uint16_t>(d << (4 * (3 - i)));
    }
    return result;
}
