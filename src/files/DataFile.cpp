#include "files/DataFile.h"

#include "files/WholeFile.h"

#include <QFile>

bool WriteDataFile(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    bytes.reserve(lines.size() * 10);
    for (const QString &line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return WriteWholeFile(path, bytes);
}

namespace {
// Control characters other than the line ends (and a tab) mark a file that is not text.
bool IsTextByte(unsigned char c)
{
    return c >= 0x20 || c == '\r' || c == '\n' || c == '\t';
}
} // namespace

DataFileContents ReadDataFile(const QString &path)
{
    DataFileContents contents;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        contents.status = DataFileContents::Status::Unreadable;
        return contents;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        contents.status = DataFileContents::Status::Unreadable;
        return contents;
    }
    for (const char c : bytes) {
        if (!IsTextByte(static_cast<unsigned char>(c))) {
            contents.status = DataFileContents::Status::NotText;
            return contents;
        }
    }

    qsizetype start = 0;
    while (start < bytes.size()) {
        if (contents.lines.size() == MaxDataFileResults) {
            contents.status = DataFileContents::Status::Truncated;
            break;
        }
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        if (end > start && bytes.at(end - 1) == '\r')
            --end;
        contents.lines.append(QString::fromLatin1(bytes.constData() + start, end - start));
        start = next;
    }
    return contents;
}
