#include "serial/PosixLineWaiter.h"

#include "serial/EComPort.h"

#include <cerrno>
#include <cstdint>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {
constexpr std::uint32_t kStopTag = 0;
constexpr std::uint32_t kDeviceTag = 1;

bool watchFd(int epollFd, int fd, std::uint32_t events, std::uint32_t tag)
{
    epoll_event ev {};
    ev.events = events;
    ev.data.u32 = tag;
    return epoll_ctl(epollFd, EPOLL_CTL_ADD, fd, &ev) == 0;
}
} // namespace

PosixLineWaiter::PosixLineWaiter(int deviceFd, bool receive)
    : deviceFd_(deviceFd)
{
    epollFd_ = epoll_create1(EPOLL_CLOEXEC);
    stopFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    // Hang-up and error conditions are always reported, whatever the event mask.
    const std::uint32_t deviceEvents = EPOLLET | (receive ? EPOLLIN : 0u);
    if (epollFd_ < 0 || stopFd_ < 0 || !watchFd(epollFd_, stopFd_, EPOLLIN, kStopTag)
        || !watchFd(epollFd_, deviceFd_, deviceEvents, kDeviceTag)) {
        const int err = errno;
        if (epollFd_ >= 0)
            ::close(epollFd_);
        if (stopFd_ >= 0)
            ::close(stopFd_);
        throw EComPort(EComPort::OpenError, err);
    }
}

PosixLineWaiter::~PosixLineWaiter()
{
    ::close(epollFd_);
    ::close(stopFd_);
}

ComLineWait PosixLineWaiter::wait()
{
    for (;;) {
        epoll_event events[2];
        const int n = epoll_wait(epollFd_, events, 2, -1);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            lostError_ = errno;
            return ComLineWait::Lost;
        }
        bool received = false;
        bool lost = false;
        for (int i = 0; i < n; ++i) {
            if (events[i].data.u32 == kStopTag)
                return ComLineWait::Stop;
            if (events[i].events & (EPOLLHUP | EPOLLERR))
                lost = true;
            else if (events[i].events & EPOLLIN)
                received = true;
        }
        if (lost) {
            // A hung-up terminal fails its ioctls with the reason; fall back to EIO.
            int waiting = 0;
            lostError_ = ioctl(deviceFd_, FIONREAD, &waiting) != 0 ? errno : EIO;
            return ComLineWait::Lost;
        }
        if (received)
            return ComLineWait::Received;
    }
}

void PosixLineWaiter::stop()
{
    const std::uint64_t one = 1;
    // The counter only has to be non-zero; a full counter (EAGAIN) is as good.
    [[maybe_unused]] const ssize_t written = ::write(stopFd_, &one, sizeof one);
}
