// The whole per-frame path of the live display: a receive event's bytes assembled into a
// frame, decoded, run through the processing chain, shown in the labels and added to the
// chart (redrawn into its image). The meter's line delivers a frame every 7.29 ms at most.
#include "app/MainWin.h"
#include "measure/FrameAssembler.h"
#include "measure/ResultFrame.h"
#include "measure/Wykres.h"

#include <QApplication>
#include <QCheckBox>
#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {
std::vector<ResultFrameBytes> noisyFrames(int count)
{
    std::vector<ResultFrameBytes> frames;
    for (int i = 0; i < count; ++i) {
        const auto raw = static_cast<int16_t>(1234 + std::lround(50 * std::sin(i * 0.05)));
        frames.push_back(MakeResultFrame(0, int16_t(230 + i % 7), raw));
    }
    return frames;
}

void PerFramePath(benchmark::State &state, bool filter)
{
    TMainWin win;
    win.filtr->setChecked(filter);
    FrameAssembler assembler;
    const std::vector<ResultFrameBytes> frames = noisyFrames(4096);
    std::size_t i = 0;
    for (auto _ : state) {
        const ResultFrameBytes &bytes = frames[i++ % frames.size()];
        const auto frame = assembler.Feed(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(win.ShowResult(DecodeResultFrame(*frame)));
        win.ApplyDisplay(); // the labels of every frame, as at a slow frame rate
        benchmark::DoNotOptimize(win.Wykres1->image()); // the chart's picture, as painting draws it
    }
    state.SetLabel("us per frame; line period 7290 us");
}

void BM_PerFramePath(benchmark::State &state)
{
    PerFramePath(state, false);
}
void BM_PerFramePathFiltered(benchmark::State &state)
{
    PerFramePath(state, true);
}
} // namespace

BENCHMARK(BM_PerFramePath)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PerFramePathFiltered)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
