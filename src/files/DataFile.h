#pragma once
// Data files ("*.N3D"): one result text per line, lines ended by CR LF, no header. The texts
// are those the main display shows, without the unit ("   1.50", "  - 1.50").
#include <QString>
#include <QStringList>

#include <cstddef>

// The most results a data file holds (and the result store keeps).
constexpr int MaxDataFileResults = 65535;
// The longest line a data file holds, without its end. A result text is at most 9
// characters; the margin keeps hand-edited files readable.
constexpr int MaxDataLineLength = 32;

// Writes the lines to a new file that replaces an older file of that name only once it is
// complete: a failed write leaves the older file as it was. Returns false on failure.
bool WriteDataFile(const QString &path, const QStringList &lines);

struct DataFileContents {
    enum class Status {
        Ok, // every line read
        Truncated, // more lines than asked for: the first maxLines read, the rest left unread
        Unreadable, // not a regular file, or it could not be opened or read
        NotText, // a line that no data file holds: nothing kept
    };
    Status status = Status::Ok;
    QStringList lines;
};

// Reads a data file's bytes as they come, one line at a time. A line holds only spaces, "-",
// "." and digits, at most MaxDataLineLength of them (an empty line is a line too); lines end
// in CR LF or a bare LF, and the last line may lack its end. The first line that breaks this
// refuses the file (NotText); after maxLines lines any further byte means there is more
// (Truncated). Either way the scan ends there, so what it holds stays within maxLines short
// lines however large the input.
class DataFileScanner {
public:
    explicit DataFileScanner(int maxLines);
    // The next bytes of the file, in order, in pieces of any size. Returns false once the scan
    // has ended and wants no more bytes.
    bool Feed(const char *bytes, std::size_t size);
    // The end of the file: the lines kept and how the scan ended.
    DataFileContents Finish();

private:
    void EndLine();
    bool Stop(DataFileContents::Status status);

    int maxLines_;
    DataFileContents contents_;
    bool done_ = false;
    bool lineStarted_ = false;
    bool pendingCr_ = false;
    int length_ = 0;
    char line_[MaxDataLineLength] = {};
};

// Reads a data file, at most maxLines lines of it (the report reads fewer than the chart).
// Lines are kept exactly as they stand but for their ends. Only a regular file is read, and
// never more of it than maxLines lines take.
DataFileContents ReadDataFile(const QString &path, int maxLines = MaxDataFileResults);
