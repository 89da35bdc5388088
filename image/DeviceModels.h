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

// What the radio words make a unit (radio/InfoList.h's KindOf decides it).
enum class DeviceKind { Base, Handset };
// The kind as the "Инфо" page and the backups' names give it, untranslated.
inline QString DeviceKindWord(DeviceKind kind)
{
    return QString::fromUtf8(kind == DeviceKind::Base ? QT_TRANSLATE_NOOP("Quillon", "База")
                                                      : QT_TRANSLATE_NOOP("Quillon", "Труба"));
}
