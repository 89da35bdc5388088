#include "cli/CliOutput.h"

#include "cli/CliPrintable.h"
#include "cli/CliText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Cli {

bool FolderTakesNewFile(const QString &folder, int *err)
{
    for (int n = 0; n < 100; ++n) {
        const QString probe = QDir(folder).filePath(
            QStringLiteral(".quillon-probe-%1-%2").arg(QCoreApplication::applicationPid()).arg(n));
        const QByteArray name = QFile::encodeName(probe);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(name.constData());
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    *err = errno;
    return false;
}

QString OutputProblem(const QString &path)
{
    const QFileInfo file(path);
    const QString folderPath = file.absolutePath();
    const QByteArray folder = QFile::encodeName(folderPath);
    struct stat st {};
    if (::stat(folder.constData(), &st) != 0)
        return errno == ENOENT ? Text::tr("No such folder") : IoErrorText(IoErrorFromErrno(errno));
    if (!S_ISDIR(st.st_mode))
        return IoErrorText(IoErrorFromErrno(ENOTDIR));
    const QByteArray name = QFile::encodeName(file.absoluteFilePath());
    int err = 0;
    if (::stat(name.constData(), &st) != 0) {
        if (errno != ENOENT)
            return IoErrorText(IoErrorFromErrno(errno));
        // A folder that exists but creates nothing (/proc) says ENOENT too.
        return FolderTakesNewFile(folderPath, &err) ? QString() : IoErrorText(IoErrorFromErrno(err == ENOENT ? EACCES : err));
    }
    if (S_ISDIR(st.st_mode))
        return IoErrorText(IoErrorFromErrno(EISDIR));
    if (!S_ISREG(st.st_mode) && !S_ISCHR(st.st_mode))
        return IoErrorText(IoErrorFromErrno(EACCES)); // a pipe or a socket is refused by the save too
    // An existing file is replaced from beside it or rewritten in place:
    // either will do.
    if (::access(name.constData(), W_OK) != 0 && !FolderTakesNewFile(folderPath, &err))
        return IoErrorText(IoErrorFromErrno(EACCES));
    return QString();
}

} // namespace Cli
