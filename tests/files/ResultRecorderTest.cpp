// The recorder core: the step counter, the store's limit, and what stays for the CSV export.
#include "TestMain.h"

#include "files/DataFile.h"
#include "files/ResultRecorder.h"

#include <QTest>

using Offer = ResultRecorder::Offer;

class ResultRecorderTest : public QObject {
    Q_OBJECT
private slots:
    void keepsEveryStepthResultWhileRecording()
    {
        ResultRecorder r;
        QCOMPARE(r.Record(QStringLiteral("0"), " mT"), Offer::Skipped);
        r.Start(3);
        QVERIFY(r.Zapisywanie());
        QList<Offer> offers;
        for (int i = 1; i <= 7; ++i)
            offers.append(r.Record(QString::number(i), " Gs"));
        QCOMPARE(offers,
            QList<Offer>({Offer::Skipped, Offer::Skipped, Offer::Kept, Offer::Skipped,
                Offer::Skipped, Offer::Kept, Offer::Skipped}));
        QCOMPARE(r.Wyniki(), QStringList({QStringLiteral("3"), QStringLiteral("6")}));
        QCOMPARE(r.ResultStamps().size(), std::size_t(2));
        QCOMPARE(r.ResultStamps().back().unit, " Gs");
        r.Stop();
        QCOMPARE(r.Record(QStringLiteral("9"), " Gs"), Offer::Skipped);
        QCOMPARE(r.LiczbaWynikow(), 2);
        // A new recording counts its steps from the start.
        r.Start(2);
        QCOMPARE(r.LiczbaWynikow(), 0);
        QCOMPARE(r.Record(QStringLiteral("1"), " mT"), Offer::Skipped);
        QCOMPARE(r.Record(QStringLiteral("2"), " mT"), Offer::Kept);
    }

    void fullAtTheCountADataFileHolds()
    {
        ResultRecorder r;
        r.Start(1);
        for (int i = 1; i < MaxDataFileResults; ++i) {
            if (r.Record(QStringLiteral("   1.00"), " mT") != Offer::Kept)
                QFAIL(qPrintable(QStringLiteral("result %1 not kept").arg(i)));
        }
        QCOMPARE(r.Record(QStringLiteral("   1.00"), " mT"), Offer::Full);
        QCOMPARE(r.LiczbaWynikow(), MaxDataFileResults);
    }

    void lastRecordingStaysForTheExportUntilANewStoreFills()
    {
        ResultRecorder r;
        r.Start(1);
        r.Record(QStringLiteral("a"), " mT");
        r.Record(QStringLiteral("b"), " mT");
        r.Stop();
        r.Empty(true);
        QCOMPARE(r.LiczbaWynikow(), 0);
        QVERIFY(r.HasExport());
        QCOMPARE(r.ExportTexts(), QStringList({QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(r.ExportStamps().size(), std::size_t(2));

        r.Load({QStringLiteral("x")});
        QCOMPARE(r.ExportTexts(), QStringList({QStringLiteral("x")}));
        QVERIFY(r.ExportStamps().empty());
        r.Empty(false);
        QVERIFY(!r.HasExport());
    }
};

NERIX_TEST(ResultRecorderTest)
#include "ResultRecorderTest.moc"
