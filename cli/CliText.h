#pragma once

// quillon-cli's texts are English in the sources; under a Russian locale a
// catalogue (translations/quillon-cli_ru.ts) shows them in Russian. Exit
// statuses, JSON output, the CSV log and the files written do not change
// with the language, so that scripts read them alike everywhere.

#include <QCoreApplication>

#include <functional>

namespace Cli {

// Text::tr("...") for a text shown to the user; QT_TRANSLATE_NOOP("Cli", ...)
// for one kept in a table and passed to Text::tr where it is shown.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

// Puts the Russian catalogues in place when the user's locale is Russian
// (LC_ALL, LC_MESSAGES or LANG; on Windows the user's locale); otherwise the
// window's English one, for the texts of the plain code that are Russian in
// the sources (WindowText).
void InstallLanguage();
// A text of link/, image/ or radio/ written in Russian (a job's status, an
// "info" value, a preset's caption): English outside a Russian locale, the
// Russian exactly as written under one.
QString WindowText(const QString &russian);
QString WindowText(const char *russian);
// `text` rendered under quillon-cli's English catalogues whatever the locale:
// what a script reads (--json) or a file keeps is worded alike everywhere. The
// catalogues go on top for the call and come off after; the CLI has no
// widgets to be told of the change, the window never does this.
QString InEnglish(const std::function<QString()> &text);

} // namespace Cli
