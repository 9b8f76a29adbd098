#include "serial/CPort.h"

#include "serial/ComEventThread.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

TComPort::TComPort(std::shared_ptr<ComEventBridge> bridge, ComPathResolver resolver)
    : bridge_(std::move(bridge))
    , resolver_(std::move(resolver))
    , backend_(makeComBackend())
{
    if (!bridge_)
        throw std::invalid_argument("TComPort needs an event bridge");
}

TComPort::~TComPort()
{
    closePort(false);
    // Taken out first: a listener may remove itself while it is told.
    const auto listeners = std::move(destroyListeners_);
    for (const auto &[key, listener] : listeners)
        listener();
}

int TComPort::AddDestroyListener(std::function<void()> listener)
{
    destroyListeners_.emplace_back(nextListenerKey_, std::move(listener));
    return nextListenerKey_++;
}

void TComPort::RemoveDestroyListener(int key)
{
    std::erase_if(destroyListeners_, [key](const auto &entry) { return entry.first == key; });
}

void TComPort::SetPort(const std::string &name)
{
    std::string normalised = comPortName(comPortNumber(name));
    if (normalised == port_)
        return;
    port_ = std::move(normalised);
    if (Connected()) {
        Close();
        Open();
    }
}

void TComPort::SetBaudRate(TBaudRate value)
{
    line_.BaudRate = value;
    applyLineState();
}

void TComPort::SetCustomRate(std::uint32_t value)
{
    line_.CustomRate = value;
    applyLineState();
}

void TComPort::SetDataBits(TDataBits value)
{
    line_.DataBits = value;
    applyLineState();
}

void TComPort::SetStopBits(TStopBits value)
{
    line_.StopBits = value;
    applyLineState();
}

void TComPort::SetParity(const TComParity &value)
{
    line_.Parity = value;
    applyLineState();
}

void TComPort::SetFlowControl(const TComFlowControl &value)
{
    line_.FlowControl = value;
    applyLineState();
}

void TComPort::SetFlowControl(TFlowControl compound)
{
    if (compound == fcCustom)
        return;
    line_.FlowControl.SetFlowControl(compound);
    applyLineState();
}

void TComPort::SetDiscardNull(bool value)
{
    line_.DiscardNull = value;
    applyLineState();
}

void TComPort::SetEventChar(std::uint8_t value)
{
    line_.EventChar = value;
    applyLineState();
}

ComControlBlock TComPort::ControlBlock() const
{
    return buildComControlBlock(line_, buffer_.InputSize);
}

void TComPort::SetBuffer(const TComBuffer &value)
{
    buffer_.InputSize = value.InputSize & ~1u;
    buffer_.OutputSize = value.OutputSize & ~1u;
    if (Connected())
        backend_->applyQueues(buffer_);
}

void TComPort::SetTimeouts(const TComTimeouts &value)
{
    timeouts_ = value;
    if (Connected())
        backend_->applyTimeouts(timeouts_);
}

void TComPort::SetSyncMethod(TSyncMethod value)
{
    if (Connected())
        throw EComPort(EComPort::SyncMethodError);
    syncMethod_ = value;
}

bool TComPort::Connected() const
{
    return backend_->isOpen();
}

void TComPort::SetConnected(bool value)
{
    if (value == Connected())
        return;
    if (value)
        Open();
    else
        Close();
}

void TComPort::applyLineState()
{
    if (Connected())
        backend_->applyLineState(ControlBlock());
}

void TComPort::Open()
{
    if (Connected())
        return;
    backend_->open(resolver_(comPortNumber(port_)));
    try {
        backend_->applyQueues(buffer_);
        backend_->applyLineState(ControlBlock());
        backend_->applyTimeouts(timeouts_);
        if (!events_.empty())
            watchLine();
    } catch (...) {
        watch_.reset();
        backend_->close();
        throw;
    }
    if (OnAfterOpen)
        OnAfterOpen(*this);
}

// The UI thread's event loop waits on the line where it can; an event thread waits otherwise,
// and always for smNone, whose handlers run on that thread.
void TComPort::watchLine()
{
    const bool receive = events_.contains(evRxChar);
    ComLineHandlers handlers {[this](int waiting) { lineReceived(waiting); },
        [this](int error) { linkLost(EComPort(EComPort::ReadError, error)); }};
    if (syncMethod_ != smNone)
        watch_ = backend_->watchInEventLoop(receive, handlers);
    if (!watch_) {
        watch_ = std::make_unique<ComEventThread>(
            backend_->watch(receive), bridge_, syncMethod_, std::move(handlers));
    }
}

void TComPort::Close()
{
    closePort(true);
}

void TComPort::closePort(bool runHandlers)
{
    if (!Connected())
        return;
    // Abort what is queued. A device that has gone fails this; it is closed all the same, so a
    // port never stays half open.
    try {
        backend_->purge(true, true);
    } catch (const EComPort &) {
    }
    watch_.reset();
    backend_->close();
    if (runHandlers && OnAfterClose)
        OnAfterClose(*this);
}

int TComPort::Write(const void *buffer, int count)
{
    try {
        return backend_->write(buffer, count);
    } catch (const EComPort &e) {
        // The device has gone: the writer learns it now, not only when the watch's report
        // reaches the UI thread. The port closes and tells once (a report still on its way
        // finds the watch stopped), then the write fails as it would have.
        if (Connected() && backend_->deviceGone())
            linkLost(e);
        throw;
    }
}

int TComPort::WriteText(const std::string &text)
{
    return Write(text.data(), static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX)));
}

int TComPort::Read(void *buffer, int count)
{
    return backend_->read(buffer, count);
}

int TComPort::ReadText(std::string &text, int count)
{
    std::string received(static_cast<std::size_t>(std::max(count, 0)), '\0');
    const int n = Read(received.data(), count);
    received.resize(static_cast<std::size_t>(n));
    text = std::move(received);
    return n;
}

void TComPort::PurgeBuffers(bool input, bool output)
{
    backend_->purge(input, output);
}

int TComPort::InputCount()
{
    return backend_->inputCount();
}

// Runs where the sync method says (normally the UI thread) for every arrival of bytes, with the
// bytes waiting as the watch counted them, or kAskDriver.
void TComPort::lineReceived(int waiting) noexcept
{
    int count = waiting;
    try {
        if (count == ComLineHandlers::kAskDriver)
            count = InputCount();
    } catch (const EComPort &) {
        return; // a device that has gone is reported by the watch next
    }
    if (count <= 0 || !OnRxChar)
        return;
    // A copy: the handler may replace itself.
    const auto handler = OnRxChar;
    try {
        handler(*this, count);
    } catch (...) {
        // Nothing above the event loop could take it.
    }
}

// Runs on the UI thread when the device has gone (from the watch's report, or from a write that
// found it gone).
void TComPort::linkLost(const EComPort &why) noexcept
{
    try {
        Close();
    } catch (...) {
    }
    if (!OnLinkLost)
        return;
    const auto handler = OnLinkLost;
    try {
        handler(*this, why);
    } catch (...) {
    }
}
