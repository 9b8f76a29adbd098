#include "serial/PosixLineNotifier.h"

#include "serial/PosixComBackend.h"

#include <QSocketNotifier>

// What a wake-up needs; kept alive by the wake-up itself, so a handler may destroy the watch.
struct PosixLineNotifier::Core : std::enable_shared_from_this<Core> {
    PosixComBackend *backend; // null once stopped
    bool receive;
    ComLineHandlers handlers;
    std::unique_ptr<QSocketNotifier> notifier;
    bool handling = false; // a received handler is running
    bool arrivedMeanwhile = false;

    void stop()
    {
        notifier->setEnabled(false);
        if (backend)
            backend->setNotifier(nullptr);
        backend = nullptr;
    }

    void activated()
    {
        const auto keep = shared_from_this();
        if (!backend)
            return;
        int lostError = 0;
        const int added = backend->takeIn(lostError);
        if (lostError != 0) {
            stop();
            handlers.lost(lostError);
            return;
        }
        if (backend->queueFull())
            notifier->setEnabled(false);
        if (added == 0 || !receive)
            return;
        if (handling) {
            arrivedMeanwhile = true;
            return;
        }
        handling = true;
        do {
            arrivedMeanwhile = false;
            handlers.received(backend->queued());
        } while (backend && arrivedMeanwhile);
        handling = false;
    }
};

PosixLineNotifier::PosixLineNotifier(
    PosixComBackend &backend, int fd, bool receive, ComLineHandlers handlers)
    : core_(std::make_shared<Core>())
{
    core_->backend = &backend;
    core_->receive = receive;
    core_->handlers = std::move(handlers);
    core_->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(core_->notifier.get(), &QSocketNotifier::activated,
        [core = core_.get()] { core->activated(); });
    backend.setNotifier(this);
}

PosixLineNotifier::~PosixLineNotifier()
{
    core_->stop();
}

void PosixLineNotifier::resume()
{
    if (core_->backend)
        core_->notifier->setEnabled(true);
}
