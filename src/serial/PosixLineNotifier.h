#pragma once
// Watches an open serial device in the UI thread's own event loop, through a socket notifier on
// its descriptor: an arrival of bytes wakes the loop, and the bytes are taken into the backend's
// receive queue at once, in the same wake-up. Taking them in keeps the notifier from firing again
// for bytes already reported, however long the program leaves them unread, so each arrival is
// reported once, with the bytes queued as its count.
//
// The next report is not raised before the handler of the previous one has returned: bytes that
// arrive while it runs (a handler may run a local event loop) are taken in and reported as soon
// as it returns. A device that has gone is reported once and no longer watched. While the
// backend's queue is full the notifier rests, and the driver holds further bytes.
#include "serial/ComBackend.h"

#include <memory>

class PosixComBackend;

class PosixLineNotifier final : public ComLineWatch {
public:
    PosixLineNotifier(PosixComBackend &backend, int fd, bool receive, ComLineHandlers handlers);
    // Safe from within a handler of this watch.
    ~PosixLineNotifier() override;
    PosixLineNotifier(const PosixLineNotifier &) = delete;
    PosixLineNotifier &operator=(const PosixLineNotifier &) = delete;

    // The backend's full queue has room again.
    void resume();

private:
    struct Core;
    std::shared_ptr<Core> core_;
};
