#pragma once
// The machine's serial ports among COM1..COM255, by their whole names ("COM12", never cut to
// "COM1"), in number order, each with the description the system gives it: on Windows the
// device's friendly name ("USB Serial Port"), on POSIX a USB adapter's maker and model ("FTDI
// FT232R USB UART"); empty where there is none. Each platform has its own implementation file.
#include <string>
#include <vector>

struct ComPortInfo {
    std::string name; // "COM5"
    std::string description; // "USB Serial Port", or empty
    bool operator==(const ComPortInfo &) const = default;
};

// Raises EComPort::EnumPortsError when the system cannot list its ports.
std::vector<ComPortInfo> ListComPorts();
// The names of ListComPorts().
std::vector<std::string> EnumComPorts();
// The name followed by the description in parentheses ("COM5 (USB Serial Port)"), or the bare
// name.
std::string comPortLabel(const ComPortInfo &port);
