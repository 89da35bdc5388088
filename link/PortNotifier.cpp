#include "link/PortNotifier.h"

#include <QSocketNotifier>

struct PortNotifier::Private {
    QSocketNotifier *notifier = nullptr;
};

PortNotifier::PortNotifier(TCustomComPort &port, QObject *parent) : QObject(parent), d(new Private)
{
    if (port.Handle() < 0)
        return;
    d->notifier = new QSocketNotifier(port.Handle(), QSocketNotifier::Read, this);
    d->notifier->setEnabled(false);
    connect(d->notifier, &QSocketNotifier::activated, this, &PortNotifier::activated);
}

PortNotifier::~PortNotifier() = default;

void PortNotifier::setEnabled(bool enabled)
{
    if (d->notifier)
        d->notifier->setEnabled(enabled);
}

bool PortNotifier::isEnabled() const
{
    return d->notifier && d->notifier->isEnabled();
}
