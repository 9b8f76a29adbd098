#pragma once
// The wizard's chart kChart1: six series addressed by index (three point series with circle
// markers, three lines), each filled with points that carry a label text and a colour, on
// axes that fit all points unless the user zoomed in with the rubber band. A double click
// undoes the zoom.
//
// Qt Charts has no per-point label text: the labels are painted by one item on the chart's
// scene, at each point's position mapped anew at every paint, so they stay at their points
// whatever the chart's size and zoom.
#include <QChartView>
#include <QColor>
#include <QList>
#include <QPointF>
#include <QStringList>
#include <array>

class QAbstractAxis;
class QValueAxis;
class QXYSeries;
class PointLabels;

class ChartView : public QChartView {
    Q_OBJECT
public:
    static constexpr int kSeries = 6;

    explicit ChartView(QWidget *parent = nullptr);

    QXYSeries *Series(int index) const { return series_[std::size_t(index)]; }
    // Empties series `index` and its labels.
    void ClearSeries(int index);
    // Series `index` gets the points in place of the ones it had, with their labels (blank
    // ones are not drawn; fewer labels than points leave the rest unlabelled), all in one
    // colour: the series' own, so no point needs a colour of its own.
    void FillSeries(
        int index, const QList<QPointF> &points, const QStringList &labels, const QColor &colour);
    const QStringList &Labels(int index) const;

    QValueAxis *AxisX() const { return axisX_; }
    QValueAxis *AxisY() const { return axisY_; }
    // True from a rubber-band zoom until the double click that undoes it.
    bool Zoomed() const { return zoomed_; }
    // The axes fitted to every point of every series, unless zoomed.
    void FitAxes();
    // Undoes any zoom: the axes fit the points again.
    void ResetZoom();

signals:
    void DoubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    std::array<QXYSeries *, kSeries> series_ {};
    QValueAxis *axisX_ = nullptr;
    QValueAxis *axisY_ = nullptr;
    PointLabels *pointLabels_ = nullptr;
    bool zoomed_ = false;
};
