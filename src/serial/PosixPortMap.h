#pragma once
// The port map, POSIX only: where the ports COM1..COM255 live on this machine, the device paths
// in the settings store (keys Ports/COM1..Ports/COM255), else, for COM1..COM16, the serial
// devices /dev/ttyS0..15. It gives comDevicePath() there.
#include "serial/ComDevicePath.h"
#include "serial/PosixPortEnumeration.h"

#include <QSettings>

// The map's entries in the store.
ComPortMap readComPortMap(const QSettings &store);
// The ports of the tree; the adapters seen for the first time are entered in the store's map
// first.
std::vector<ComPortInfo> listMachineComPorts(const PosixDeviceTree &tree);
