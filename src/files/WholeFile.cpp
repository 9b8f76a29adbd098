#include "files/WholeFile.h"

#include <QSaveFile>

bool WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a short write shows in write()'s count: a buffered QSaveFile can
    // commit a file cut short without reporting it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    return file.write(bytes) == bytes.size() && file.commit();
}
