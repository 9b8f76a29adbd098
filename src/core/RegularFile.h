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

// A file that this process alone appends to and forces to the disk now and then: a journal
// kept against crashes. While it is open, FileInUse tells other processes so; the mark goes
// with the process, however that ends.
class AppendOnlyFile {
public:
    AppendOnlyFile() = default;
    AppendOnlyFile(const AppendOnlyFile &) = delete;
    AppendOnlyFile &operator=(const AppendOnlyFile &) = delete;
    ~AppendOnlyFile() { Close(); }

    // Creates a new file; false when one of that name exists or it cannot be created.
    bool Create(const QString &path);
    bool IsOpen() const { return handle_ != -1; }
    // Writes all the bytes at the end of the file; false on failure (a full disk).
    bool Append(const char *bytes, long long size);
    // Forces what was written to the disk (its data, not necessarily its times).
    bool Sync();
    void Close();

private:
    long long handle_ = -1;
};

// True when a process holds the file open as an AppendOnlyFile.
bool FileInUse(const QString &path);
