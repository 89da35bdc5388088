#pragma once

// What the window remembers between runs, in one place. An INI file in the
// user's configuration folder (~/.config/quillon/quillon.ini, on Windows
// %APPDATA%\quillon\quillon.ini); a value never stored reads as its default,
// so the first run behaves as documented.

#include <QString>

namespace Settings {

// "Проверять после записи": read every write back. Default on.
bool VerifyAfterWrite();
void SetVerifyAfterWrite(bool on);

// The window's language, "en" or "ru"; empty when none was chosen.
QString LanguageCode();
void SetLanguageCode(const QString &code);

// The port last opened ("COM5"), where the port list starts; empty when none was.
QString PortName();
void SetPortName(const QString &name);

} // namespace Settings
