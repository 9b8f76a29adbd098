#include "measure/Wykres.h"

#include "measure/StoredSeries.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPalette>

TWykres::TWykres(QWidget *parent)
    : QWidget(parent)
    , core_(width(), height())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    core_.setColorOut(palette().color(QPalette::Button));
}

// A hidden control gets its resize event only when shown; the picture follows the size at
// once all the same.
void TWykres::followSize()
{
    if (core_.width() != width() || core_.height() != height())
        core_.Resize(width(), height());
}

void TWykres::drawPending()
{
    followSize();
    if (!pending_)
        return;
    core_.DrawCurrent();
    pending_ = false;
}

void TWykres::AddPoint(double x)
{
    followSize();
    core_.AddPoint(x);
    pending_ = false;
    update();
}

void TWykres::AddPointForNextPaint(double x)
{
    followSize();
    core_.StorePoint(x);
    pending_ = true;
}

void TWykres::ShowPointsForNextPaint()
{
    drawPending();
    update(core_.TakeChangedArea());
}

void TWykres::StorePoint(double x)
{
    followSize();
    core_.StorePoint(x);
}

void TWykres::Clear()
{
    followSize();
    core_.Clear();
    pending_ = false;
    update();
}

void TWykres::SetRange(double top, double bottom)
{
    followSize();
    core_.SetRange(top, bottom);
    update();
}

void TWykres::Redraw(double top, double bottom)
{
    followSize();
    core_.Redraw(top, bottom);
    pending_ = false;
    update();
}

const QImage &TWykres::image()
{
    drawPending();
    return core_.image();
}

WykresCore &TWykres::core()
{
    drawPending();
    return core_;
}

void TWykres::paintEvent(QPaintEvent *event)
{
    drawPending();
    // Points drawn here may have changed more than this paint shows.
    const QRect changed = core_.TakeChangedArea();
    if (!event->rect().contains(changed))
        update(changed);
    QPainter p(this);
    p.drawImage(event->rect(), core_.image(), event->rect());
}

void TWykres::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    followSize();
}

void RedrawStored(TWykres &chart, const std::vector<double> &storedSeries, int start)
{
    RedrawStored(chart.core(), storedSeries, start);
    chart.update();
}
