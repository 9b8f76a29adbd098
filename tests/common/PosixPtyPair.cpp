#include "common/PtyPair.h"

#include <QDeadlineTimer>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    slavePath_ = name;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair()
{
    closeMaster();
    if (slave_ >= 0)
        ::close(slave_);
}

termios PtyPair::slaveAttributes() const
{
    termios t {};
    tcgetattr(slave_, &t);
    return t;
}

bool PtyPair::send(const QByteArray &bytes)
{
    qsizetype sent = 0;
    QDeadlineTimer deadline(5000);
    while (sent < bytes.size() && !deadline.hasExpired()) {
        const ssize_t n = ::write(master_, bytes.constData() + sent, size_t(bytes.size() - sent));
        if (n > 0) {
            sent += n;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else {
            pollfd p {master_, POLLOUT, 0};
            ::poll(&p, 1, int(deadline.remainingTime()));
        }
    }
    return sent == bytes.size();
}

int PtyPair::trySend(const QByteArray &bytes)
{
    const ssize_t n = ::write(master_, bytes.constData(), size_t(bytes.size()));
    return n > 0 ? int(n) : 0;
}

QByteArray PtyPair::receive(int count, int timeoutMs)
{
    QByteArray got;
    QDeadlineTimer deadline(timeoutMs);
    char buffer[4096];
    while (got.size() < count && !deadline.hasExpired()) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, n);
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            break;
        } else {
            pollfd p {master_, POLLIN, 0};
            ::poll(&p, 1, int(deadline.remainingTime()));
        }
    }
    return got;
}

void PtyPair::closeMaster()
{
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

long processCpuMs()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1000L + t.tv_usec / 1000L; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}
