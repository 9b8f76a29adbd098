#pragma once
// The device control block: the whole line state of a port in the operating system's terms,
// built from the port's settings and then mapped onto the platform's serial API.
#include "serial/ComSettings.h"

#include <cstdint>

struct ComControlBlock {
    std::uint32_t DCBlength = 28;
    std::uint32_t BaudRate = 0;
    bool fBinary = false;
    bool fParity = false;
    bool fOutxCtsFlow = false;
    bool fOutxDsrFlow = false;
    TDTRFlowControl fDtrControl = dtrDisable;
    bool fDsrSensitivity = false;
    bool fTXContinueOnXoff = false;
    bool fOutX = false;
    bool fInX = false;
    bool fErrorChar = false;
    bool fNull = false;
    TRTSFlowControl fRtsControl = rtsDisable;
    bool fAbortOnError = false;
    std::uint16_t XonLim = 0;
    std::uint16_t XoffLim = 0;
    std::uint8_t ByteSize = 8; // 5..8
    std::uint8_t Parity = 0; // 0..4: none, odd, even, mark, space
    std::uint8_t StopBits = 0; // 0..2: one, one and a half, two
    std::uint8_t XonChar = 0;
    std::uint8_t XoffChar = 0;
    std::uint8_t ErrorChar = 0;
    std::uint8_t EofChar = 0;
    std::uint8_t EvtChar = 0;
};

// XON and XOFF limits are both a quarter of the input queue size.
ComControlBlock buildComControlBlock(const ComLineSettings &line, std::uint32_t inputSize);
