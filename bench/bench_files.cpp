// Opening a full data file of 65535 results: reading the file, the filtered series, and the
// first redraw of the chart. Exporting a full recording of 65535 results to CSV.
#include "files/DataFile.h"
#include "files/ResultsCsv.h"
#include "measure/ResultText.h"
#include "measure/StoredSeries.h"
#include "measure/WykresCore.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {
void BM_OpenFullDataFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.N3D"));
    QStringList lines;
    for (int i = 0; i < MaxDataFileResults; ++i)
        lines.append(PadLeadingMinus(FormatResult(0, 50.0 * std::sin(i * 0.01))));
    WriteDataFile(path, lines);

    WykresCore chart(529, 217);
    chart.setSkala(20.0);
    for (auto _ : state) {
        const DataFileContents contents = ReadDataFile(path);
        double filterState = 0.0;
        const std::vector<double> series = RefilterStored(contents.lines, 0.05, filterState);
        RedrawStored(chart, series, 1);
        benchmark::DoNotOptimize(chart.image().constBits());
    }
}

// The CSV text of a full store with its times and units, and the file written as a whole.
void BM_ExportFullRecordingCsv(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.csv"));
    QStringList texts;
    std::vector<ResultStamp> stamps;
    const ResultStamp start = StampNow(" mT");
    for (int i = 0; i < MaxDataFileResults; ++i) {
        texts.append(PadLeadingMinus(FormatResult(0, 50.0 * std::sin(i * 0.01))));
        stamps.push_back({start.msecsSinceEpoch + i * 8, start.utcOffsetSeconds, " mT"});
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteResultsCsv(path, texts, stamps));
}
} // namespace

BENCHMARK(BM_OpenFullDataFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportFullRecordingCsv)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
