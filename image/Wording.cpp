#include "image/Wording.h"

#include <QCoreApplication>
#include <QTranslator>

// Q_INIT_RESOURCE names a function of the global namespace.
static void InitPluralCatalogue() { Q_INIT_RESOURCE(quillon_plural_translations); }

QString Worded(const char *context, const char *text, const QStringList &values)
{
    const QString wording = QCoreApplication::translate(context, text);
    QString out;
    for (qsizetype i = 0; i < wording.size(); ++i) {
        const int n = i + 1 < wording.size() ? wording[i + 1].digitValue() : -1;
        if (wording[i] == u'%' && n >= 1 && n <= values.size()) {
            out += values[n - 1];
            ++i;
        } else {
            out += wording[i];
        }
    }
    return out;
}

bool LoadRussianPlurals(QTranslator &catalogue)
{
    InitPluralCatalogue();
    return catalogue.load(QStringLiteral(":/i18n/quillon_ru.qm"));
}
