#pragma once

// What info prints: the image's information as text and as JSON.

#include "image/ImageFile.h"

#include <QJsonObject>
#include <QString>

namespace Cli {

// The "Инфо" list as the window shows it (captions, values, hex in
// columns), then the "Частота" page's values as its fill gives them.
QString InfoText(const ImageFileData &file);
// The same with stable English keys.
QJsonObject InfoJson(const ImageFileData &file);

} // namespace Cli
