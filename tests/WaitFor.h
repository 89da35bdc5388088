#pragma once

#include <QEventLoop>
#include <QTimer>

// Runs the event loop until the condition holds (QTest::qWaitFor sleeps 10 ms
// between rounds, which would stretch every tick).
template <class P> bool WaitFor(P done, int timeoutMs)
{
    QEventLoop loop;
    QTimer poll, limit;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done())
            loop.quit();
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(1);
    limit.start(timeoutMs);
    if (!done())
        loop.exec();
    return done();
}
