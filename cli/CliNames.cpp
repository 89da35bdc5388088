#include "cli/CliNames.h"

#include "cli/CliText.h"
#include "image/DeviceModels.h"
#include "image/Presets.h"
#include "link/PortNames.h"

namespace Cli {

std::optional<QString> PortArgument(const QString &text)
{
    if (IsDevicePath(text))
        return text;
    const int n = ComNumber(text);
    if (n >= 1 && n <= kComPortCount)
        return ComName(n);
    return std::nullopt;
}

int FindPreset(const QString &name)
{
    for (int p = 0; p < kPresetCount; ++p)
        if (name.compare(QLatin1String(PresetTable[p].name), Qt::CaseInsensitive) == 0
            || name == QString::fromUtf8(PresetTable[p].caption) || name == WindowText(PresetTable[p].caption))
            return p;
    return -1;
}

QString ModelListText()
{
    QString text;
    for (int m = 0; m < kModelCount; ++m)
        text += QStringLiteral("  %1  %2\n").arg(m).arg(WindowText(DeviceModelNames[m]).trimmed());
    return text;
}

} // namespace Cli
