#pragma once
// Colours set on a single control through its palette.
#include <QColor>

class QWidget;

// The colour of a control's text (captions, labels); a colour it already has changes nothing,
// so that the display's frequent calls repaint nothing.
void setTextColour(QWidget *widget, const QColor &colour);

// A background the control fills itself.
void setBackground(QWidget *widget, const QColor &colour);
