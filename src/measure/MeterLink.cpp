#include "measure/MeterLink.h"

#include "serial/CPort.h"
#include "serial/ComDevicePath.h"
#include "serial/QtComBridge.h"

#include <algorithm>

namespace {
// The most one receive event reads; more waiting bytes raise the next event.
constexpr int kRxBlockSize = 64000;
} // namespace

std::unique_ptr<TComPort> MakeLinkPort(const LinkSettings &settings)
{
    auto port = std::make_unique<TComPort>(std::make_shared<QtComBridge>(), comDevicePath);
    port->SetPort(settings.port);
    port->SetBaudRate(br9600);
    port->SetDataBits(settings.dataBits);
    port->SetStopBits(sbOneStopBit);
    port->SetParity(TComParity {});
    TComFlowControl flow;
    flow.ControlDTR = settings.dtr;
    port->SetFlowControl(flow);
    return port;
}

MeterLink::MeterLink(TComPort &port, FramesPerEvent framesPerEvent, Handlers handlers)
    : port_(port)
    , framesPerEvent_(framesPerEvent)
    , handlers_(std::move(handlers))
{
    port_.OnAfterOpen = [this](TComPort &) {
        if (handlers_.opened)
            handlers_.opened();
    };
    port_.OnAfterClose = [this](TComPort &) {
        if (handlers_.closed)
            handlers_.closed();
    };
    port_.OnRxChar = [this](TComPort &, int count) { Receive(count); };
    port_.OnLinkLost = [this](TComPort &, const EComPort &why) {
        if (handlers_.lost)
            handlers_.lost(why);
    };
}

MeterLink::~MeterLink()
{
    port_.OnAfterOpen = nullptr;
    port_.OnAfterClose = nullptr;
    port_.OnRxChar = nullptr;
    port_.OnLinkLost = nullptr;
}

void MeterLink::Receive(int count)
{
    const auto waiting = static_cast<std::size_t>(std::clamp(count, 0, kRxBlockSize));
    frames_.clear();
    try {
        if (framesPerEvent_ == FramesPerEvent::All) {
            assembly_.ReadEvent(
                waiting,
                [this](unsigned char *to, std::size_t n) {
                    return static_cast<std::size_t>(std::max(port_.Read(to, int(n)), 0));
                },
                frames_);
        } else {
            block_.resize(waiting);
            const int got = port_.Read(block_.data(), int(waiting));
            if (const auto frame
                = assembly_.Feed(block_.data(), static_cast<std::size_t>(std::max(got, 0))))
                frames_.push_back(*frame);
        }
    } catch (...) {
        // A read that failed ends the reading; the frames taken before it still count.
    }
    try {
        if (handlers_.received)
            handlers_.received(frames_);
    } catch (...) {
    }
}
