#include "measure/ResultProcessor.h"

#include "measure/ResultText.h"

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

ResultDisplay ResultProcessor::ProcessResult(double value, double temperature, int decimalClass,
    const QString &unitText, bool ac, double filterJumpThreshold, const ResultSwitches &switches)
{
    double v = value;
    double t = temperature;

    if (switches.filtr) {
        if (!HavePrevious)
            FilterState = v;
        FilterState = FilterStep(v, FilterState, FilterTau, filterJumpThreshold);
        v = FilterState;
    }

    if (switches.filtrTemp) {
        if (!TempFilterStarted) {
            TempFilterState = t;
            TempFilterStarted = true;
        }
        TempFilterState = FilterStep(t, TempFilterState, TempFilterTau, kTempJumpThreshold);
        t = TempFilterState;
    }

    if (HavePrevious) {
        const double d = std::abs(v - PreviousResult);
        if (d > MaxJump)
            MaxJump = d;
    } else {
        HavePrevious = true;
    }
    PreviousResult = v;

    ResultDisplay out;
    out.value = v;
    out.temperature = t;
    out.SSkok = kJumpCaption + FormatResult(decimalClass, MaxJump);

    if (switches.dane && UpdateStatistics(v)) {
        out.Min = FormatResult(decimalClass, StatsMin);
        out.Max = FormatResult(decimalClass, StatsMax);
        out.Avr = FormatResult(decimalClass, StatsMean);
    }

    out.falkaVisible = ac;
    out.SWynik = PadLeadingMinus(FormatResult(decimalClass, v)) + unitText;

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

// Running minimum, maximum and mean of the results since the last restart, each result
// counted once. Returns false once the count has reached its limit: from then on the
// statistics stay as they are.
bool ResultProcessor::UpdateStatistics(double v)
{
    if (StatsRestart) {
        StatsCount = 1;
        StatsMin = StatsMax = StatsMean = v;
        StatsRestart = false;
        return true;
    }
    if (StatsCount >= std::numeric_limits<std::int32_t>::max())
        return false;
    ++StatsCount;
    if (v > StatsMax)
        StatsMax = v;
    else if (v < StatsMin)
        StatsMin = v;
    const double n = StatsCount;
    StatsMean = (n - 1.0) / n * StatsMean + v / n;
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
