// The data file format: writing whole files only, and reading back every kind of file.
#include "TestMain.h"

#include "files/DataFile.h"
#include "measure/ResultText.h"
#include "measure/StoredSeries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace {
// Lowers the largest file this process may write, for as long as it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_ {};
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class DataFileTest : public QObject {
    Q_OBJECT
private slots:
    void linesAreTheDisplayTextsWithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.N3D"));
        const QStringList lines
            = {PadLeadingMinus(FormatResult(0, 1.5)), PadLeadingMinus(FormatResult(0, -1.5)),
                PadLeadingMinus(FormatResult(0, -1234.56)), PadLeadingMinus(FormatResult(1, 0.0))};
        QVERIFY(WriteDataFile(path, lines));
        QCOMPARE(readAll(path), QByteArray("   1.50\r\n  - 1.50\r\n-  1234.56\r\n    0.0\r\n"));

        const DataFileContents back = ReadDataFile(path);
        QCOMPARE(back.status, DataFileContents::Status::Ok);
        QCOMPARE(back.lines, lines);
        QCOMPARE(ParseStoredNumber(back.lines.at(1)), -1.5);
        QCOMPARE(ParseStoredNumber(back.lines.at(2)), -1234.56);
    }

    void failedWriteLeavesTheOlderFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.N3D"));
        writeBytes(path, "   9.99\r\n");
        QStringList many;
        for (int i = 0; i < 1000; ++i)
            many.append(QStringLiteral("   1.00"));
        {
            // The disk fills up in the middle of the write (a file size limit stands in).
            FileSizeLimit limit(100);
            QVERIFY(!WriteDataFile(path, many));
        }
        QCOMPARE(readAll(path), QByteArray("   9.99\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("old.N3D")});
        QVERIFY(!WriteDataFile(dir.filePath(QStringLiteral("no/such/folder.N3D")), many));
    }

    void lineEndingsAndOddLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("b.N3D"));
        writeBytes(path, "   1.00\r\n   2.00\n\n   abc\r\n   3.00");
        const DataFileContents c = ReadDataFile(path);
        QCOMPARE(c.status, DataFileContents::Status::Ok);
        QCOMPARE(c.lines,
            (QStringList {QStringLiteral("   1.00"), QStringLiteral("   2.00"), QString(),
                QStringLiteral("   abc"), QStringLiteral("   3.00")}));
        // A line that is not a number is charted as 0.
        QCOMPARE(ParseStoredNumber(c.lines.at(3)), 0.0);

        writeBytes(path, "");
        QCOMPARE(ReadDataFile(path).lines.size(), 0);
        QCOMPARE(ReadDataFile(path).status, DataFileContents::Status::Ok);
    }

    void binaryMissingAndOverlongFiles()
    {
        QTemporaryDir dir;
        const QString binary = dir.filePath(QStringLiteral("c.N3D"));
        writeBytes(binary, QByteArray("   1.00\r\n\x00\x01\xff\x7f", 13));
        QCOMPARE(ReadDataFile(binary).status, DataFileContents::Status::NotText);
        QVERIFY(ReadDataFile(binary).lines.isEmpty());

        QCOMPARE(ReadDataFile(dir.filePath(QStringLiteral("missing.N3D"))).status,
            DataFileContents::Status::Unreadable);
        QCOMPARE(ReadDataFile(dir.path()).status, DataFileContents::Status::Unreadable);

        const QString big = dir.filePath(QStringLiteral("big.N3D"));
        QByteArray bytes;
        for (int i = 0; i < MaxDataFileResults + 10; ++i)
            bytes += QByteArray::number(i) + "\r\n";
        writeBytes(big, bytes);
        const DataFileContents c = ReadDataFile(big);
        QCOMPARE(c.status, DataFileContents::Status::Truncated);
        QCOMPARE(c.lines.size(), MaxDataFileResults);
        QCOMPARE(c.lines.last(), QString::number(MaxDataFileResults - 1));
    }
};

NERIX_TEST(DataFileTest)
#include "DataFileTest.moc"
