#pragma once

// A text of the plain code that both front ends show, written once: Russian in
// the source (the window's language), translated in the module's context by
// the window's English catalogue and, where quillon-cli words it otherwise, by
// quillon-cli's own (translations/quillon-cli_en.ts).

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class QTranslator;

// The text in the installed language with the values it names (%1, %2...)
// filled in. A wording may leave values out (the window's "Нет эха", quillon-
// cli's "no echo within 200 ms"); QString::arg would warn about those.
QString Worded(const char *context, const char *text, const QStringList &values = {});

// A text worded when it is shown, under the catalogues in force then: a series
// unit's cause goes to the screen in the user's language and into the log as
// the log is worded. From a QString: words no catalogue translates (a port's
// own error message).
class LaterText {
public:
    LaterText() = default;
    LaterText(std::function<QString()> words) : Words(std::move(words)) { }
    LaterText(const QString &fixed) : Words([fixed] { return fixed; }) { }
    QString operator()() const { return Words ? Words() : QString(); }
    // No text at all (a good unit's cause).
    bool IsEmpty() const { return !Words; }

private:
    std::function<QString()> Words;
};

// The Russian plural forms of those texts ("%n слов" as "1 слово", "3 слова",
// "5 слов"): the sources give only one form, so a Russian screen needs this
// catalogue (translations/quillon_ru.ts) as much as an English one needs its own.
bool LoadRussianPlurals(QTranslator &catalogue);
