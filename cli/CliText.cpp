#include "cli/CliText.h"

#include "image/QtCatalogue.h"

#include <QLocale>
#include <QTranslator>

// Q_INIT_RESOURCE names a function of the global namespace.
static void InitCatalogue()
{
    Q_INIT_RESOURCE(quillon_cli_core_translations);
}

namespace Cli {

namespace {
bool g_russian = false;
} // namespace

void InstallLanguage()
{
    if (QLocale::system().language() != QLocale::Russian)
        return;
    InitCatalogue();
    auto *own = new QTranslator(QCoreApplication::instance());
    if (!own->load(QStringLiteral(":/i18n/quillon-cli_ru.qm"))) {
        // Without its catalogue the program stays English throughout.
        delete own;
        return;
    }
    QCoreApplication::installTranslator(own);
    auto *qt = new QTranslator(QCoreApplication::instance());
    if (LoadQtCatalogue(*qt, QStringLiteral("qtbase_ru")))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    g_russian = true;
}

bool RussianOutput()
{
    return g_russian;
}

} // namespace Cli
