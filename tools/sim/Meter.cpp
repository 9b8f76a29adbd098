#include "Meter.h"

#include "measure/ResultFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {
// Faults come with every tenth frame; bursts and garbage at different frames.
constexpr uint64_t kFaultEvery = 10;
constexpr auto kMaxSplitPause = std::chrono::milliseconds(20);
constexpr auto kMaxLag = std::chrono::milliseconds(100);
constexpr int kDefaultGain = 10000;

double Seconds(SimClock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Counts of the raw word per displayed unit in a decimal class.
double CountsPerUnit(int decimalClass)
{
    return decimalClass == 0 ? 100 : decimalClass == 1 ? 10 : 1;
}

// Raw counts for a displayed value. In the coarser classes the meter's scale ends at its
// over-range mark +-10000 (shown tripled); the finest class uses the whole 16-bit word.
int16_t RawCounts(double shown, int decimalClass)
{
    const double limit = decimalClass == 0 ? 32767 : 10000;
    const double raw
        = std::clamp(std::nearbyint(shown * CountsPerUnit(decimalClass)), -limit, limit);
    return static_cast<int16_t>(raw);
}
} // namespace

double WizardScale(const MeterOptions &options)
{
    const uint8_t status = options.unitBits | (options.coarseRange ? StatusBit::CoarseRange : 0);
    return CountsPerUnit(DecimalClass(status)) / (options.coarseRange ? 1 : 10);
}

Meter::Meter(const MeterOptions &options, const FieldModel &field, SimClock::time_point start)
    : options_(options)
    , field_(field)
    , start_(start)
    , interval_(std::chrono::duration_cast<SimClock::duration>(
          std::chrono::duration<double>(1.0 / std::max(options.rate, 0.01))))
    , nextFrame_(start)
    , pendingDue_(start)
    , latency_(std::chrono::milliseconds(options.latencyMs))
    , handOverDue_(start + latency_)
    , random_(options.seed)
    , noise_(0.0, 1.0)
{
    for (int cell : kGainCells)
        cells_[cell] = kDefaultGain;
    stored_ = cells_;
    WriteCellsFile();
}

uint8_t Meter::StatusBits() const
{
    uint8_t status = options_.unitBits;
    if (options_.ac)
        status |= StatusBit::Ac;
    if (options_.coarseRange)
        status |= StatusBit::CoarseRange;
    if (cells_[kAutoPowerOffCell] != 0)
        status |= StatusBit::AutoPowerOff;
    return status;
}

std::vector<uint8_t> Meter::NextFrame(double seconds)
{
    const uint8_t status = StatusBits();
    const int range = 2 * (options_.ac ? 1 : 0) + (options_.coarseRange ? 1 : 0);
    const double gain = cells_[kGainCells[range]];
    double shown = field_.TrueField(seconds) * gain / kDefaultGain;
    if (options_.noise > 0)
        shown += options_.noise * noise_(random_);
    const ResultFrameBytes frame
        = MakeResultFrame(status, options_.temperature, RawCounts(shown, DecimalClass(status)));
    return {frame.begin(), frame.end()};
}

bool Meter::Silent(double seconds) const
{
    if (options_.silentAfter < 0 || seconds < options_.silentAfter)
        return false;
    return options_.silence < 0 || seconds < options_.silentAfter + options_.silence;
}

void Meter::Send(const std::vector<uint8_t> &bytes)
{
    if (latency_ > SimClock::duration::zero()) {
        gathered_.insert(gathered_.end(), bytes.begin(), bytes.end());
        return;
    }
    // Nobody reading and the line full: the rest is lost, as on a real line.
    pty_.Write(bytes.data(), bytes.size());
}

void Meter::SendFrame(SimClock::time_point now)
{
    const double t = Seconds(now - start_);
    ++frames_;
    if (!pending_.empty()) {
        Send(pending_);
        pending_.clear();
    }
    if (options_.garbage > 0 && frames_ % kFaultEvery == 0) {
        // Never 0xAA, so garbage never fakes a header.
        std::vector<uint8_t> garbage(static_cast<std::size_t>(options_.garbage));
        for (uint8_t &b : garbage)
            b = static_cast<uint8_t>(random_() % 0xAA);
        Send(garbage);
    }
    std::vector<uint8_t> bytes = NextFrame(t);
    if (options_.burst > 1 && frames_ % kFaultEvery == kFaultEvery / 2) {
        for (int i = 1; i < options_.burst; ++i) {
            const std::vector<uint8_t> more = NextFrame(t);
            bytes.insert(bytes.end(), more.begin(), more.end());
        }
    }
    if (options_.split) {
        const std::size_t first = 1 + random_() % (bytes.size() - 1);
        pending_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(first), bytes.end());
        bytes.resize(first);
        pendingDue_ = now + std::min<SimClock::duration>(kMaxSplitPause, interval_ / 2);
    }
    Send(bytes);
}

SimClock::time_point Meter::Tick(SimClock::time_point now)
{
    if (!pending_.empty() && pendingDue_ <= now) {
        Send(pending_);
        pending_.clear();
    }
    if (now - nextFrame_ > kMaxLag)
        nextFrame_ = now; // fell far behind (stopped or starved): do not flood the line
    while (nextFrame_ <= now) {
        if (!Silent(Seconds(nextFrame_ - start_)))
            SendFrame(now);
        nextFrame_ += interval_;
    }
    HandOver(now);
    SimClock::time_point next = pending_.empty() ? nextFrame_ : std::min(nextFrame_, pendingDue_);
    if (latency_ > SimClock::duration::zero())
        next = std::min(next, handOverDue_);
    return next;
}

void Meter::HandOver(SimClock::time_point now)
{
    if (latency_ == SimClock::duration::zero() || handOverDue_ > now)
        return;
    if (!gathered_.empty())
        pty_.Write(gathered_.data(), gathered_.size());
    gathered_.clear();
    handOverDue_ += latency_;
    if (handOverDue_ <= now)
        handOverDue_ = now + latency_; // fell behind: the next tick starts now
}

void Meter::OnBytes(const uint8_t *data, std::size_t count, SimClock::time_point)
{
    for (const ReceivedCommand &command : parser_.Feed(data, count))
        Apply(command);
}

void Meter::Apply(const ReceivedCommand &command)
{
    if (command.letter == 'C') {
        cells_[command.address] = command.value;
        std::printf("C %d %d\n", command.address, command.value);
    } else if (command.letter == 'S') {
        stored_ = cells_;
        ++saves_;
        std::printf("S\n");
    } else {
        std::fprintf(stderr, "nerix-sim: ignored command 0x%02X\n",
            static_cast<unsigned>(static_cast<uint8_t>(command.letter)));
        return;
    }
    std::fflush(stdout);
    WriteCellsFile();
}

void Meter::PrintCells(std::FILE *out) const
{
    std::fprintf(out, "saves %llu\n", static_cast<unsigned long long>(saves_));
    for (std::size_t a = 0; a < cells_.size(); ++a) {
        if (cells_[a] != 0 || stored_[a] != 0)
            std::fprintf(out, "cell %zu %d %d\n", a, cells_[a], stored_[a]);
    }
}

void Meter::Dump() const
{
    PrintCells(stdout);
    std::fflush(stdout);
}

void Meter::WriteCellsFile() const
{
    if (options_.cellsFile.empty())
        return;
    // Written aside and renamed, so a reader never sees half a file.
    const std::string temporary = options_.cellsFile + ".tmp";
    std::FILE *out = std::fopen(temporary.c_str(), "w");
    if (!out) {
        std::fprintf(stderr, "nerix-sim: cannot write %s\n", temporary.c_str());
        return;
    }
    PrintCells(out);
    const bool ok = std::fclose(out) == 0;
    if (ok)
        std::rename(temporary.c_str(), options_.cellsFile.c_str());
}
