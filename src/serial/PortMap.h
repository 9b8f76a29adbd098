#pragma once
// Where the ports COM1..COM16 live on this machine: the device paths of the port map in the
// settings store (keys Ports/COM1..Ports/COM16), else the serial devices /dev/ttyS0..15.
#include <QStringList>
#include <string>

std::string comDevicePath(int number);
// The names "COM1".."COM16" whose device exists, in order.
QStringList existingComPorts();
