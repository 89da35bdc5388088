#include "link/WireTrace.h"

namespace {

QString CharText(char c)
{
    const auto b = static_cast<unsigned char>(c);
    const QString hex = QStringLiteral("%1").arg(b, 2, 16, QChar('0')).toUpper();
    if (c == '\r')
        return hex + QStringLiteral(" CR");
    if (c == '\n')
        return hex + QStringLiteral(" LF");
    return b >= 0x20 && b < 0x7F ? hex + QStringLiteral(" '") + QChar(b) + u'\'' : hex;
}

} // namespace

void WireTrace::Begin(const QString &heading, bool clear)
{
    if (clear)
        Events.clear();
    Clock.start();
    EchoAwaited = false;
    Push({Event::Heading, 0, 0, -1, heading});
}

void WireTrace::Sent(char c)
{
    const double ms = Clock.isValid() ? Clock.nsecsElapsed() / 1e6 : 0;
    LastSentMs = ms;
    LastSentChar = c;
    EchoAwaited = true;
    Push({Event::Sent, c, ms, -1, {}});
}

void WireTrace::Received(char c)
{
    const double ms = Clock.isValid() ? Clock.nsecsElapsed() / 1e6 : 0;
    double echo = -1;
    if (EchoAwaited && c == LastSentChar) {
        echo = ms - LastSentMs;
        EchoAwaited = false;
    }
    Push({Event::Received, c, ms, echo, {}});
}

void WireTrace::Fail(const QString &cause)
{
    const double ms = Clock.isValid() ? Clock.nsecsElapsed() / 1e6 : 0;
    Push({Event::Failure, 0, ms, -1, cause});
}

void WireTrace::Push(Event e)
{
    Events.push_back(std::move(e));
    while (Events.size() > static_cast<size_t>(kMaxEvents))
        Events.pop_front();
}

QString WireTrace::Text(int lastChars) const
{
    size_t from = 0;
    if (lastChars > 0) {
        // Count back over characters only; a heading before them is kept.
        int chars = 0;
        from = Events.size();
        while (from > 0 && chars < lastChars) {
            --from;
            if (Events[from].kind == Event::Sent || Events[from].kind == Event::Received)
                ++chars;
        }
        for (size_t i = from; i-- > 0;)
            if (Events[i].kind == Event::Heading) {
                from = i;
                break;
            }
    }
    QString text;
    for (size_t i = from; i < Events.size(); ++i) {
        const Event &e = Events[i];
        const QString time = QStringLiteral("%1 ms").arg(e.ms, 9, 'f', 1);
        switch (e.kind) {
        case Event::Heading: text += QStringLiteral("== ") + e.text + u'\n'; break;
        case Event::Sent: text += time + QStringLiteral("  -> ") + CharText(e.c) + u'\n'; break;
        case Event::Received:
            text += time + QStringLiteral("  <- ") + CharText(e.c)
                    + (e.echoMs >= 0 ? QStringLiteral("   echo %1 ms").arg(e.echoMs, 0, 'f', 1) : QString()) + u'\n';
            break;
        case Event::Failure: text += time + QStringLiteral("  !! ") + e.text + u'\n'; break;
        }
    }
    return text;
}
