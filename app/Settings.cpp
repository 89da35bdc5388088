#include "app/Settings.h"

#include <QSettings>

namespace {

QSettings Store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quillon"), QStringLiteral("quillon"));
}

const QString kVerifyAfterWrite = QStringLiteral("programming/verifyAfterWrite");
const QString kLanguage = QStringLiteral("window/language");
const QString kPort = QStringLiteral("port/name");

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

QString PortName() { return Store().value(kPort).toString(); }

void SetPortName(const QString &name) { Store().setValue(kPort, name); }

} // namespace Settings
