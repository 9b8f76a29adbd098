#include "serial/PosixTermios.h"

#include <termios.h>

void posixLineFromControlBlock(const ComControlBlock &dcb, PosixLineState &state)
{
    state.iflag &= ~std::uint32_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON
        | IXOFF | IXANY | INPCK | IGNPAR);
    state.oflag &= ~std::uint32_t(OPOST);
    state.lflag &= ~std::uint32_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    state.cflag &= ~std::uint32_t(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    state.cflag |= CREAD | CLOCAL;

    static constexpr std::uint32_t kSizes[] = {CS5, CS6, CS7, CS8};
    state.cflag |= kSizes[dcb.ByteSize >= 5 && dcb.ByteSize <= 8 ? dcb.ByteSize - 5 : 3];

    switch (dcb.Parity) {
    case 1: // odd
        state.cflag |= PARENB | PARODD;
        break;
    case 2: // even
        state.cflag |= PARENB;
        break;
    case 3: // mark
        state.cflag |= PARENB | CMSPAR | PARODD;
        break;
    case 4: // space
        state.cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    if (dcb.fParity)
        state.iflag |= INPCK;
    // One and a half stop bits: UARTs send them for CSTOPB with five data bits.
    if (dcb.StopBits != 0)
        state.cflag |= CSTOPB;

    if (dcb.fOutxCtsFlow || dcb.fRtsControl == rtsHandshake)
        state.cflag |= CRTSCTS;
    if (dcb.fOutX)
        state.iflag |= IXON;
    if (dcb.fInX)
        state.iflag |= IXOFF;
    state.cc[VSTART] = dcb.XonChar;
    state.cc[VSTOP] = dcb.XoffChar;

    // Reads never block in the driver (the descriptor is non-blocking); with VMIN 1 an empty
    // queue reads as EAGAIN and only a hung-up line reads as end of file.
    state.cc[VMIN] = 1;
    state.cc[VTIME] = 0;

    state.rate = dcb.BaudRate;
}
