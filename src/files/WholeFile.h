#pragma once
// Writing a file as a whole: the bytes go to a new file that replaces an older file of the
// same name only once it is complete, so a failed write (a full disk, a folder that cannot
// be written) leaves the older file as it was.
#include <QByteArray>
#include <QString>

bool WriteWholeFile(const QString &path, const QByteArray &bytes);
