#pragma once
// The serial backend on POSIX terminals (termios), with the read and write timeouts carried
// out around non-blocking I/O.
#include "serial/ComBackend.h"

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

private:
    void applyModemLines(const ComControlBlock &dcb);

    int fd_ = -1;
    bool discardNull_ = false;
    TComBuffer queues_;
    TComTimeouts timeouts_;
};
