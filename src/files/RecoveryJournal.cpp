#include "files/RecoveryJournal.h"

#include "files/DataFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cstring>

namespace {
constexpr char Magic[4] = {'N', 'X', 'R', 'J'};
constexpr std::uint8_t Version = 1;
// Receive time, offset from UTC and unit before the text.
constexpr int RecordFixedBytes = 8 + 4 + 1;
constexpr const char *Units[] = {"", " mT", " Gs", " kA/m"};

constexpr std::array<std::uint32_t, 256> CrcTable = [] {
    std::array<std::uint32_t, 256> table {};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}();

std::uint32_t Crc32(const char *bytes, std::size_t size)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        c = CrcTable[(c ^ std::uint8_t(bytes[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

template <typename T> void Put(QByteArray &out, T value)
{
    using U = std::make_unsigned_t<T>;
    const U bits = static_cast<U>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.append(char((bits >> (8 * i)) & 0xFF));
}

template <typename T> T Get(const char *at)
{
    using U = std::make_unsigned_t<T>;
    U bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bits |= U(std::uint8_t(at[i])) << (8 * i);
    return static_cast<T>(bits);
}

std::uint8_t UnitCode(const char *unit)
{
    for (std::uint8_t i = 1; i < std::size(Units); ++i)
        if (std::strcmp(unit, Units[i]) == 0)
            return i;
    return 0;
}

bool IsTextChar(char c)
{
    return c == ' ' || c == '-' || c == '.' || (c >= '0' && c <= '9');
}

// The record at the start of bytes: its size, or 0 when none is there.
std::size_t ReadRecord(const char *bytes, std::size_t size, JournalContents &contents)
{
    if (size < 1)
        return 0;
    const std::size_t body = std::uint8_t(bytes[0]);
    if (body < RecordFixedBytes || body > RecordFixedBytes + MaxDataLineLength
        || size < 1 + body + 4)
        return 0;
    if (Get<std::uint32_t>(bytes + 1 + body) != Crc32(bytes, 1 + body))
        return 0;
    const char *text = bytes + 1 + RecordFixedBytes;
    const std::size_t textSize = body - RecordFixedBytes;
    const std::uint8_t unit = std::uint8_t(bytes[1 + 12]);
    if (unit >= std::size(Units))
        return 0;
    for (std::size_t i = 0; i < textSize; ++i)
        if (!IsTextChar(text[i]))
            return 0;
    contents.texts.append(QString::fromLatin1(text, qsizetype(textSize)));
    contents.stamps.push_back(
        {Get<std::int64_t>(bytes + 1), Get<std::int32_t>(bytes + 9), Units[unit]});
    return 1 + body + 4;
}
} // namespace

DataFileState DataFileStateNow(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

QByteArray EncodeJournalHeader(const JournalHeader &header)
{
    QByteArray out(Magic, sizeof Magic);
    Put<std::uint8_t>(out, Version);
    Put<std::uint16_t>(out, std::uint16_t(header.step));
    Put<std::int64_t>(out, header.dataFileAtStart.size);
    Put<std::int64_t>(out, header.dataFileAtStart.modifiedMs);
    const QByteArray path = header.dataFile.toUtf8().left(0xFFFF);
    Put<std::uint16_t>(out, std::uint16_t(path.size()));
    out.append(path);
    Put<std::uint32_t>(out, Crc32(out.constData(), std::size_t(out.size())));
    return out;
}

void AppendJournalRecord(QByteArray &out, const QString &text, const ResultStamp &stamp)
{
    const qsizetype textSize = std::min<qsizetype>(text.size(), MaxDataLineLength);
    const qsizetype start = out.size();
    Put<std::uint8_t>(out, std::uint8_t(RecordFixedBytes + textSize));
    Put<std::int64_t>(out, stamp.msecsSinceEpoch);
    Put<std::int32_t>(out, stamp.utcOffsetSeconds);
    Put<std::uint8_t>(out, UnitCode(stamp.unit));
    for (qsizetype i = 0; i < textSize; ++i)
        out.append(text[i].toLatin1());
    Put<std::uint32_t>(out, Crc32(out.constData() + start, std::size_t(out.size() - start)));
}

JournalContents ReadJournal(const QByteArray &bytes)
{
    JournalContents contents;
    const char *data = bytes.constData();
    const std::size_t size = std::size_t(bytes.size());
    constexpr std::size_t fixed = sizeof Magic + 1 + 2 + 8 + 8 + 2;
    if (size < fixed + 4 || std::memcmp(data, Magic, sizeof Magic) != 0
        || std::uint8_t(data[4]) != Version) {
        contents.unreadBytes = std::int64_t(size);
        return contents;
    }
    const std::size_t pathSize = Get<std::uint16_t>(data + fixed - 2);
    const std::size_t headerSize = fixed + pathSize + 4;
    if (size < headerSize
        || Get<std::uint32_t>(data + headerSize - 4) != Crc32(data, headerSize - 4)) {
        contents.unreadBytes = std::int64_t(size);
        return contents;
    }
    contents.headerRead = true;
    contents.header.step = Get<std::uint16_t>(data + 5);
    contents.header.dataFileAtStart = {Get<std::int64_t>(data + 7), Get<std::int64_t>(data + 15)};
    contents.header.dataFile = QString::fromUtf8(data + fixed, qsizetype(pathSize));

    std::size_t at = headerSize;
    while (at < size && contents.texts.size() < MaxDataFileResults) {
        const std::size_t n = ReadRecord(data + at, size - at, contents);
        if (n == 0) {
            ++contents.unreadBytes; // look for the next good record one byte further on
            ++at;
        } else {
            at += n;
        }
    }
    contents.unreadBytes += std::int64_t(size - at);
    return contents;
}

RecoveryJournal::RecoveryJournal() = default;

RecoveryJournal::~RecoveryJournal()
{
    if (thread_.joinable())
        FlushNow();
    Stop();
}

bool RecoveryJournal::Create(const QString &folder, const JournalHeader &header)
{
    if (!QDir().mkpath(folder))
        return false;
    const QString name = QStringLiteral("recording-%1-%2.nxj")
                             .arg(QDateTime::currentMSecsSinceEpoch())
                             .arg(QCoreApplication::applicationPid());
    path_ = QDir(folder).filePath(name);
    const QByteArray head = EncodeJournalHeader(header);
    if (!file_.Create(path_)) {
        path_.clear();
        return false;
    }
    if (!file_.Append(head.constData(), head.size()) || !file_.Sync()) {
        file_.Close();
        QFile::remove(path_);
        path_.clear();
        return false;
    }
    buffer_.reserve(4096);
    thread_ = std::thread([this] { Run(); });
    return true;
}

void RecoveryJournal::Flush()
{
    if (buffer_.isEmpty())
        return;
    {
        const std::lock_guard lock(mutex_);
        pending_.append(buffer_);
    }
    buffer_.clear();
    wake_.notify_one();
}

void RecoveryJournal::FlushNow()
{
    Flush();
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return (pending_.isEmpty() && !writing_) || !thread_.joinable(); });
}

bool RecoveryJournal::Failed() const
{
    const std::lock_guard lock(mutex_);
    return failed_;
}

void RecoveryJournal::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !pending_.isEmpty(); });
        if (pending_.isEmpty())
            return;
        QByteArray bytes = std::move(pending_);
        pending_.clear();
        writing_ = true;
        const bool skip = failed_;
        lock.unlock();
        const bool ok = skip || (file_.Append(bytes.constData(), bytes.size()) && file_.Sync());
        lock.lock();
        writing_ = false;
        failed_ = failed_ || !ok;
        done_.notify_all();
    }
}

void RecoveryJournal::Stop()
{
    if (thread_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    file_.Close();
}

void RecoveryJournal::Remove()
{
    buffer_.clear();
    {
        const std::lock_guard lock(mutex_);
        pending_.clear();
    }
    Stop();
    if (!path_.isEmpty())
        QFile::remove(path_);
    path_.clear();
}
