#include "calib/GainSearch.h"

GainSearch::GainSearch(int range)
    : tolerance_(range == 0 || range == 2 ? 0.1 : 1.0)
{
}

std::optional<int> GainSearch::Next()
{
    if (ended_)
        return std::nullopt;
    ++steps_;
    mid_ = lo_ + (hi_ - lo_) / 2;
    return mid_;
}

GainSearch::Outcome GainSearch::Take(double reading, double target)
{
    if (reading > target)
        hi_ = mid_;
    if (reading < target)
        lo_ = mid_;
    Outcome outcome = Outcome::Continue;
    if (reading == target)
        outcome = Outcome::Hit;
    else if (reading - tolerance_ < previous_ && reading + tolerance_ > previous_)
        outcome = Outcome::Settled;
    else if (steps_ >= kMaxSteps)
        outcome = Outcome::Exhausted;
    previous_ = reading;
    ended_ = outcome != Outcome::Continue;
    return outcome;
}
