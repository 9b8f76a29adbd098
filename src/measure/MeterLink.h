#pragma once
// A serial link's setup, and the meter link built on it: the link to a meter that streams
// result frames. The main window's ComPort1 and the wizard's kComKalib are meter links; the
// wizard's reference link is set up by the same helper with its own settings.
#include "measure/FrameAssembler.h"
#include "serial/ComEnums.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

class EComPort;
class TComPort;

// The settings a link starts with: 9600 bit/s, one stop bit, no parity, no flow control but
// for DTR, which some links hold on.
struct LinkSettings {
    std::string port;
    TDataBits dataBits = dbEight;
    TDTRFlowControl dtr = dtrDisable;
};

// A port on the system's device paths, set up with these settings.
std::unique_ptr<TComPort> MakeLinkPort(const LinkSettings &settings);

// Binds to a port's events: reads what each receive event brings, puts result frames together
// and hands every receive event, with the frames it completed (oldest first, possibly none),
// to its user. A lost link is reported once, after the port has closed itself. Failures on the
// receive path are ignored: the next event starts afresh.
class MeterLink {
public:
    // How many frames one receive event takes (FrameAssembler's ReadEvent and Feed):
    // All, for a link whose every result counts; One, with the backlog skipped, for a link
    // that does more per event than a frame's worth.
    enum class FramesPerEvent { All, One };

    struct Handlers {
        std::function<void()> opened;
        std::function<void()> closed;
        std::function<void(const EComPort &)> lost;
        // The frames stay valid until the handler returns.
        std::function<void(std::span<const ResultFrameBytes>)> received;
    };

    MeterLink(TComPort &port, FramesPerEvent framesPerEvent, Handlers handlers);
    ~MeterLink();
    MeterLink(const MeterLink &) = delete;
    MeterLink &operator=(const MeterLink &) = delete;

    // Drops the part of a frame held so far.
    void DiscardPartial() { assembly_.Clear(); }
    const FrameAssembler &Assembly() const { return assembly_; }

private:
    void Receive(int count);

    TComPort &port_;
    FramesPerEvent framesPerEvent_;
    Handlers handlers_;
    std::vector<unsigned char> block_; // FramesPerEvent::One: the event's bytes
    std::vector<ResultFrameBytes> frames_; // the frames of the event being handled
    FrameAssembler assembly_;
};
