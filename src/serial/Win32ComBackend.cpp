#include "serial/Win32ComBackend.h"

#include "serial/EComPort.h"
#include "serial/Win32LineWaiter.h"

#include <algorithm>
#include <climits>
#include <string>

#include <windows.h>

namespace {
static_assert(sizeof(DCB) == 28, "the device control block is 28 bytes long");

HANDLE device(void *handle)
{
    return static_cast<HANDLE>(handle);
}

std::wstring widen(const std::string &text)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), n);
    return wide;
}

DWORD dtrControl(TDTRFlowControl control)
{
    switch (control) {
    case dtrEnable:
        return DTR_CONTROL_ENABLE;
    case dtrHandshake:
        return DTR_CONTROL_HANDSHAKE;
    default:
        return DTR_CONTROL_DISABLE;
    }
}

DWORD rtsControl(TRTSFlowControl control)
{
    switch (control) {
    case rtsEnable:
        return RTS_CONTROL_ENABLE;
    case rtsHandshake:
        return RTS_CONTROL_HANDSHAKE;
    case rtsToggle:
        return RTS_CONTROL_TOGGLE;
    default:
        return RTS_CONTROL_DISABLE;
    }
}

// One overlapped read or write with its own manual-reset event, waited for without time limit:
// the device's timeouts bound it. Every failure raises the operation's code.
class Operation {
public:
    explicit Operation(EComPort::Error code)
        : code_(code)
    {
        overlapped_.hEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
        if (overlapped_.hEvent == nullptr)
            throw EComPort(code_, int(GetLastError()));
    }
    ~Operation() { CloseHandle(overlapped_.hEvent); }
    Operation(const Operation &) = delete;
    Operation &operator=(const Operation &) = delete;

    OVERLAPPED *record() { return &overlapped_; }

    // The bytes moved; `started` is what the call that started the operation returned.
    int finish(HANDLE h, BOOL started)
    {
        if (!started && GetLastError() != ERROR_IO_PENDING)
            throw EComPort(code_, int(GetLastError()));
        DWORD moved = 0;
        if (WaitForSingleObject(overlapped_.hEvent, INFINITE) != WAIT_OBJECT_0) {
            const DWORD error = GetLastError();
            // The record must outlive the operation: end it before leaving.
            CancelIoEx(h, &overlapped_);
            GetOverlappedResult(h, &overlapped_, &moved, TRUE);
            throw EComPort(code_, int(error));
        }
        // A timed-out operation is no failure: it returns what moved in time. (Windows reports
        // it as success; Wine as ERROR_TIMEOUT when nothing moved.)
        if (!GetOverlappedResult(h, &overlapped_, &moved, FALSE) && GetLastError() != ERROR_TIMEOUT)
            throw EComPort(code_, int(GetLastError()));
        return int(moved);
    }

private:
    EComPort::Error code_;
    OVERLAPPED overlapped_ {};
};
} // namespace

Win32ComBackend::~Win32ComBackend()
{
    close();
}

void Win32ComBackend::open(const std::string &path)
{
    if (handle_ != nullptr)
        return;
    const HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
        OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw EComPort(EComPort::OpenError, int(GetLastError()));
    // Nothing left over from before; a device that is no serial port fails here too.
    if (!PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR)) {
        const DWORD error = GetLastError();
        CloseHandle(h);
        throw EComPort(EComPort::OpenError, int(error));
    }
    handle_ = h;
}

void Win32ComBackend::close() noexcept
{
    if (handle_ == nullptr)
        return;
    CloseHandle(device(handle_));
    handle_ = nullptr;
}

void Win32ComBackend::applyQueues(const TComBuffer &sizes)
{
    if (!SetupComm(device(handle_), sizes.InputSize, sizes.OutputSize))
        throw EComPort(EComPort::QueueSizeError, int(GetLastError()));
}

void Win32ComBackend::applyLineState(const ComControlBlock &dcb)
{
    // Built fresh: nothing carried over from whatever used the port before.
    DCB d {};
    d.DCBlength = sizeof d;
    d.BaudRate = dcb.BaudRate;
    d.fBinary = dcb.fBinary;
    d.fParity = dcb.fParity;
    d.fOutxCtsFlow = dcb.fOutxCtsFlow;
    d.fOutxDsrFlow = dcb.fOutxDsrFlow;
    d.fDtrControl = dtrControl(dcb.fDtrControl);
    d.fDsrSensitivity = dcb.fDsrSensitivity;
    d.fTXContinueOnXoff = dcb.fTXContinueOnXoff;
    d.fOutX = dcb.fOutX;
    d.fInX = dcb.fInX;
    d.fErrorChar = dcb.fErrorChar;
    d.fNull = dcb.fNull;
    d.fRtsControl = rtsControl(dcb.fRtsControl);
    d.fAbortOnError = dcb.fAbortOnError;
    d.XonLim = dcb.XonLim;
    d.XoffLim = dcb.XoffLim;
    d.ByteSize = dcb.ByteSize;
    d.Parity = dcb.Parity;
    d.StopBits = dcb.StopBits;
    d.XonChar = char(dcb.XonChar);
    d.XoffChar = char(dcb.XoffChar);
    d.ErrorChar = char(dcb.ErrorChar);
    d.EofChar = char(dcb.EofChar);
    d.EvtChar = char(dcb.EvtChar);
    if (!SetCommState(device(handle_), &d))
        throw EComPort(EComPort::LineStateError, int(GetLastError()));
}

void Win32ComBackend::applyTimeouts(const TComTimeouts &timeouts)
{
    COMMTIMEOUTS t {timeouts.ReadInterval, timeouts.ReadTotalMultiplier, timeouts.ReadTotalConstant,
        timeouts.WriteTotalMultiplier, timeouts.WriteTotalConstant};
    if (!SetCommTimeouts(device(handle_), &t))
        throw EComPort(EComPort::TimeoutsError, int(GetLastError()));
    timeouts_ = timeouts;
}

int Win32ComBackend::read(void *buffer, int count)
{
    if (count <= 0)
        return 0;
    const TComTimeouts &t = timeouts_;
    if (t.ReadInterval == TComTimeouts::kNoInterval && t.ReadTotalMultiplier == 0
        && t.ReadTotalConstant == 0) {
        // These timeouts return at once with what is waiting. Asking for no more than that
        // keeps a driver that would wait for the rest instead (Wine's) from blocking.
        DWORD errors = 0;
        COMSTAT status {};
        if (!ClearCommError(device(handle_), &errors, &status))
            throw EComPort(EComPort::ReadError, int(GetLastError()));
        count = int(std::min<DWORD>(DWORD(count), status.cbInQue));
        if (count == 0)
            return 0;
    }
    Operation op(EComPort::ReadError);
    return op.finish(
        device(handle_), ReadFile(device(handle_), buffer, DWORD(count), nullptr, op.record()));
}

int Win32ComBackend::write(const void *buffer, int count)
{
    if (count <= 0)
        return 0;
    Operation op(EComPort::WriteError);
    return op.finish(
        device(handle_), WriteFile(device(handle_), buffer, DWORD(count), nullptr, op.record()));
}

void Win32ComBackend::purge(bool input, bool output)
{
    const DWORD flags = (input ? PURGE_RXABORT | PURGE_RXCLEAR : 0)
        | (output ? PURGE_TXABORT | PURGE_TXCLEAR : 0);
    if (flags != 0 && !PurgeComm(device(handle_), flags))
        throw EComPort(EComPort::PurgeError, int(GetLastError()));
}

int Win32ComBackend::inputCount()
{
    DWORD errors = 0;
    COMSTAT status {};
    if (!ClearCommError(device(handle_), &errors, &status))
        throw EComPort(EComPort::ClearCommError, int(GetLastError()));
    return status.cbInQue > DWORD(INT_MAX) ? INT_MAX : int(status.cbInQue);
}

bool Win32ComBackend::deviceGone()
{
    if (handle_ == nullptr)
        return false;
    DWORD errors = 0;
    COMSTAT status {};
    return !ClearCommError(device(handle_), &errors, &status);
}

std::unique_ptr<ComEventWaiter> Win32ComBackend::watch(bool receive)
{
    return std::make_unique<Win32LineWaiter>(handle_, receive);
}
