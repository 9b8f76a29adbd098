#pragma once
// A terminal's line state in the kernel's terms: the four flag words, the line discipline, the
// control characters and the line rate in bits per second (the same both ways).
#include <cstdint>

struct PosixLineState {
    static constexpr int kChars = 19; // control characters the kernel keeps
    std::uint32_t iflag = 0;
    std::uint32_t oflag = 0;
    std::uint32_t cflag = 0;
    std::uint32_t lflag = 0;
    std::uint8_t line = 0;
    std::uint8_t cc[kChars] = {};
    std::uint32_t rate = 0;
};
