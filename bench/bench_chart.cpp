// Cost of the strip chart: one new point on a full ring of the main window's chart, and the
// reload of a whole stored series.
#include "measure/StoredSeries.h"
#include "measure/WykresCore.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {
constexpr int kW = 529;
constexpr int kH = 217;
constexpr int kSeries = 65535;

double wave(int i)
{
    return std::sin(i * 0.013) * 5.0 + std::sin(i * 0.7) * 0.3;
}

// The test signal, computed once so that the loops time the chart alone.
const std::vector<double> &signal()
{
    static const std::vector<double> values = [] {
        std::vector<double> v;
        for (int i = 0; i < kSeries; ++i)
            v.push_back(wave(i));
        return v;
    }();
    return values;
}

double at(int i)
{
    return signal()[std::size_t(i % kSeries)];
}

WykresCore fullChart()
{
    WykresCore c(kW, kH);
    c.setMax(0.1);
    c.setSkala(20.0);
    for (int i = 0; i < c.RingLength(); ++i)
        c.AddPoint(at(i));
    return c;
}

// Autoscaled, every point drawn: range, background and 527 pixels.
void BM_AddPointFullRing(benchmark::State &state)
{
    WykresCore c = fullChart();
    int i = 0;
    for (auto _ : state) {
        c.AddPoint(at(i++));
        benchmark::DoNotOptimize(c.image().constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AddPointFullRing)->Unit(benchmark::kMicrosecond);

// Manual range that the trace keeps leaving, so that most pictures carry a marker.
void BM_AddPointFullRingWithMarker(benchmark::State &state)
{
    WykresCore c = fullChart();
    c.setAutoSkala(false);
    c.SetRange(2.0, -2.0);
    int i = 0;
    for (auto _ : state) {
        c.AddPoint(at(i++));
        benchmark::DoNotOptimize(c.image().constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AddPointFullRingWithMarker)->Unit(benchmark::kMicrosecond);

// A whole series of 65535 points through the chart, drawn only at the end.
void BM_BulkReload65535(benchmark::State &state)
{
    WykresCore c = fullChart();
    for (auto _ : state) {
        c.Clear();
        c.setAutoSkala(false);
        c.setMax(c.Min() + 0.0001);
        for (int i = 1; i < kSeries; ++i)
            c.StorePoint(at(i));
        c.setAutoSkala(true);
        c.AddPoint(at(kSeries - 1));
        benchmark::DoNotOptimize(c.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * kSeries);
}
BENCHMARK(BM_BulkReload65535)->Unit(benchmark::kMicrosecond);

// Refiltering 65535 stored texts and redrawing the window at the end of the series.
void BM_RefilterAndRedrawStored65535(benchmark::State &state)
{
    QStringList wyniki;
    for (int i = 1; i <= kSeries; ++i)
        wyniki.append(QString::number(wave(i), 'f', 2).rightJustified(7, u' '));
    WykresCore c = fullChart();
    double filterState = 0.0;
    for (auto _ : state) {
        const std::vector<double> series = RefilterStored(wyniki, 0.05, filterState);
        RedrawStored(c, series, kSeries - kW + 1);
        benchmark::DoNotOptimize(c.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * kSeries);
}
BENCHMARK(BM_RefilterAndRedrawStored65535)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
