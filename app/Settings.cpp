#include "app/Settings.h"

#include <QSettings>

namespace {

QSettings Store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quillon"), QStringLiteral("quillon"));
}

const QString kVerifyAfterWrite = QStringLiteral("programming/verifyAfterWrite");
const QString kLanguage = QStringLiteral("window/language");

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

QString LanguageCode()
{
    return Store().value(kLanguage).toString();
}

void SetLanguageCode(const QString &code)
{
    Store().setValue(kLanguage, code);
}

} // namespace Settings
