#pragma once
// The settings of a serial port, with the defaults a new port starts with.
#include "serial/ComEnums.h"

#include <cstdint>
#include <string>
#include <string_view>

struct TComParity {
    TParityBits Bits = prNone;
    bool Check = false;
    bool Replace = false;
    std::uint8_t ReplaceChar = 0;
    bool operator==(const TComParity &) const = default;
};

struct TComFlowControl {
    bool OutCTSFlow = false;
    bool OutDSRFlow = false;
    TDTRFlowControl ControlDTR = dtrDisable;
    TRTSFlowControl ControlRTS = rtsDisable;
    bool XonXoffOut = false;
    bool XonXoffIn = false;
    bool DSRSensitivity = false;
    bool TxContinueOnXoff = false;
    std::uint8_t XonChar = 17;
    std::uint8_t XoffChar = 19;

    // The compound view of RTS handshake, CTS output flow and the two XON/XOFF flags.
    TFlowControl FlowControl() const;
    // fcCustom changes nothing; the other values first clear all four, then set their own.
    void SetFlowControl(TFlowControl value);

    bool operator==(const TComFlowControl &) const = default;
};

// Driver queue sizes; the port stores odd sizes one lower.
struct TComBuffer {
    std::uint32_t InputSize = 1024;
    std::uint32_t OutputSize = 1024;
    bool operator==(const TComBuffer &) const = default;
};

// Milliseconds. The defaults make a read return at once with whatever has arrived and let a
// write of n bytes take at most 100 * n + 1000 ms.
struct TComTimeouts {
    static constexpr std::uint32_t kNoInterval = 0xFFFFFFFFu;
    std::uint32_t ReadInterval = kNoInterval;
    std::uint32_t ReadTotalMultiplier = 0;
    std::uint32_t ReadTotalConstant = 0;
    std::uint32_t WriteTotalMultiplier = 100;
    std::uint32_t WriteTotalConstant = 1000;
    bool operator==(const TComTimeouts &) const = default;
};

// Everything that shapes the line state of an open port.
struct ComLineSettings {
    TBaudRate BaudRate = br9600;
    std::uint32_t CustomRate = 9600;
    TDataBits DataBits = dbEight;
    TStopBits StopBits = sbOneStopBit;
    TComParity Parity;
    TComFlowControl FlowControl;
    bool DiscardNull = false;
    std::uint8_t EventChar = 0;
};

// The highest port number Windows gives a serial port.
inline constexpr int kMaxComPort = 255;
// Port number named by a text: "COM2", "com2" and "2" name port 2; anything that is not a
// whole number from 1 to kMaxComPort names port 1.
int comPortNumber(const std::string &text);
// As comPortNumber, with 0 for a text that names no port.
int parseComPortNumber(std::string_view text);
// "COM" followed by the number.
std::string comPortName(int number);
// Line rate in bits per second.
std::uint32_t comBaudRateValue(TBaudRate rate, std::uint32_t customRate);
