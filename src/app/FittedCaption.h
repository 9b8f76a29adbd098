#pragma once
// A caption in a box of fixed size that the window's font makes wider than its box (DejaVu Sans
// runs wider than the small sans-serif the layout was drawn for) is set in the condensed cut of
// the family, which fits it; a caption that fits keeps the window's font.
class QAbstractButton;

void fitCaption(QAbstractButton *box);
