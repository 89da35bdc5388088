#include "link/PortNames.h"

// The COM names, the same on every system; PortNames.cpp / PortNamesWin.cpp
// map them to devices.

QString ComName(int n)
{
    return QStringLiteral("COM%1").arg(n);
}

int ComNumber(const QString &name)
{
    bool ok = false;
    const int n = name.mid(3).toInt(&ok);
    return name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive) && ok && n >= 1 &&
                   name.mid(3) == QString::number(n)
               ? n
               : 0;
}
