#pragma once
// A file's bytes as the test finds them on the disk; empty when it cannot be read.
#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
