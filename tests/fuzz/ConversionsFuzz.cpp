// Fuzz target for the conversions of typed parameter texts into cell values: any text (the
// input as UTF-8) goes through every conversion, and any eight bytes as a double through the
// rounding, with nothing undefined on the way (the sanitizers watch the casts).
#include "FuzzCheck.h"
#include "params/Conversions.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        const std::uint16_t low = RoundedLow16(raw);
        Check(std::isfinite(raw) || low == 0);
    }

    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<std::int32_t> integer = ParseInteger(text);
    Check(IntegerCellValue(text).has_value() == integer.has_value());
    Check(PhaseByte(text).has_value() == integer.has_value());
    if (integer) {
        Check(*IntegerCellValue(text) == std::uint16_t(std::uint32_t(*integer) & 0xFFFFu));
        const std::optional<std::uint16_t> threshold = ProbeThresholdCellValue(*integer);
        Check(threshold.has_value() == (*integer >= 0 && *integer <= 1800));
    }

    const std::optional<double> real = ParseReal(text);
    Check(!real || std::isfinite(*real));
    // Only a value that a double cannot hold once scaled fails the gain.
    Check(GainCellValue(text).has_value() == (real && std::isfinite(*real * 32767.0)));
    const bool inside = real && *real > -1.0 && *real < 1.0;
    Check(CorrectionCellValue(text).has_value() == inside);
    Check(FilterGainCellValue(text).has_value() == inside);
    return 0;
}
