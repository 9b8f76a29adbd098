#pragma once
// A flat tool button that keeps the picture of its look at rest (enabled, not pressed, not under
// the mouse, no focus) and shows that picture instead of asking the style each time. For a
// button lying on a control that repaints many times a second (the chart's clear button): the
// button is repainted with the control below it.
#include <QPixmap>
#include <QToolButton>

class RestingToolButton : public QToolButton {
    Q_OBJECT
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap resting_;
    qint64 restingIcon_ = 0;
};
