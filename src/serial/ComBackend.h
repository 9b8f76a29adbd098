#pragma once
// The boundary between the serial port component and the operating system's serial API. One
// implementation per platform; the component above it is the same everywhere. Every failure is
// raised as EComPort with the row of the operation and the system's error code.
#include "serial/ComControlBlock.h"
#include "serial/ComSettings.h"

#include <functional>
#include <memory>
#include <string>

enum class ComLineWait {
    Stop, // stop() was called
    Received, // new bytes arrived on the line
    Lost // the device has gone (hang-up, adapter removed): no more waiting on it
};

// Watches one open device for the event thread. Reports each arrival of new bytes once, even
// when earlier bytes are still waiting unread, so a waiting thread never spins.
class ComEventWaiter {
public:
    virtual ~ComEventWaiter() = default;
    // Blocks without time limit until stop(), new bytes or the loss of the device.
    virtual ComLineWait wait() = 0;
    // Any thread: ends the current wait and every later one with Stop.
    virtual void stop() = 0;
    // The system's error code that explains the last Lost.
    virtual int lostError() const = 0;
};

// What a watch tells about an open device. Neither may throw.
struct ComLineHandlers {
    // The count the watch passes when it does not know how many bytes wait.
    static constexpr int kAskDriver = -1;
    std::function<void(int waiting)> received; // bytes arrived; `waiting` as the watch saw it
    std::function<void(int error)> lost; // the device has gone (the system's error code)
};

// Watches an open device and runs its handlers, until it is destroyed (which never blocks on a
// handler). Destroyed before the device is closed.
class ComLineWatch {
public:
    virtual ~ComLineWatch() = default;
};

class ComBackend {
public:
    virtual ~ComBackend() = default;

    // Opens the device exclusively with fresh queues (OpenError).
    virtual void open(const std::string &path) = 0;
    virtual void close() noexcept = 0;
    virtual bool isOpen() const = 0;

    virtual void applyQueues(const TComBuffer &sizes) = 0; // QueueSizeError
    virtual void applyLineState(const ComControlBlock &dcb) = 0; // LineStateError
    virtual void applyTimeouts(const TComTimeouts &timeouts) = 0; // TimeoutsError

    // Both block within the limits of the applied timeouts and return the bytes moved.
    virtual int read(void *buffer, int count) = 0; // ReadError
    virtual int write(const void *buffer, int count) = 0; // WriteError
    virtual void purge(bool input, bool output) = 0; // PurgeError
    virtual int inputCount() = 0; // ClearCommError
    // True when the open device has gone (hung up, unplugged); asked after a failed operation
    // to tell a lost link from a single failure. A backend that cannot tell says false.
    virtual bool deviceGone() { return false; }

    // A watcher for the open device, for an event thread; with receive false it reports only the
    // device's loss.
    virtual std::unique_ptr<ComEventWaiter> watch(bool receive) = 0;
    // A watch in the calling (UI) thread's own event loop, where the platform can wait there:
    // the handlers run on that thread, one arrival of bytes at a time, the next not before the
    // handler of the previous one has returned. Null where waiting needs a thread of its own.
    virtual std::unique_ptr<ComLineWatch> watchInEventLoop(bool, ComLineHandlers)
    {
        return nullptr;
    }
};

// The backend of the platform the program runs on.
std::unique_ptr<ComBackend> makeComBackend();
