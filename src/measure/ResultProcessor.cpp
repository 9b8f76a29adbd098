#include "measure/ResultProcessor.h"

#include "measure/ResultText.h"
#include "measure/StoredSeries.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {
// Temperature filter restart threshold: 100.0 degrees in tenths.
constexpr double kTempJumpThreshold = 1000.0;
const QString kJumpCaption = QStringLiteral("Maksymalny skok: ");
const QString kDegreeUnit = QStringLiteral("  C");

// One step of the first-order filter with a restart on large jumps.
double FilterStep(double x, double state, double tau, double jumpThreshold)
{
    state = x - std::exp(-tau) * (x - state);
    if (state != 0.0 && std::abs(x - state) > jumpThreshold)
        state = x;
    return state;
}
} // namespace

ResultProcessor::ResultProcessor(std::function<QString()> noProbeText)
    : noProbeText_(std::move(noProbeText))
{
}

ResultDisplay ResultProcessor::ProcessResult(
    const DecodedResult &result, const ResultSwitches &switches)
{
    double v = result.value;
    double t = result.temperature;

    if (switches.filtr) {
        if (!havePrevious_)
            filterState_ = v;
        filterState_ = FilterStep(v, filterState_, filterTau_, result.filterJumpThreshold);
        v = filterState_;
    }

    if (switches.filtrTemp) {
        if (!tempFilterStarted_) {
            tempFilterState_ = t;
            tempFilterStarted_ = true;
        }
        tempFilterState_ = FilterStep(t, tempFilterState_, tempFilterTau_, kTempJumpThreshold);
        t = tempFilterState_;
    }

    if (havePrevious_) {
        const double d = std::abs(v - previousResult_);
        if (d > maxJump_)
            maxJump_ = d;
    } else {
        havePrevious_ = true;
    }
    previousResult_ = v;

    ResultDisplay out;
    out.value = v;
    out.temperature = t;
    out.SSkok = kJumpCaption + FormatResult(result.decimalClass, maxJump_);

    if (switches.dane && stats_.Add(v)) {
        out.Min = FormatResult(result.decimalClass, stats_.min);
        out.Max = FormatResult(result.decimalClass, stats_.max);
        out.Avr = FormatResult(result.decimalClass, stats_.mean);
    }

    out.falkaVisible = result.ac;
    out.SWynik = PadLeadingMinus(FormatResult(result.decimalClass, v))
        + QLatin1StringView(result.unitText);

    if (t != kNoProbe) {
        out.STemp = FormatResult(1, t / 10.0) + kDegreeUnit;
        out.stopienVisible = true;
    } else {
        out.STemp = noProbeText_ ? noProbeText_() : QString();
        out.stopienVisible = false;
    }

    if (switches.filtrTemp)
        out.chartPoint = t;
    else if (switches.liveView)
        out.chartPoint = v;
    return out;
}

void ResultProcessor::RestartFilter(double tau)
{
    havePrevious_ = false;
    filterTau_ = tau;
}

void ResultProcessor::StopFilter()
{
    filterTau_ = 1.0;
}

void ResultProcessor::RestartTempFilter(double tau)
{
    tempFilterStarted_ = false;
    tempFilterTau_ = tau;
}

void ResultProcessor::ForgetPreviousResult()
{
    havePrevious_ = false;
}

void ResultProcessor::RestartStatistics()
{
    stats_.restart = true;
}

void ResultProcessor::ResetMaxJump()
{
    maxJump_ = 0.0;
}

std::vector<double> ResultProcessor::FilterStored(const QStringList &wyniki)
{
    return RefilterStored(wyniki, filterTau_, filterState_);
}

bool RunningStatistics::Add(double v)
{
    if (restart) {
        count = 1;
        min = max = mean = v;
        restart = false;
        return true;
    }
    if (count >= std::numeric_limits<std::int32_t>::max())
        return false;
    ++count;
    if (v > max)
        max = v;
    else if (v < min)
        min = v;
    const double n = count;
    mean = (n - 1.0) / n * mean + v / n;
    return true;
}

std::optional<double> ParseFilterParameter(const QString &text)
{
    QString s = text;
    const qsizetype comma = s.indexOf(u',');
    if (comma >= 0)
        s[comma] = u'.';
    bool ok = false;
    const double x = s.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(x))
        return std::nullopt;
    return x;
}
