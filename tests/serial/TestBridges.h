#pragma once
// For the serial tests: an event bridge that holds the tasks of a port's event thread until
// asked, a wait for what the watch in the event loop will report when the loop next runs, and
// the CPU a port uses while nothing should happen.
#include "common/PtyPair.h"
#include "serial/ComEventBridge.h"
#include "serial/QtComBridge.h"

#include <QTest>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <poll.h>
#include <vector>

// Waits, without running events, until the terminal shows `events` (POLLIN: bytes in the
// driver, POLLHUP: hung up); false when it does not within the time.
inline bool lineShows(const PtyPair &pty, short events, int timeoutMs = 5000)
{
    pollfd p {pty.slaveFd(), events, 0};
    return ::poll(&p, 1, timeoutMs) > 0 && (p.revents & events) != 0;
}

// CPU time the process uses in half a second of event processing.
inline long cpuMsOverHalfASecond()
{
    const long before = processCpuMs();
    QTest::qWait(500);
    return processCpuMs() - before;
}

class HoldingBridge final : public ComEventBridge {
public:
    void post(std::function<void()> task) override
    {
        {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        changed_.notify_all();
    }
    bool waitHeld(int count, std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return int(tasks_.size()) >= count; });
    }
    int held()
    {
        std::lock_guard lock(mutex_);
        return int(tasks_.size());
    }
    // Runs the held tasks on the calling thread.
    void runAll()
    {
        std::vector<std::function<void()>> tasks;
        {
            std::lock_guard lock(mutex_);
            tasks.swap(tasks_);
        }
        for (auto &task : tasks)
            task();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::function<void()>> tasks_;
};
