#pragma once
// Data files ("*.N3D"): one result text per line, lines ended by CR LF, no header. The texts
// are those the main display shows, without the unit ("   1.50", "  - 1.50").
#include <QString>
#include <QStringList>

// The most results a data file holds (and the result store keeps).
constexpr int MaxDataFileResults = 65535;

// Writes the lines to a new file that replaces an older file of that name only once it is
// complete: a failed write leaves the older file as it was. Returns false on failure.
bool WriteDataFile(const QString &path, const QStringList &lines);

struct DataFileContents {
    enum class Status {
        Ok, // every line read
        Truncated, // more lines than a data file holds: the first MaxDataFileResults read
        Unreadable, // the file could not be opened or read
        NotText, // bytes that no data file holds (a binary file): nothing read
    };
    Status status = Status::Ok;
    QStringList lines;
};

// Reads a data file. Lines may end in CR LF or in a bare LF; the last line may lack its end.
// Lines are kept exactly as they stand otherwise.
DataFileContents ReadDataFile(const QString &path);
