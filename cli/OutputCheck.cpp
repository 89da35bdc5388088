#include "cli/OutputCheck.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace Cli {

IoError OutputProblem(const QString &path)
{
    const QFileInfo file(path);
    const QByteArray folder = QFile::encodeName(file.absolutePath());
    struct stat st {};
    if (::stat(folder.constData(), &st) != 0)
        return IoErrorFromErrno(errno == ENOENT ? ENOTDIR : errno);
    if (!S_ISDIR(st.st_mode))
        return IoErrorFromErrno(ENOTDIR);
    const QByteArray name = QFile::encodeName(file.absoluteFilePath());
    if (::stat(name.constData(), &st) != 0)
        return errno == ENOENT && ::access(folder.constData(), W_OK | X_OK) != 0 ? IoErrorFromErrno(errno) : IoError{};
    if (S_ISDIR(st.st_mode))
        return IoErrorFromErrno(EISDIR);
    if (!S_ISREG(st.st_mode) && !S_ISCHR(st.st_mode))
        return IoErrorFromErrno(EACCES); // a pipe or a socket is refused by the save too
    if (::access(name.constData(), W_OK) != 0 && ::access(folder.constData(), W_OK | X_OK) != 0)
        return IoErrorFromErrno(EACCES);
    return IoError{};
}

} // namespace Cli
