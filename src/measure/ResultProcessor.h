#pragma once
// The processing chain that every decoded result runs through: digital filter, temperature
// filter, largest jump, running statistics, and the texts and chart value the main window
// shows. The state carries the main window's names; its handlers set the flags directly
// (filtrClick clears HavePrevious, Button1Click sets StatsRestart, ...).
#include "measure/ResultFrame.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

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

class ResultProcessor {
public:
    // Raw temperature the meter sends when no probe is connected.
    static constexpr double kNoProbe = kNoProbeTemperature;

    // noProbeText gives the "no probe" text in the current language.
    explicit ResultProcessor(std::function<QString()> noProbeText);

    // Runs value v and raw temperature t (tenths of a degree) through the chain.
    ResultDisplay ProcessResult(double value, double temperature, int decimalClass,
        const QString &unitText, bool ac, double filterJumpThreshold,
        const ResultSwitches &switches);

    double FilterState = 0.0;
    double FilterTau = 1.0;
    double TempFilterState = 0.0;
    double TempFilterTau = 0.0;
    bool TempFilterStarted = false;
    bool HavePrevious = false;
    double PreviousResult = 0.0;
    double MaxJump = 0.0;
    std::int32_t StatsCount = 0;
    double StatsMin = 0.0;
    double StatsMax = 0.0;
    double StatsMean = 0.0;
    bool StatsRestart = true;

private:
    bool UpdateStatistics(double v);

    std::function<QString()> noProbeText_;
};

// A filter parameter as the user types it: the first "," becomes "."; empty when the text is
// not a number (the filter then switches itself off).
std::optional<double> ParseFilterParameter(const QString &text);
