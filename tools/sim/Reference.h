#pragma once
// The simulated reference instrument on COM2. It answers the mode commands ESC "LO2" CR and
// ESC "LO1" CR with the three letters and CR, and a measure request ESC "ME" + channel +
// "00000000" CR at once with 12 characters: "ME", the channel, the classifier "0", a decade
// code, one unused character, the reading in five characters, CR.
//
// The reading is the simulated field in the scale in which the calibration wizard reads the
// meter's frames (raw / 10 in the fine ranges, raw in the coarse ones): it equals the wizard's
// meter value when the meter's gain is right. Every mode command received is printed on stdout
// as "W LO2" or "W LO1".
#include "FieldModel.h"
#include "Pty.h"
#include "ReferenceOptions.h"
#include "SimDevice.h"

#include <string>
#include <utility>

class Reference : public SimDevice {
public:
    // scale: the wizard's meter value per unit of the true field.
    Reference(const ReferenceOptions &options, const FieldModel &field, double scale,
        SimClock::time_point start);

    const std::string &SlavePath() const override { return pty_.SlavePath(); }
    int MasterFd() const override { return pty_.Master(); }
    void OnBytes(const uint8_t *data, std::size_t count, SimClock::time_point now) override;
    SimClock::time_point Tick(SimClock::time_point now) override;

    // The decade code and the five characters that show the value with the finest
    // resolution ("12340" with code 2 for 12.34); 99999 with code 7 beyond that.
    static std::pair<char, std::string> Reading(double value);

private:
    void Command(const std::string &command, SimClock::time_point now);
    void Mode(const std::string &letters);
    void Send(const std::string &text);

    ReferenceOptions options_;
    const FieldModel &field_;
    double scale_;
    SimClock::time_point start_;
    Pty pty_;
    std::string received_;
    // A measure reply waiting for its time (--ref-delay).
    std::string delayed_;
    SimClock::time_point delayedDue_ {};
};
