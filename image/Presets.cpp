#include "image/Presets.h"

const char PresetReminder[] =
    QT_TRANSLATE_NOOP("Quillon", "Введите ID код базы, 4 Системных канала, диапазан системных каналов...");

bool ApplyPreset(EepromImage &image, int p)
{
    if (p < 0 || p >= kPresetCount)
        return false;
    const PresetRow &row = PresetTable[p].words;
    for (int k = 0; k < kPresetWords; ++k)
        image[Addr::BlockFirst + k] = row[static_cast<size_t>(k)];
    return true;
}
