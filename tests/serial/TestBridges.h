#pragma once
// Event bridges for the serial tests: one that counts what it passes to the Qt event queue, so
// a test can wait for a hand-over without running it, and one that holds tasks until asked.
#include "serial/ComEventBridge.h"
#include "serial/QtComBridge.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

class CountingBridge final : public ComEventBridge {
public:
    void post(std::function<void()> task) override
    {
        inner_.post(std::move(task));
        {
            std::lock_guard lock(mutex_);
            ++posted_;
        }
        changed_.notify_all();
    }
    // Blocks (without running events) until `count` tasks have been posted in all.
    bool waitPosted(int count, std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return posted_ >= count; });
    }
    int posted()
    {
        std::lock_guard lock(mutex_);
        return posted_;
    }

private:
    QtComBridge inner_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int posted_ = 0;
};

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
