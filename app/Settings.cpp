#include "app/Settings.h"

#include <QSettings>

namespace {

QSettings Store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quillon"), QStringLiteral("quillon"));
}

const QString kVerifyAfterWrite = QStringLiteral("programming/verifyAfterWrite");

} // namespace

namespace Settings {

bool VerifyAfterWrite()
{
    return Store().value(kVerifyAfterWrite, true).toBool();
}

void SetVerifyAfterWrite(bool on)
{
    Store().setValue(kVerifyAfterWrite, on);
}

} // namespace Settings
