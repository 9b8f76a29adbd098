#pragma once
// The serial backend on POSIX terminals (termios), with the read and write timeouts carried
// out around non-blocking I/O. Its watch in the event loop takes arrived bytes in from the
// device into a receive queue of the backend's own as soon as they are reported, so the report
// knows their count and the handler's read costs no call into the kernel; reads hand the queued
// bytes out first, and the waiting count and purges include them.
#include "serial/ComBackend.h"

#include <cstddef>
#include <memory>

class PosixLineNotifier;

class PosixComBackend final : public ComBackend {
public:
    PosixComBackend() = default;
    ~PosixComBackend() override;
    PosixComBackend(const PosixComBackend &) = delete;
    PosixComBackend &operator=(const PosixComBackend &) = delete;

    void open(const std::string &path) override;
    void close() noexcept override;
    bool isOpen() const override { return fd_ >= 0; }

    // Queue sizes are fixed by the driver: they are only recorded.
    void applyQueues(const TComBuffer &sizes) override { queues_ = sizes; }
    void applyLineState(const ComControlBlock &dcb) override;
    void applyTimeouts(const TComTimeouts &timeouts) override { timeouts_ = timeouts; }

    int read(void *buffer, int count) override;
    int write(const void *buffer, int count) override;
    void purge(bool input, bool output) override;
    int inputCount() override;
    bool deviceGone() override;

    std::unique_ptr<ComEventWaiter> watch(bool receive) override;
    std::unique_ptr<ComLineWatch> watchInEventLoop(bool receive, ComLineHandlers handlers) override;

    // For the watch: takes in what the device has, in one read, and returns the bytes queued
    // by it; `lostError` is set when the device has gone. Takes nothing while the queue is full.
    int takeIn(int &lostError);
    int queued() const { return static_cast<int>(queueEnd_ - queueStart_); }
    bool queueFull() const { return queueEnd_ - queueStart_ == kQueueSize; }
    // The watch told when the full queue has room again.
    void setNotifier(PosixLineNotifier *notifier) { notifier_ = notifier; }

private:
    // Bytes taken in but not read beyond this stay in the driver until the program reads.
    static constexpr std::size_t kQueueSize = 65536;

    void applyModemLines(const ComControlBlock &dcb);
    int takeQueued(unsigned char *bytes, int count);
    void dropQueue();

    int fd_ = -1;
    bool discardNull_ = false;
    TComBuffer queues_;
    TComTimeouts timeouts_;
    std::unique_ptr<unsigned char[]> queue_;
    std::size_t queueStart_ = 0;
    std::size_t queueEnd_ = 0;
    PosixLineNotifier *notifier_ = nullptr;
};
