#include "image/WordDescription.h"

#include <QCoreApplication>

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
    {0x31, Shows::LoByte, QT_TRANSLATE_NOOP("Quillon", "HI - ???, LO - контрольная сумма (только у китайских) ["),
     nullptr},
    {0x32, Shows::Word, QT_TRANSLATE_NOOP("Quillon", "Делитель опорного генератора ["), nullptr},
    {0x33, Shows::Word, QT_TRANSLATE_NOOP("Quillon", "Множитель для передатчика ["), nullptr},
    {0x34, Shows::Word, QT_TRANSLATE_NOOP("Quillon", "Множитель для гетеродина ["), nullptr},
    {0x37, Shows::Word, QT_TRANSLATE_NOOP("Quillon", "ID код базы ["), nullptr},
    {0x38, Shows::BothBytes, QT_TRANSLATE_NOOP("Quillon", "Диапазан рабочих каналов. HI - начало диапазона ["),
     QT_TRANSLATE_NOOP("Quillon", "], LO - конец диапазона [")},
    {0x39, Shows::BothBytes, QT_TRANSLATE_NOOP("Quillon", "Системные каналы. HI - 1 канал ["),
     QT_TRANSLATE_NOOP("Quillon", "], LO - 2 канал [")},
    {0x3A, Shows::BothBytes, QT_TRANSLATE_NOOP("Quillon", "Системные каналы. HI - 3 канал ["),
     QT_TRANSLATE_NOOP("Quillon", "], LO - 4 канал [")},
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
        const QString first = QCoreApplication::translate("Quillon", d.first);
        switch (d.shows) {
        case Shows::Word:
            return first + WordToHex(w) + u']';
        case Shows::LoByte:
            return first + ByteToHex(Lo(w)) + u']';
        case Shows::BothBytes:
            return first + ByteToHex(Hi(w)) + QCoreApplication::translate("Quillon", d.second) + ByteToHex(Lo(w))
                   + u']';
        case Shows::Nothing:
            break;
        }
    }
    return QString(); // 0x35, 0x36, 0x3B-0x3F: carried, but not described
}
