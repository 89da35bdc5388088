#pragma once

// SIGTERM delivered through the event loop: the handler only writes a byte to
// a pipe, and the callback runs from the loop, where it may touch the window.
// Windows sends no SIGTERM; there the watcher does nothing.

#include <functional>
#include <memory>

class TermSignal {
public:
    explicit TermSignal(std::function<void()> onSignal);
    ~TermSignal(); // the default action again
    TermSignal(const TermSignal &) = delete;
    TermSignal &operator=(const TermSignal &) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
