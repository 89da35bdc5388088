#pragma once

// Qt's own catalogue for a language (qtbase_ru: the file dialog, standard
// buttons, the command-line parser's errors), for both front ends: from a
// translations folder beside the program (a Windows install), else from Qt's.

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

inline bool LoadQtCatalogue(QTranslator &translator, const QString &name)
{
    for (const QString &folder : {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator.load(name, folder))
            return true;
    }
    return false;
}
