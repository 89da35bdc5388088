#pragma once

#include "image/ImageFile.h"

// The model list, ComboBox2: item i is DeviceModel i, the byte image files
// store. (The trailing blank of item 3 is the list's own.)
inline constexpr const char *DeviceModelNames[kModelCount] = {
    QT_TRANSLATE_NOOP("Quillon", "<неизвестно>"),
    QT_TRANSLATE_NOOP("Quillon", "SN-258 База"),
    QT_TRANSLATE_NOOP("Quillon", "SN-258 Труба"),
    QT_TRANSLATE_NOOP("Quillon", "SN-258+ База "),
    QT_TRANSLATE_NOOP("Quillon", "SN-258+ Труба"),
    QT_TRANSLATE_NOOP("Quillon", "SN-258 База (Комтель)"),
    QT_TRANSLATE_NOOP("Quillon", "SN-258 Труба (Комтель)"),
    QT_TRANSLATE_NOOP("Quillon", "SN-258+ База Flagman"),
    QT_TRANSLATE_NOOP("Quillon", "SN-258+ Труба Flagman"),
};
