#include "serial/Win32LineWaiter.h"

#include "serial/EComPort.h"

#include <windows.h>

namespace {
// Whether the device still answers: a driver whose device has gone fails every call.
bool deviceAnswers(HANDLE device, DWORD &error)
{
    DWORD errors = 0;
    COMSTAT status {};
    if (ClearCommError(device, &errors, &status))
        return true;
    error = GetLastError();
    return false;
}
} // namespace

Win32LineWaiter::Win32LineWaiter(void *device, bool receive)
    : device_(device)
{
    stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    waitEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (stopEvent_ == nullptr || waitEvent_ == nullptr
        || !SetCommMask(device_, receive ? EV_RXCHAR : EV_ERR)) {
        const DWORD error = GetLastError();
        if (stopEvent_ != nullptr)
            CloseHandle(stopEvent_);
        if (waitEvent_ != nullptr)
            CloseHandle(waitEvent_);
        throw EComPort(EComPort::OpenError, int(error));
    }
}

Win32LineWaiter::~Win32LineWaiter()
{
    CloseHandle(stopEvent_);
    CloseHandle(waitEvent_);
}

ComLineWait Win32LineWaiter::wait()
{
    for (;;) {
        if (WaitForSingleObject(stopEvent_, 0) == WAIT_OBJECT_0)
            return ComLineWait::Stop;
        OVERLAPPED overlapped {};
        overlapped.hEvent = waitEvent_;
        ResetEvent(waitEvent_);
        DWORD mask = 0;
        DWORD error = ERROR_SUCCESS;
        if (!WaitCommEvent(device_, &mask, &overlapped)) {
            if (GetLastError() != ERROR_IO_PENDING)
                return lost(GetLastError());
            HANDLE events[2] = {stopEvent_, waitEvent_};
            const DWORD woken = WaitForMultipleObjects(2, events, FALSE, INFINITE);
            if (woken != WAIT_OBJECT_0 + 1) {
                // Stopped: clearing the mask ends the device's wait, which must be over before
                // its record goes.
                SetCommMask(device_, 0);
                CancelIoEx(device_, &overlapped);
                DWORD ignored = 0;
                GetOverlappedResult(device_, &overlapped, &ignored, TRUE);
                return ComLineWait::Stop;
            }
            DWORD ignored = 0;
            if (!GetOverlappedResult(device_, &overlapped, &ignored, FALSE))
                error = GetLastError();
        }
        if (error == ERROR_SUCCESS && (mask & EV_RXCHAR) != 0)
            return ComLineWait::Received;
        // Woken without new bytes, or the wait failed: a line error, or a driver ending the
        // wait because its device has gone.
        DWORD probeError = 0;
        if (!deviceAnswers(device_, probeError))
            return lost(error != ERROR_SUCCESS ? error : probeError);
    }
}

void Win32LineWaiter::stop()
{
    SetEvent(stopEvent_);
}

ComLineWait Win32LineWaiter::lost(unsigned long error)
{
    lostError_ = int(error);
    return ComLineWait::Lost;
}
