// Fuzz target for reading recovery journals: any bytes read without harm, every result read
// is one a journal can hold, and every byte is either in a record read or counted as unread.
// Each input is also read behind a good header, so that the records themselves are reached.
#include "FuzzCheck.h"
#include "files/DataFile.h"
#include "files/RecoveryJournal.h"

namespace {
void CheckRead(const QByteArray &bytes, std::int64_t headerSize)
{
    const JournalContents got = ReadJournal(bytes);
    Check(got.stamps.size() == std::size_t(got.texts.size()));
    Check(got.texts.size() <= MaxDataFileResults);
    Check(got.unreadBytes >= 0 && got.unreadBytes <= bytes.size());
    std::int64_t recordBytes = 0;
    for (const QString &text : got.texts) {
        Check(text.size() <= MaxDataLineLength);
        recordBytes += 1 + 13 + text.size() + 4;
    }
    if (!got.headerRead)
        Check(got.texts.isEmpty() && got.unreadBytes == bytes.size());
    else if (got.texts.size() < MaxDataFileResults)
        Check(headerSize + recordBytes + got.unreadBytes == bytes.size());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const JournalContents bare = ReadJournal(input);
    if (!bare.headerRead)
        CheckRead(input, 0);
    const QByteArray header = EncodeJournalHeader({QStringLiteral("/tmp/x.N3D"), 1, {}});
    QByteArray good = header;
    AppendJournalRecord(good, QStringLiteral("   1.50"), {1, 0, " mT"});
    CheckRead(header + input, header.size());
    CheckRead(good + input, header.size());
    return 0;
}
