#pragma once

// What went over the wire in a job: each character sent and received, with
// its time and, for an echo, how long it took. For a failure nobody can
// reproduce at the bench, this is the only evidence; it is kept in memory
// (bounded) and written out as text for a report.

#include <QElapsedTimer>
#include <QString>
#include <deque>

class WireTrace {
public:
    // Keeps the newest this many characters of a trace.
    static constexpr int kMaxEvents = 8192;

    // A new job begins: a heading line; the clock starts again. With
    // `clear`, what earlier jobs left is dropped (the window keeps the last
    // job only; quillon-cli writes all of its jobs).
    void Begin(const QString &heading, bool clear);
    void Sent(char c);
    void Received(char c);
    // Where and why the job ended as failed, marked at the point reached.
    void Fail(const QString &cause);

    bool Empty() const { return Events.empty(); }
    // The last `lastChars` characters (0: all kept), one line each.
    QString Text(int lastChars = 0) const;

private:
    struct Event {
        enum Kind : char { Heading, Sent, Received, Failure } kind;
        char c = 0;
        double ms = 0;       // since the job began
        double echoMs = -1;  // Received: the echo of the last character sent, this late
        QString text;        // Heading, Failure
    };
    void Push(Event e);

    std::deque<Event> Events;
    QElapsedTimer Clock;
    double LastSentMs = -1;
    char LastSentChar = 0;
    bool EchoAwaited = false;
};
