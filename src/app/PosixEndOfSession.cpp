// The signals come through a socket pair: the signal handler only writes the signal's number
// to it, and a socket notifier hands that to the event loop.
#include "app/EndOfSession.h"

#include <QObject>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Written by the signal handler, which can reach nothing else.
int SignalSocket = -1;

void OnSignal(int number)
{
    const int saved = errno;
    const char byte = char(number);
    [[maybe_unused]] const ssize_t n = ::write(SignalSocket, &byte, 1);
    errno = saved;
}
} // namespace

void WatchEndOfSession(QObject *owner, std::function<void(bool)> handler)
{
    int sockets[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0)
        return;
    ::fcntl(sockets[0], F_SETFL, O_NONBLOCK);
    SignalSocket = sockets[0];
    auto *notifier = new QSocketNotifier(sockets[1], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
        [notifier, handler = std::move(handler)] {
            char byte = 0;
            if (::read(int(notifier->socket()), &byte, 1) == 1)
                handler(true);
        });
    QObject::connect(notifier, &QObject::destroyed, [sockets0 = sockets[0], sockets1 = sockets[1]] {
        struct sigaction standard { };
        standard.sa_handler = SIG_DFL;
        for (const int number : {SIGTERM, SIGHUP, SIGINT})
            ::sigaction(number, &standard, nullptr);
        SignalSocket = -1;
        ::close(sockets0);
        ::close(sockets1);
    });
    struct sigaction action { };
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(number, &action, nullptr);
}
