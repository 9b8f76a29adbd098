// The sample table and its fits, and the texts shown of them.
#include "calib/SampleTable.h"
#include "TestMain.h"
#include "core/NumberText.h"
#include "calib/SampleText.h"

#include <QLocale>
#include <QTest>
#include <cmath>
#include <vector>

namespace {
struct Sample {
    double uwz, ucal;
};

void fill(SampleTable &t, const std::vector<Sample> &samples)
{
    for (const Sample &s : samples)
        QVERIFY(t.Register(s.uwz, s.ucal));
}

// The evaluation as the wizard runs it, without the grid and chart.
void evaluate(SampleTable &t)
{
    t.SkalujWzorzec();
    t.ObliczRegresje();
    t.PrzeliczPoprawionaSerie();
    t.ObliczRegresje();
}
} // namespace

Q_DECLARE_METATYPE(std::vector<Sample>)
Q_DECLARE_METATYPE(std::vector<double>)

class SampleTableTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void fits_data()
    {
        QTest::addColumn<std::vector<Sample>>("samples");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<std::vector<double>>("uend");
        QTest::addColumn<QString>("equation");
        QTest::newRow("offset 2") << std::vector<Sample> {{10, 12}, {20, 22}, {30, 32}} << 1.0
                                  << 2.0 << std::vector<double> {10, 20, 30}
                                  << QStringLiteral("y = 1.000 * x + 2");
        QTest::newRow("gain 2") << std::vector<Sample> {{10, 20}, {20, 40}} << 2.0 << 0.0
                                << std::vector<double> {10, 20}
                                << QStringLiteral("y = 2.000 * x + 0");
    }

    void fits()
    {
        QFETCH(std::vector<Sample>, samples);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(std::vector<double>, uend);
        QFETCH(QString, equation);
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        SampleTable t;
        fill(t, samples);
        evaluate(t);
        QCOMPARE(t.WspA(), a);
        QVERIFY(std::abs(t.WspB() - b) < 1e-9);
        for (int i = 1; i <= t.IloscProbek(); ++i) {
            QCOMPARE(t.Probki(i).X, t.Probki(i).Uwz);
            QVERIFY(std::abs(t.Probki(i).Uend - uend[std::size_t(i - 1)]) < 1e-9);
        }
        // The corrected series lies on the reference line.
        QVERIFY(std::abs(t.WspAPo() - 1) < 1e-9);
        QVERIFY(std::abs(t.WspBPo()) < 1e-9);
        QCOMPARE(MeterEquation(t), equation);
        QCOMPARE(ReferenceEquation(t), QStringLiteral("y = 1.000 * x"));
    }

    void allAlikeKeepsTheCoefficients()
    {
        SampleTable t;
        fill(t, {{10, 20}, {20, 40}});
        evaluate(t);
        t.Reset();
        fill(t, {{5, 7}, {5, 9}});
        t.SkalujWzorzec();
        QVERIFY(!t.ObliczRegresje());
        QCOMPARE(t.Wyznacznik(), 0.0);
        QCOMPARE(t.WspA(), 2.0);
        QCOMPARE(t.WspAPo(), 1.0);
    }

    // A frozen reference leaves only rounding in the determinant; an absurd reading overflows
    // the sums. Neither is a fit.
    void unusableFitsKeepTheCoefficients_data()
    {
        QTest::addColumn<std::vector<Sample>>("samples");
        QTest::newRow("frozen reference")
            << std::vector<Sample> {{12.34, 100}, {12.34, 120}, {12.34, 140}};
        QTest::newRow("absurd reading") << std::vector<Sample> {{9e307, 10}, {1e308, 20}};
    }
    void unusableFitsKeepTheCoefficients()
    {
        QFETCH(std::vector<Sample>, samples);
        SampleTable t;
        fill(t, {{10, 20}, {20, 40}});
        evaluate(t);
        t.Reset();
        fill(t, samples);
        t.SkalujWzorzec();
        QVERIFY(!t.ObliczRegresje());
        QCOMPARE(t.WspA(), 2.0);
        QCOMPARE(t.WspBPo(), 0.0);
    }

    void allNegativeReferencesNeverDivideByZero()
    {
        SampleTable t;
        fill(t, {{-10, -12}, {-20, -22}, {-30, -32}});
        t.SkalujWzorzec();
        QCOMPARE(t.IndeksMax(), 0);
        QCOMPARE(t.SkalaWzorca(), 1.0);
        QCOMPARE(t.Probki(3).X, -30.0);
        QVERIFY(t.ObliczRegresje());
        QCOMPARE(t.WspA(), 1.0);
    }

    void deleteRenumbersTheLaterSamples()
    {
        SampleTable t;
        fill(t, {{1, 11}, {2, 12}, {3, 13}, {4, 14}});
        QVERIFY(!t.Delete(0));
        QVERIFY(!t.Delete(5));
        QVERIFY(t.Delete(2));
        QCOMPARE(t.IloscProbek(), uint16_t(3));
        const double kept[] = {1, 3, 4};
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(t.Probki(i).Id, i);
            QCOMPARE(t.Probki(i).Uwz, kept[i - 1]);
        }
        QCOMPARE(t.Probki(0).Id, 0);
    }

    void registerAfterResetKeepsTheSlotsXAndUend()
    {
        SampleTable t;
        fill(t, {{10, 12}, {20, 22}, {30, 32}});
        evaluate(t);
        t.Reset();
        QVERIFY(t.Register(50, 60));
        QCOMPARE(t.IloscProbek(), uint16_t(1));
        QCOMPARE(t.Probki(1).Uwz, 50.0);
        QCOMPARE(t.Probki(1).X, 10.0);
        QVERIFY(std::abs(t.Probki(1).Uend - 10.0) < 1e-9);
    }

    void theThousandAndFirstSampleIsRefused()
    {
        SampleTable t;
        for (int i = 1; i <= SampleTable::kCapacity; ++i)
            QVERIFY(t.Register(i, i));
        QVERIFY(!t.Register(-1, -1));
        QCOMPARE(t.IloscProbek(), SampleTable::kCapacity);
        QCOMPARE(t.Probki(SampleTable::kCapacity).Uwz, double(SampleTable::kCapacity));
    }

    void numberTexts_data()
    {
        // The texts are made here, under a locale whose decimal separator is ",".
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("general drops zeros") << FormatGeneral(22.5, 5) << "22.5";
        QTest::newRow("general rounds up a power") << FormatGeneral(99999.7, 5) << "1E5";
        QTest::newRow("general too many digits") << FormatGeneral(123456, 5) << "1.2346E5";
        QTest::newRow("general small") << FormatGeneral(0.000012345, 5) << "0.000012345";
        QTest::newRow("general tiny") << FormatGeneral(-1.5e-7, 5) << "-1.5E-7";
        QTest::newRow("general far exponent") << FormatGeneral(-1e-300, 3) << "-1E-300";
        QTest::newRow("fixed pads") << FormatFixed(12, 3, 3) << "12.000";
        QTest::newRow("fixed precision first") << FormatFixed(12.3456, 3, 3) << "12.300";
        QTest::newRow("fixed decimals first") << FormatFixed(1.23456, 5, 3) << "1.235";
        QTest::newRow("fixed no minus nought") << FormatFixed(-0.0001, 5, 3) << "0.000";
        QTest::newRow("number target") << FormatNumber(20.04, 3, 1) << "20.0";
        QTest::newRow("number groups") << FormatNumber(-1234567.25, 9, 2) << "-1 234 567.25";
        QTest::newRow("number three digits") << FormatNumber(999.4, 3, 0) << "999";
        QTest::newRow("number beyond precision") << FormatNumber(1234.5, 3, 1) << "1 230.0";
        QTest::newRow("target fine") << TargetText(20.04, 2) << "20.0";
        QTest::newRow("target coarse") << TargetText(1234.5, 1) << "1 230";
        QTest::newRow("target absurd") << TargetText(-9e99, 0) << "-9E99";
    }

    void numberTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }
};

NERIX_TEST(SampleTableTest)
#include "SampleTableTest.moc"
