#pragma once
// The wizard's search for the gain register value that makes the meter read its target: a
// bisection over the 16-bit register with the meter's live reading as feedback, the reading
// assumed to grow with the gain.
//
// Each step tries the middle of the interval left (the first one 16384) and takes the reading
// the meter gives with it: a reading above the target keeps the lower half, below it the upper
// half. The search ends
//  - when a reading equals the target exactly (Hit);
//  - when a reading moved by less than the tolerance since the previous step (Settled); the
//    first step compares with -1.0, so a first reading within the tolerance of -1.0 ends it;
//  - after kMaxSteps steps (Exhausted).
// The result is the last value tried, which is where the meter's register is left.
#include <optional>

class GainSearch {
public:
    static constexpr int kMaxSteps = 20;
    enum class Outcome { Continue, Hit, Settled, Exhausted };

    // Tolerance of a range: 0.1 in the fine ranges DC1 and AC1 (0, 2), 1.0 in DC2 and AC2.
    explicit GainSearch(int range);

    // The value of the next step, counted as done; empty once the search has ended.
    std::optional<int> Next();
    // The reading the meter gives with the value of the current step.
    Outcome Take(double reading, double target);

    bool Ended() const { return ended_; }
    int Steps() const { return steps_; }
    // The last value tried, -1 before the first step.
    int LastValue() const { return mid_; }
    double Tolerance() const { return tolerance_; }

private:
    int lo_ = 0;
    int hi_ = 32768;
    int mid_ = -1;
    int steps_ = 0;
    double tolerance_;
    double previous_ = -1.0;
    bool ended_ = false;
};
