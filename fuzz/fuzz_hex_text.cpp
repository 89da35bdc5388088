// Hex texts and the frequency fields' texts, on arbitrary input.
//
// Properties: HexToWord reads exactly the first four characters, each ASCII
// hex digit in either case for its nibble and anything else (or nothing) for
// 0, the same from bytes and from text; WordToHex/ByteToHex give upper-case
// digits that read back to the same value; a frequency field reads only
// "DDD.DDD" with ASCII digits, and every in-range frequency's text reads back
// to the same kHz.

#include "FuzzCheck.h"
#include "image/EepromImage.h"
#include "radio/FreqCalc.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <cstring>

namespace {

int Nibble(uint32_t c)
{
    if (c >= '0' && c <= '9')
        return static_cast<int>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<int>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<int>(c - 'a' + 10);
    return 0;
}

template <class Chars> uint16_t ExpectedWord(const Chars &chars, qsizetype n)
{
    unsigned w = 0;
    for (qsizetype i = 0; i < 4; ++i)
        w = w << 4 | (i < n ? Nibble(static_cast<uint32_t>(chars[i])) : 0);
    return static_cast<uint16_t>(w);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *chars = reinterpret_cast<const char *>(data);
    const int len = static_cast<int>(size > 64 ? 64 : size);
    const uint8_t *u = data;

    // Bytes, Latin-1 text and UTF-8 text.
    const uint16_t w = HexToWord(chars, len);
    FUZZ_CHECK(w == ExpectedWord(u, len));
    FUZZ_CHECK(HexToWord(QString::fromLatin1(chars, len)) == w);
    const QString utf8 = QString::fromUtf8(chars, len);
    const QList<uint> ucs = utf8.toUcs4();
    FUZZ_CHECK(HexToWord(utf8) == ExpectedWord(ucs, ucs.size()));

    // Formatting and back.
    FUZZ_CHECK(IsUpperHex(WordToHex(w), 4));
    FUZZ_CHECK(HexToWord(WordToHex(w)) == w);
    const uint8_t b = size > 0 ? data[0] : 0;
    FUZZ_CHECK(IsUpperHex(ByteToHex(b), 2));
    FUZZ_CHECK(HexToWord(ByteToHex(b) + QStringLiteral("00")) == (b << 8));

    // A frequency field's text.
    if (const std::optional<int64_t> kHz = ReadFreqField(utf8)) {
        FUZZ_CHECK(utf8.size() == 7 && utf8[3] == u'.');
        int64_t expected = 0;
        for (int i = 0; i < 7; ++i) {
            if (i == 3)
                continue;
            FUZZ_CHECK(utf8[i] >= u'0' && utf8[i] <= u'9');
            expected = expected * 10 + (utf8[i].unicode() - u'0');
        }
        FUZZ_CHECK(*kHz == expected);
        if (*kHz >= 100000)
            FUZZ_CHECK(FreqFieldText(*kHz) == utf8);
    }

    // A frequency's text.
    int64_t kHz = 0;
    std::memcpy(&kHz, data, size < sizeof kHz ? size : sizeof kHz);
    for (const int64_t f : {kHz, kHz % 1000000, (kHz % 900000 + 900000) % 900000 + 100000}) {
        const QString text = FreqFieldText(f);
        if (f < 100000 || f > 999999) {
            FUZZ_CHECK(text.isEmpty());
        } else {
            FUZZ_CHECK(ReadFreqField(text) == f);
        }
    }
    return 0;
}
