#pragma once
// How a serial port message states the operating system's error code, appended to the text of
// its row: on Windows " (win error code: 5)"; on POSIX the errno with the system's own text,
// " (error 5: Input/output error)". Each platform has its own implementation file.
#include <string>

std::string systemErrorSuffix(int code);
