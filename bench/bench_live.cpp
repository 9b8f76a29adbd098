// The whole per-frame path of the live display: a receive event's bytes assembled into a
// frame, decoded, run through the processing chain, shown in the labels and added to the
// chart (redrawn into its image). The meter's line delivers a frame every 7.29 ms at most.
#include "app/MainWin.h"
#include "files/DataFile.h"
#include "files/RecoveryJournal.h"
#include "measure/FrameAssembler.h"
#include "measure/ResultFrame.h"
#include "measure/ResultText.h"
#include "measure/Wykres.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
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

// One frame through the path; record: handed over to the recording, as the receive handler
// does with every result.
void OneFrame(TMainWin &win, FrameAssembler &assembler, const ResultFrameBytes &bytes, bool record)
{
    const auto frame = assembler.Feed(bytes.data(), bytes.size());
    const DecodedResult result = DecodeResultFrame(*frame);
    const double filtered = win.ShowResult(result);
    benchmark::DoNotOptimize(filtered);
    if (record)
        win.RecordResult(
            PadLeadingMinus(FormatResult(result.decimalClass, filtered)), result.unitText);
    win.ApplyDisplay(); // the labels of every frame, as at a slow frame rate
    benchmark::DoNotOptimize(win.Wykres1->image()); // the chart's picture, as painting draws it
}

void PerFramePath(benchmark::State &state, bool filter)
{
    TMainWin win;
    win.filtr->setChecked(filter);
    FrameAssembler assembler;
    const std::vector<ResultFrameBytes> frames = noisyFrames(4096);
    std::size_t i = 0;
    for (auto _ : state)
        OneFrame(win, assembler, frames[i++ % frames.size()], false);
    state.SetLabel("us per frame; line period 7290 us");
}

// The same path while recording every result, with the recovery journal on or off. The event
// loop runs every 64 frames (half a second of the line), as it would between receive events:
// the journal's timer hands its buffer to its writing thread there.
void PerFrameRecording(benchmark::State &state, bool journal)
{
    QTemporaryDir dir;
    TMainWin win;
    win.JournalFolder = journal ? dir.filePath(QStringLiteral("journals")) : QString();
    win.Questions.recordingStep = [] { return 1; };
    win.Questions.saveDataFile = [&] { return dir.filePath(QStringLiteral("rec.N3D")); };
    win.findChild<QPushButton *>(QStringLiteral("S_Zapisz"))->click();
    FrameAssembler assembler;
    const std::vector<ResultFrameBytes> frames = noisyFrames(4096);
    std::size_t i = 0;
    for (auto _ : state) {
        OneFrame(win, assembler, frames[i++ % frames.size()], true);
        if (i % 64 == 0)
            QCoreApplication::processEvents();
    }
    state.SetLabel("us per frame while recording; line period 7290 us");
}

void BM_PerFrameRecording(benchmark::State &state)
{
    PerFrameRecording(state, false);
}
void BM_PerFrameRecordingJournal(benchmark::State &state)
{
    PerFrameRecording(state, true);
}

// A full store's journal: appended, written and forced to the disk; its size in bytes.
void BM_JournalOfFullStore(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString text = QStringLiteral("  - 1.50");
    qint64 size = 0;
    for (auto _ : state) {
        RecoveryJournal journal;
        journal.Create(dir.path(), {dir.filePath(QStringLiteral("pomiar.N3D")), 1, {}});
        for (int n = 0; n < MaxDataFileResults; ++n)
            journal.Append(text, {1733713627123 + n * 7, 3600, " mT"});
        journal.FlushNow();
        size = QFileInfo(journal.Path()).size();
        journal.Remove();
    }
    state.counters["bytes"] = double(size);
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
// Fewer frames than a store holds: the full store would stop the recording.
BENCHMARK(BM_PerFrameRecording)->Unit(benchmark::kMicrosecond)->Iterations(40000)->Repetitions(3);
BENCHMARK(BM_PerFrameRecordingJournal)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(40000)
    ->Repetitions(3);
BENCHMARK(BM_JournalOfFullStore)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
