#pragma once
// The device the program opens for port n (1..255): on Windows the port's own device
// ("\\.\COMn"); on POSIX the path in the port map, else /dev/ttyS<n-1> (PosixPortMap.h). Each
// platform has its own implementation file.
#include <string>

std::string comDevicePath(int number);
