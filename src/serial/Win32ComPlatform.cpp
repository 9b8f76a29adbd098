// What the serial port component takes from Windows: its backend and the device of a port.
#include "serial/CPort.h"
#include "serial/ComDevicePath.h"
#include "serial/Win32ComBackend.h"

std::unique_ptr<ComBackend> makeComBackend()
{
    return std::make_unique<Win32ComBackend>();
}

std::string defaultComDevicePath(int number)
{
    return "\\\\.\\COM" + std::to_string(number);
}

std::string comDevicePath(int number)
{
    return defaultComDevicePath(number);
}
