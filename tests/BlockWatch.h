#pragma once

// Measures how long a handler keeps the window thread waiting: for each
// event the application delivers (outermost delivery), the time the thread
// spent off the processor for a reason other than being preempted, less the
// time a nested event loop slept waiting for events (a modal box is no
// block). Time spent preempted on a busy machine is not counted, so the
// check does not fail by chance under load. Linux's per-thread scheduler
// statistics give the parts; where they are missing Available() is false.

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>

#include <algorithm>
#include <functional>

// Called by the tests' application around each delivery (test_main.cpp).
extern std::function<void(bool entering)> DeliveryHook;

class BlockWatch {
public:
    BlockWatch()
    {
        QAbstractEventDispatcher *d = QAbstractEventDispatcher::instance();
        Sample probe;
        Ok = d && Read(&probe);
        if (!Ok)
            return;
        // A loop about to sleep; it wakes with its next delivery or awake.
        ToBlock = QObject::connect(d, &QAbstractEventDispatcher::aboutToBlock, [this] {
            PollFrom = Now();
            InPoll = true;
        });
        Awake = QObject::connect(d, &QAbstractEventDispatcher::awake, [this] { EndPoll(); });
        DeliveryHook = [this](bool entering) { entering ? Enter() : Leave(); };
    }
    ~BlockWatch()
    {
        DeliveryHook = nullptr;
        QObject::disconnect(Awake);
        QObject::disconnect(ToBlock);
    }
    bool Available() const { return Ok; }
    // The longest time one delivery kept the thread blocked, in ms.
    double LongestMs() const { return Longest; }

private:
    struct Sample {
        qint64 wall = 0, run = 0, wait = 0;
    };
    static bool Read(Sample *s)
    {
        QFile f(QStringLiteral("/proc/thread-self/schedstat"));
        if (!f.open(QIODevice::ReadOnly))
            return false;
        const QList<QByteArray> parts = f.readAll().simplified().split(' ');
        if (parts.size() < 2)
            return false;
        s->run = parts[0].toLongLong();
        s->wait = parts[1].toLongLong();
        return true;
    }
    Sample Now()
    {
        Sample s;
        Read(&s);
        s.wall = Clock.nsecsElapsed();
        return s;
    }
    // Off the processor and not waiting for it, between two samples.
    static qint64 Blocked(const Sample &a, const Sample &b) { return (b.wall - a.wall) - (b.run - a.run) - (b.wait - a.wait); }
    void EndPoll()
    {
        if (!InPoll)
            return;
        InPoll = false;
        if (Depth > 0)
            SleptNs += Blocked(PollFrom, Now());
    }
    void Enter()
    {
        EndPoll();
        if (Depth++ == 0) {
            From = Now();
            SleptNs = 0;
        }
    }
    void Leave()
    {
        EndPoll();
        if (--Depth == 0)
            Longest = std::max(Longest, (Blocked(From, Now()) - SleptNs) / 1e6);
    }

    bool Ok = false;
    QElapsedTimer Clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    Sample From, PollFrom;
    bool InPoll = false;
    int Depth = 0;
    qint64 SleptNs = 0;
    double Longest = 0;
    QMetaObject::Connection Awake, ToBlock;
};
