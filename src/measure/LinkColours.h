#pragma once
// Colours of the live display that tell the state of the measuring link.
#include <QColor>

namespace LinkColours {
inline const QColor Yellow {255, 255, 0};
inline const QColor White {255, 255, 255};
inline const QColor Silver {192, 192, 192};
inline const QColor Grey {128, 128, 128};

// Bytes keep arriving: the warning recedes, the readings stand out.
struct Look {
    QColor warning; // "Brak transmisji"
    QColor temperature; // temperature and degree sign
    QColor value; // value and AC mark
};
inline const Look Alive {Grey, White, Yellow};
inline const Look Silent {Yellow, Silver, Silver};
} // namespace LinkColours
