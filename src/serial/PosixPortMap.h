#pragma once
// The port map, POSIX only: where the ports COM1..COM16 live on this machine, the device paths
// in the settings store (keys Ports/COM1..Ports/COM16), else the serial devices /dev/ttyS0..15.
// It gives comDevicePath() there.
#include "serial/ComDevicePath.h"

#include <string>
#include <vector>

// The device paths of COM1..COM16, in order.
std::vector<std::string> comDevicePaths();
