#include "serial/PortEnumeration.h"

std::vector<std::string> EnumComPorts()
{
    std::vector<std::string> names;
    for (const ComPortInfo &port : ListComPorts())
        names.push_back(port.name);
    return names;
}

std::string comPortLabel(const ComPortInfo &port)
{
    return port.description.empty() ? port.name : port.name + " (" + port.description + ")";
}
