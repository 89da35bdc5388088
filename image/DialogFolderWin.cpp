#include "image/DialogFolder.h"

#include "image/ImageFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString g_lastFolder;
}

QString DialogStartFolder()
{
    if (!g_lastFolder.isEmpty() && QFileInfo(g_lastFolder).isDir())
        return g_lastFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return QString::fromUtf8(ImageFolder);
    const QString folder = documents + u'/' + QString::fromUtf8(ImageFolder);
    QDir().mkpath(folder); // a failure shows as another folder in the dialog
    return folder;
}

void RememberDialogFile(const QString &chosen)
{
    g_lastFolder = QFileInfo(chosen).absolutePath();
}
