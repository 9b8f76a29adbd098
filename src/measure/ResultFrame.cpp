#include "measure/ResultFrame.h"

int DecimalClass(uint8_t statusBits)
{
    return ((statusBits & StatusBit::CoarseRange) ? 1 : 0)
        + ((statusBits & StatusBit::Gauss) ? 1 : 0);
}

const char *UnitText(uint8_t statusBits)
{
    if (statusBits & StatusBit::Gauss)
        return " Gs";
    if (statusBits & StatusBit::KiloAmperePerMetre)
        return " kA/m";
    return " mT";
}

double FilterJumpThreshold(uint8_t statusBits)
{
    if (statusBits & StatusBit::Gauss)
        return 0.5;
    if (statusBits & StatusBit::KiloAmperePerMetre)
        return 0.04;
    return 0.05;
}

double ScaleRaw(int16_t raw, int decimalClass)
{
    double r = raw;
    if (decimalClass == 0)
        return r / 100.0;
    if (raw == 10000 || raw == -10000)
        r *= 3.0;
    return decimalClass == 1 ? r / 10.0 : r;
}

int16_t ReadLe16(const uint8_t *p)
{
    const uint16_t word = static_cast<uint16_t>(p[0] | (p[1] << 8));
    return static_cast<int16_t>(word); // two's complement conversion is defined since C++20
}

DecodedResult DecodeResultFrame(const ResultFrameBytes &frame)
{
    DecodedResult result;
    const uint8_t status = frame[2];
    result.statusBits = status;
    result.decimalClass = DecimalClass(status);
    result.unitText = UnitText(status);
    result.filterJumpThreshold = FilterJumpThreshold(status);
    result.ac = (status & StatusBit::Ac) != 0;
    result.autoPowerOff = (status & StatusBit::AutoPowerOff) != 0;
    result.temperature = ReadLe16(&frame[3]);
    result.value = ScaleRaw(ReadLe16(&frame[5]), result.decimalClass);
    if (result.ac && result.value < 0)
        result.value = -result.value;
    return result;
}

ResultFrameBytes MakeResultFrame(uint8_t statusBits, int16_t temperature, int16_t raw)
{
    const auto t = static_cast<uint16_t>(temperature);
    const auto r = static_cast<uint16_t>(raw);
    return {kFrameHeader1, kFrameHeader2, statusBits, static_cast<uint8_t>(t & 0xFF),
        static_cast<uint8_t>(t >> 8), static_cast<uint8_t>(r & 0xFF), static_cast<uint8_t>(r >> 8)};
}
