#include "params/CommandWrite.h"

#include "serial/CPort.h"

#include <stdexcept>

void WriteCommandFrame(TComPort &port, char letter, std::uint8_t address, std::uint16_t value)
{
    const CommandFrameBytes frame = CommandFrame(letter, address, value);
    const int size = static_cast<int>(frame.size());
    if (port.Write(frame.data(), size) != size)
        throw std::runtime_error("command frame not written whole");
}
