#include "serial/EComPort.h"
#include "serial/SystemErrorText.h"

#include <string>

namespace {
constexpr const char *kTexts[] = {
    "Unable to open com port",
    "WriteFile function failed",
    "ReadFile function failed",
    "Invalid Async parameter",
    "PurgeComm function failed",
    "Unable to get async status",
    "SetCommState function failed",
    "SetCommTimeouts failed",
    "SetupComm function failed",
    "ClearCommError function failed",
    "GetCommModemStatus function failed",
    "EscapeCommFunction function failed",
    "TransmitCommChar function failed",
    "Cannot set SyncMethod while connected",
    "EnumPorts function failed",
    "Failed to store settings",
    "Failed to load settings",
    "Link (un)registration failed",
    "Cannot change led state if ComPort is selected",
    "Cannot wait for event if event thread is created",
    "WaitForEvent method failed",
};
constexpr int kTextCount = static_cast<int>(sizeof kTexts / sizeof kTexts[0]);
static_assert(kTextCount == EComPort::WaitForEventError, "one text per row");

std::string message(int code, int winCode)
{
    std::string text = EComPort::text(code);
    if (winCode != EComPort::kNoWinCode)
        text += systemErrorSuffix(winCode);
    return text;
}
} // namespace

EComPort::EComPort(Error code, int winCode)
    : std::runtime_error(message(code, winCode))
    , code_(code)
    , winCode_(winCode)
{
}

const char *EComPort::text(int code)
{
    return code >= 1 && code <= kTextCount ? kTexts[code - 1] : "";
}
