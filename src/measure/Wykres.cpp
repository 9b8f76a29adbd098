#include "measure/Wykres.h"

#include "measure/StoredSeries.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>

namespace {
// Platforms whose backing store keeps its picture between paints, also in the area painted.
bool StoreKeepsPicture()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("windows")
        || platform == QLatin1String("offscreen");
}
} // namespace

TWykres::TWykres(QWidget *parent)
    : QWidget(parent)
    , core_(width(), height())
    , storeKeepsPicture_(StoreKeepsPicture())
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
    requestPaint(rect());
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
    requestPaint(core_.TakeChangedArea());
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
    requestPaint(rect());
}

void TWykres::SetRange(double top, double bottom)
{
    followSize();
    core_.SetRange(top, bottom);
    requestPaint(rect());
}

void TWykres::Redraw(double top, double bottom)
{
    followSize();
    core_.Redraw(top, bottom);
    pending_ = false;
    requestPaint(rect());
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

void TWykres::requestPaint(const QRect &area)
{
    unshown_ += area;
    update(area);
}

QImage *TWykres::storePicture(QPainter &painter, QPoint &offset) const
{
    const QPaintEngine *engine = painter.paintEngine();
    QBackingStore *store = backingStore();
    if (engine == nullptr || store == nullptr || engine->paintDevice() != store->paintDevice()
        || engine->paintDevice()->devType() != QInternal::Image)
        return nullptr;
    auto *picture = static_cast<QImage *>(engine->paintDevice());
    const QTransform t = painter.deviceTransform();
    offset = QPoint(qRound(t.dx()), qRound(t.dy()));
    // Opaque pixels read the same in both formats; a translucent window's store is cleared
    // where it is painted.
    const bool sameFormat = picture->format() == QImage::Format_RGB32
        || (picture->format() == QImage::Format_ARGB32_Premultiplied
            && !window()->testAttribute(Qt::WA_TranslucentBackground));
    if (t.type() > QTransform::TxTranslate || offset.x() != t.dx() || offset.y() != t.dy()
        || !sameFormat || !picture->rect().contains(rect().translated(offset)))
        return nullptr;
    return picture;
}

void TWykres::paintChangesOnly(QPainter &painter, QImage &store, QPoint offset, const QRegion &area)
{
    const QImage &picture = core_.image();
    const qsizetype from = picture.bytesPerLine();
    const qsizetype to = store.bytesPerLine();
    const uchar *const source = picture.constBits();
    uchar *const target = store.bits() + offset.y() * to + offset.x() * qsizetype(sizeof(QRgb));
    auto copy = [&](const std::vector<QPoint> &pixels) {
        for (const QPoint &pt : pixels)
            reinterpret_cast<QRgb *>(target + pt.y() * to)[pt.x()]
                = reinterpret_cast<const QRgb *>(source + pt.y() * from)[pt.x()];
    };
    // Where a pixel was plotted and is not now, the picture has the background back.
    copy(shown_.pixels);
    copy(core_.DrawnPixels());
    QRegion whole;
    for (const QRect &r : shown_.markers)
        whole += r;
    for (const QRect &r : core_.MarkerAreas())
        whole += r;
    // A child is painted over what lies under it, which must be the picture again.
    for (const QObject *child : children())
        if (child->isWidgetType())
            whole += static_cast<const QWidget *>(child)->geometry();
    for (const QRect &r : whole & area)
        painter.drawImage(r, picture, r);
}

void TWykres::paintEvent(QPaintEvent *event)
{
    drawPending();
    // Points drawn here may have changed more than this paint shows.
    unshown_ += core_.TakeChangedArea();
    const QRegion area = event->region();
    QPainter p(this);
    QBackingStore *window = backingStore();
    if (window == nullptr || p.paintEngine()->paintDevice() != window->paintDevice()) {
        // Into another picture (grab(), render()): the screen still waits for the changes.
        p.drawImage(event->rect(), core_.image(), event->rect());
        if (!unshown_.isEmpty())
            update(unshown_);
        return;
    }
    QPoint offset;
    QImage *store = storeKeepsPicture_ ? storePicture(p, offset) : nullptr;
    // The part of the area that reaches the screen; other widgets cover the rest.
    const QRegion reached = store == nullptr
        ? QRegion()
        : area & p.paintEngine()->systemClip().translated(-offset);
    const bool changesOnly = shown_.valid && unknown_.isEmpty() && reached == area
        && (area - unshown_).isEmpty() && shown_.generation == core_.BackgroundGeneration();
    if (changesOnly)
        paintChangesOnly(p, *store, offset, area);
    else
        p.drawImage(event->rect(), core_.image(), event->rect());

    unshown_ -= area;
    if (!unshown_.isEmpty())
        update(unshown_);
    if (store == nullptr) {
        unknown_ = rect();
    } else {
        unknown_ = (unknown_ - reached) + (area - reached);
        // A paint that was not kept in account is made good by one over it.
        if (!unknown_.isEmpty() && reached == area)
            update(unknown_);
    }
    shown_.valid = unshown_.isEmpty() && unknown_.isEmpty();
    if (shown_.valid) {
        shown_.generation = core_.BackgroundGeneration();
        shown_.pixels = core_.DrawnPixels();
        shown_.markers = core_.MarkerAreas();
    }
}

void TWykres::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    followSize();
    unknown_ = rect();
}

void RedrawStored(TWykres &chart, const std::vector<double> &storedSeries, int start)
{
    RedrawStored(chart.core(), storedSeries, start);
    chart.update();
}
