#include "radio/InfoList.h"

#include "radio/FreqCalc.h"
#include "radio/Pairing.h"

#include <QCoreApplication>
#include <QStringList>

namespace InfoList {

namespace {

const char *const kRowCaptions[kRows] = {
    QT_TRANSLATE_NOOP("Quillon", "Устройство"),
    QT_TRANSLATE_NOOP("Quillon", "Тип SENAO"),
    QT_TRANSLATE_NOOP("Quillon", "Опорный генератор"),
    QT_TRANSLATE_NOOP("Quillon", "F передатчика"),
    QT_TRANSLATE_NOOP("Quillon", "F приёмника"),
    QT_TRANSLATE_NOOP("Quillon", "F гетеродина"),
    QT_TRANSLATE_NOOP("Quillon", "ПЧ"),
    QT_TRANSLATE_NOOP("Quillon", "Разнос"),
    QT_TRANSLATE_NOOP("Quillon", "Шаг сетки"),
    QT_TRANSLATE_NOOP("Quillon", "Системные каналы"),
    QT_TRANSLATE_NOOP("Quillon", "Диапазан рабочих каналов"),
    QT_TRANSLATE_NOOP("Quillon", "ID код"),
};

const char *const kColumnCaptions[kColumns] = {QT_TRANSLATE_NOOP("Quillon", "Параметр"),
                                               QT_TRANSLATE_NOOP("Quillon", "Свойства"), "HEX"};
const int kColumnWidths[kColumns] = {150, 100, 80};

// The values that are words stay Russian here: the window translates them as it shows them.
const QString kUnknown = QString::fromUtf8(QT_TRANSLATE_NOOP("Quillon", "неизвесно"));

// Word 0x38 names the channel plan only when it is exactly one of the plans.
QString TypeText(uint16_t range)
{
    const QString plan = Pairing::PlanName(range);
    return plan.isEmpty() ? kUnknown : plan;
}

QString Mhz(int32_t kHz) { return FrequencyText(kHz, "mHz"); }

} // namespace

QString RowCaption(int row)
{
    return row >= 0 && row < kRows ? QCoreApplication::translate("Quillon", kRowCaptions[row]) : QString();
}

QString RowCaptionSource(int row) { return row >= 0 && row < kRows ? QString::fromUtf8(kRowCaptions[row]) : QString(); }

QString ColumnCaption(int column)
{
    return column >= 0 && column < kColumns ? QCoreApplication::translate("Quillon", kColumnCaptions[column])
                                            : QString();
}

int ColumnWidth(int column) { return column >= 0 && column < kColumns ? kColumnWidths[column] : 0; }

QString FrequencyText(int32_t kHz, const char *suffix)
{
    QString s = QString::number(kHz);
    s.insert(qMax(0, int(s.size()) - 3), QLatin1Char('.'));
    return s + QLatin1String(suffix);
}

Rows Decode(const EepromImage &img)
{
    const uint16_t divider = img[Addr::RefDivider];
    const uint16_t txMul = img[Addr::TxMultiplier];
    const uint16_t loMul = img[Addr::LoMultiplier];
    const uint16_t id = img[Addr::BaseId];
    const uint16_t range = img[Addr::ChannelRange];

    // Equal multipliers count as a handset (receiver above the LO).
    const bool ifPositive = txMul <= loMul;

    Rows rows;
    rows[RowType] = {TypeText(range), WordToHex(range)};

    const RefOscillator *ref = FindRefOscillator(divider);
    const uint32_t stepHz = ref ? ref->stepHz : 0;
    const int32_t ifMagnitude = ref ? ref->ifKHz : 0;
    rows[RowReference] = {ref ? Mhz(ref->refKHz) : kUnknown, WordToHex(divider)};

    // At most 25000 * 65535, well inside 32 bits.
    const int32_t tx = static_cast<int32_t>(stepHz * txMul / 1000);
    const int32_t lo = static_cast<int32_t>(stepHz * loMul / 1000);
    const int32_t intermediate = ifPositive ? ifMagnitude : -ifMagnitude;
    const int32_t rx = lo + intermediate;

    rows[RowTx] = {Mhz(tx), WordToHex(txMul)};
    rows[RowRx].value = Mhz(rx);
    rows[RowLo] = {Mhz(lo), WordToHex(loMul)};
    rows[RowIf].value = Mhz(intermediate);
    rows[RowSpacing].value = Mhz(ifPositive ? rx - tx : tx - rx);
    rows[RowStep].value = FrequencyText(static_cast<int32_t>(stepHz), "kHz");

    const Pairing::SysChannels sys = Pairing::SysChannelsOf(Pairing::WordsOf(img));
    QStringList dec, hex;
    for (uint8_t c : sys) {
        dec << QString::number(c);
        hex << ByteToHex(c);
    }
    rows[RowSysChannels] = {dec.join(QStringLiteral(", ")), hex.join(QStringLiteral(", "))};

    rows[RowChannelRange] = {QString::number(Hi(range)) + QStringLiteral("..") + QString::number(Lo(range)),
                          ByteToHex(Hi(range)) + QStringLiteral("..") + ByteToHex(Lo(range))};
    rows[RowIdCode] = {QString::number(id), WordToHex(id)};
    rows[RowDevice].value = tx > rx ? QString::fromUtf8(QT_TRANSLATE_NOOP("Quillon", "База"))
                                    : QString::fromUtf8(QT_TRANSLATE_NOOP("Quillon", "Труба"));
    return rows;
}

bool IsBase(const EepromImage &image) { return Decode(image)[RowDevice].value == QStringLiteral("База"); }

} // namespace InfoList
