#include "cli/CliText.h"

#include "image/QtCatalogue.h"
#include "image/Wording.h"

#include <QLocale>
#include <QTranslator>

// Q_INIT_RESOURCE names a function of the global namespace.
static void InitCatalogue()
{
    Q_INIT_RESOURCE(quillon_cli_core_translations);
}
static void InitWindowCatalogue()
{
    Q_INIT_RESOURCE(quillon_cli_window_translations);
}

namespace Cli {

namespace {

// The plain code's own texts ("Завершено!", the "info" table, the presets)
// are Russian in the sources; the window's English catalogue has them.
// quillon-cli_en goes in last: its wording of a text (the probe's, a write
// cut off) comes before the window's.
QList<QTranslator *> LoadEnglish(QObject *owner)
{
    InitWindowCatalogue();
    QList<QTranslator *> loaded;
    for (const char *name : {":/i18n/quillon_en.qm", ":/i18n/quillon-cli_en.qm"}) {
        auto *english = new QTranslator(owner);
        if (english->load(QString::fromLatin1(name)))
            loaded << english;
        else
            delete english;
    }
    return loaded;
}

void Install(const QList<QTranslator *> &translators)
{
    for (QTranslator *t : translators)
        QCoreApplication::installTranslator(t);
}

} // namespace

void InstallLanguage()
{
    if (QLocale::system().language() != QLocale::Russian) {
        Install(LoadEnglish(QCoreApplication::instance()));
        return;
    }
    InitCatalogue();
    auto *own = new QTranslator(QCoreApplication::instance());
    if (!own->load(QStringLiteral(":/i18n/quillon-cli_ru.qm"))) {
        // Without its catalogue the program stays English throughout.
        delete own;
        return;
    }
    QCoreApplication::installTranslator(own);
    // The plain code's texts stay in their Russian sources, plural forms and all.
    auto *plurals = new QTranslator(QCoreApplication::instance());
    if (LoadRussianPlurals(*plurals))
        QCoreApplication::installTranslator(plurals);
    else
        delete plurals;
    auto *qt = new QTranslator(QCoreApplication::instance());
    if (LoadQtCatalogue(*qt, QStringLiteral("qtbase_ru")))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}

QString InEnglish(const std::function<QString()> &text)
{
    // Owned by the application, which outlives every call.
    static const QList<QTranslator *> english = LoadEnglish(QCoreApplication::instance());
    Install(english);
    const QString out = text();
    for (QTranslator *t : english)
        QCoreApplication::removeTranslator(t);
    return out;
}

QString WindowText(const QString &russian)
{
    return WindowText(russian.toUtf8().constData());
}

QString WindowText(const char *russian)
{
    return QCoreApplication::translate("Quillon", russian);
}

} // namespace Cli
