#include "files/DataFile.h"

#include "core/RegularFile.h"
#include "files/WholeFile.h"

#include <QFile>
#include <array>

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
bool IsDataChar(char c)
{
    return c == ' ' || c == '-' || c == '.' || (c >= '0' && c <= '9');
}
} // namespace

DataFileScanner::DataFileScanner(int maxLines)
    : maxLines_(maxLines < 0 ? 0 : maxLines)
{
}

bool DataFileScanner::Stop(DataFileContents::Status status)
{
    contents_.status = status;
    if (status == DataFileContents::Status::NotText)
        contents_.lines.clear();
    done_ = true;
    return false;
}

void DataFileScanner::EndLine()
{
    contents_.lines.append(QString::fromLatin1(line_, length_));
    length_ = 0;
    lineStarted_ = false;
    pendingCr_ = false;
}

bool DataFileScanner::Feed(const char *bytes, std::size_t size)
{
    for (std::size_t i = 0; i < size && !done_; ++i) {
        const char c = bytes[i];
        if (contents_.lines.size() == maxLines_)
            return Stop(DataFileContents::Status::Truncated);
        lineStarted_ = true;
        if (c == '\n') {
            EndLine();
        } else if (pendingCr_) {
            return Stop(DataFileContents::Status::NotText); // a CR inside a line
        } else if (c == '\r') {
            pendingCr_ = true;
        } else if (!IsDataChar(c) || length_ == MaxDataLineLength) {
            return Stop(DataFileContents::Status::NotText);
        } else {
            line_[length_++] = c;
        }
    }
    return !done_;
}

DataFileContents DataFileScanner::Finish()
{
    // A last line without its end (a lone CR before the end counts as one).
    if (!done_ && lineStarted_)
        EndLine();
    done_ = true;
    return std::move(contents_);
}

DataFileContents ReadDataFile(const QString &path, int maxLines)
{
    QFile file;
    if (!OpenRegularFile(file, path)) {
        DataFileContents contents;
        contents.status = DataFileContents::Status::Unreadable;
        return contents;
    }
    DataFileScanner scanner(maxLines);
    std::array<char, 16 * 1024> chunk;
    for (;;) {
        const qint64 n = file.read(chunk.data(), qint64(chunk.size()));
        if (n < 0) {
            DataFileContents contents;
            contents.status = DataFileContents::Status::Unreadable;
            return contents;
        }
        if (n == 0 || !scanner.Feed(chunk.data(), std::size_t(n)))
            break;
    }
    return scanner.Finish();
}
