#pragma once
// The 6-byte command frame to the meter: AA 55, command letter, address, value low byte,
// value high byte. "C" writes a 16-bit parameter cell, "S" stores the cells in EEPROM.
#include <array>
#include <cstdint>

using CommandFrameBytes = std::array<std::uint8_t, 6>;

CommandFrameBytes CommandFrame(char letter, std::uint8_t address, std::uint16_t value);
