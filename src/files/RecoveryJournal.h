#pragma once
// The recovery journal of a recording: every kept result also goes to a file in the program's
// data folder, so that a recording ended by a crash, a kill or a power cut can still be written
// to its data file at the next start.
//
// Format (version 1, numbers little-endian):
//   header: "NXRJ", version byte, step (u16), the data file's state when the recording started
//           (size as i64, -1 when absent; modification time, ms since the epoch, i64), the
//           data file's path (u16 byte count, UTF-8), CRC-32 of all the header's bytes before it
//   record: body length (u8), body: receive time (ms since the epoch, i64), offset from UTC
//           (seconds, i32), unit (u8: 0 none, 1 " mT", 2 " Gs", 3 " kA/m"), the result text
//           (Latin-1); then CRC-32 of the length byte and the body (u32)
// A record cut short or damaged fails its length or CRC check. The reader then looks for the
// next good record one byte further on, so what follows a damaged stretch is still read, and it
// counts the bytes it could not read.
//
// The writer appends records to a buffer in memory, cheap enough for every result; Flush hands
// the buffer to a thread of its own that writes it and forces it to the disk, so that the
// receiving thread never waits for the disk.
#include "core/RegularFile.h"
#include "files/ResultsCsv.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// The data file as it was when a recording started: whether it was there, and how it looked.
struct DataFileState {
    std::int64_t size = -1; // -1: no file
    std::int64_t modifiedMs = 0;
    bool operator==(const DataFileState &) const = default;
};
DataFileState DataFileStateNow(const QString &path);

struct JournalHeader {
    QString dataFile;
    int step = 1;
    DataFileState dataFileAtStart;
};

QByteArray EncodeJournalHeader(const JournalHeader &header);
// Appends one result's record.
void AppendJournalRecord(QByteArray &out, const QString &text, const ResultStamp &stamp);

struct JournalContents {
    bool headerRead = false; // false: nothing could be read (damaged, or an unknown version)
    JournalHeader header;
    QStringList texts;
    std::vector<ResultStamp> stamps; // one per text
    std::int64_t unreadBytes = 0; // bytes that held no readable record
};

// Reads a journal's bytes, whatever they hold; at most MaxDataFileResults results.
JournalContents ReadJournal(const QByteArray &bytes);

// The journal of one running recording.
class RecoveryJournal {
public:
    RecoveryJournal();
    RecoveryJournal(const RecoveryJournal &) = delete;
    RecoveryJournal &operator=(const RecoveryJournal &) = delete;
    // Writes what was appended and leaves the file where it is.
    ~RecoveryJournal();

    // Creates a new journal file in folder (made when missing) with the header on the disk.
    // False when it cannot.
    bool Create(const QString &folder, const JournalHeader &header);
    const QString &Path() const { return path_; }

    void Append(const QString &text, const ResultStamp &stamp)
    {
        AppendJournalRecord(buffer_, text, stamp);
    }
    // Hands what was appended to the writing thread, which writes it and forces it to the disk.
    void Flush();
    // Flush, and waits until what was appended is on the disk (or has failed).
    void FlushNow();
    // A write or a sync failed; nothing more is written after that.
    bool Failed() const;
    // Ends the journal: the thread stops and the file is deleted.
    void Remove();

private:
    void Run();
    void Stop();

    QString path_;
    AppendOnlyFile file_;
    QByteArray buffer_; // appended, not yet handed over
    mutable std::mutex mutex_;
    std::condition_variable wake_, done_;
    QByteArray pending_; // handed over, not yet written
    bool writing_ = false;
    bool stopping_ = false;
    bool failed_ = false;
    std::thread thread_;
};
