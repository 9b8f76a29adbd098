#pragma once
// Drawing core of the strip chart TWykres: a ring of values, one per pixel column, drawn as
// single pixels over a fixed 20-pixel grid into a QImage of the control's size. No widgets here;
// the control TWykres shows the image.
#include "core/Colours.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <array>
#include <vector>

class WykresCore {
public:
    // Size of the point store; the ring never holds more, whatever the width.
    static constexpr int kCapacity = 2000;

    WykresCore(int width, int height);

    // Takes a new control size. The newest points that still fit stay, in their order, and the
    // picture is drawn anew.
    void Resize(int width, int height);
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    // Number of points shown: width - LeftMargin - 2, kept within 1 ... kCapacity.
    int RingLength() const { return ringLength_; }

    // Appends x and redraws the whole plot. The range arithmetic stays finite whatever the
    // values: an infinity is kept as the largest double of its sign, and a value that is no
    // number is left out of the range and never drawn.
    void AddPoint(double x);
    // Appends x exactly as AddPoint does (same ring and range), but leaves the picture alone;
    // the next AddPoint or Redraw draws everything. For reloading a whole series.
    void StorePoint(double x);
    // Forgets all points and draws the empty background.
    void Clear();
    // Manual range; ignored while AutoSkala is on.
    void SetRange(double top, double bottom);

    // Max/Min from the ring (point 1 +/- 0.0001, widened by every point).
    void RecomputeRange();
    // Background, grid, the points between bottom and top, and the out-of-range marker.
    void Redraw(double top, double bottom);
    // The picture AddPoint ends with: the range (from the points, with head-room, while
    // AutoSkala is on) and Redraw.
    void DrawCurrent();
    void DrawBackground();
    void DrawOverMarker();
    void DrawUnderMarker();

    double Min() const { return min_; }
    void setMin(double v) { min_ = v; }
    double Max() const { return max_; }
    void setMax(double v) { max_ = v; }
    double Skala() const { return skala_; }
    void setSkala(double v) { skala_ = v; }
    bool AutoSkala() const { return autoSkala_; }
    void setAutoSkala(bool on) { autoSkala_ = on; }
    int Ilosc() const { return ilosc_; }
    int WritePos() const { return writePos_; }
    int LeftMargin() const { return leftMargin_; }
    // Point i of the ring store, i = 1 ... Ilosc (storage order, not display order).
    double Point(int i) const { return points_[static_cast<std::size_t>(i)]; }

    QColor ColorOut() const { return colorOut_; }
    void setColorOut(const QColor &c) { colorOut_ = c; }
    QColor ColorIn() const { return colorIn_; }
    void setColorIn(const QColor &c);
    QColor Color() const { return color_; }
    void setColor(const QColor &c) { color_ = c; }
    QColor SiatkaColor() const { return siatkaColor_; }
    void setSiatkaColor(const QColor &c);

    const QImage &image() const { return image_; }
    // The part of the picture that changed since the last call (empty when none), so that a
    // control shows only that; the whole picture after a resize or a new background.
    QRect TakeChangedArea();
    // Where the picture differs from its background now: the plotted pixels and the markers'
    // rectangles. The background itself changes only when BackgroundGeneration() does.
    const std::vector<QPoint> &DrawnPixels() const { return drawn_; }
    const std::vector<QRect> &MarkerAreas() const { return markerAreas_; }
    unsigned BackgroundGeneration() const { return backgroundGeneration_; }

private:
    void AppendPoint(double x);
    void DrawMarker(const std::array<QPoint, 3> &triangle);
    void BuildBackground();

    // Scratch for the out-of-range triangle.
    std::array<QPoint, 3> marker_ {};
    double min_ = 0.0;
    double max_ = 0.0;
    // Index 0 unused: the ring is numbered 1 ... ringLength_.
    std::array<double, kCapacity + 1> points_ {};
    int ilosc_ = 0;
    int writePos_ = 0;
    int leftMargin_ = 0;
    double skala_ = 0.0;
    bool autoSkala_ = true;
    QColor colorOut_ {240, 240, 240};
    QColor colorIn_ = Colours::kGrey;
    QColor color_ = Colours::kYellow;
    QColor siatkaColor_ {147, 147, 147};

    int ringLength_ = 1;
    QImage image_;
    // Background and grid, drawn once per size and colours; image_ differs from it only in
    // the pixels listed in drawn_ and the rectangles in markerAreas_.
    QImage background_;
    bool backgroundValid_ = false;
    unsigned backgroundGeneration_ = 0;
    std::vector<QPoint> drawn_;
    QRect drawnArea_; // bounds of drawn_
    std::vector<QRect> markerAreas_;
    QRect changed_;
};
