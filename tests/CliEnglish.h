#pragma once

// quillon-cli's English for a test that calls its code in the test's own
// process: the window's catalogue, then quillon-cli's own wording of the plain
// code's texts (the probe's, a file error's), as the program installs them
// outside a Russian locale. Removed again when it goes.

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

// Q_INIT_RESOURCE names a function of the global namespace.
inline void InitCliEnglishCatalogues()
{
    Q_INIT_RESOURCE(quillon_cli_window_translations);
}

class CliEnglish {
public:
    CliEnglish()
    {
        InitCliEnglishCatalogues();
        const char *names[] = {":/i18n/quillon_en.qm", ":/i18n/quillon-cli_en.qm"};
        for (int i = 0; i < 2; ++i) {
            EXPECT_TRUE(Catalogue[i].load(QString::fromLatin1(names[i]))) << names[i];
            QCoreApplication::installTranslator(&Catalogue[i]);
        }
    }
    ~CliEnglish()
    {
        for (QTranslator &t : Catalogue)
            QCoreApplication::removeTranslator(&t);
    }
    CliEnglish(const CliEnglish &) = delete;
    CliEnglish &operator=(const CliEnglish &) = delete;

private:
    QTranslator Catalogue[2];
};
