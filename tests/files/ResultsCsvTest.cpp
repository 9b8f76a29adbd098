// The CSV export of the result store: its rows, and the local times written in ISO 8601.
#include "TestMain.h"

#include "files/ResultsCsv.h"

#include <QTest>

class ResultsCsvTest : public QObject {
    Q_OBJECT
private slots:
    void recordedAndOpenedResults()
    {
        const QStringList texts
            = {QStringLiteral("   1.50"), QStringLiteral("  - 1.50"), QStringLiteral("-  1234.56")};
        const std::vector<ResultStamp> stamps = {{1733713627123, 3600, " mT"},
            {1733713627130, 3600, " Gs"}, {1733713628000, 3600, " kA/m"}};
        QCOMPARE(ResultsCsv(texts, stamps),
            QByteArray("No,Time,Seconds,Value,Unit\r\n"
                       "1,2024-12-09T04:07:07.123+01:00,0.000,1.50,mT\r\n"
                       "2,2024-12-09T04:07:07.130+01:00,0.007,-1.50,Gs\r\n"
                       "3,2024-12-09T04:07:08.000+01:00,0.877,-1234.56,kA/m\r\n"));
        // Seconds count from the first result, across hours and back in time (a clock set
        // back while recording).
        QCOMPARE(ResultsCsv(texts, {{1733713627123, 0, ""}, {1733717227124, 0, ""},
                                       {1733713627118, 0, ""}})
                     .split('\n')
                     .mid(1, 3),
            (QList<QByteArray> {"1,2024-12-09T03:07:07.123+00:00,0.000,1.50,\r",
                "2,2024-12-09T04:07:07.124+00:00,3600.001,-1.50,\r",
                "3,2024-12-09T03:07:07.118+00:00,-0.005,-1234.56,\r"}));
        // Results from a data file hold no time and no unit.
        QCOMPARE(ResultsCsv(texts, {}),
            QByteArray("No,Time,Seconds,Value,Unit\r\n1,,,1.50,\r\n2,,,-1.50,\r\n3,,,-1234.56,\r\n"));
        QCOMPARE(ResultsCsv({}, {}), QByteArray("No,Time,Seconds,Value,Unit\r\n"));
    }

    void localTimesAcrossDaysAndOffsets_data()
    {
        QTest::addColumn<qint64>("msecs");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("time");
        QTest::newRow("new year by the offset")
            << qint64(1735689599999) << 3600 << QByteArray("2025-01-01T00:59:59.999+01:00");
        QTest::newRow("behind UTC, half hours")
            << qint64(1709164800000) << -12600 << QByteArray("2024-02-28T20:30:00.000-03:30");
        QTest::newRow("before 1970")
            << qint64(-1) << 0 << QByteArray("1969-12-31T23:59:59.999+00:00");
        QTest::newRow("leap day of 2000")
            << qint64(951868799999) << 0 << QByteArray("2000-02-29T23:59:59.999+00:00");
        QTest::newRow("2100, not a leap year")
            << qint64(4102444799999) << 50400 << QByteArray("2100-01-01T13:59:59.999+14:00");
    }

    void localTimesAcrossDaysAndOffsets()
    {
        QFETCH(qint64, msecs);
        QFETCH(int, offset);
        QFETCH(QByteArray, time);
        const QByteArray csv = ResultsCsv({QStringLiteral("   0.00")}, {{msecs, offset, " mT"}});
        QCOMPARE(csv, "No,Time,Seconds,Value,Unit\r\n1," + time + ",0.000,0.00,mT\r\n");
    }
};

NERIX_TEST(ResultsCsvTest)
#include "ResultsCsvTest.moc"
