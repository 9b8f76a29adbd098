#pragma once
// Writing command frames to the meter over a serial link: the main window's link and the
// calibration wizard's use the same frames and the same pause.
#include "params/CommandFrame.h"

class TComPort;

// The meter needs this long to take a parameter cell.
constexpr unsigned long kCellPauseMs = 300;

// Writes one frame. A frame that does not go out whole is a failure (std::runtime_error; the
// port's own failures are EComPort).
void WriteCommandFrame(TComPort &port, char letter, std::uint8_t address, std::uint16_t value);
