#include "params/CellRows.h"

const std::array<CellRow, CellRowCount> &CellRows()
{
    using F = ParameterField;
    using C = CellConversion;
    static const std::array<CellRow, CellRowCount> rows {{
        {0, C::Gain, F::SondyAxialDc1},
        {4, C::Gain, F::SondyAxialDc2},
        {8, C::Gain, F::SondyAxialAc1},
        {16, C::Gain, F::SondyTransDc1},
        {20, C::Gain, F::SondyTransDc2},
        {24, C::Gain, F::SondyTransAc1},
        {22, C::Gain, F::SondyTransAc2},
        {10, C::Integer, F::Stala},
        {50, C::Integer, F::Wtemp},
        {48, C::Integer, F::OTemp},
        {6, C::Integer, F::OKor},
        {2, C::CorrectionCoefficient, F::WKor},
        {44, C::FilterGain, F::WzmocnienieFiltruTemp},
        {46, C::Integer, F::Stala, F::FazaRange2, "1000"}, // fixed text; no field
        {32, C::FilterGain, F::FiltrGainDc1},
        {36, C::FilterGain, F::FiltrGainDc2},
        {40, C::FilterGain, F::FiltrGainAc1},
        {26, C::FilterGain, F::FiltrGainAc2},
        {34, C::Integer, F::FiltrThresholdDc1},
        {38, C::Integer, F::FiltrThresholdDc2},
        {42, C::Integer, F::FiltrThresholdAc1},
        {28, C::Integer, F::FiltrThresholdAc2},
        {55, C::PhasePair, F::FazaRange1, F::FazaRange2},
        {18, C::ProbeThreshold, F::ProgRodzajuSondy},
    }};
    return rows;
}
