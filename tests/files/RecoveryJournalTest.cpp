// The recovery journal's format: what the writer puts on the disk comes back whole, and a
// damaged journal gives what it still holds and counts what it does not.
#include "TestMain.h"
#include "common/FileBytes.h"

#include "core/RegularFile.h"
#include "files/RecoveryJournal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
const JournalHeader Header {QStringLiteral("/data/pomiar ł.N3D"), 3, {120, 1733713627000}};
const QStringList Texts
    = {QStringLiteral("   1.50"), QStringLiteral("  - 1.50"), QStringLiteral("-  1234.56")};
const std::vector<ResultStamp> Stamps
    = {{1733713627123, 3600, " mT"}, {1733713627130, -12600, " Gs"}, {-5, 0, " kA/m"}};

QByteArray journalBytes()
{
    QByteArray bytes = EncodeJournalHeader(Header);
    for (std::size_t i = 0; i < Stamps.size(); ++i)
        AppendJournalRecord(bytes, Texts[qsizetype(i)], Stamps[i]);
    return bytes;
}

} // namespace

class RecoveryJournalTest : public QObject {
    Q_OBJECT
private slots:
    void writtenJournalReadsBackWhole()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("made/on/demand"));
        QString path;
        {
            RecoveryJournal journal;
            QVERIFY(journal.Create(folder, Header));
            path = journal.Path();
            QVERIFY(path.startsWith(folder));
            // The header is on the disk at once; results once flushed.
            QCOMPARE(readAll(path), EncodeJournalHeader(Header));
            for (std::size_t i = 0; i < Stamps.size(); ++i)
                journal.Append(Texts[qsizetype(i)], Stamps[i]);
            journal.FlushNow();
            QCOMPARE(readAll(path), journalBytes());
            QVERIFY(FileInUse(path));
            journal.Append(Texts[0], Stamps[0]); // written as the journal goes
        }
        QVERIFY(!FileInUse(path));
        const JournalContents got = ReadJournal(readAll(path));
        QVERIFY(got.headerRead);
        QCOMPARE(got.header.dataFile, Header.dataFile);
        QCOMPARE(got.header.step, 3);
        QVERIFY(got.header.dataFileAtStart == Header.dataFileAtStart);
        QCOMPARE(got.texts, Texts + QStringList {Texts[0]});
        QCOMPARE(got.stamps.size(), std::size_t(4));
        for (std::size_t i = 0; i < 3; ++i) {
            QCOMPARE(got.stamps[i].msecsSinceEpoch, Stamps[i].msecsSinceEpoch);
            QCOMPARE(got.stamps[i].utcOffsetSeconds, Stamps[i].utcOffsetSeconds);
            QCOMPARE(QByteArray(got.stamps[i].unit), QByteArray(Stamps[i].unit));
        }
        QCOMPARE(got.unreadBytes, 0);

        // A second recording's journal is a file of its own; removing it leaves the first.
        RecoveryJournal second;
        QVERIFY(second.Create(folder, Header));
        QVERIFY(second.Path() != path);
        second.Remove();
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList {QFileInfo(path).fileName()});
    }

    void damagedJournals_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("headerRead");
        QTest::addColumn<int>("from"); // the results read are Texts[from] ... Texts[to - 1]
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("unread");
        const QByteArray whole = journalBytes();
        const int header = int(EncodeJournalHeader(Header).size());
        const auto recordSize = [](int i) { return 1 + 13 + int(Texts[i].size()) + 4; };
        QByteArray flipped = whole;
        flipped[header + 3] = char(flipped[header + 3] ^ 0x10); // in the first record's time
        const QByteArray garbage("\x07garbage!");
        QTest::newRow("whole") << whole << true << 0 << 3 << 0;
        QTest::newRow("cut in the last record")
            << whole.chopped(5) << true << 0 << 2 << recordSize(2) - 5;
        QTest::newRow("garbage after the records")
            << whole + garbage << true << 0 << 3 << int(garbage.size());
        QTest::newRow("a damaged record, the rest read")
            << flipped << true << 1 << 3 << recordSize(0);
        QTest::newRow("garbage between records")
            << whole.left(header) + garbage + whole.mid(header) << true << 0 << 3
            << int(garbage.size());
        QTest::newRow("header only") << whole.left(header) << true << 0 << 0 << 0;
        QTest::newRow("header cut") << whole.left(header - 1) << false << 0 << 0 << header - 1;
        QTest::newRow("unknown version")
            << QByteArray(whole).replace(4, 1, "\x02") << false << 0 << 0 << int(whole.size());
        QTest::newRow("not a journal") << QByteArray(64, 'x') << false << 0 << 0 << 64;
        QTest::newRow("empty") << QByteArray() << false << 0 << 0 << 0;
    }

    void damagedJournals()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, headerRead);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, unread);
        const JournalContents got = ReadJournal(bytes);
        QCOMPARE(got.headerRead, headerRead);
        QCOMPARE(got.texts, Texts.mid(from, to - from));
        QCOMPARE(got.stamps.size(), std::size_t(to - from));
        QCOMPARE(got.unreadBytes, unread);
    }
};

NERIX_TEST(RecoveryJournalTest)
#include "RecoveryJournalTest.moc"
