#include "app/PortMenuEntries.h"

#include "serial/ComSettings.h"

#include <algorithm>

std::vector<PortMenuEntry> otherPortEntries(
    const std::vector<ComPortInfo> &found, const std::string &inUse, bool connected)
{
    const auto fixed = [](const std::string &name) { return name == "COM1" || name == "COM2"; };
    std::vector<ComPortInfo> ports;
    for (const ComPortInfo &port : found) {
        if (!fixed(port.name))
            ports.push_back(port);
    }
    const bool listed = std::any_of(
        ports.begin(), ports.end(), [&](const ComPortInfo &port) { return port.name == inUse; });
    if (connected && !listed && !fixed(inUse))
        ports.push_back({inUse, {}});
    std::stable_sort(ports.begin(), ports.end(), [](const ComPortInfo &a, const ComPortInfo &b) {
        return comPortNumber(a.name) < comPortNumber(b.name);
    });
    std::vector<PortMenuEntry> entries;
    for (const ComPortInfo &port : ports)
        entries.push_back({port.name, comPortLabel(port)});
    return entries;
}
