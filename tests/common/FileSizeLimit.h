#pragma once
// Lowers the largest file this process may write, for as long as it lives: a write beyond it
// fails as on a full disk. POSIX has such a limit (PosixFileSizeLimit.cpp); where the platform
// has none (Win32FileSizeLimit.cpp), supported() is false and the limit does nothing.
#include <cstdint>

class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    static bool supported();

private:
    std::uint64_t saved_ = 0;
};
