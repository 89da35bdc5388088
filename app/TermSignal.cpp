#include "app/TermSignal.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_pipe[2] = {-1, -1}; // [0] written by the handler, [1] watched

void OnSigterm(int)
{
    const char byte = 1;
    const ssize_t ignored = ::write(g_pipe[0], &byte, 1);
    (void)ignored;
}
} // namespace

struct TermSignal::Impl {
    std::function<void()> onSignal;
    std::unique_ptr<QSocketNotifier> notifier;
};

TermSignal::TermSignal(std::function<void()> onSignal) : impl_(std::make_unique<Impl>())
{
    impl_->onSignal = std::move(onSignal);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0)
        return; // SIGTERM keeps its default action
    impl_->notifier = std::make_unique<QSocketNotifier>(g_pipe[1], QSocketNotifier::Read);
    QObject::connect(impl_->notifier.get(), &QSocketNotifier::activated, [this] {
        char byte;
        if (::read(g_pipe[1], &byte, 1) == 1 && impl_->onSignal)
            impl_->onSignal();
    });
    struct sigaction action = {};
    action.sa_handler = OnSigterm;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
}

TermSignal::~TermSignal()
{
    if (!impl_->notifier)
        return;
    std::signal(SIGTERM, SIG_DFL);
    impl_->notifier.reset();
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}
