#pragma once
// Watches an open serial device with epoll: edge-triggered on the device, so each arrival of new
// bytes is reported once, and level-triggered on an eventfd that stop() signals for good.
#include "serial/ComBackend.h"

class PosixLineWaiter final : public ComEventWaiter {
public:
    // Throws EComPort::OpenError when the watch cannot be set up.
    PosixLineWaiter(int deviceFd, bool receive);
    ~PosixLineWaiter() override;
    PosixLineWaiter(const PosixLineWaiter &) = delete;
    PosixLineWaiter &operator=(const PosixLineWaiter &) = delete;

    ComLineWait wait() override;
    void stop() override;
    int lostError() const override { return lostError_; }

private:
    int deviceFd_;
    int epollFd_ = -1;
    int stopFd_ = -1;
    int lostError_ = 0;
};
