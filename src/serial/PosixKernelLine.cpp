#include "serial/PosixKernelLine.h"

#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

namespace {
// The standard code of a rate, or BOTHER for a rate given in bits per second.
tcflag_t rateCode(std::uint32_t rate)
{
    struct Entry {
        std::uint32_t rate;
        tcflag_t code;
    };
    static constexpr Entry kCodes[] = {{50, B50}, {75, B75}, {110, B110}, {134, B134}, {150, B150},
        {200, B200}, {300, B300}, {600, B600}, {1200, B1200}, {1800, B1800}, {2400, B2400},
        {4800, B4800}, {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600},
        {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
        {576000, B576000}, {921600, B921600}, {1000000, B1000000}};
    for (const Entry &e : kCodes)
        if (e.rate == rate)
            return e.code;
    return BOTHER;
}
} // namespace

static_assert(PosixLineState::kChars == NCCS);

int posixReadLineState(int fd, PosixLineState &state)
{
    termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return errno;
    state.iflag = t.c_iflag;
    state.oflag = t.c_oflag;
    state.cflag = t.c_cflag;
    state.lflag = t.c_lflag;
    state.line = t.c_line;
    for (int i = 0; i < NCCS; ++i)
        state.cc[i] = t.c_cc[i];
    state.rate = t.c_ospeed;
    return 0;
}

int posixWriteLineState(int fd, const PosixLineState &state)
{
    termios2 t {};
    t.c_iflag = state.iflag;
    t.c_oflag = state.oflag;
    // The input rate follows the output rate (no separate input code).
    t.c_cflag = (state.cflag & ~static_cast<tcflag_t>(CBAUD | CIBAUD)) | rateCode(state.rate);
    t.c_lflag = state.lflag;
    t.c_line = state.line;
    for (int i = 0; i < NCCS; ++i)
        t.c_cc[i] = state.cc[i];
    t.c_ispeed = state.rate;
    t.c_ospeed = state.rate;
    return ioctl(fd, TCSETS2, &t) != 0 ? errno : 0;
}
