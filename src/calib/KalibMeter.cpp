#include "calib/KalibMeter.h"

KalibReading DecodeKalibFrame(const ResultFrameBytes &frame)
{
    const uint8_t status = frame[2];
    const bool ac = (status & StatusBit::Ac) != 0;
    const bool coarse = (status & StatusBit::CoarseRange) != 0;
    const int16_t raw = ReadLe16(&frame[5]);
    return {2 * (ac ? 1 : 0) + (coarse ? 1 : 0), coarse ? double(raw) : raw / 10.0};
}

std::optional<std::uint8_t> GainAddress(int range)
{
    if (range < 0 || range > 3)
        return std::nullopt;
    return static_cast<std::uint8_t>(4 * range);
}
