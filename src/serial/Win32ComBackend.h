#pragma once
// The serial backend on Windows: the COM device opened for overlapped I/O, its line state as a
// device control block, the driver's own read and write timeouts, and WaitCommEvent for the
// event thread.
#include "serial/ComBackend.h"

class Win32ComBackend final : public ComBackend {
public:
    Win32ComBackend() = default;
    ~Win32ComBackend() override;
    Win32ComBackend(const Win32ComBackend &) = delete;
    Win32ComBackend &operator=(const Win32ComBackend &) = delete;

    // `path` is the device name, "\\.\COMn" (the prefix lets two-digit ports open).
    void open(const std::string &path) override;
    void close() noexcept override;
    bool isOpen() const override { return handle_ != nullptr; }

    void applyQueues(const TComBuffer &sizes) override;
    void applyLineState(const ComControlBlock &dcb) override;
    void applyTimeouts(const TComTimeouts &timeouts) override;

    int read(void *buffer, int count) override;
    int write(const void *buffer, int count) override;
    // Also aborts a read or write still pending on the device.
    void purge(bool input, bool output) override;
    int inputCount() override;
    // The driver no longer answers for the device (a USB adapter pulled out).
    bool deviceGone() override;

    std::unique_ptr<ComEventWaiter> watch(bool receive) override;

private:
    void *handle_ = nullptr; // the device's HANDLE; null while closed
    TComTimeouts timeouts_;
};
