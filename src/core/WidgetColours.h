#pragma once
// Colours set on a single control through its palette.
#include <QColor>

class QWidget;

// The colour of a control's text (captions, labels); a colour it already has changes nothing,
// so that the display's frequent calls repaint nothing.
void setTextColour(QWidget *widget, const QColor &colour);

// A background the control fills itself.
void setBackground(QWidget *widget, const QColor &colour);

// A push button's face and caption colours. The button is drawn in the Fusion style, which
// paints a button's own palette on every platform (the Windows styles draw the system's button
// face whatever the palette says, which left a white caption on a white face).
void setButtonColours(QWidget *button, const QColor &face, const QColor &caption);
