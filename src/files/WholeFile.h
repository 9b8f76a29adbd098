#pragma once
// Writing a file as a whole: the bytes go to a new file that replaces an older file of the
// same name only once it is complete, so a failed write (a full disk, a folder that cannot
// be written) leaves the older file as it was.
#include <QByteArray>
#include <QString>

bool WriteWholeFile(const QString &path, const QByteArray &bytes);

// True when WriteWholeFile could write the file now: its folder exists and takes a new file
// (one is made there and removed again), and the name is free or a regular file.
bool CanWriteWholeFile(const QString &path);
