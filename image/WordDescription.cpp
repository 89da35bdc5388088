#include "image/WordDescription.h"

namespace {

// How a description shows its word: the whole word, or its two bytes.
enum class Shows { Nothing, Word, LoByte, BothBytes };

struct Description {
    int addr;
    Shows shows;
    const char *first;  // before the first value
    const char *second; // between the two byte values (BothBytes only)
};

const Description Described[] = {
    {0x31, Shows::LoByte, "HI - ???, LO - контрольная сумма (только у китайских) [", nullptr},
    {0x32, Shows::Word, "Делитель опорного генератора [", nullptr},
    {0x33, Shows::Word, "Множитель для передатчика [", nullptr},
    {0x34, Shows::Word, "Множитель для гетеродина [", nullptr},
    {0x37, Shows::Word, "ID код базы [", nullptr},
    {0x38, Shows::BothBytes, "Диапазан рабочих каналов. HI - начало диапазона [",
     "], LO - конец диапазона ["},
    {0x39, Shows::BothBytes, "Системные каналы. HI - 1 канал [", "], LO - 2 канал ["},
    {0x3A, Shows::BothBytes, "Системные каналы. HI - 3 канал [", "], LO - 4 канал ["},
};

} // namespace

QString DescribeWord(const EepromImage &image, int addr)
{
    addr &= 0x3F;
    if (addr <= 0x30)
        return QStringLiteral("???"); // words nothing in the program interprets
    const uint16_t w = image[addr];
    for (const Description &d : Described) {
        if (d.addr != addr)
            continue;
        const QString first = QString::fromUtf8(d.first);
        switch (d.shows) {
        case Shows::Word:
            return first + WordToHex(w) + u']';
        case Shows::LoByte:
            return first + ByteToHex(Lo(w)) + u']';
        case Shows::BothBytes:
            return first + ByteToHex(Hi(w)) + QString::fromUtf8(d.second) + ByteToHex(Lo(w)) + u']';
        case Shows::Nothing:
            break;
        }
    }
    return QString(); // 0x35, 0x36, 0x3B-0x3F: carried, but not described
}
