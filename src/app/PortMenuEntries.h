#pragma once
// The ports the port menu lists below COM1 and COM2, which it always has: every other port the
// enumeration found, in number order, each with its label ("COM5 (USB Serial Port)"); and the
// port in use while connected, which stays listed after its device has gone.
#include "serial/PortEnumeration.h"

#include <string>
#include <vector>

struct PortMenuEntry {
    std::string name; // "COM5"
    std::string label; // "COM5 (USB Serial Port)"
    bool operator==(const PortMenuEntry &) const = default;
};

std::vector<PortMenuEntry> otherPortEntries(
    const std::vector<ComPortInfo> &found, const std::string &inUse, bool connected);
