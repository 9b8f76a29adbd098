#pragma once
// The processing chain that every decoded result runs through: digital filter, temperature
// filter, largest jump, running statistics, and the texts and chart value the main window
// shows. The chain keeps its own state; the window's handlers steer it through the methods
// below (filtrClick restarts the filter, Button1Click the statistics, ...).
#include "measure/ResultFrame.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The controls that steer the chain.
struct ResultSwitches {
    bool filtr = false; // digital filter of the value
    bool filtrTemp = false; // temperature filter
    bool dane = true; // running statistics
    bool liveView = true; // Danezurzdzenia1 checked: the chart follows live results
};

// What the window shows and does for one result.
struct ResultDisplay {
    double value = 0.0; // filtered value (also what recording keeps)
    double temperature = 0.0; // filtered raw temperature, tenths of a degree
    QString SWynik;
    QString STemp;
    QString SSkok;
    // Set when the statistics labels change; empty means leave them as they are.
    std::optional<QString> Min;
    std::optional<QString> Max;
    std::optional<QString> Avr;
    bool falkaVisible = false;
    bool stopienVisible = false;
    // The value to add to the chart, if any.
    std::optional<double> chartPoint;
};

// Running minimum, maximum and mean of the results since the last restart, each result
// counted once.
struct RunningStatistics {
    std::int32_t count = 0;
    double min = 0.0;
    double max = 0.0;
    double mean = 0.0;
    bool restart = true; // the next result starts the statistics afresh

    // Counts v in. False once the count has reached its limit: from then on the statistics
    // stay as they are.
    bool Add(double v);
};

class ResultProcessor {
public:
    // Raw temperature the meter sends when no probe is connected.
    static constexpr double kNoProbe = kNoProbeTemperature;

    // noProbeText gives the "no probe" text in the current language.
    explicit ResultProcessor(std::function<QString()> noProbeText);

    // Runs a decoded result through the chain.
    ResultDisplay ProcessResult(const DecodedResult &result, const ResultSwitches &switches);

    // The value filter starts again with the next result, with time constant tau.
    void RestartFilter(double tau);
    // The value filter is off: the stored series is filtered with the time constant 1.
    void StopFilter();
    // The temperature filter starts again with the next result, with time constant tau.
    void RestartTempFilter(double tau);
    // The next result neither starts from the filter's state nor counts as a jump.
    void ForgetPreviousResult();
    void RestartStatistics();
    void ResetMaxJump();
    // The stored series (Wyniki) through the value filter with its time constant; the filter's
    // state is left at the last entry's filtered level.
    std::vector<double> FilterStored(const QStringList &wyniki);

    double FilterTau() const { return filterTau_; }
    double TempFilterTau() const { return tempFilterTau_; }
    bool TempFilterStarted() const { return tempFilterStarted_; }
    double PreviousResult() const { return previousResult_; }
    double MaxJump() const { return maxJump_; }
    const RunningStatistics &Statistics() const { return stats_; }

private:
    std::function<QString()> noProbeText_;
    double filterState_ = 0.0;
    double filterTau_ = 1.0;
    double tempFilterState_ = 0.0;
    double tempFilterTau_ = 0.0;
    bool tempFilterStarted_ = false;
    bool havePrevious_ = false;
    double previousResult_ = 0.0;
    double maxJump_ = 0.0;
    RunningStatistics stats_;
};

// A filter parameter as the user types it: the first "," becomes "."; empty when the text is
// not a number (the filter then switches itself off).
std::optional<double> ParseFilterParameter(const QString &text);
