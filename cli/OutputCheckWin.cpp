#include "cli/OutputCheck.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <windows.h>

namespace Cli {

namespace {
DWORD Attributes(const QString &path)
{
    return ::GetFileAttributesW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()));
}
} // namespace

IoError OutputProblem(const QString &path)
{
    const QFileInfo file(path);
    const DWORD folder = Attributes(file.absolutePath());
    if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY))
        return IoErrorFromErrno(ENOTDIR);
    const DWORD name = Attributes(file.absoluteFilePath());
    if (name == INVALID_FILE_ATTRIBUTES)
        return IoError{}; // a new file: the rights on the folder show when it is saved
    if (name & FILE_ATTRIBUTE_DIRECTORY)
        return IoErrorFromErrno(EISDIR);
    if (name & FILE_ATTRIBUTE_READONLY)
        return IoErrorFromErrno(EACCES);
    return IoError{};
}

} // namespace Cli
