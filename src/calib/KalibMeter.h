#pragma once
// The meter under calibration as the wizard reads it. Of each result frame only the range and
// the raw word count, in the wizard's own scale: raw / 10 in the fine ranges (DC1, AC1), raw
// in the coarse ones (DC2, AC2). Unlike the live display there is no unit scaling, no
// over-range tripling, and AC values keep their sign.
#include "measure/ResultFrame.h"

#include <cstdint>
#include <optional>

struct KalibReading {
    int range = 0; // 0 DC1, 1 DC2, 2 AC1, 3 AC2: 2 x AC bit + coarse-range bit
    double value = 0;
};

// Decodes a frame whose first two bytes are the header (they are not checked here).
KalibReading DecodeKalibFrame(const ResultFrameBytes &frame);

// The gain cell of a range: 0, 4, 8, 12 for DC1, DC2, AC1, AC2; nothing for any other range.
std::optional<std::uint8_t> GainAddress(int range);
