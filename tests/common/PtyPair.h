#pragma once
// A pseudo-terminal for the serial tests: the port under test opens the slave by its path, the
// test plays the device on the master side.
#include <QByteArray>
#include <string>
#include <termios.h>

class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const { return master_ >= 0 && slave_ >= 0; }
    const std::string &slavePath() const { return slavePath_; }
    int slaveFd() const { return slave_; }

    // The line state of the terminal as the port left it.
    termios slaveAttributes() const;

    // Sends bytes to the port; true when all went out.
    bool send(const QByteArray &bytes);
    // Sends what the terminal takes at once, without waiting; returns the bytes sent.
    int trySend(const QByteArray &bytes);
    // Reads what the port sent until `count` bytes have come or `timeoutMs` has passed.
    QByteArray receive(int count, int timeoutMs = 5000);
    // Unplugs the device: the slave side hangs up.
    void closeMaster();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

// CPU time (user + system) this process has used so far, in milliseconds.
long processCpuMs();
