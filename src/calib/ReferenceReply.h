#pragma once
// The reference instrument as the calibration wizard talks to it: the commands it takes and
// the reading of its measure reply.
//
// Commands: ESC "LO2" CR makes it master, ESC "LO1" CR slave; ESC "ME" + channel + "00000000"
// CR asks for one measurement. The reply is read by position (1-based) in its first 12
// characters: "ME", the channel asked for, the classifier ("0" for a valid reading), the decade
// code, one character not used, the reading in five characters, CR.
//
// Parsing reads only the bytes it is given and never depends on the locale: the reading's
// decimal point is "." (a "," is taken as well). A reply cut short before the end of its
// reading gives nothing rather than the shorter number.
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kReferenceSetMaster = "\x1BLO2\r";
inline constexpr std::string_view kReferenceSetSlave = "\x1BLO1\r";
// What an instrument answers to a mode command when it wants it again, letters only.
inline constexpr std::string_view kReferenceMasterLetters = "LO2";
inline constexpr std::string_view kReferenceSlaveLetters = "LO1";

// ESC "ME" + channel + "00000000" + CR.
std::string ReferenceMeasureRequest(std::string_view channel);

// "1" 0.0001, "2" 0.001, "3" 0.01, "4" 0.1, "5" 1, "6" 10, "7" 100; any other character 0.
double DecadeMultiplier(char code);

struct ReferenceReading {
    // Reading x multiplier. Nothing when the reply does not begin with "ME" and the channel
    // asked for, ends before its reading, or its reading is not a finite number.
    std::optional<double> value;
    // A reply for the channel whose classifier is not "0": the user is told, and the reading
    // still counts when it is one.
    bool classifierNotZero = false;
};

// A channel text other than a single character matches no reply.
ReferenceReading ParseReferenceReply(std::string_view reply, std::string_view channel);
