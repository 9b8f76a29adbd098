#pragma once
// A raw pseudo-terminal pair. The master is the device's side (non-blocking); the slave path
// is what the program opens. The slave stays open here as well, so the pair survives while
// the program is not connected.
#include <cstddef>
#include <cstdint>
#include <string>

class Pty {
public:
    Pty(); // throws std::runtime_error
    ~Pty();
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;

    int Master() const { return master_; }
    const std::string &SlavePath() const { return path_; }
    // Writes without blocking; returns the bytes taken (fewer when the line is full).
    std::size_t Write(const uint8_t *data, std::size_t count);
    // Hangs the line up: the program's side sees the device vanish.
    void Close();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};
