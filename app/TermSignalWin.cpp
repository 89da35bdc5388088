#include "app/TermSignal.h"

// Windows has no SIGTERM; closing the window asks as it does for the user.
struct TermSignal::Impl {};

TermSignal::TermSignal(std::function<void()>) : impl_(std::make_unique<Impl>()) {}
TermSignal::~TermSignal() = default;
