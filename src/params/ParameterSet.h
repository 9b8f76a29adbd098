#pragma once
// The service panel's parameter set: 26 texts, kept exactly as typed, in the order of the
// parameter file's lines.
#include <QString>
#include <array>
#include <cstddef>

enum class ParameterField : std::size_t {
    SondyAxialDc1, // Sondy (1,1)
    SondyAxialDc2, // Sondy (2,1)
    SondyAxialAc1, // Sondy (3,1)
    SondyAxialAc2, // Sondy (4,1): kept and filed, never sent
    SondyTransDc1, // Sondy (1,2)
    SondyTransDc2, // Sondy (2,2)
    SondyTransAc1, // Sondy (3,2)
    SondyTransAc2, // Sondy (4,2)
    Stala,
    Wtemp,
    OTemp,
    WKor,
    OKor,
    FiltrGainDc1, // KFILTR (1,1)
    FiltrGainDc2, // KFILTR (2,1)
    FiltrGainAc1, // KFILTR (3,1)
    FiltrGainAc2, // KFILTR (4,1)
    FiltrThresholdDc1, // KFILTR (1,2)
    FiltrThresholdDc2, // KFILTR (2,2)
    FiltrThresholdAc1, // KFILTR (3,2)
    FiltrThresholdAc2, // KFILTR (4,2)
    FazaRange1, // S_Faza (1,1)
    FazaRange2, // S_Faza (1,2)
    ProgRodzajuSondy,
    NumerSeryjnyMiernika,
    WzmocnienieFiltruTemp,
};

inline constexpr std::size_t ParameterCount = 26;

class ParameterTexts {
public:
    QString &operator[](ParameterField field) { return texts_[static_cast<std::size_t>(field)]; }
    const QString &operator[](ParameterField field) const
    {
        return texts_[static_cast<std::size_t>(field)];
    }
    // Line i of the parameter file (0-based).
    QString &line(std::size_t i) { return texts_[i]; }
    const QString &line(std::size_t i) const { return texts_[i]; }
    bool operator==(const ParameterTexts &) const = default;

private:
    std::array<QString, ParameterCount> texts_;
};
