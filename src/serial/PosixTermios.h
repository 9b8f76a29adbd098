#pragma once
// Maps a device control block onto a terminal's line state: raw 8-bit transfer with the block's
// rate, frame format and flow control. Line features termios lacks (DSR flow, DTR handshake,
// RTS toggle, error-character replacement, XON/XOFF limits) are left out.
#include "serial/ComControlBlock.h"
#include "serial/PosixLineState.h"

// Changes only what the block decides; the rest of `state` stays as the terminal had it.
void posixLineFromControlBlock(const ComControlBlock &dcb, PosixLineState &state);
