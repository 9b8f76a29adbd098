#pragma once
// Where the ports COM1..COM16 live on this machine: the device paths of the port map in the
// settings store (keys Ports/COM1..Ports/COM16), else the serial devices /dev/ttyS0..15.
#include <string>
#include <vector>

std::string comDevicePath(int number);
// The device paths of COM1..COM16, in order.
std::vector<std::string> comDevicePaths();
