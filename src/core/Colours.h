#pragma once
// The program's colours, each typed once: the displays, the wizard's chart and its captions
// draw with these.
#include <QColor>

namespace Colours {
inline const QColor kYellow {255, 255, 0};
inline const QColor kLime {0, 255, 0};
inline const QColor kAqua {0, 255, 255};
inline const QColor kRed {255, 0, 0};
inline const QColor kWhite {255, 255, 255};
inline const QColor kSilver {192, 192, 192};
inline const QColor kGrey {128, 128, 128};
} // namespace Colours
