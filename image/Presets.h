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

// The window's action for each preset (quillon-cli takes either text as the
// preset's name).
struct PresetAction {
    const char *name;    // "L258Hand10625"
    const char *caption; // "Труба 258 10625"
};
inline constexpr PresetAction PresetActions[kPresetCount] = {
    {"L258Hand10625", "Труба 258 10625"},
    {"L258Hand12800", "Труба 258 12800"},
    {"L258Hand21250", "Труба 258 21250"},
    {"L258Base10625", "База 258 10625"},
    {"L258Base12800", "База 258 12800"},
    {"L258Base21250", "База 258 21250"},
    {"L258PHand12800", "Труба 258+ 12800"},
    {"L258PHand21250", "Труба 258+ 21250"},
    {"L258PBase12800", "База 258+ 12800"},
    {"L258PBase21250", "База 258+ 21250"},
    {"L258Hand21250Ukr", "Труба 258 21250 Украина"},
    {"L258Base21250Ukr", "База 258 21250 Украина"},
};

// The DeviceModel index each preset selects in the model list.
extern const std::array<int, kPresetCount> PresetModel;

// The reminder shown after a preset: the unit-specific words stay zero.
extern const char PresetReminder[];

// Copies row p into words 0x30-0x3F; the rest of the image is left alone.
// Returns false (and changes nothing) for a preset number outside 0-11.
bool ApplyPreset(EepromImage &image, int p);
