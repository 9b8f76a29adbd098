#pragma once
// TWykres: the program's strip chart control. It owns the drawing core and shows its picture;
// every operation that draws schedules a repaint.
#include "measure/WykresCore.h"

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
    void followSize();
    // Draws the points added for the next paint, if any.
    void drawPending();

    WykresCore core_;
    bool pending_ = false;
};

// Draws the stored series into the chart from index start (see StoredSeries.h) and repaints.
void RedrawStored(TWykres &chart, const std::vector<double> &storedSeries, int start);
