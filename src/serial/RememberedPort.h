#pragma once
// The port kept under a key of the settings store (core/Remembered.h) when the machine has it
// now, else the fallback (also when the machine's ports cannot be listed).
#include "serial/PortEnumeration.h"

#include <QString>
#include <functional>
#include <string>

// `present` lists the machine's ports (the machine's enumeration unless a test puts its own in).
std::string rememberedPort(const QString &key, const std::string &fallback,
    const std::function<std::vector<std::string>()> &present = EnumComPorts);
