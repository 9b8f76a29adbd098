#pragma once
// The event thread of an open port. It waits on the line without time limit and hands every
// arrival of bytes over: with smThreadSync (and smWindowSync) it posts the receive handler to
// the UI thread, one hand-over at a time: before it posts the next one it blocks until the
// previous handler has run or the thread is stopped, but it waits on the line meanwhile, so a
// hand-over costs no wake-up of its own; with smNone it runs the handler itself. The loss of the
// device is always handed to the UI thread, and the thread then ends.
//
// Tasks carry a shared token: once stop() has been called, a task still queued for the UI
// thread does nothing, so it never reaches a port that has closed or gone.
#include "serial/ComBackend.h"
#include "serial/ComEnums.h"
#include "serial/ComEventBridge.h"

#include <functional>
#include <memory>
#include <thread>

// The received handler is given ComLineHandlers::kAskDriver: the thread does not count bytes.
class ComEventThread final : public ComLineWatch {
public:
    using Handlers = ComLineHandlers;

    ComEventThread(std::unique_ptr<ComEventWaiter> waiter, std::shared_ptr<ComEventBridge> bridge,
        TSyncMethod sync, Handlers handlers);
    // Stops the thread and waits for its end.
    ~ComEventThread() override;
    ComEventThread(const ComEventThread &) = delete;
    ComEventThread &operator=(const ComEventThread &) = delete;

    // Stops the thread and waits for its end. Never blocks on a pending hand-over. Called from
    // the thread itself (a handler under smNone), it lets the thread end on its own.
    void stop();

private:
    struct Shared;
    static void run(const std::shared_ptr<Shared> &shared);
    static bool handOver(const std::shared_ptr<Shared> &shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};
