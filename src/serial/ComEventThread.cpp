#include "serial/ComEventThread.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>

struct ComEventThread::Shared {
    std::unique_ptr<ComEventWaiter> waiter;
    std::shared_ptr<ComEventBridge> bridge;
    TSyncMethod sync;
    Handlers handlers;

    std::mutex mutex;
    std::condition_variable changed;
    bool stopped = false;
    std::uint64_t posted = 0; // hand-overs posted so far
    std::uint64_t handled = 0; // the latest hand-over that has run

    bool isStopped()
    {
        std::lock_guard lock(mutex);
        return stopped;
    }
};

ComEventThread::ComEventThread(std::unique_ptr<ComEventWaiter> waiter,
    std::shared_ptr<ComEventBridge> bridge, TSyncMethod sync, Handlers handlers)
    : shared_(std::make_shared<Shared>())
{
    shared_->waiter = std::move(waiter);
    shared_->bridge = std::move(bridge);
    shared_->sync = sync;
    shared_->handlers = std::move(handlers);
    thread_ = std::thread(&ComEventThread::run, shared_);
}

ComEventThread::~ComEventThread()
{
    stop();
}

void ComEventThread::stop()
{
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stopped = true;
    }
    shared_->changed.notify_all();
    shared_->waiter->stop();
    if (!thread_.joinable())
        return;
    if (thread_.get_id() == std::this_thread::get_id())
        thread_.detach(); // it sees the stop as soon as the handler returns
    else
        thread_.join();
}

void ComEventThread::run(const std::shared_ptr<Shared> &shared)
{
    for (;;) {
        switch (shared->waiter->wait()) {
        case ComLineWait::Stop:
            return;
        case ComLineWait::Lost: {
            const int error = shared->waiter->lostError();
            shared->bridge->post([shared, error] {
                if (!shared->isStopped())
                    shared->handlers.lost(error);
            });
            return;
        }
        case ComLineWait::Received:
            if (shared->sync == smNone) {
                if (shared->isStopped())
                    return;
                shared->handlers.received(ComLineHandlers::kAskDriver);
            } else if (!handOver(shared)) {
                return;
            }
            break;
        }
    }
}

// Posts the receive handler to the UI thread, once the previous hand-over has run, and returns
// without waiting for this one: the thread goes back to the line while the handler runs, and at
// most one hand-over is ever outstanding. The line reports only new arrivals, and the handler
// reads every byte waiting when it runs, so bytes that come while it is outstanding are either
// read by it or raise the next hand-over. False when the thread was stopped meanwhile.
bool ComEventThread::handOver(const std::shared_ptr<Shared> &shared)
{
    std::uint64_t ticket;
    {
        std::unique_lock lock(shared->mutex);
        shared->changed.wait(
            lock, [&] { return shared->stopped || shared->handled >= shared->posted; });
        if (shared->stopped)
            return false;
        ticket = ++shared->posted;
    }
    shared->bridge->post([shared, ticket] {
        // stop() runs on this same thread, so the port cannot go between check and call.
        if (shared->isStopped())
            return;
        shared->handlers.received(ComLineHandlers::kAskDriver);
        {
            std::lock_guard lock(shared->mutex);
            shared->handled = ticket;
        }
        shared->changed.notify_all();
    });
    return true;
}
