#pragma once
// TWykres: the program's strip chart control. It owns the drawing core and shows its picture;
// every operation that draws schedules a repaint.
//
// Live points change a few hundred pixels of the picture per screen update, scattered over
// most of it. Where the window's backing store keeps its picture between paints (xcb, Windows,
// offscreen) a paint that only shows such changes writes just those pixels into the backing
// store; every other paint (the first, a resize, another widget's, grab()) copies the area.
#include "measure/WykresCore.h"

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <vector>

class TWykres : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double Max READ Max WRITE setMax)
    Q_PROPERTY(double Min READ Min WRITE setMin)
    Q_PROPERTY(int Ilosc READ Ilosc)
    Q_PROPERTY(bool AutoSkala READ AutoSkala WRITE setAutoSkala)
    Q_PROPERTY(double Skala READ Skala WRITE setSkala)
    Q_PROPERTY(QColor ColorOut READ ColorOut WRITE setColorOut)
    Q_PROPERTY(QColor ColorIn READ ColorIn WRITE setColorIn)
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(QColor SiatkaColor READ SiatkaColor WRITE setSiatkaColor)

public:
    explicit TWykres(QWidget *parent = nullptr);

    void AddPoint(double x);
    // Appends as AddPoint does, but draws the picture only when the control is next painted or
    // its image is asked for, and schedules no repaint: for a caller that adds points faster
    // than the screen shows them and updates the control itself.
    void AddPointForNextPaint(double x);
    bool HasPointsForNextPaint() const { return pending_; }
    // Draws the points added for the next paint now and schedules a repaint of only the part
    // of the picture they changed.
    void ShowPointsForNextPaint();
    // Appends without drawing; the next AddPoint draws everything (series reload).
    void StorePoint(double x);
    void Clear();
    void SetRange(double top, double bottom);
    void Redraw(double top, double bottom);

    double Max() const { return core_.Max(); }
    void setMax(double v) { core_.setMax(v); }
    double Min() const { return core_.Min(); }
    void setMin(double v) { core_.setMin(v); }
    int Ilosc() const { return core_.Ilosc(); }
    int WritePos() const { return core_.WritePos(); }
    bool AutoSkala() const { return core_.AutoSkala(); }
    void setAutoSkala(bool on) { core_.setAutoSkala(on); }
    double Skala() const { return core_.Skala(); }
    void setSkala(double v) { core_.setSkala(v); }
    QColor ColorOut() const { return core_.ColorOut(); }
    void setColorOut(const QColor &c) { core_.setColorOut(c); }
    QColor ColorIn() const { return core_.ColorIn(); }
    void setColorIn(const QColor &c) { core_.setColorIn(c); }
    QColor Color() const { return core_.Color(); }
    void setColor(const QColor &c) { core_.setColor(c); }
    QColor SiatkaColor() const { return core_.SiatkaColor(); }
    void setSiatkaColor(const QColor &c) { core_.setSiatkaColor(c); }

    // The picture as it is shown, of the control's current size.
    const QImage &image();
    // The core, with its picture drawn, for the internal drawing steps; call update() after
    // drawing through it.
    WykresCore &core();

    QSize sizeHint() const override { return QSize(529, 217); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // What the backing store showed of the picture after the last paint into it that left
    // nothing to show.
    struct Shown {
        bool valid = false;
        unsigned generation = 0; // the core's background, new with every size
        std::vector<QPoint> pixels; // the plotted pixels
        std::vector<QRect> markers;
    };

    // update() of an area whose picture this control changed.
    void requestPaint(const QRect &area);
    // The backing store's picture when the painter paints into it at a whole-pixel offset
    // (put in offset) in a format of 32-bit opaque pixels, else null.
    QImage *storePicture(QPainter &painter, QPoint &offset) const;
    // Copies into the backing store the pixels where the picture differs from shown_, and the
    // picture under the children within area.
    void paintChangesOnly(QPainter &painter, QImage &store, QPoint offset, const QRegion &area);
    void followSize();
    // Draws the points added for the next paint, if any.
    void drawPending();

    WykresCore core_;
    bool pending_ = false;
    const bool storeKeepsPicture_;
    Shown shown_;
    // Where the backing store may differ from the picture: the areas changed and not yet
    // painted into it, and those whose content is not known (not reached by a paint, or
    // painted without keeping account).
    QRegion unshown_;
    QRegion unknown_;
};

// Draws the stored series into the chart from index start (see StoredSeries.h) and repaints.
void RedrawStored(TWykres &chart, const std::vector<double> &storedSeries, int start);
