#include "SimOptions.h"

#include "measure/ResultFrame.h"
#include "serial/ComSettings.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

const char *const kSimUsage = R"(Usage: nerix-sim [options]
Simulated Nerix meter (COM1) and reference instrument (COM2) on two pseudo-terminals. Writes
Ports/COM1 and Ports/COM2 of the settings store ($XDG_CONFIG_HOME/VL_NX3.conf) to the slave
paths and then prints "COM1 <path>" and "COM2 <path>" on stdout (the map and the ready file
are in place by then). Other COM names play a USB adapter:
  --meter-port COMn      the meter's port (default COM1; COM1..COM255)
  --reference-port COMn  the reference instrument's port (default COM2)
The entries are left in place at exit: a vanished pseudo-terminal fails to open cleanly.
A line "field VALUE" on standard input sets the true field (display unit) while it runs.

Meter:
  --field VALUE      true field in the display unit (default 12.34)
  --drift AMPL       slow sinusoidal drift of the field (default 0.5 % of the field; 0 = none)
  --drift-period S   period of the drift in seconds (default 60)
  --noise SIGMA      reading noise, standard deviation in the display unit (default 0)
  --unit mT|Gs|kA/m  unit of the frames (default mT)
  --range 1|2        measuring range; 2 sets the coarse range bit (default 1)
  --ac               alternating field
  --temp TENTHS      temperature in tenths of a degree (default 234)
  --no-probe         no temperature reading (-10000)
  --rate N           frames per second (default 5)
  --max              the line's maximum at 9600 bit/s: 9600/70 = 137.1 frames per second
  --seed N           seed of noise and garbage (default 1)
  --latency MS       hand the frames over as a USB serial adapter does: what was produced
                     during each tick of MS milliseconds goes out in one write (adapters
                     wait 16 ms by default), instead of each frame when it is due
With a coarse range or gauss, readings beyond the scale are sent as the over-range mark
+-10000 (shown as 3000.0 or 30000).
Shown reading = true field * gain / 10000; gain cells 0, 4, 8, 12 for DC1, DC2, AC1, AC2
(10000 at start); cell 14 non-zero turns on the auto power-off bit of the frames.

Reference instrument (answers ESC "LO2" CR, ESC "LO1" CR and ESC "ME" c "00000000" CR):
  it reports the field in the scale in which the calibration wizard reads the meter
  (raw / 10 in the fine ranges, raw in the coarse ones; ten times the shown value in mT
  and kA/m), so that it equals the wizard's meter value when the meter's gain is 10000.
  Every mode command is printed on stdout as "W LO2" or "W LO1".

Faults:
  --garbage N        N random bytes (never 0xAA) before every tenth frame
  --split            every frame written in two parts, the second up to 20 ms later
  --burst N          every tenth frame slot sends N frames in one write
  --silent-after S   stop sending S seconds after start ...
  --silence S        ... for S seconds (default: for good)
  --hangup-after S   close the lines S seconds after start and exit
  --ref-silent       the reference answers nothing
  --ref-wrong-channel  its measure replies name another channel
  --ref-classifier C its measure replies carry classifier C instead of 0
  --ref-short-mode   its mode replies are the bare letters ("LO2", three characters), and
                     bare letters are answered as a mode command again
  --ref-garbage      its measure replies are 12 bytes of garbage
  --ref-delay MS     its measure replies go out MS milliseconds after the request
  --ref-reading TEXT its measure replies carry the five characters TEXT (decade code 5)
                     instead of the field, for instance 9e307

For tests:
  --ready-file PATH  created once the port map is written
  --cells-file PATH  rewritten after every accepted command, lines:
                       saves N
                       cell ADDRESS CURRENT STORED   (cells where either is non-zero)
Every accepted command is printed on stdout as "C ADDRESS VALUE" or "S" (values 0..65535);
SIGUSR1 prints the cells in the cells-file format. SIGINT and SIGTERM end the program.
)";

namespace {
bool ToDouble(std::string_view text, double &out)
{
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

bool ToInt(std::string_view text, long long &out, long long min, long long max)
{
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && out >= min && out <= max;
}

// "COM5", "com5" or "5" as "COM5"; false for anything but COM1..COM255.
bool ToPortName(std::string_view text, std::string &out)
{
    const int number = parseComPortNumber(text);
    if (number == 0)
        return false;
    out = comPortName(number);
    return true;
}
} // namespace

std::optional<SimOptions> ParseSimOptions(int argc, char **argv, bool &help)
{
    SimOptions o;
    MeterOptions &m = o.meter;
    help = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        const auto flag = [&](std::string_view f) { return name == f; };
        // Options with a value take the next argument.
        std::string_view value;
        const auto valued = [&](std::string_view f) {
            if (name != f || i + 1 >= argc)
                return false;
            value = argv[++i];
            return true;
        };
        const auto bad = [&]() {
            std::fprintf(stderr, "nerix-sim: bad value for %.*s: %.*s\n", int(name.size()),
                name.data(), int(value.size()), value.data());
            return std::nullopt;
        };
        long long n = 0;
        if (flag("--help") || flag("-h")) {
            help = true;
            return o;
        } else if (flag("--ac")) {
            m.ac = true;
        } else if (flag("--no-probe")) {
            m.temperature = kNoProbeTemperature;
        } else if (flag("--max")) {
            m.rate = 9600.0 / 70.0;
        } else if (flag("--split")) {
            m.split = true;
        } else if (flag("--ref-silent")) {
            o.reference.silent = true;
        } else if (flag("--ref-wrong-channel")) {
            o.reference.wrongChannel = true;
        } else if (flag("--ref-short-mode")) {
            o.reference.shortModeReply = true;
        } else if (flag("--ref-garbage")) {
            o.reference.garbage = true;
        } else if (valued("--ref-delay")) {
            if (!ToInt(value, n, 0, 60000))
                return bad();
            o.reference.replyDelayMs = static_cast<int>(n);
        } else if (valued("--ref-reading")) {
            if (value.size() != 5)
                return bad();
            o.reference.reading = value;
        } else if (valued("--ref-classifier")) {
            if (value.size() != 1)
                return bad();
            o.reference.classifier = value.front();
        } else if (valued("--field")) {
            if (!ToDouble(value, o.field))
                return bad();
        } else if (valued("--drift")) {
            if (!ToDouble(value, o.drift) || o.drift < 0)
                return bad();
        } else if (valued("--drift-period")) {
            if (!ToDouble(value, o.driftPeriod) || o.driftPeriod <= 0)
                return bad();
        } else if (valued("--noise")) {
            if (!ToDouble(value, m.noise) || m.noise < 0)
                return bad();
        } else if (valued("--unit")) {
            if (value == "mT")
                m.unitBits = 0;
            else if (value == "Gs")
                m.unitBits = StatusBit::Gauss;
            else if (value == "kA/m")
                m.unitBits = StatusBit::KiloAmperePerMetre;
            else
                return bad();
        } else if (valued("--range")) {
            if (!ToInt(value, n, 1, 2))
                return bad();
            m.coarseRange = n == 2;
        } else if (valued("--temp")) {
            if (!ToInt(value, n, -32768, 32767))
                return bad();
            m.temperature = static_cast<int16_t>(n);
        } else if (valued("--rate")) {
            if (!ToDouble(value, m.rate) || !(m.rate > 0) || m.rate > 10000)
                return bad();
        } else if (valued("--seed")) {
            if (!ToInt(value, n, 0, 0xFFFFFFFFLL))
                return bad();
            m.seed = static_cast<uint32_t>(n);
        } else if (valued("--garbage")) {
            if (!ToInt(value, n, 0, 4096))
                return bad();
            m.garbage = static_cast<int>(n);
        } else if (valued("--burst")) {
            if (!ToInt(value, n, 0, 1000))
                return bad();
            m.burst = static_cast<int>(n);
        } else if (valued("--latency")) {
            if (!ToInt(value, n, 1, 10000))
                return bad();
            m.latencyMs = static_cast<int>(n);
        } else if (valued("--silent-after")) {
            if (!ToDouble(value, m.silentAfter) || m.silentAfter < 0)
                return bad();
        } else if (valued("--silence")) {
            if (!ToDouble(value, m.silence) || m.silence < 0)
                return bad();
        } else if (valued("--hangup-after")) {
            if (!ToDouble(value, o.hangupAfter) || o.hangupAfter < 0)
                return bad();
        } else if (valued("--meter-port")) {
            if (!ToPortName(value, o.meterPort))
                return bad();
        } else if (valued("--reference-port")) {
            if (!ToPortName(value, o.referencePort))
                return bad();
        } else if (valued("--ready-file")) {
            o.readyFile = value;
        } else if (valued("--cells-file")) {
            m.cellsFile = value;
        } else {
            std::fprintf(
                stderr, "nerix-sim: unknown option or missing value: %s (see --help)\n", argv[i]);
            return std::nullopt;
        }
    }
    if (o.meterPort == o.referencePort) {
        std::fprintf(
            stderr, "nerix-sim: the meter and the reference share %s\n", o.meterPort.c_str());
        return std::nullopt;
    }
    if (o.drift < 0)
        o.drift = 0.005 * (o.field < 0 ? -o.field : o.field);
    return o;
}
