// What the serial port component takes from POSIX: its backend and the device of a port.
#include "serial/CPort.h"
#include "serial/PosixComBackend.h"

std::unique_ptr<ComBackend> makeComBackend()
{
    return std::make_unique<PosixComBackend>();
}

std::string defaultComDevicePath(int number)
{
    return "/dev/ttyS" + std::to_string(number - 1);
}
