#pragma once

// Decoding of the radio block (words 0x32-0x3A) into the texts of the
// "Инфо" list. Plain code: the list view only shows what Decode returns.

#include "image/DeviceModels.h"
#include "image/EepromImage.h"

#include <QString>
#include <array>
#include <cstdint>

namespace InfoList {

constexpr int kRows = 12;
constexpr int kColumns = 3;

// Row indexes, in list order.
enum Row {
    RowDevice = 0,  // "База" / "Труба"
    RowType,        // telephone type named after the channel range
    RowReference,   // reference oscillator
    RowTx,
    RowRx,
    RowLo,
    RowIf,
    RowSpacing,
    RowStep,
    RowSysChannels,
    RowChannelRange,
    RowIdCode,
};

struct Cells {
    QString value; // column "Свойства"
    QString hex;   // column "HEX"; stays empty for rows without raw words
};

using Rows = std::array<Cells, kRows>;

// Fixed texts and widths of the list.
QString RowCaption(int row);
// The caption as written, whatever the language (quillon-cli's JSON).
QString RowCaptionSource(int row);
QString ColumnCaption(int column);
int ColumnWidth(int column);

// A kHz value as shown in the list: a point in front of the last three
// characters of the signed decimal text (in front of the whole text when it
// is shorter), then the suffix ("mHz" for frequencies, "kHz" for the step).
QString FrequencyText(int32_t kHz, const char *suffix);

// Every row's texts from the image; the image is only read.
Rows Decode(const EepromImage &image);
// Base when the transmitter is above the receiver, else handset: the device row.
DeviceKind KindOf(const EepromImage &image);
bool IsBase(const EepromImage &image);

} // namespace InfoList
