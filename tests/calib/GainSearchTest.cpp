// The gain search's bisection against model meters: how it ends and the value it leaves.
#include "TestMain.h"

#include "calib/GainSearch.h"

#include <QTest>

Q_DECLARE_METATYPE(GainSearch::Outcome)

class GainSearchTest : public QObject {
    Q_OBJECT

private slots:
    void ends_data()
    {
        // The model meter reads slope * gain + offset, or, when it swings, +-1e6 by turns
        // (a reading that never settles).
        QTest::addColumn<int>("range");
        QTest::addColumn<double>("slope");
        QTest::addColumn<double>("offset");
        QTest::addColumn<bool>("swings");
        QTest::addColumn<double>("target");
        QTest::addColumn<GainSearch::Outcome>("outcome");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("last");
        using O = GainSearch::Outcome;
        QTest::newRow("hit at once")
            << 2 << 1 / 1024.0 << 0.0 << false << 16.0 << O::Hit << 1 << 16384;
        QTest::newRow("hit later")
            << 2 << 1 / 1024.0 << 0.0 << false << 10.0 << O::Hit << 4 << 10240;
        QTest::newRow("settles in the coarse tolerance")
            << 1 << 1 / 1000.0 << 0.0 << false << 10.0 << O::Settled << 6 << 9728;
        QTest::newRow("first reading near -1")
            << 0 << 0.0 << -1.05 << false << 5.0 << O::Settled << 1 << 16384;
        QTest::newRow("never settles")
            << 1 << 0.0 << 0.0 << true << 0.0 << O::Exhausted << 20 << 10922;
    }
    void ends()
    {
        QFETCH(int, range);
        QFETCH(double, slope);
        QFETCH(double, offset);
        QFETCH(bool, swings);
        QFETCH(double, target);
        GainSearch search(range);
        GainSearch::Outcome outcome = GainSearch::Outcome::Continue;
        while (const std::optional<int> gain = search.Next()) {
            const double reading
                = swings ? (search.Steps() % 2 ? 1e6 : -1e6) : slope * *gain + offset;
            outcome = search.Take(reading, target);
        }
        QTEST(outcome, "outcome");
        QTEST(search.Steps(), "steps");
        QTEST(search.LastValue(), "last");
    }
};

NERIX_TEST(GainSearchTest)
#include "GainSearchTest.moc"
