#include "serial/PosixComBackend.h"

#include "serial/EComPort.h"
#include "serial/PosixKernelLine.h"
#include "serial/PosixLineNotifier.h"
#include "serial/PosixLineWaiter.h"
#include "serial/PosixTermios.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;
using Deadline = std::optional<Clock::time_point>;

// Limits beyond about a hundred days are as good as none (and keep the clock from overflowing).
constexpr std::uint64_t kLongestLimitMs = 10'000'000'000ull;

// The total limit of an operation on count bytes; none when both parts are 0.
Deadline totalDeadline(std::uint32_t multiplier, std::uint32_t constant, int count)
{
    if (multiplier == 0 && constant == 0)
        return std::nullopt;
    const std::uint64_t ms = std::min<std::uint64_t>(
        std::uint64_t(multiplier) * std::uint64_t(count) + constant, kLongestLimitMs);
    return Clock::now() + std::chrono::milliseconds(ms);
}

// Milliseconds left for poll(): -1 without a deadline, 0 once it has passed.
int msUntil(Deadline deadline)
{
    if (!deadline)
        return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
    return static_cast<int>(std::clamp<std::int64_t>(left.count(), 0, INT_MAX));
}

// Waits until the device is ready for `events` or the time is up; errors raise `code`.
void pollDevice(int fd, short events, int timeoutMs, EComPort::Error code)
{
    pollfd p {fd, events, 0};
    if (::poll(&p, 1, timeoutMs) < 0 && errno != EINTR)
        throw EComPort(code, errno);
}

// Removes NUL bytes in place; returns the bytes kept.
int dropNulls(unsigned char *bytes, int count)
{
    return static_cast<int>(std::remove(bytes, bytes + count, 0) - bytes);
}

// Sets or clears one modem line; devices without modem lines (pseudo-terminals) are fine.
void setModemLine(int fd, int line, bool on)
{
    if (::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line) != 0 && errno != ENOTTY && errno != EINVAL)
        throw EComPort(EComPort::LineStateError, errno);
}
} // namespace

PosixComBackend::~PosixComBackend()
{
    close();
}

void PosixComBackend::open(const std::string &path)
{
    if (fd_ >= 0)
        return;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw EComPort(EComPort::OpenError, errno);
    // Not shared: the claim is an advisory lock on the open file, which the kernel drops with
    // the last descriptor, also when the program is killed. (The terminal's exclusive mode,
    // TIOCEXCL, is not used: it belongs to the terminal, outlives a killed program for as long as
    // the device side stays open, and then keeps every ordinary user out.) Serial programs that
    // claim ports this way keep out each other, root included. The flush also fails a device
    // that is no terminal.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::tcflush(fd, TCIOFLUSH) != 0) {
        const int err = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        throw EComPort(EComPort::OpenError, err);
    }
    fd_ = fd;
}

void PosixComBackend::close() noexcept
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
    dropQueue();
    queue_.reset();
}

void PosixComBackend::applyLineState(const ComControlBlock &dcb)
{
    PosixLineState state;
    if (const int err = posixReadLineState(fd_, state))
        throw EComPort(EComPort::LineStateError, err);
    posixLineFromControlBlock(dcb, state);
    if (const int err = posixWriteLineState(fd_, state))
        throw EComPort(EComPort::LineStateError, err);
    applyModemLines(dcb);
    discardNull_ = dcb.fNull;
}

void PosixComBackend::applyModemLines(const ComControlBlock &dcb)
{
    // DTR handshake has no termios counterpart: the line stays asserted.
    setModemLine(fd_, TIOCM_DTR, dcb.fDtrControl != dtrDisable);
    // RTS handshake is the driver's (CRTSCTS); toggling is not available and leaves RTS off.
    if (dcb.fRtsControl != rtsHandshake)
        setModemLine(fd_, TIOCM_RTS, dcb.fRtsControl == rtsEnable);
}

int PosixComBackend::read(void *buffer, int count)
{
    if (count <= 0)
        return 0;
    const TComTimeouts &t = timeouts_;
    const bool noInterval = t.ReadInterval == TComTimeouts::kNoInterval;
    // All bits in the interval and nothing else: return at once with what is waiting.
    const bool atOnce = noInterval && t.ReadTotalMultiplier == 0 && t.ReadTotalConstant == 0;
    // All bits in interval and multiplier: wait up to the constant for the first bytes only.
    const bool firstBytes = noInterval && t.ReadTotalMultiplier == TComTimeouts::kNoInterval
        && t.ReadTotalConstant != 0 && t.ReadTotalConstant != TComTimeouts::kNoInterval;
    const Deadline total = firstBytes
        ? totalDeadline(0, t.ReadTotalConstant, count)
        : totalDeadline(t.ReadTotalMultiplier, t.ReadTotalConstant, count);
    const bool interval = !noInterval && t.ReadInterval != 0;

    auto *bytes = static_cast<unsigned char *>(buffer);
    int got = takeQueued(bytes, count);
    Clock::time_point lastArrival = Clock::now();
    if (got == count)
        return got;
    for (;;) {
        const ssize_t n = ::read(fd_, bytes + got, static_cast<size_t>(count - got));
        if (n > 0) {
            const int kept = static_cast<int>(n);
            got += discardNull_ ? dropNulls(bytes + got, kept) : kept;
            lastArrival = Clock::now();
            if (got == count)
                return got;
            continue;
        }
        if (n == 0) // a hung-up terminal reads as end of file
            throw EComPort(EComPort::ReadError, EIO);
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            throw EComPort(EComPort::ReadError, errno);
        if (atOnce || (firstBytes && got > 0))
            return got;
        Deadline until = total;
        if (interval && got > 0) {
            const auto gap = lastArrival + std::chrono::milliseconds(t.ReadInterval);
            until = until ? std::min(*until, gap) : gap;
        }
        const int wait = msUntil(until);
        if (wait == 0)
            return got;
        pollDevice(fd_, POLLIN, wait, EComPort::ReadError);
    }
}

int PosixComBackend::write(const void *buffer, int count)
{
    if (count <= 0)
        return 0;
    const Deadline deadline
        = totalDeadline(timeouts_.WriteTotalMultiplier, timeouts_.WriteTotalConstant, count);
    const auto *bytes = static_cast<const unsigned char *>(buffer);
    int sent = 0;
    while (sent < count) {
        const ssize_t n = ::write(fd_, bytes + sent, static_cast<size_t>(count - sent));
        if (n > 0) {
            sent += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            throw EComPort(EComPort::WriteError, errno);
        // The driver's queue is full: wait for room until the write's time is up, then report
        // the bytes that went out, as a timed-out write does.
        const int wait = msUntil(deadline);
        if (wait == 0)
            break;
        pollDevice(fd_, POLLOUT, wait, EComPort::WriteError);
    }
    return sent;
}

void PosixComBackend::purge(bool input, bool output)
{
    if (!input && !output)
        return;
    const int queue = input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH;
    if (::tcflush(fd_, queue) != 0)
        throw EComPort(EComPort::PurgeError, errno);
    if (input)
        dropQueue();
}

int PosixComBackend::inputCount()
{
    int waiting = 0;
    if (::ioctl(fd_, FIONREAD, &waiting) != 0)
        throw EComPort(EComPort::ClearCommError, errno);
    return waiting + queued();
}

bool PosixComBackend::deviceGone()
{
    if (fd_ < 0)
        return false;
    // A hung-up terminal reports POLLHUP, a removed device POLLERR, at once and for good.
    pollfd p {fd_, 0, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

std::unique_ptr<ComEventWaiter> PosixComBackend::watch(bool receive)
{
    return std::make_unique<PosixLineWaiter>(fd_, receive);
}

std::unique_ptr<ComLineWatch> PosixComBackend::watchInEventLoop(
    bool receive, ComLineHandlers handlers)
{
    return std::make_unique<PosixLineNotifier>(*this, fd_, receive, std::move(handlers));
}

int PosixComBackend::takeIn(int &lostError)
{
    lostError = 0;
    if (!queue_)
        queue_ = std::make_unique<unsigned char[]>(kQueueSize);
    if (queueStart_ > 0 && queueEnd_ == kQueueSize) {
        std::memmove(queue_.get(), queue_.get() + queueStart_, queueEnd_ - queueStart_);
        queueEnd_ -= queueStart_;
        queueStart_ = 0;
    }
    if (queueEnd_ == kQueueSize)
        return 0;
    unsigned char *room = queue_.get() + queueEnd_;
    const ssize_t n = ::read(fd_, room, kQueueSize - queueEnd_);
    if (n > 0) {
        const int kept = discardNull_ ? dropNulls(room, static_cast<int>(n)) : static_cast<int>(n);
        queueEnd_ += static_cast<std::size_t>(kept);
        return kept;
    }
    if (n == 0) // a hung-up terminal reads as end of file
        lostError = EIO;
    else if (errno != EAGAIN && errno != EINTR)
        lostError = errno;
    return 0;
}

int PosixComBackend::takeQueued(unsigned char *bytes, int count)
{
    const bool wasFull = queueFull();
    const std::size_t n = std::min(queueEnd_ - queueStart_, static_cast<std::size_t>(count));
    if (n == 0)
        return 0;
    std::memcpy(bytes, queue_.get() + queueStart_, n);
    queueStart_ += n;
    if (queueStart_ == queueEnd_)
        queueStart_ = queueEnd_ = 0;
    if (wasFull && notifier_)
        notifier_->resume();
    return static_cast<int>(n);
}

void PosixComBackend::dropQueue()
{
    const bool wasFull = queueFull();
    queueStart_ = queueEnd_ = 0;
    if (wasFull && notifier_)
        notifier_->resume();
}
