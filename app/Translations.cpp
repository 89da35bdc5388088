#include "app/Translations.h"

#include "app/Settings.h"
#include "image/QtCatalogue.h"
#include "image/Wording.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTranslator>

#include <memory>

namespace {

QPointer<QTranslator> g_own, g_qt;
Language g_installed = Language::Russian;

void Replace(QPointer<QTranslator> &slot, QTranslator *next)
{
    if (slot) {
        QCoreApplication::removeTranslator(slot);
        delete slot;
    }
    slot = next;
    if (next)
        QCoreApplication::installTranslator(next);
}

} // namespace

Language StoredLanguage()
{
    return Settings::LanguageCode() == QLatin1String("en") ? Language::English
                                                                                            : Language::Russian;
}

void StoreLanguage(Language language)
{
    Settings::SetLanguageCode(language == Language::English ? QStringLiteral("en") : QStringLiteral("ru"));
}

bool InstallLanguage(Language language)
{
    Q_INIT_RESOURCE(quillon_app_translations);
    QCoreApplication *app = QCoreApplication::instance();
    // Russian needs its catalogue too: the plural forms of the texts ("%n слов").
    auto *own = new QTranslator(app);
    bool complete =
        language == Language::English ? own->load(QStringLiteral(":/i18n/quillon_en.qm")) : LoadRussianPlurals(*own);
    Replace(g_own, own);
    auto *qt = new QTranslator(app);
    if (!LoadQtCatalogue(*qt, language == Language::English ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_ru"))) {
        delete qt;
        qt = nullptr;
        // Qt's texts are English without a catalogue.
        complete = complete && language == Language::English;
    }
    Replace(g_qt, qt);
    g_installed = language;
    return complete;
}

Language InstalledLanguage()
{
    return g_installed;
}

bool InstallQtRussian(QCoreApplication &app)
{
    Q_UNUSED(app);
    return InstallLanguage(Language::Russian);
}
