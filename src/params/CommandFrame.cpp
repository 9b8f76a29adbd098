#include "params/CommandFrame.h"

CommandFrameBytes CommandFrame(char letter, std::uint8_t address, std::uint16_t value)
{
    return {0xAA, 0x55, static_cast<std::uint8_t>(letter), address,
        static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)};
}
