#pragma once
// Files the program reads (data, parameter and settings files) are regular files only. A named
// pipe would block the reading thread until something writes to it, and a device may never end;
// both are refused at once, before any read.
#include <QString>

class QFile;

// Opens the file for reading when it is a regular file (links followed). The check is made on
// the opened file, and the open itself cannot block, so a file swapped for a pipe in between
// is refused too. False for a pipe, a device, a folder, or a file that cannot be opened.
bool OpenRegularFile(QFile &file, const QString &path);

// True when nothing is at the path yet, or a regular file (links followed): something a
// program may create, read and replace as a file.
bool IsFileOrAbsent(const QString &path);
