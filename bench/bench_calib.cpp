// Cost of the wizard's chart tab with a full sample table (1000 samples): the redraw
// KreslWykresClick alone, the redraw with the picture painted, and the whole evaluation
// chain (fits, grid and chart).
#include "calib/ChartView.h"
#include "calib/Evaluation.h"
#include "calib/KalibracjaWykres.h"
#include "calib/SampleGrid.h"
#include "calib/SampleTable.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {
struct FullTable {
    SampleTable table;
    QWidget owner;
    SampleGrid grid {table, &owner};
    KalibracjaWykres chart {table};

    FullTable()
    {
        for (int i = 1; i <= SampleTable::kCapacity; ++i)
            table.Register(i * 0.1, i * 0.107 + 0.3 * std::sin(i));
        grid.resize(270, 400);
        chart.resize(640, 420);
        owner.show();
        chart.show();
        QApplication::processEvents();
        StartClick(table, grid, chart, &owner);
    }
};

void BM_Redraw(benchmark::State &state)
{
    FullTable f;
    for (auto _ : state)
        f.chart.KreslWykresClick();
    state.SetLabel("1000 samples, series 0-3");
}

void BM_RedrawPainted(benchmark::State &state)
{
    FullTable f;
    ChartView *view = f.chart.kChart1;
    QImage picture(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        f.chart.KreslWykresClick();
        QApplication::processEvents();
        QPainter painter(&picture);
        view->render(&painter);
    }
    state.SetLabel("1000 samples, series 0-3, painted");
}

void BM_EvaluationChain(benchmark::State &state)
{
    FullTable f;
    for (auto _ : state)
        StartClick(f.table, f.grid, f.chart, &f.owner);
    state.SetLabel("1000 samples");
}
} // namespace

BENCHMARK(BM_Redraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawPainted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluationChain)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
