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

// The synthesizer's frequencies in kHz, as the words set them.
struct Radio {
    const RefOscillator *ref;
    uint32_t stepHz;
    bool ifPositive;
    int32_t tx, lo, intermediate, rx;
};

Radio RadioOf(const EepromImage &img)
{
    // Equal multipliers count as a handset (receiver above the LO).
    Radio r;
    r.ifPositive = img[Addr::TxMultiplier] <= img[Addr::LoMultiplier];
    r.ref = FindRefOscillator(img[Addr::RefDivider]);
    r.stepHz = r.ref ? r.ref->stepHz : 0;
    const int32_t ifMagnitude = r.ref ? r.ref->ifKHz : 0;
    // At most 25000 * 65535, well inside 32 bits.
    r.tx = static_cast<int32_t>(r.stepHz * img[Addr::TxMultiplier] / 1000);
    r.lo = static_cast<int32_t>(r.stepHz * img[Addr::LoMultiplier] / 1000);
    r.intermediate = r.ifPositive ? ifMagnitude : -ifMagnitude;
    r.rx = r.lo + r.intermediate;
    return r;
}

DeviceKind KindOf(const Radio &r) { return r.tx > r.rx ? DeviceKind::Base : DeviceKind::Handset; }

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
    const Radio r = RadioOf(img);

    Rows rows;
    rows[RowType] = {TypeText(range), WordToHex(range)};
    rows[RowReference] = {r.ref ? Mhz(r.ref->refKHz) : kUnknown, WordToHex(divider)};

    rows[RowTx] = {Mhz(r.tx), WordToHex(txMul)};
    rows[RowRx].value = Mhz(r.rx);
    rows[RowLo] = {Mhz(r.lo), WordToHex(loMul)};
    rows[RowIf].value = Mhz(r.intermediate);
    rows[RowSpacing].value = Mhz(r.ifPositive ? r.rx - r.tx : r.tx - r.rx);
    rows[RowStep].value = FrequencyText(static_cast<int32_t>(r.stepHz), "kHz");

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
    rows[RowDevice].value = DeviceKindWord(KindOf(r));
    return rows;
}

DeviceKind KindOf(const EepromImage &image) { return KindOf(RadioOf(image)); }

bool IsBase(const EepromImage &image) { return KindOf(image) == DeviceKind::Base; }

} // namespace InfoList
