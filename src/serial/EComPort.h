#pragma once
// Failure of a serial port operation: a row of the fixed message table and, when the operating
// system reported one, its error code (on POSIX the errno). The message is the row's text and,
// with a code, the code as the platform states it (SystemErrorText.h).
#include <stdexcept>

class EComPort : public std::runtime_error {
public:
    static constexpr int kNoWinCode = -1;

    // The rows of the message table, numbered 1..21 in its order. Rows this program never
    // raises keep their place so that every number stays what it has always been.
    enum Error : int {
        OpenError = 1,         // "Unable to open com port"
        WriteError,            // "WriteFile function failed"
        ReadError,             // "ReadFile function failed"
        AsyncParameterError,   // "Invalid Async parameter"
        PurgeError,            // "PurgeComm function failed"
        AsyncStatusError,      // "Unable to get async status"
        LineStateError,        // "SetCommState function failed"
        TimeoutsError,         // "SetCommTimeouts failed"
        QueueSizeError,        // "SetupComm function failed"
        ClearCommError,        // "ClearCommError function failed"
        ModemStatusError,      // "GetCommModemStatus function failed"
        EscapeFunctionError,   // "EscapeCommFunction function failed"
        TransmitCharError,     // "TransmitCommChar function failed"
        SyncMethodError,       // "Cannot set SyncMethod while connected"
        EnumPortsError,        // "EnumPorts function failed"
        StoreSettingsError,    // "Failed to store settings"
        LoadSettingsError,     // "Failed to load settings"
        LinkRegistrationError, // "Link (un)registration failed"
        LedStateError,         // "Cannot change led state if ComPort is selected"
        EventThreadError,      // "Cannot wait for event if event thread is created"
        WaitForEventError,     // "WaitForEvent method failed"
    };

    explicit EComPort(Error code, int winCode = kNoWinCode);

    int Code() const { return code_; }
    int WinCode() const { return winCode_; }

    // The table text of a code (1..21); empty for any other number.
    static const char *text(int code);

private:
    int code_;
    int winCode_;
};
