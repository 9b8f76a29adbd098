#pragma once
// Colours of the live display that tell the state of the measuring link.
#include "core/Colours.h"

namespace LinkColours {
// Bytes keep arriving: the warning recedes, the readings stand out.
struct Look {
    QColor warning; // "Brak transmisji"
    QColor temperature; // temperature and degree sign
    QColor value; // value and AC mark
};
inline const Look Alive {Colours::kGrey, Colours::kWhite, Colours::kYellow};
inline const Look Silent {Colours::kYellow, Colours::kSilver, Colours::kSilver};
} // namespace LinkColours
