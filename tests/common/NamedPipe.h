#pragma once
// A named pipe with no writer at `path`, as a file that would never end for a reader: POSIX
// makes one (PosixNamedPipe.cpp); where the file system has none (Win32NamedPipe.cpp), false.
#include <QString>

bool makeNamedPipe(const QString &path);
