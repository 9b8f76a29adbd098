#include "measure/WykresCore.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace {
// Keeps the range of a constant signal from being empty.
constexpr double kRangeEpsilon = 0.0001;
constexpr int kGridStep = 20;

// Nearest integer; a value exactly halfway goes to the even neighbour (the rounding mode a
// program runs in, which nothing here changes). NaN and infinities come back unchanged (the
// caller treats them as out of range).
double RoundHalfEven(double v)
{
    return std::nearbyint(v);
}

constexpr double kLargest = std::numeric_limits<double>::max();

// The value within the doubles: an infinity becomes the largest double of its sign.
double Finite(double v)
{
    return std::isnan(v) ? v : std::clamp(v, -kLargest, kLargest);
}

} // namespace

WykresCore::WykresCore(int width, int height)
{
    Resize(width, height);
}

void WykresCore::Resize(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    const int newRing = std::clamp(width - leftMargin_ - 2, 1, kCapacity);

    // The points in display order, oldest first; keep the newest that fit.
    std::vector<double> ordered;
    ordered.reserve(static_cast<std::size_t>(ilosc_));
    for (int i = writePos_ + 1; i <= ilosc_; ++i)
        ordered.push_back(points_[static_cast<std::size_t>(i)]);
    for (int i = 1; i <= writePos_; ++i)
        ordered.push_back(points_[static_cast<std::size_t>(i)]);
    const std::size_t keep = std::min(ordered.size(), static_cast<std::size_t>(newRing));
    std::copy(
        ordered.end() - static_cast<std::ptrdiff_t>(keep), ordered.end(), points_.begin() + 1);
    ilosc_ = static_cast<int>(keep);
    writePos_ = ilosc_;
    ringLength_ = newRing;

    image_ = QImage(width, height, QImage::Format_RGB32);
    backgroundValid_ = false;
    changed_ = image_.rect();
    if (ilosc_ > 0)
        DrawCurrent();
    else
        DrawBackground();
}

void WykresCore::AppendPoint(double x)
{
    x = Finite(x);
    if (ilosc_ == 0)
        Clear();
    if (writePos_ > 0 && writePos_ < ringLength_) {
        ++writePos_;
    } else {
        // First point, or the ring is full and wraps.
        if (autoSkala_) {
            max_ = x + kRangeEpsilon;
            min_ = x - kRangeEpsilon;
        }
        writePos_ = 1;
    }
    points_[static_cast<std::size_t>(writePos_)] = x;
    if (writePos_ > ilosc_)
        ++ilosc_;
}

void WykresCore::AddPoint(double x)
{
    AppendPoint(x);
    DrawCurrent();
}

void WykresCore::StorePoint(double x)
{
    AppendPoint(x);
    if (autoSkala_)
        RecomputeRange();
}

void WykresCore::DrawCurrent()
{
    if (autoSkala_) {
        RecomputeRange();
        double head = (max_ - min_) * skala_ / 100.0;
        // A span wider than a double holds is taken in halves; the bounds stay finite.
        if (!std::isfinite(head))
            head = (max_ * 0.5 - min_ * 0.5) * (skala_ / 50.0);
        Redraw(Finite(max_ + head), Finite(min_ - head));
    } else {
        Redraw(max_, min_);
    }
}

void WykresCore::Clear()
{
    writePos_ = 0;
    ilosc_ = 0;
    DrawBackground();
}

void WykresCore::SetRange(double top, double bottom)
{
    if (autoSkala_)
        return;
    min_ = bottom;
    max_ = top;
    Redraw(top, bottom);
}

void WykresCore::RecomputeRange()
{
    // The first point that is a number starts the range; one that is not is never drawn.
    int first = 1;
    while (first < ilosc_ && std::isnan(points_[static_cast<std::size_t>(first)]))
        ++first;
    max_ = points_[static_cast<std::size_t>(first)] + kRangeEpsilon;
    min_ = points_[static_cast<std::size_t>(first)] - kRangeEpsilon;
    for (int i = first; i <= ilosc_; ++i) {
        const double p = points_[static_cast<std::size_t>(i)];
        if (p > max_)
            max_ = p;
        else if (p < min_)
            min_ = p;
    }
}

void WykresCore::Redraw(double top, double bottom)
{
    DrawBackground();
    const int w = width();
    const int h = height();
    const QRgb rgb = color_.rgb();
    uchar *const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    bool outOfRange = false;
    // Bounds of the pixels plotted now: rows and columns.
    int firstRow = h;
    int lastRow = -1;
    int firstColumn = w;
    int lastColumn = -1;

    auto plot = [&](int i, int x) {
        const double v = points_[static_cast<std::size_t>(i)];
        double y = RoundHalfEven((v - bottom) * (h - 3) / (top - bottom));
        // Differences or products beyond what a double holds: the point's place as a share of
        // the range, from halves, which cannot overflow.
        if (!std::isfinite(y))
            y = RoundHalfEven((v * 0.5 - bottom * 0.5) / (top * 0.5 - bottom * 0.5) * (h - 3));
        if (!(y >= 0.0 && y < h - 2)) {
            outOfRange = true;
            return;
        }
        if (x >= w)
            return;
        const int row = h - 2 - static_cast<int>(y);
        reinterpret_cast<QRgb *>(bits + row * stride)[x] = rgb;
        drawn_.emplace_back(x, row);
        firstRow = std::min(firstRow, row);
        lastRow = std::max(lastRow, row);
        firstColumn = std::min(firstColumn, x);
        lastColumn = std::max(lastColumn, x);
    };

    // Older part of the ring first, so that the oldest point lands in column 1.
    for (int i = writePos_ + 1; i <= ilosc_; ++i)
        plot(i, leftMargin_ + i - writePos_);
    for (int i = 1; i <= writePos_; ++i)
        plot(i, leftMargin_ + ilosc_ - writePos_ + i);
    if (lastRow >= 0) {
        drawnArea_ = QRect(QPoint(firstColumn, firstRow), QPoint(lastColumn, lastRow));
        changed_ |= drawnArea_;
    }

    if (outOfRange) {
        const double newest = points_[static_cast<std::size_t>(writePos_)];
        if (newest > top)
            DrawOverMarker();
        else if (newest < bottom)
            DrawUnderMarker();
    }
}

void WykresCore::BuildBackground()
{
    const int w = width();
    const int h = height();
    const int lm = leftMargin_;
    background_ = QImage(w, h, QImage::Format_RGB32);
    ++backgroundGeneration_;
    background_.fill(colorIn_);
    QPainter p(&background_);
    // The filled rectangle with its black outline on the outermost pixels.
    p.fillRect(QRect(lm, 0, w - lm, 1), Qt::black);
    p.fillRect(QRect(lm, h - 1, w - lm, 1), Qt::black);
    p.fillRect(QRect(lm, 0, 1, h), Qt::black);
    p.fillRect(QRect(w - 1, 0, 1, h), Qt::black);
    // Grid lines; like every line here they stop one pixel short of their end point.
    for (int k = 1; k <= std::max(0, (w - lm - 4) / kGridStep); ++k)
        p.fillRect(QRect(lm + kGridStep * k, 1, 1, h - 2), siatkaColor_);
    for (int k = 1; k <= std::max(0, (h - 4) / kGridStep); ++k)
        p.fillRect(QRect(lm + 1, kGridStep * k, w - lm - 2, 1), siatkaColor_);
    backgroundValid_ = true;
}

void WykresCore::DrawBackground()
{
    if (!backgroundValid_ || background_.size() != image_.size()) {
        BuildBackground();
        image_ = background_.copy();
        drawn_.clear();
        drawnArea_ = QRect();
        markerAreas_.clear();
        changed_ = image_.rect();
        return;
    }
    // Only the pixels drawn since the last background differ from it.
    const qsizetype stride = image_.bytesPerLine();
    uchar *const dst = image_.bits();
    const uchar *const src = background_.constBits();
    for (const QPoint &pt : drawn_) {
        const qsizetype offset = pt.y() * stride + pt.x() * qsizetype(sizeof(QRgb));
        *reinterpret_cast<QRgb *>(dst + offset) = *reinterpret_cast<const QRgb *>(src + offset);
    }
    changed_ |= drawnArea_;
    for (const QRect &r : markerAreas_) {
        changed_ |= r;
        for (int row = r.top(); row <= r.bottom(); ++row) {
            const qsizetype offset = row * stride + r.left() * qsizetype(sizeof(QRgb));
            std::memcpy(dst + offset, src + offset, std::size_t(r.width()) * sizeof(QRgb));
        }
    }
    drawn_.clear();
    drawnArea_ = QRect();
    markerAreas_.clear();
}

QRect WykresCore::TakeChangedArea()
{
    return std::exchange(changed_, QRect());
}

void WykresCore::DrawOverMarker()
{
    const int w = width();
    marker_ = {QPoint(w - 18, 12), QPoint(w - 6, 12), QPoint(w - 12, 6)};
    DrawMarker(marker_);
}

void WykresCore::DrawUnderMarker()
{
    const int w = width();
    const int h = height();
    marker_ = {QPoint(w - 18, h - 12), QPoint(w - 6, h - 12), QPoint(w - 12, h - 6)};
    DrawMarker(marker_);
}

void WykresCore::DrawMarker(const std::array<QPoint, 3> &triangle)
{
    {
        QPainter p(&image_);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(Qt::black, 0));
        p.setBrush(color_);
        p.drawPolygon(triangle.data(), int(triangle.size()));
    }
    const QRect area = QPolygon({triangle[0], triangle[1], triangle[2]})
                           .boundingRect()
                           .adjusted(-1, -1, 1, 1)
                           .intersected(image_.rect());
    if (!area.isEmpty()) {
        markerAreas_.push_back(area);
        changed_ |= area;
    }
}

void WykresCore::setColorIn(const QColor &c)
{
    colorIn_ = c;
    backgroundValid_ = false;
}

void WykresCore::setSiatkaColor(const QColor &c)
{
    siatkaColor_ = c;
    backgroundValid_ = false;
}
