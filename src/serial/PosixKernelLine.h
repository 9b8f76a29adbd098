#pragma once
// Reads and sets a terminal's line state through the kernel's termios2 interface (Linux): any
// line rate, including those without a standard code, in one call, and success as the kernel
// sees it. (The C library's tcsetattr here fails a call in which the device kept a setting of
// its own, as a pseudo-terminal keeps eight data bits without parity; reopening a 7-bit port on
// one would fail.) Kept apart because the kernel's headers clash with <termios.h>.
#include "serial/PosixLineState.h"

// Both return 0 or the errno of the failure.
int posixReadLineState(int fd, PosixLineState &state);
int posixWriteLineState(int fd, const PosixLineState &state);
