#pragma once
// How the POSIX port enumeration tells that a port's device is there. It never opens the
// device: opening a real UART raises DTR and RTS, which can disturb what is connected to it.
#include <string>

// True when the path names a character device and, for a serial device ttyS<n> (after links
// are followed), the kernel reports a UART behind it: <ttyClassDir>/ttyS<n>/type is not 0.
// The kernel makes ttyS devices for every possible UART, so most of them have none.
bool posixComDevicePresent(
    const std::string &path, const std::string &ttyClassDir = "/sys/class/tty");
