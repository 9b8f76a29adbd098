// The whole per-frame path of the live display: a receive event's bytes assembled into
// frames, decoded, run through the processing chain (and the recording step while recording),
// shown in the labels and added to the chart (redrawn into its image). The meter's line
// delivers a frame every 7.29 ms at most; a USB serial adapter hands over two or three at once.
//
// PerFrameOneStep is the receive path that took at most one frame per event (FrameAssembler's
// Feed), ReceiveEvent the one that takes every frame of an event (ReadEvent), with 1 or 3
// frames per event; the last argument is 1 while recording. CatchUpStall is the one pass that
// digests what piles up while the program is stalled for 5 s at the line's full rate.
// RecordingJournal records through the recording button, with the recovery journal off (0) or
// on (1), 1 or 3 frames per event, the event loop run every 64 frames as between receive
// events (the journal's timer hands its buffer to its writing thread there); JournalOfFullStore
// is a full store's journal, appended, written and forced to the disk, and its size.
#include "app/MainWin.h"
#include "files/DataFile.h"
#include "files/RecoveryJournal.h"
#include "measure/FrameAssembler.h"
#include "measure/ResultFrame.h"
#include "measure/Wykres.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstring>
#include <vector>

namespace {
// 4095 frames: whole events of 1 and of 3 frames take the stream round without a seam.
constexpr int kStreamFrames = 4095;
// 5 s at 9600 bit/s and 10 bits a byte, 7 bytes a frame.
constexpr int kStallFrames = 5 * 9600 / 70;

std::vector<uint8_t> noisyStream(int count)
{
    std::vector<uint8_t> bytes;
    for (int i = 0; i < count; ++i) {
        const auto raw = static_cast<int16_t>(1234 + std::lround(50 * std::sin(i * 0.05)));
        const ResultFrameBytes frame = MakeResultFrame(0, int16_t(230 + i % 7), raw);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    return bytes;
}

// The stream as a port would give it, round and round.
struct StreamPort {
    std::vector<uint8_t> bytes;
    std::size_t pos = 0;
    std::size_t Read(uint8_t *to, std::size_t count)
    {
        for (std::size_t done = 0; done < count;) {
            const std::size_t n = std::min(count - done, bytes.size() - pos);
            std::memcpy(to + done, bytes.data() + pos, n);
            done += n;
            pos = (pos + n) % bytes.size();
        }
        return count;
    }
};

// A window whose recording, when on, keeps every result and never fills up.
struct Window {
    explicit Window(bool recording)
        : recording(recording)
    {
        if (recording)
            win.Recorder.Start(1);
    }
    void KeepRecording()
    {
        if (recording && win.LiczbaWynikow() > 60000)
            win.Recorder.Start(1);
    }
    void Show()
    {
        win.ApplyDisplay(); // the labels of every event, as at a slow event rate
        benchmark::DoNotOptimize(win.Wykres1->image()); // the chart's picture, as painting draws it
    }
    TMainWin win;
    bool recording;
};

// CPU seconds per frame, shown as "7.3u" for 7.3 us.
void SetPerFrame(benchmark::State &state, int64_t frames)
{
    state.counters["per_frame"] = benchmark::Counter(
        double(frames), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_PerFrameOneStep(benchmark::State &state)
{
    Window w(state.range(0) != 0);
    const std::vector<uint8_t> stream = noisyStream(kStreamFrames);
    FrameAssembler assembler;
    std::size_t pos = 0;
    for (auto _ : state) {
        const auto frame = assembler.Feed(stream.data() + pos, FrameAssembler::kFrameSize);
        pos = (pos + FrameAssembler::kFrameSize) % stream.size();
        w.win.ProcessFrames(std::span(&*frame, 1));
        w.KeepRecording();
        w.Show();
    }
    SetPerFrame(state, state.iterations());
}

// Events of perEvent whole frames each, through the window's receive step.
void ReceiveEvents(benchmark::State &state, std::size_t perEvent, bool recording)
{
    Window w(recording);
    StreamPort port {noisyStream(kStreamFrames)};
    const auto read = [&](uint8_t *to, std::size_t n) { return port.Read(to, n); };
    FrameAssembler assembler;
    std::vector<ResultFrameBytes> frames;
    for (auto _ : state) {
        frames.clear();
        assembler.ReadEvent(perEvent * FrameAssembler::kFrameSize, read, frames);
        w.win.ProcessFrames(frames);
        w.KeepRecording();
        w.Show();
    }
    SetPerFrame(state, state.iterations() * int64_t(perEvent));
}

void BM_ReceiveEvent(benchmark::State &state)
{
    ReceiveEvents(state, std::size_t(state.range(0)), state.range(1) != 0);
}

void BM_CatchUpStall(benchmark::State &state)
{
    ReceiveEvents(state, kStallFrames, state.range(0) != 0);
}
void BM_RecordingJournal(benchmark::State &state)
{
    const auto perEvent = std::size_t(state.range(0));
    QTemporaryDir dir;
    TMainWin win;
    win.JournalFolder = state.range(1) != 0 ? dir.filePath(QStringLiteral("journals")) : QString();
    win.Questions.recordingStep = [] { return 1; };
    win.Questions.saveDataFile = [&] { return dir.filePath(QStringLiteral("rec.N3D")); };
    win.findChild<QPushButton *>(QStringLiteral("S_Zapisz"))->click();
    StreamPort port {noisyStream(kStreamFrames)};
    const auto read = [&](uint8_t *to, std::size_t n) { return port.Read(to, n); };
    FrameAssembler assembler;
    std::vector<ResultFrameBytes> frames;
    std::size_t done = 0;
    for (auto _ : state) {
        frames.clear();
        assembler.ReadEvent(perEvent * FrameAssembler::kFrameSize, read, frames);
        win.ProcessFrames(frames);
        win.ApplyDisplay();
        benchmark::DoNotOptimize(win.Wykres1->image());
        if ((done += perEvent) % 64 < perEvent)
            QCoreApplication::processEvents();
    }
    SetPerFrame(state, state.iterations() * int64_t(perEvent));
}

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
} // namespace

BENCHMARK(BM_RecordingJournal)
    ->ArgNames({"frames", "journal"})
    ->ArgsProduct({{1, 3}, {0, 1}})
    ->Iterations(40000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JournalOfFullStore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PerFrameOneStep)->ArgName("recording")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReceiveEvent)
    ->ArgNames({"frames", "recording"})
    ->ArgsProduct({{1, 3}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CatchUpStall)->ArgName("recording")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
