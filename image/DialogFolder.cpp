#include "image/DialogFolder.h"

#include "image/ImageFile.h"

QString DialogStartFolder()
{
    return QString::fromUtf8(ImageFolder);
}

void RememberDialogFile(const QString &) {}
