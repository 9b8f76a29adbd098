#pragma once
// What the simulated meter sends and how it misbehaves.
#include <cstdint>
#include <string>

struct MeterOptions {
    double rate = 5; // frames per second
    double noise = 0; // standard deviation of the reading noise, display units
    bool ac = false;
    uint8_t unitBits = 0; // StatusBit::Gauss or StatusBit::KiloAmperePerMetre, or 0 for mT
    bool coarseRange = false;
    int16_t temperature = 234; // tenths of a degree, or kNoProbeTemperature
    int garbage = 0; // random bytes sent before every tenth frame
    bool split = false; // each frame written in two parts with a pause
    int burst = 0; // every tenth frame sent as this many frames in one write
    int latencyMs = 0; // > 0: what each tick of this length produced goes out in one write
    double silentAfter = -1; // seconds from start; negative: never silent
    double silence = -1; // seconds of silence; negative: for good
    uint32_t seed = 1;
    std::string cellsFile; // rewritten after every change of the cells
};
