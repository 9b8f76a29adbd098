// Cost of the receive path per result frame: the assembler fed one whole frame per event,
// fed a stream cut in odd sizes, and the decoding of a frame.
#include "measure/FrameAssembler.h"
#include "measure/ResultFrame.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {
std::vector<uint8_t> FrameStream(int frames)
{
    std::vector<uint8_t> stream;
    for (int i = 0; i < frames; ++i) {
        const ResultFrameBytes f
            = MakeResultFrame(static_cast<uint8_t>(i & 0x0F), 234, static_cast<int16_t>(i * 7));
        stream.insert(stream.end(), f.begin(), f.end());
    }
    return stream;
}

void WholeFramesOnePerEvent(benchmark::State &state)
{
    const std::vector<uint8_t> stream = FrameStream(1024);
    FrameAssembler assembler;
    std::size_t pos = 0;
    int64_t frames = 0;
    for (auto _ : state) {
        auto frame = assembler.Feed(stream.data() + pos, FrameAssembler::kFrameSize);
        benchmark::DoNotOptimize(frame);
        frames += frame.has_value();
        pos = (pos + FrameAssembler::kFrameSize) % stream.size();
    }
    state.counters["ns/frame"] = benchmark::Counter(
        double(frames), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(frames);
}
BENCHMARK(WholeFramesOnePerEvent);

void OddChunks(benchmark::State &state)
{
    // Event sizes that never line up with frames; on average just under a frame per event,
    // so no backlog builds and every frame is taken.
    static constexpr std::size_t kSizes[] = {3, 5, 1, 9, 4, 11, 2, 6, 13, 5};
    const std::vector<uint8_t> stream = FrameStream(1024);
    FrameAssembler assembler;
    std::size_t pos = 0;
    std::size_t next = 0;
    int64_t frames = 0;
    for (auto _ : state) {
        const std::size_t n = std::min(kSizes[next], stream.size() - pos);
        next = (next + 1) % std::size(kSizes);
        auto frame = assembler.Feed(stream.data() + pos, n);
        benchmark::DoNotOptimize(frame);
        frames += frame.has_value();
        pos += n;
        if (pos == stream.size())
            pos = 0;
    }
    state.counters["ns/frame"] = benchmark::Counter(
        double(frames), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(frames);
}
BENCHMARK(OddChunks);

void Decode(benchmark::State &state)
{
    const std::vector<uint8_t> stream = FrameStream(64);
    std::vector<ResultFrameBytes> frames(64);
    for (std::size_t i = 0; i < frames.size(); ++i)
        std::copy_n(stream.begin() + long(i * 7), 7, frames[i].begin());
    std::size_t i = 0;
    for (auto _ : state) {
        DecodedResult r = DecodeResultFrame(frames[i]);
        benchmark::DoNotOptimize(r);
        i = (i + 1) % frames.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Decode);
} // namespace

BENCHMARK_MAIN();
