#include "measure/StoredSeries.h"

#include "measure/WykresCore.h"

#include <algorithm>
#include <cmath>
#include <limits>

double ParseStoredNumber(const QString &text)
{
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace())
            compact.append(c);
    }
    bool ok = false;
    // QString::toDouble always reads the C format, never the locale's.
    const double x = compact.toDouble(&ok);
    return ok && std::isfinite(x) ? x : 0.0;
}

namespace {
// One step of the filter, x - retention * (x - state), kept finite: the difference of two huge
// values of opposite sign overflows although the result need not, so the step is then taken
// as the weighted sum it equals; a result beyond what a double holds (a retention above 1 lets
// the filter grow) stays at the largest double of its sign.
double FilterStep(double x, double state, double retention)
{
    const double next = x - retention * (x - state);
    if (std::isfinite(next))
        return next;
    const double weighted = (1.0 - retention) * x + retention * state;
    if (std::isfinite(weighted))
        return weighted;
    if (std::isnan(weighted))
        return x;
    return std::copysign(std::numeric_limits<double>::max(), weighted);
}
} // namespace

std::vector<double> RefilterStored(const QStringList &wyniki, double filterTau, double &filterState)
{
    std::vector<double> series;
    if (wyniki.isEmpty())
        return series;
    series.reserve(std::size_t(wyniki.size()));
    const double retention = std::exp(-filterTau);
    double state = ParseStoredNumber(wyniki.front());
    for (const QString &text : wyniki) {
        const double x = ParseStoredNumber(text);
        state = FilterStep(x, state, retention);
        series.push_back(state);
    }
    filterState = state;
    return series;
}

StoredRedrawRange RedrawStoredRange(int liczbaWynikow, int start, int chartWidth)
{
    if (liczbaWynikow <= 0)
        return {};
    start = std::clamp(start, 1, liczbaWynikow);
    const int n = liczbaWynikow - start;
    const int w = chartWidth - 2;
    // From the first entry (the only start the track bar gives when the series fits) this is
    // entry n = count - 1; from a later start it stays the same count - 1, and never comes
    // before start: with one entry left only that entry is drawn.
    const int last = n > w ? start + w : std::max(liczbaWynikow - 1, start);
    return {start, last};
}

void RedrawStored(WykresCore &chart, const std::vector<double> &storedSeries, int start)
{
    chart.Clear();
    const StoredRedrawRange range
        = RedrawStoredRange(int(storedSeries.size()), start, chart.width());
    if (range.empty())
        return;
    const bool autoSkala = chart.AutoSkala();
    if (autoSkala) {
        chart.setAutoSkala(false);
        chart.setMax(chart.Min() + 0.0001);
    }
    for (int i = range.first; i < range.last; ++i)
        chart.StorePoint(storedSeries[std::size_t(i - 1)]);
    chart.setAutoSkala(autoSkala);
    chart.AddPoint(storedSeries[std::size_t(range.last - 1)]);
}
