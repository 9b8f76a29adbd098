#pragma once
// The machine's serial ports among COM1..COM16, by their whole names ("COM12", never cut to
// "COM1"), in order. Each platform has its own implementation file.
#include <string>
#include <vector>

std::vector<std::string> EnumComPorts();
