#pragma once
// The rows of a whole send of the parameter set: which cell of the meter each value goes to,
// from which field, through which conversion, in the order in which they are sent.
#include "params/ParameterSet.h"

#include <array>
#include <cstdint>

enum class CellConversion {
    Gain,
    Integer,
    CorrectionCoefficient,
    FilterGain,
    PhasePair, // source as the low byte, second as the high byte
    ProbeThreshold,
};

struct CellRow {
    std::uint8_t address;
    CellConversion conversion;
    ParameterField source;
    ParameterField second = ParameterField::FazaRange2; // the high byte of a phase pair
    const char *constant = nullptr; // a fixed text sent instead of the source field
};

inline constexpr std::size_t CellRowCount = 24;

// Rows 1..24 of the send, in order; the EEPROM store command is not among them.
const std::array<CellRow, CellRowCount> &CellRows();
