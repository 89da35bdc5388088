#pragma once

#include "image/EepromImage.h"

#include <array>
#include <cstdint>

// The factory radio blocks of the "Стандартные для..." submenu: one row of
// words 0x30-0x3F per telephone variant, in menu order.
constexpr int kPresetCount = 12;
constexpr int kPresetWords = Addr::BlockLast - Addr::BlockFirst + 1;

using PresetRow = std::array<uint16_t, kPresetWords>;
extern const std::array<PresetRow, kPresetCount> PresetTable;

// The DeviceModel index each preset selects in the model list.
extern const std::array<int, kPresetCount> PresetModel;

// The reminder shown after a preset: the unit-specific words stay zero.
extern const char PresetReminder[];

// Copies row p into words 0x30-0x3F; the rest of the image is left alone.
// Returns false (and changes nothing) for a preset number outside 0-11.
bool ApplyPreset(EepromImage &image, int p);
