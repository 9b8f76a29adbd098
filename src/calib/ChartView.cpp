#include "calib/ChartView.h"
#include "core/Colours.h"

#include <QChart>
#include <QGraphicsItem>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QScatterSeries>
#include <QStaticText>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
struct SeriesLook {
    const char *title;
    bool points;
    QColor colour;
};

using namespace Colours;

const SeriesLook kLooks[ChartView::kSeries] = {
    {"Wzor_punkty", true, kYellow},
    {"Kalibrowany_punkty", true, kLime},
    {"Wzor_Liniowa", false, kYellow},
    {"Kalibrowany_liniowa", false, kLime},
    {"punkty poprawione", true, kAqua},
    {"liniowa poprawiona", false, kAqua},
};

// A circle of radius 2 around the point.
constexpr double kMarkerSize = 5.0;
// Ticks of an axis before they are rounded to nice numbers.
constexpr int kTicks = 6;
// Gap between a point and the baseline of its label.
constexpr double kLabelGap = 4.0;
} // namespace

// The per-point labels, painted over the series. Each text is laid out once when its series
// is filled; positions come from the axes' ranges and the plot area at paint time.
class PointLabels : public QGraphicsItem {
public:
    PointLabels(QChart *chart, const std::array<QXYSeries *, ChartView::kSeries> &series,
        const QValueAxis *x, const QValueAxis *y)
        : QGraphicsItem(chart)
        , chart_(chart)
        , series_(series)
        , x_(x)
        , y_(y)
    {
        setZValue(100);
    }

    const QStringList &texts(int series) const { return texts_[std::size_t(series)]; }

    void setTexts(int series, const QStringList &texts)
    {
        texts_[std::size_t(series)] = texts;
        std::vector<Label> &labels = labels_[std::size_t(series)];
        labels.clear();
        const QFont font = chart_->font();
        for (qsizetype i = 0; i < texts.size(); ++i) {
            if (texts[i].trimmed().isEmpty())
                continue;
            Label label {i, QStaticText(texts[i]), QPointF()};
            label.text.setTextFormat(Qt::PlainText);
            label.text.prepare(QTransform(), font);
            label.offset
                = QPointF(-label.text.size().width() / 2, -kLabelGap - label.text.size().height());
            labels.push_back(std::move(label));
        }
        update();
    }

    // Labels of points near the plot's edges may reach beyond it, into the chart's margins.
    QRectF boundingRect() const override { return chart_->rect(); }

    void refresh()
    {
        prepareGeometryChange();
        update();
    }

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        const QRectF plot = chart_->plotArea();
        const double spanX = x_->max() - x_->min();
        const double spanY = y_->max() - y_->min();
        if (plot.isEmpty() || spanX <= 0 || spanY <= 0)
            return;
        painter->setClipRect(chart_->rect());
        painter->setPen(Qt::black);
        painter->setFont(chart_->font());
        const double sx = plot.width() / spanX;
        const double sy = plot.height() / spanY;
        // A point zoomed out of the plot takes its label with it.
        const QRectF shown = plot.adjusted(-0.5, -0.5, 0.5, 0.5);
        for (std::size_t s = 0; s < series_.size(); ++s) {
            if (labels_[s].empty())
                continue;
            const QList<QPointF> points = series_[s]->points();
            for (const Label &label : labels_[s]) {
                if (label.point >= points.size())
                    break;
                const QPointF &p = points[label.point];
                const QPointF at(plot.left() + (p.x() - x_->min()) * sx,
                    plot.bottom() - (p.y() - y_->min()) * sy);
                if (shown.contains(at))
                    painter->drawStaticText(at + label.offset, label.text);
            }
        }
    }

private:
    struct Label {
        qsizetype point;
        QStaticText text;
        QPointF offset; // of the text's top left corner from its point
    };

    QChart *chart_;
    const std::array<QXYSeries *, ChartView::kSeries> &series_;
    const QValueAxis *x_;
    const QValueAxis *y_;
    std::array<QStringList, ChartView::kSeries> texts_ {};
    std::array<std::vector<Label>, ChartView::kSeries> labels_ {};
};

ChartView::ChartView(QWidget *parent)
    : QChartView(new QChart, parent)
{
    setObjectName(QStringLiteral("kChart1"));
    QChart *c = chart();
    c->legend()->hide();
    c->setBackgroundRoundness(0);
    c->setDropShadowEnabled(false);
    c->setBackgroundBrush(kSilver);
    c->setPlotAreaBackgroundBrush(kGrey);
    c->setPlotAreaBackgroundVisible(true);
    c->layout()->setContentsMargins(0, 0, 0, 0);

    axisX_ = new QValueAxis;
    axisY_ = new QValueAxis;
    for (QValueAxis *axis : {axisX_, axisY_}) {
        axis->setGridLinePen(QPen(kSilver, 1, Qt::SolidLine));
        axis->setMinorTickCount(7);
        axis->setMinorGridLineVisible(false);
        axis->setLabelFormat(QStringLiteral("%.4g"));
    }
    axisY_->setLineVisible(false);
    c->addAxis(axisX_, Qt::AlignBottom);
    c->addAxis(axisY_, Qt::AlignLeft);

    for (int i = 0; i < kSeries; ++i) {
        const SeriesLook &look = kLooks[i];
        QXYSeries *s = nullptr;
        if (look.points) {
            auto *scatter = new QScatterSeries;
            scatter->setMarkerShape(QScatterSeries::MarkerShapeCircle);
            scatter->setMarkerSize(kMarkerSize);
            scatter->setColor(look.colour);
            scatter->setBorderColor(look.colour);
            s = scatter;
        } else {
            auto *line = new QLineSeries;
            line->setPen(QPen(look.colour, 1));
            s = line;
        }
        s->setName(QString::fromLatin1(look.title));
        c->addSeries(s);
        s->attachAxis(axisX_);
        s->attachAxis(axisY_);
        series_[std::size_t(i)] = s;
    }

    pointLabels_ = new PointLabels(c, series_, axisX_, axisY_);
    connect(c, &QChart::plotAreaChanged, this, [this] { pointLabels_->refresh(); });
    connect(axisX_, &QValueAxis::rangeChanged, this, [this] { pointLabels_->refresh(); });
    connect(axisY_, &QValueAxis::rangeChanged, this, [this] { pointLabels_->refresh(); });

    setRubberBand(QChartView::RectangleRubberBand);
    setRenderHint(QPainter::Antialiasing, false);
    FitAxes();
}

void ChartView::ClearSeries(int index)
{
    series_[std::size_t(index)]->clear();
    pointLabels_->setTexts(index, {});
}

void ChartView::FillSeries(
    int index, const QList<QPointF> &points, const QStringList &labels, const QColor &colour)
{
    QXYSeries *s = series_[std::size_t(index)];
    if (auto *scatter = qobject_cast<QScatterSeries *>(s))
        scatter->setBorderColor(colour);
    s->setColor(colour);
    s->replace(points);
    pointLabels_->setTexts(index, labels);
}

void ChartView::FitAxes()
{
    if (zoomed_)
        return;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool any = false;
    for (const QXYSeries *s : series_) {
        for (const QPointF &p : s->points()) {
            if (!any) {
                minX = maxX = p.x();
                minY = maxY = p.y();
                any = true;
                continue;
            }
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
            minY = std::min(minY, p.y());
            maxY = std::max(maxY, p.y());
        }
    }
    const auto fit = [](QValueAxis *axis, double low, double high) {
        if (!std::isfinite(low) || !std::isfinite(high)) {
            low = 0;
            high = 1;
        }
        if (low == high) {
            const double pad = low == 0 ? 1.0 : std::abs(low) * 0.1;
            low -= pad;
            high += pad;
        }
        // The nice numbers depend on the tick count, which they change: start from the same
        // count every time, so that the same points always give the same axes.
        axis->setTickCount(kTicks);
        axis->setRange(low, high);
        axis->applyNiceNumbers();
    };
    fit(axisX_, any ? minX : 0, any ? maxX : 1);
    fit(axisY_, any ? minY : 0, any ? maxY : 1);
}

void ChartView::ResetZoom()
{
    zoomed_ = false;
    FitAxes();
}

void ChartView::mouseReleaseEvent(QMouseEvent *event)
{
    const double x0 = axisX_->min(), x1 = axisX_->max(), y0 = axisY_->min(), y1 = axisY_->max();
    QChartView::mouseReleaseEvent(event);
    if (x0 != axisX_->min() || x1 != axisX_->max() || y0 != axisY_->min() || y1 != axisY_->max())
        zoomed_ = true;
}

void ChartView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QChartView::mouseDoubleClickEvent(event);
    emit DoubleClicked();
}

const QStringList &ChartView::Labels(int index) const
{
    return pointLabels_->texts(index);
}
