#pragma once

// What saving read's output would surely meet, found before the port opens:
// a job takes seconds, and the words it read would be lost with the file.

#include <QString>

namespace Cli {

// Why the image file cannot be saved at path (no folder, a folder that takes
// no new file, something that is no file); empty when nothing is in the way.
QString OutputProblem(const QString &path);

// Whether folder takes a new file: one is created there and removed again,
// which is the only sure test (the system's access check passes root
// anywhere, and /proc looks writable). False with the error number in *err.
bool FolderTakesNewFile(const QString &folder, int *err);

} // namespace Cli
