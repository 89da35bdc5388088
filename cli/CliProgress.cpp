#include "cli/CliProgress.h"

#include "cli/CliText.h"

#include <algorithm>

namespace Cli {

int JobAddress(const ProgrammingEngine &e)
{
    switch (e.State) {
    case EngineState::Init:
        return e.FirstAddr;
    case EngineState::BuildWrite:
    case EngineState::BuildRead:
        return std::min(e.CurAddr, e.LastAddr);
    case EngineState::AwaitEcho:
        if (e.StateAfterEcho == EngineState::BuildWrite || e.StateAfterEcho == EngineState::BuildRead)
            return e.FirstAddr; // the opening CR
        break;
    default:
        break;
    }
    return e.Command.size() >= 3 ? e.Command.mid(1, 2).toInt(nullptr, 16) : e.FirstAddr;
}

QString ProgressLine(const QString &status, int progress, int maximum, int addr, qint64 elapsedMs, int columns)
{
    const int percent = maximum > 0 ? std::clamp(progress, 0, maximum) * 100 / maximum : 0;
    const qint64 seconds = elapsedMs / 1000;
    const QString tail = u' '
                         + Text::tr("%1%  addr %2  %3:%4")
                               .arg(percent, 3)
                               .arg(ByteToHex(static_cast<uint8_t>(addr)))
                               .arg(seconds / 60)
                               .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    const QString head = status.leftJustified(16) + u' ';
    // One column spare: a line that fills the last column makes some
    // terminals wrap, and every redraw would then start a new line.
    const int room = columns - 1 - int(head.size()) - int(tail.size()) - 2;
    const int bar = std::min(24, room);
    if (bar < 4)
        return (head.trimmed() + tail).left(std::max(0, columns - 1));
    const int filled = percent * bar / 100;
    return head + u'[' + QString(filled, u'#') + QString(bar - filled, u' ') + u']' + tail;
}

QString RedrawnLine(const QString &line, int previousLength, const QString &erase)
{
    if (!erase.isEmpty())
        return u'\r' + line + erase;
    const QString blanks(std::max(0, previousLength - int(line.size())), u' ');
    return u'\r' + line + blanks + (line.isEmpty() ? QStringLiteral("\r") : QString());
}

} // namespace Cli
