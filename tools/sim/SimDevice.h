#pragma once
// A simulated serial device: it owns the master side of a pseudo-terminal whose slave path
// the program opens as a COM port. The main loop reads the master when bytes arrive and
// ticks the device when the time it asked for has come.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

using SimClock = std::chrono::steady_clock;

class SimDevice {
public:
    virtual ~SimDevice() = default;
    // "COM1", "COM2": the key under which the slave path goes into the port map.
    const char *PortName() const { return portName_.c_str(); }
    void SetPortName(std::string name) { portName_ = std::move(name); }
    virtual const std::string &SlavePath() const = 0;
    virtual int MasterFd() const = 0;
    // Bytes the program wrote to the device.
    virtual void OnBytes(const uint8_t *data, std::size_t count, SimClock::time_point now) = 0;
    // Does what is due at now; returns when it wants the next tick.
    virtual SimClock::time_point Tick(SimClock::time_point now) = 0;
    // Prints the device's state (on SIGUSR1).
    virtual void Dump() const { }

private:
    std::string portName_;
};
