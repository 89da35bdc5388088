#include "cli/CliOutput.h"

#include "cli/CliPrintable.h"
#include "cli/CliText.h"
#include "image/ImageFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <windows.h>

// The wide calls throughout: a folder the ANSI code page cannot spell (a
// Cyrillic one under 1252) is still a folder the save can write into.
namespace Cli {

namespace {

std::wstring Native(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

DWORD Attributes(const QString &path)
{
    return ::GetFileAttributesW(Native(path).c_str());
}

} // namespace

bool FolderTakesNewFile(const QString &folder, int *err)
{
    for (int n = 0; n < 100; ++n) {
        const QString probe = QDir(folder).filePath(
            QStringLiteral(".quillon-probe-%1-%2").arg(QCoreApplication::applicationPid()).arg(n));
        const HANDLE h = ::CreateFileW(Native(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    *err = EACCES;
    return false;
}

QString OutputProblem(const QString &path)
{
    const QFileInfo file(path);
    const DWORD folder = Attributes(file.absolutePath());
    if (folder == INVALID_FILE_ATTRIBUTES)
        return Text::tr("No such folder");
    if (!(folder & FILE_ATTRIBUTE_DIRECTORY))
        return IoErrorText(IoErrorFromErrno(ENOTDIR));
    int err = 0;
    const DWORD name = Attributes(file.absoluteFilePath());
    if (name == INVALID_FILE_ATTRIBUTES)
        return FolderTakesNewFile(file.absolutePath(), &err) ? QString() : IoErrorText(IoErrorFromErrno(err));
    if (name & FILE_ATTRIBUTE_DIRECTORY)
        return IoErrorText(IoErrorFromErrno(EISDIR));
    if (name & FILE_ATTRIBUTE_READONLY)
        return IoErrorText(IoErrorFromErrno(EACCES));
    return QString();
}

} // namespace Cli
