#pragma once
// The meter's 7-byte result frame and its decoding into a physical reading.
//
// Layout: AA 55, StatusBits, temperature (signed 16-bit little-endian, tenths of a degree,
// -10000 = no probe), raw value (signed 16-bit little-endian, counts). No checksum.
#include <array>
#include <cstddef>
#include <cstdint>

using ResultFrameBytes = std::array<uint8_t, 7>;

constexpr uint8_t kFrameHeader1 = 0xAA;
constexpr uint8_t kFrameHeader2 = 0x55;
constexpr int16_t kNoProbeTemperature = -10000;

// Meaning of the bits of StatusBits.
namespace StatusBit {
constexpr uint8_t Ac = 0x01; // alternating field: value made non-negative
constexpr uint8_t CoarseRange = 0x02; // one decimal class coarser
constexpr uint8_t Gauss = 0x04; // unit gauss, one decimal class coarser
constexpr uint8_t KiloAmperePerMetre = 0x08; // unit kA/m, only when Gauss is clear
constexpr uint8_t AutoPowerOff = 0x40; // the meter's automatic power-off is enabled
} // namespace StatusBit

// 0, 1 or 2: the raw value is divided by 100, 10 or 1 and shown with 2, 1 or 0 decimals.
int DecimalClass(uint8_t statusBits);
// " mT", " Gs" or " kA/m".
const char *UnitText(uint8_t statusBits);
// The jump above which the digital filter follows the reading at once: 0.05, 0.5 or 0.04.
double FilterJumpThreshold(uint8_t statusBits);
// Raw counts to the displayed value. A raw value of exactly +-10000 is the meter's
// over-range mark and is tripled in classes 1 and 2. Classes above 2 scale like class 2.
double ScaleRaw(int16_t raw, int decimalClass);

// Signed 16-bit little-endian word at p[0], p[1], assembled the same on every CPU.
int16_t ReadLe16(const uint8_t *p);

struct DecodedResult {
    double value = 0; // scaled, non-negative for AC
    double temperature = 0; // tenths of a degree, unscaled; kNoProbeTemperature = no probe
    int decimalClass = 0;
    const char *unitText = " mT";
    bool ac = false;
    double filterJumpThreshold = 0.05;
    bool autoPowerOff = false;
    uint8_t statusBits = 0;

    bool HasTemperature() const { return temperature != kNoProbeTemperature; }
};

// Decodes a frame whose first two bytes are the header (they are not checked here).
DecodedResult DecodeResultFrame(const ResultFrameBytes &frame);

// Builds the frame the meter sends for the given status, temperature and raw value.
ResultFrameBytes MakeResultFrame(uint8_t statusBits, int16_t temperature, int16_t raw);
