#pragma once
// Failure of a serial port operation: a row of the fixed message table and, when the operating
// system reported one, its error code (on POSIX the errno).
#include <stdexcept>

class EComPort : public std::runtime_error {
public:
    static constexpr int kNoWinCode = -1;

    explicit EComPort(int code, int winCode = kNoWinCode);

    int Code() const { return code_; }
    int WinCode() const { return winCode_; }

    // The table text of a code (1..21); empty for any other number.
    static const char *text(int code);

private:
    int code_;
    int winCode_;
};
