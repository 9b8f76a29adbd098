#pragma once
// TComPort: a serial port with its settings, opened on the operating system's device, with
// blocking writes, reads of what has arrived, and a watch on the line that reports arrived
// bytes on the UI thread as OnRxChar. Where the platform can (POSIX), the UI thread's own event
// loop waits on the device; elsewhere (Windows) an event thread waits and hands each arrival to
// the UI thread through the ComEventBridge.
//
// Used from the UI thread only. Handlers run on the UI thread (smThreadSync, smWindowSync) or
// on an event thread (smNone); they may call Close, but must not destroy the port.
#include "serial/ComBackend.h"
#include "serial/ComControlBlock.h"
#include "serial/ComEnums.h"
#include "serial/ComEventBridge.h"
#include "serial/ComSettings.h"
#include "serial/EComPort.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Device path of port number n (1..kMaxComPort).
using ComPathResolver = std::function<std::string(int)>;
// The device of port n when nothing maps it elsewhere: "\\.\COMn" on Windows,
// "/dev/ttyS<n-1>" on POSIX. Each platform has its own implementation file.
std::string defaultComDevicePath(int number);

class TComPort {
public:
    // The bridge carries events to the UI thread and must not be null.
    explicit TComPort(
        std::shared_ptr<ComEventBridge> bridge, ComPathResolver resolver = defaultComDevicePath);
    // Closes an open port; OnAfterClose is not run for a port being destroyed.
    ~TComPort();
    TComPort(const TComPort &) = delete;
    TComPort &operator=(const TComPort &) = delete;

    // "COM1".."COM255". Setting another name reopens an open port on it.
    const std::string &Port() const { return port_; }
    void SetPort(const std::string &name);
    void SetPathResolver(ComPathResolver resolver) { resolver_ = std::move(resolver); }

    // Line state: applied to an open port at once.
    TBaudRate BaudRate() const { return line_.BaudRate; }
    void SetBaudRate(TBaudRate value);
    std::uint32_t CustomRate() const { return line_.CustomRate; }
    void SetCustomRate(std::uint32_t value);
    TDataBits DataBits() const { return line_.DataBits; }
    void SetDataBits(TDataBits value);
    TStopBits StopBits() const { return line_.StopBits; }
    void SetStopBits(TStopBits value);
    const TComParity &Parity() const { return line_.Parity; }
    void SetParity(const TComParity &value);
    const TComFlowControl &FlowControl() const { return line_.FlowControl; }
    void SetFlowControl(const TComFlowControl &value);
    void SetFlowControl(TFlowControl compound);
    bool DiscardNull() const { return line_.DiscardNull; }
    void SetDiscardNull(bool value);
    std::uint8_t EventChar() const { return line_.EventChar; }
    void SetEventChar(std::uint8_t value);
    // The line state as it is set on the port.
    ComControlBlock ControlBlock() const;

    // Queue sizes (odd sizes are stored one lower), applied to an open port at once.
    const TComBuffer &Buffer() const { return buffer_; }
    void SetBuffer(const TComBuffer &value);
    // Applied to an open port at once.
    const TComTimeouts &Timeouts() const { return timeouts_; }
    void SetTimeouts(const TComTimeouts &value);

    // Take effect at the next open. An empty set means no watch on the line. Only evRxChar is
    // watched among them; the loss of the device is watched whenever the line is.
    TComEvents Events() const { return events_; }
    void SetEvents(TComEvents value) { events_ = value; }
    TSyncMethod SyncMethod() const { return syncMethod_; }
    // Raises EComPort::SyncMethodError while the port is open.
    void SetSyncMethod(TSyncMethod value);

    bool Connected() const;
    void SetConnected(bool value);

    void Open();
    void Close();

    // Blocks until the bytes went out or the write timeouts ran out; returns the bytes written.
    // A write that fails because the device has gone closes the port and runs OnLinkLost
    // before it raises its error.
    int Write(const void *buffer, int count);
    int WriteText(const std::string &text);
    // With the default timeouts returns at once with at most the bytes already waiting.
    int Read(void *buffer, int count);
    int ReadText(std::string &text, int count);
    void PurgeBuffers(bool input, bool output);
    int InputCount();

    std::function<void(TComPort &)> OnAfterOpen;
    std::function<void(TComPort &)> OnAfterClose;
    // Bytes are waiting (Count > 0); the handler is expected to Read them.
    std::function<void(TComPort &, int Count)> OnRxChar;
    // The device went away while open (unplugged, hung up): the port has been closed
    // (OnAfterClose has run) and the error says why. Runs once per loss, on the UI thread,
    // possibly from within a Write.
    std::function<void(TComPort &, const EComPort &)> OnLinkLost;

    // Listeners told once while the port is being destroyed, so that what refers to it (a
    // selector bound to it) can let go. The key removes the listener again.
    int AddDestroyListener(std::function<void()> listener);
    void RemoveDestroyListener(int key);

private:
    void watchLine();
    void closePort(bool runHandlers);
    void applyLineState();
    void lineReceived(int waiting) noexcept;
    void linkLost(const EComPort &why) noexcept;

    std::shared_ptr<ComEventBridge> bridge_;
    ComPathResolver resolver_;
    std::unique_ptr<ComBackend> backend_;
    std::unique_ptr<ComLineWatch> watch_;

    std::string port_ = "COM1";
    ComLineSettings line_;
    TComBuffer buffer_;
    TComTimeouts timeouts_;
    TComEvents events_ = TComEvents::all();
    TSyncMethod syncMethod_ = smThreadSync;

    std::vector<std::pair<int, std::function<void()>>> destroyListeners_;
    int nextListenerKey_ = 0;
};
