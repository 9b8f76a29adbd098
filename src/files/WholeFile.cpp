#include "files/WholeFile.h"

#include "core/RegularFile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

bool WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a short write shows in write()'s count: a buffered QSaveFile can
    // commit a file cut short without reporting it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    return file.write(bytes) == bytes.size() && file.commit();
}

bool CanWriteWholeFile(const QString &path)
{
    if (path.isEmpty() || !IsFileOrAbsent(path))
        return false;
    const QFileInfo info(path);
    if (info.exists() && !info.isWritable())
        return false;
    // What the write does first: a new file beside the old one.
    QTemporaryFile probe(info.absolutePath() + QStringLiteral("/.nerix-XXXXXX"));
    return probe.open();
}
