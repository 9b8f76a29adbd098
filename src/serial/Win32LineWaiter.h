#pragma once
// Watches an open COM device with WaitCommEvent, overlapped, against a manual-reset stop event
// that stop() signals for good. The driver reports each arrival of new bytes once (EV_RXCHAR).
#include "serial/ComBackend.h"

class Win32LineWaiter final : public ComEventWaiter {
public:
    // `device` is the open device's HANDLE. Sets its event mask: received bytes when `receive`,
    // else line errors only. Throws EComPort::OpenError when the watch cannot be set up.
    Win32LineWaiter(void *device, bool receive);
    ~Win32LineWaiter() override;
    Win32LineWaiter(const Win32LineWaiter &) = delete;
    Win32LineWaiter &operator=(const Win32LineWaiter &) = delete;

    ComLineWait wait() override;
    void stop() override;
    int lostError() const override { return lostError_; }

private:
    ComLineWait lost(unsigned long error);

    void *device_;
    void *stopEvent_ = nullptr;
    void *waitEvent_ = nullptr;
    int lostError_ = 0;
};
