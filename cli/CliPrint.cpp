#include "cli/CliPrint.h"

#include "cli/CliInterrupt.h"
#include "cli/CliPrintable.h"
#include "cli/CliText.h"
#include "cli/ExitCode.h"

#include <cerrno>
#include <cstdio>

namespace Cli {

namespace {

// The first error met writing standard output; 0 while all went out.
int g_outError = 0;
bool g_stdoutClosed = false;

// Standard output flushed; an error if anything of it could not be written.
bool OutFlushed()
{
    if (std::fflush(stdout) != 0 && !g_outError)
        g_outError = errno ? errno : EIO;
    return g_outError == 0;
}

} // namespace

void SetStdoutClosed(bool closed) { g_stdoutClosed = closed; }
bool StdoutClosed() { return g_stdoutClosed; }

void Out(const QString &text)
{
    if (g_stdoutClosed) {
        g_outError = EBADF;
        return;
    }
    if (!WriteText(stdout, Printable(text, true)) && !g_outError)
        g_outError = errno ? errno : EIO;
}

void Note(const QString &text)
{
    WriteText(stderr, Printable(text, true) + u'\n');
}

int Fail(int code, const QString &text)
{
    Note(QStringLiteral("quillon-cli: ") + text);
    return code;
}

int FinishOutput(int code)
{
    if (OutFlushed())
        return code;
    const QString why = g_outError == EBADF ? Text::tr("closed") : IoErrorText(IoErrorFromErrno(g_outError));
    return Fail(ExitFile, Text::tr("standard output: %1").arg(why));
}

} // namespace Cli
