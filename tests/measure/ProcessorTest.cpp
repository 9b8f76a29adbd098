// The processing chain of one result, the result texts and the stored series.
#include "TestMain.h"

#include "measure/ResultProcessor.h"
#include "measure/ResultText.h"
#include "measure/StoredSeries.h"
#include "measure/WykresCore.h"

#include <QTest>
#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <string>

namespace {
const char *const kMT = " mT";

// A decoded result with the given value, raw temperature and how the meter shows it.
DecodedResult reading(double value, double temperature, int decimalClass = 0,
    const char *unitText = kMT, bool ac = false, double filterJumpThreshold = 0.05)
{
    DecodedResult r;
    r.value = value;
    r.temperature = temperature;
    r.decimalClass = decimalClass;
    r.unitText = unitText;
    r.ac = ac;
    r.filterJumpThreshold = filterJumpThreshold;
    return r;
}

ResultProcessor makeProcessor()
{
    return ResultProcessor([] { return QStringLiteral("brak sondy"); });
}

ResultSwitches filterOn()
{
    ResultSwitches s;
    s.filtr = true;
    return s;
}

// A numpunct with "," as decimal point, to make the C++ global locale a comma locale.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

bool near(double a, double b)
{
    return std::abs(a - b) < 1e-9;
}
} // namespace

class ProcessorTest : public QObject {
    Q_OBJECT

private slots:
    void resultTexts()
    {
        QCOMPARE(FormatResult(0, -1.5), QStringLiteral("  - 1.50"));
        QCOMPARE(FormatResult(0, -12.34), QStringLiteral(" - 12.34"));
        QCOMPARE(FormatResult(0, -123.45), QStringLiteral("- 123.45"));
        QCOMPARE(FormatResult(0, 1.5), QStringLiteral("   1.50"));
        QCOMPARE(FormatResult(1, 23.4), QStringLiteral("   23.4"));
        QCOMPARE(FormatResult(2, 1234.0), QStringLiteral("   1234"));
        QCOMPARE(FormatResult(2, -7.0), QStringLiteral("     - 7"));
        // Wider than the field: nothing is cut.
        QCOMPARE(FormatResult(0, 12345.678), QStringLiteral("12345.68"));
        QCOMPARE(FormatResult(1, 0.05), QStringLiteral("    0.1"));

        QCOMPARE(PadLeadingMinus(QStringLiteral("- 123.45")), QStringLiteral("-  123.45"));
        QCOMPARE(PadLeadingMinus(QStringLiteral(" - 12.34")), QStringLiteral(" - 12.34"));
        QCOMPARE(PadLeadingMinus(QStringLiteral("-")), QStringLiteral("- "));
        QCOMPARE(PadLeadingMinus(QString()), QString());
    }

    void halvesRoundAwayFromZero_data()
    {
        QTest::addColumn<int>("decimalClass");
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("text");
        QTest::newRow("exact binary half") << 0 << 0.125 << QStringLiteral("   0.13");
        QTest::newRow("negative half") << 0 << -0.125 << QStringLiteral("  - 0.13");
        QTest::newRow("whole half") << 2 << 2.5 << QStringLiteral("      3");
        QTest::newRow("negative whole half") << 2 << -2.5 << QStringLiteral("     - 3");
        QTest::newRow("decimal half held below") << 0 << 1.005 << QStringLiteral("   1.01");
        QTest::newRow("temperature half") << 1 << 234.5 / 10 << QStringLiteral("   23.5");
        QTest::newRow("computed a step short")
            << 0 << std::nextafter(1.005, 0.0) << QStringLiteral("   1.01");
        QTest::newRow("just below half") << 0 << 1.00499 << QStringLiteral("   1.00");
        QTest::newRow("carry into the whole") << 0 << -99.995 << QStringLiteral("- 100.00");
        QTest::newRow("half of the last place") << 0 << 0.005 << QStringLiteral("   0.01");
        // Zero has no sign, however it was reached.
        QTest::newRow("rounds to zero") << 0 << -0.001 << QStringLiteral("   0.00");
        QTest::newRow("negative zero") << 2 << -0.0 << QStringLiteral("      0");
        QTest::newRow("tiny") << 1 << -1e-300 << QStringLiteral("    0.0");
        QTest::newRow("huge") << 2 << 1e20 << QStringLiteral("100000000000000000000");
        QTest::newRow("infinite") << 0 << -HUGE_VAL << QStringLiteral("   - inf");
    }

    void halvesRoundAwayFromZero()
    {
        QFETCH(int, decimalClass);
        QFETCH(double, x);
        QFETCH(QString, text);
        QCOMPARE(FormatResult(decimalClass, x), text);
    }

    void resultTextsIgnoreTheLocale()
    {
        const std::locale oldGlobal
            = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
        const std::string oldC = std::setlocale(LC_ALL, nullptr);
        for (const char *name : {"de_DE.UTF-8", "pl_PL.UTF-8", "de_DE", "pl_PL"}) {
            if (std::setlocale(LC_ALL, name))
                break;
        }
        const QString text = FormatResult(0, -1.5);
        const double parsed = ParseStoredNumber(QStringLiteral("  - 1.25"));
        std::setlocale(LC_ALL, oldC.c_str());
        std::locale::global(oldGlobal);
        QCOMPARE(text, QStringLiteral("  - 1.50"));
        QCOMPARE(parsed, -1.25);
    }

    void valueLabelAndTemperature()
    {
        ResultProcessor p = makeProcessor();
        ResultDisplay d = p.ProcessResult(reading(-12.34, 234), {});
        QCOMPARE(d.SWynik, QStringLiteral(" - 12.34 mT"));
        QCOMPARE(d.STemp, QStringLiteral("   23.4  C"));
        QVERIFY(d.stopienVisible);
        QVERIFY(!d.falkaVisible);

        d = p.ProcessResult(reading(-123.45, -10000, 0, kMT, true), {});
        QCOMPARE(d.SWynik, QStringLiteral("-  123.45 mT"));
        QCOMPARE(d.STemp, QStringLiteral("brak sondy"));
        QVERIFY(!d.stopienVisible);
        QVERIFY(d.falkaVisible);
    }

    void filterStepAndJumpThresholdPerUnit_data()
    {
        QTest::addColumn<double>("threshold");
        QTest::addColumn<QByteArray>("unit");
        QTest::newRow("mT") << 0.05 << QByteArray(" mT");
        QTest::newRow("Gs") << 0.5 << QByteArray(" Gs");
        QTest::newRow("kA/m") << 0.04 << QByteArray(" kA/m");
    }

    void filterStepAndJumpThresholdPerUnit()
    {
        QFETCH(double, threshold);
        QFETCH(QByteArray, unit);
        const double retention = std::exp(-0.05);
        // The display jumps once the remaining difference exceeds the threshold.
        const double limit = threshold / retention;
        for (const double factor : {0.99, 1.01}) {
            ResultProcessor p = makeProcessor();
            p.RestartFilter(0.05);
            const double step = limit * factor;
            QCOMPARE(
                p.ProcessResult(reading(1.0, 0, 0, unit.constData(), false, threshold), filterOn())
                    .value,
                1.0);
            const double shown
                = p.ProcessResult(
                       reading(1.0 + step, 0, 0, unit.constData(), false, threshold), filterOn())
                      .value;
            if (factor < 1.0)
                QVERIFY(near(shown, 1.0 + step * (1.0 - retention)));
            else
                QCOMPARE(shown, 1.0 + step);
        }
    }

    void filterMovesByFivePercentAndRestartsAfterFilterClick()
    {
        ResultProcessor p = makeProcessor();
        p.RestartFilter(0.05);
        p.ProcessResult(reading(2.0, 0), filterOn());
        double v = p.ProcessResult(reading(2.01, 0), filterOn()).value;
        QVERIFY(near(v, 2.0 + 0.01 * 0.048770575));
        v = p.ProcessResult(reading(2.01, 0), filterOn()).value;
        QVERIFY(v > 2.0 + 0.01 * 0.0487 && v < 2.01);
        // Switching the filter on restarts it: the next value starts the filter.
        p.RestartFilter(0.05);
        QCOMPARE(p.ProcessResult(reading(5.0, 0), filterOn()).value, 5.0);
        // Filter off: values pass unchanged.
        QCOMPARE(p.ProcessResult(reading(6.0, 0), {}).value, 6.0);
    }

    void temperatureFilterAndChartFeed()
    {
        ResultProcessor p = makeProcessor();
        p.RestartTempFilter(0.5);
        ResultSwitches s;
        s.filtrTemp = true;
        ResultDisplay d = p.ProcessResult(reading(1.0, 200), s);
        QCOMPARE(d.temperature, 200.0);
        QVERIFY(p.TempFilterStarted());
        d = p.ProcessResult(reading(1.0, 210), s);
        const double expected = 210.0 - std::exp(-0.5) * 10.0;
        QVERIFY(near(d.temperature, expected));
        QCOMPARE(d.STemp, FormatResult(1, expected / 10.0) + QStringLiteral("  C"));
        // The chart gets the temperature in tenths while the temperature filter is on.
        QVERIFY(d.chartPoint.has_value());
        QVERIFY(near(*d.chartPoint, expected));
        // More than 100 degrees away: the filter follows at once, the probe loss included.
        d = p.ProcessResult(reading(1.0, -10000), s);
        QCOMPARE(d.temperature, -10000.0);
        QCOMPARE(d.STemp, QStringLiteral("brak sondy"));

        s.filtrTemp = false;
        d = p.ProcessResult(reading(3.5, 200), s);
        QCOMPARE(d.chartPoint, std::optional<double>(3.5));
        s.liveView = false;
        d = p.ProcessResult(reading(3.5, 200), s);
        QVERIFY(!d.chartPoint.has_value());
    }

    void largestJump()
    {
        ResultProcessor p = makeProcessor();
        p.ProcessResult(reading(1.0, 0), {});
        p.ProcessResult(reading(3.0, 0), {});
        ResultDisplay d = p.ProcessResult(reading(2.5, 0), {});
        QCOMPARE(p.MaxJump(), 2.0);
        QCOMPARE(d.SSkok, QStringLiteral("Maksymalny skok:    2.00"));
        p.ResetMaxJump();
        d = p.ProcessResult(reading(2.0, 0, 1), {});
        QCOMPARE(d.SSkok, QStringLiteral("Maksymalny skok:     0.5"));
    }

    void statisticsSinceRestartCountEachResultOnce()
    {
        ResultProcessor p = makeProcessor();
        p.ProcessResult(reading(50.0, 0), {});
        p.RestartStatistics();
        const double means[] = {1.0, 1.5, 2.0};
        ResultDisplay d;
        for (int i = 1; i <= 3; ++i) {
            d = p.ProcessResult(reading(i, 0), {});
            QCOMPARE(p.Statistics().count, i);
            QVERIFY(near(p.Statistics().mean, means[i - 1]));
        }
        QCOMPARE(p.Statistics().min, 1.0);
        QCOMPARE(p.Statistics().max, 3.0);
        QCOMPARE(d.Min, std::optional<QString>(QStringLiteral("   1.00")));
        QCOMPARE(d.Max, std::optional<QString>(QStringLiteral("   3.00")));
        QCOMPARE(d.Avr, std::optional<QString>(QStringLiteral("   2.00")));

        // Statistics switched off: nothing changes, labels stay.
        ResultSwitches off;
        off.dane = false;
        d = p.ProcessResult(reading(-9.0, 0), off);
        QCOMPARE(p.Statistics().count, 3);
        QCOMPARE(p.Statistics().min, 1.0);
        QVERIFY(!d.Min && !d.Max && !d.Avr);
    }

    void statisticsFreezeAtTheCountLimit()
    {
        constexpr std::int32_t kLimit = std::numeric_limits<std::int32_t>::max();
        RunningStatistics s;
        s.restart = false;
        s.count = kLimit - 1;
        s.min = s.max = s.mean = 5.0;
        QVERIFY(s.Add(7.0)); // the labels change
        QCOMPARE(s.count, kLimit);
        QCOMPARE(s.max, 7.0);
        const double mean = s.mean;
        QVERIFY(!s.Add(1000.0));
        QCOMPARE(s.count, kLimit);
        QCOMPARE(s.max, 7.0);
        QCOMPARE(s.mean, mean);
        // A restart starts counting again.
        s.restart = true;
        QVERIFY(s.Add(2.0));
        QCOMPARE(s.count, 1);
        QCOMPARE(s.mean, 2.0);
    }

    void filterParameterText()
    {
        QCOMPARE(ParseFilterParameter(QStringLiteral("0,05")), std::optional<double>(0.05));
        QCOMPARE(ParseFilterParameter(QStringLiteral("1.5")), std::optional<double>(1.5));
        QVERIFY(!ParseFilterParameter(QStringLiteral("abc")));
        QVERIFY(!ParseFilterParameter(QString()));
        QVERIFY(!ParseFilterParameter(QStringLiteral("1,5,0")));
    }

    void refilterStoredSeries()
    {
        const QStringList wyniki = {QStringLiteral("   1.00"), QStringLiteral("   3.00"),
            QStringLiteral("abc"), QStringLiteral("  - 1.50"), QStringLiteral("1.5\r\n")};
        double state = 42.0;
        const std::vector<double> s = RefilterStored(wyniki, 1.0, state);
        QCOMPARE(int(s.size()), 5);
        const double r = std::exp(-1.0);
        double expect = 1.0;
        const double raw[] = {1.0, 3.0, 0.0, -1.5, 1.5};
        for (int i = 0; i < 5; ++i) {
            expect = raw[i] - r * (raw[i] - expect);
            QVERIFY(near(s[std::size_t(i)], expect));
        }
        QCOMPARE(s.front(), 1.0);
        QCOMPARE(state, s.back());

        // No restart threshold: a big step is followed gradually.
        const std::vector<double> big
            = RefilterStored({QStringLiteral("0.01"), QStringLiteral("100.00")}, 0.05, state);
        QVERIFY(big[1] < 10.0);

        double untouched = 7.0;
        QVERIFY(RefilterStored({}, 1.0, untouched).empty());
        QCOMPARE(untouched, 7.0);
        QCOMPARE(ParseStoredNumber(QStringLiteral("1,5")), 0.0);
        QCOMPARE(ParseStoredNumber(QStringLiteral("nan")), 0.0);
    }

    void redrawStoredIndexRules()
    {
        constexpr int kWidth = 529;
        auto range = [](int count, int start) {
            const StoredRedrawRange r = RedrawStoredRange(count, start, kWidth);
            return std::pair<int, int>(r.first, r.last);
        };
        // More than fits: a window of width - 2 entries after start, plus the last one.
        QCOMPARE(range(600, 1), std::pair(1, 528));
        QCOMPARE(range(600, 72), std::pair(72, 599));
        // Fewer: up to entry count - start.
        QCOMPARE(range(100, 1), std::pair(1, 99));
        // One entry left from start, e.g. a single result: that entry alone.
        QCOMPARE(range(1, 1), std::pair(1, 1));
        QCOMPARE(range(600, 600), std::pair(600, 600));
        QCOMPARE(range(2, 1), std::pair(1, 1));
        // Starts outside the series and empty series stay inside the store.
        QCOMPARE(range(10, 0), std::pair(1, 9));
        QCOMPARE(range(10, 50), std::pair(10, 10));
        QVERIFY(RedrawStoredRange(0, 1, kWidth).empty());
        // A later start with few entries after it: up to the same entry, never before start.
        QCOMPARE(range(600, 300), std::pair(300, 599));
        QCOMPARE(range(600, 599), std::pair(599, 599));
        QCOMPARE(range(65535, 65535 - 528), std::pair(65007, 65534));
    }

    void redrawStoredOneResult()
    {
        WykresCore chart(529, 217);
        chart.setSkala(20.0);
        chart.AddPoint(10.0);
        chart.AddPoint(20.0);
        RedrawStored(chart, {4.0}, 1);
        QCOMPARE(chart.Ilosc(), 1);
        QCOMPARE(chart.Point(1), 4.0);
        QVERIFY(chart.AutoSkala());
        RedrawStored(chart, {}, 1);
        QCOMPARE(chart.Ilosc(), 0);
    }
};

NERIX_TEST(ProcessorTest)
#include "ProcessorTest.moc"
