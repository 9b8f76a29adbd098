// The data file format: writing whole files only, and reading back every kind of file.
#include "TestMain.h"
#include "common/FileBytes.h"

#include "files/DataFile.h"
#include "measure/ResultText.h"
#include "measure/StoredSeries.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
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

    void lineEndsAndEmptyLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("b.N3D"));
        const QString longest(MaxDataLineLength, QLatin1Char('9'));
        writeBytes(path, "   1.00\r\n  - 2.00\n\n" + longest.toLatin1() + "\r\n   3.00");
        const DataFileContents c = ReadDataFile(path);
        QCOMPARE(c.status, DataFileContents::Status::Ok);
        QCOMPARE(c.lines,
            (QStringList {QStringLiteral("   1.00"), QStringLiteral("  - 2.00"), QString(), longest,
                QStringLiteral("   3.00")}));

        writeBytes(path, "");
        QCOMPARE(ReadDataFile(path).lines.size(), 0);
        QCOMPARE(ReadDataFile(path).status, DataFileContents::Status::Ok);
    }

    void anyOtherLineRefusesTheFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("letters") << QByteArray("   1.00\r\n   abc\r\n");
        QTest::newRow("exponent") << QByteArray("1e308\r\n");
        QTest::newRow("tab") << QByteArray("\t1.00\r\n");
        QTest::newRow("CR inside a line") << QByteArray("1.00\r2.00\r\n");
        QTest::newRow("too long") << QByteArray(MaxDataLineLength + 1, '1');
        QTest::newRow("binary") << QByteArray("   1.00\r\n\x00\x01\xff\x7f", 13);
    }

    void anyOtherLineRefusesTheFile()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.N3D"));
        writeBytes(path, bytes);
        const DataFileContents c = ReadDataFile(path);
        QCOMPARE(c.status, DataFileContents::Status::NotText);
        QVERIFY(c.lines.isEmpty());
    }

    void readingStopsAtTheFirstByteItDoesNotNeed()
    {
        // So no file, however large, is read further than its bound.
        const QByteArray line(MaxDataLineLength, '1');
        DataFileScanner refused(10);
        QVERIFY(refused.Feed(line.constData(), std::size_t(line.size())));
        QVERIFY(!refused.Feed("1", 1));

        DataFileScanner full(2);
        QVERIFY(full.Feed("1\n2\n", 4));
        QVERIFY(!full.Feed("\n", 1));
        const DataFileContents c = full.Finish();
        QCOMPARE(c.status, DataFileContents::Status::Truncated);
        QCOMPARE(c.lines, (QStringList {QStringLiteral("1"), QStringLiteral("2")}));
    }

    void overlongFiles()
    {
        QTemporaryDir dir;
        const QString big = dir.filePath(QStringLiteral("big.N3D"));
        QByteArray bytes;
        for (int i = 0; i < MaxDataFileResults + 10; ++i)
            bytes += QByteArray::number(i) + "\r\n";
        writeBytes(big, bytes);
        const DataFileContents c = ReadDataFile(big);
        QCOMPARE(c.status, DataFileContents::Status::Truncated);
        QCOMPARE(c.lines.size(), MaxDataFileResults);
        QCOMPARE(c.lines.last(), QString::number(MaxDataFileResults - 1));
        // The report reads fewer.
        QCOMPARE(ReadDataFile(big, 1000).lines.size(), 1000);
        QCOMPARE(ReadDataFile(big, 1000).status, DataFileContents::Status::Truncated);
    }
};

NERIX_TEST(DataFileTest)
#include "DataFileTest.moc"
