#pragma once

#include "image/ImageFile.h"

// The model list, ComboBox2: item i is DeviceModel i, the byte image files
// store. (The trailing blank of item 3 is the list's own.)
inline constexpr const char *DeviceModelNames[kModelCount] = {
    "<неизвестно>",
    "SN-258 База",
    "SN-258 Труба",
    "SN-258+ База ",
    "SN-258+ Труба",
    "SN-258 База (Комтель)",
    "SN-258 Труба (Комтель)",
    "SN-258+ База Flagman",
    "SN-258+ Труба Flagman",
};
