#pragma once
// The command line of nerix-sim.
#include "MeterOptions.h"
#include "ReferenceOptions.h"

#include <optional>
#include <string>

struct SimOptions {
    MeterOptions meter;
    ReferenceOptions reference;
    double field = 12.34;
    double drift = -1; // amplitude; negative: 0.5 % of the field
    double driftPeriod = 60; // seconds
    double hangupAfter = -1; // seconds; negative: never
    std::string readyFile;
    std::string meterPort = "COM1";
    std::string referencePort = "COM2";
};

extern const char *const kSimUsage;

// Parses argv; on a bad option prints why to stderr and returns nothing. Sets help when
// --help was given.
std::optional<SimOptions> ParseSimOptions(int argc, char **argv, bool &help);
