#pragma once
// The simulated meter on COM1: streams result frames from the simulated field at a steady
// rate and accepts command frames ("C" writes a 16-bit parameter cell, "S" stores the cells
// as the EEPROM would). The reading follows the gain cell of the current range:
// shown = true field * gain / 10000 (gain cells 0, 4, 8, 12 for DC1, DC2, AC1, AC2, all 10000
// at start). Cell 14 non-zero sets the automatic power-off bit of the frames.
// With a latency the bytes are handed over as a USB serial adapter does: gathered, and written
// together at the end of every tick of that length.
#include "CommandParser.h"
#include "FieldModel.h"
#include "MeterOptions.h"
#include "Pty.h"
#include "SimDevice.h"

#include <array>
#include <random>
#include <vector>

// The calibration wizard reads a frame's raw word as raw / 10 in the fine ranges and raw in
// the coarse ones: this is its value per unit of the displayed field.
double WizardScale(const MeterOptions &options);

class Meter : public SimDevice {
public:
    Meter(const MeterOptions &options, const FieldModel &field, SimClock::time_point start);

    const std::string &SlavePath() const override { return pty_.SlavePath(); }
    int MasterFd() const override { return pty_.Master(); }
    void OnBytes(const uint8_t *data, std::size_t count, SimClock::time_point now) override;
    SimClock::time_point Tick(SimClock::time_point now) override;
    void Dump() const override;

    static constexpr int kGainCells[4] = {0, 4, 8, 12};
    static constexpr int kAutoPowerOffCell = 14;

private:
    uint8_t StatusBits() const;
    std::vector<uint8_t> NextFrame(double seconds);
    void SendFrame(SimClock::time_point now);
    void Send(const std::vector<uint8_t> &bytes);
    void HandOver(SimClock::time_point now);
    bool Silent(double seconds) const;
    void Apply(const ReceivedCommand &command);
    void WriteCellsFile() const;
    void PrintCells(std::FILE *out) const;

    MeterOptions options_;
    const FieldModel &field_;
    SimClock::time_point start_;
    SimClock::duration interval_;
    SimClock::time_point nextFrame_;
    std::vector<uint8_t> pending_; // second half of a split frame
    SimClock::time_point pendingDue_;
    SimClock::duration latency_; // zero: every write goes out at once
    std::vector<uint8_t> gathered_; // written at the end of the adapter's tick
    SimClock::time_point handOverDue_;
    uint64_t frames_ = 0;
    std::mt19937 random_;
    std::normal_distribution<double> noise_;
    Pty pty_;
    CommandParser parser_;
    std::array<uint16_t, 256> cells_ {};
    std::array<uint16_t, 256> stored_ {};
    uint64_t saves_ = 0;
};
