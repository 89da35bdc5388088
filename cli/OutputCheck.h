#pragma once

#include "image/ImageFile.h"

#include <QString>

namespace Cli {

// What saving to `path` would surely meet, found before a job that takes
// seconds: no folder, no right to write there, something that is no file.
// Windows asks with the wide calls, so any name the save can write passes.
IoError OutputProblem(const QString &path);

} // namespace Cli
