#pragma once

// The window's language: its own texts (Russian in the source, the others
// from the catalogues under :/i18n) and Qt's own (the file dialog, standard
// buttons, context menus).

class QCoreApplication;

enum class Language { Russian, English };

// The language chosen on the "?" menu in an earlier run; Russian when none was.
Language StoredLanguage();
void StoreLanguage(Language language);

// Puts the language's catalogues in place of those an earlier call installed.
// Qt's catalogue comes from a translations folder beside the program (a
// Windows install), else from Qt's own. False when a catalogue is missing.
bool InstallLanguage(Language language);
// The language the last InstallLanguage put in place (Russian before any).
Language InstalledLanguage();

// Qt's Russian catalogue alone.
bool InstallQtRussian(QCoreApplication &app);
