#pragma once
// Finds the program's 6-byte command frames (AA 55, letter, address, value low, value high)
// in the bytes the meter receives. Bytes outside a frame are skipped until the next AA 55.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct ReceivedCommand {
    char letter = 0;
    uint8_t address = 0;
    uint16_t value = 0;
};

class CommandParser {
public:
    std::vector<ReceivedCommand> Feed(const uint8_t *data, std::size_t count);

private:
    std::array<uint8_t, 6> frame_ {};
    std::size_t have_ = 0;
};
