// The conversions of typed parameter texts into 16-bit cell values.
#include "params/Conversions.h"
#include "TestMain.h"

#include <QLocale>
#include <QTest>
#include <cmath>

class ConversionsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void integerKeepsTheLow16Bits()
    {
        QCOMPARE(IntegerCellValue(QStringLiteral("1234")), std::optional<std::uint16_t>(1234));
        QCOMPARE(IntegerCellValue(QStringLiteral("70000")), std::optional<std::uint16_t>(4464));
        QCOMPARE(IntegerCellValue(QStringLiteral("-1")), std::optional<std::uint16_t>(0xFFFF));
        QCOMPARE(IntegerCellValue(QStringLiteral(" 12 ")), std::optional<std::uint16_t>(12));
        for (const char *bad : {"", "abc", "1,5", "12x", "99999999999"})
            QVERIFY2(!IntegerCellValue(QString::fromLatin1(bad)), bad);
    }

    void roundingGoesToTheEvenNeighbour()
    {
        QCOMPARE(RoundedLow16(2.5), std::uint16_t(2));
        QCOMPARE(RoundedLow16(3.5), std::uint16_t(4));
        QCOMPARE(RoundedLow16(-2.5), std::uint16_t(0xFFFE));
        QCOMPARE(RoundedLow16(65536.0 * 3 + 5), std::uint16_t(5));
        // Far beyond any integer type the low bits are still taken, without overflow.
        QCOMPARE(RoundedLow16(1e30), RoundedLow16(std::fmod(1e30, 65536.0)));
    }

    void realsTakeTheFirstCommaAndNoLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QCOMPARE(ParseReal(QStringLiteral("0,25")), std::optional<double>(0.25));
        QCOMPARE(ParseReal(QStringLiteral("0.25")), std::optional<double>(0.25));
        QCOMPARE(ParseReal(QStringLiteral(" -1,5e1 ")), std::optional<double>(-15.0));
        for (const char *bad : {"", "1,5,3", "1 000", "abc", "inf", "nan", "1e999"})
            QVERIFY2(!ParseReal(QString::fromLatin1(bad)), bad);
        QCOMPARE(WithDecimalPoint(QStringLiteral("1,5,3")), QStringLiteral("1.5,3"));
    }

    void gainHasNoRangeCheck()
    {
        // 0.5 * 32767 lies halfway between 16383 and 16384 and goes to the even one.
        QCOMPARE(GainCellValue(QStringLiteral("0,5")), std::optional<std::uint16_t>(16384));
        QCOMPARE(GainCellValue(QStringLiteral("-0,5")), std::optional<std::uint16_t>(0xC000));
        QCOMPARE(GainCellValue(QStringLiteral("1")), std::optional<std::uint16_t>(32767));
        QCOMPARE(GainCellValue(QStringLiteral("2")), std::optional<std::uint16_t>(65534));
        QVERIFY(!GainCellValue(QStringLiteral("abc")));
        // Times 32767 beyond what a double holds: no bits to send.
        QVERIFY(GainCellValue(QStringLiteral("5e303")));
        QVERIFY(!GainCellValue(QStringLiteral("6e303")));
        QVERIFY(!GainCellValue(QStringLiteral("-6e303")));
    }

    // The wizard's result as a gain text: every register value it can leave comes back whole
    // through the panel's gain conversion, in as few digits as that allows.
    void gainTextGivesTheRegisterBack()
    {
        for (int value = 0; value <= 32767; ++value) {
            const auto v = static_cast<std::uint16_t>(value);
            if (GainCellValue(GainText(v)) != v)
                QFAIL(qPrintable(QStringLiteral("%1 -> %2").arg(value).arg(GainText(v))));
        }
        QCOMPARE(GainText(16384), QStringLiteral("0.5"));
        QCOMPARE(GainText(10000), QStringLiteral("0.3052"));
        QCOMPARE(GainText(32767), QStringLiteral("1"));
    }

    void correctionCoefficientIsInsideMinusOneToOne()
    {
        QCOMPARE(CorrectionCellValue(QStringLiteral("0,5")), std::optional<std::int16_t>(16384));
        QCOMPARE(CorrectionCellValue(QStringLiteral("-0,5")), std::optional<std::int16_t>(-16384));
        QCOMPARE(
            CorrectionCellValue(QStringLiteral("0,99999")), std::optional<std::int16_t>(32767));
        for (const char *bad : {"1", "-1", "1,0", "", "x"})
            QVERIFY2(!CorrectionCellValue(QString::fromLatin1(bad)), bad);
    }

    void filterGain()
    {
        QCOMPARE(FilterGainCellValue(QStringLiteral("0")), std::optional<std::int16_t>(0));
        QCOMPARE(FilterGainCellValue(QStringLiteral("0,0")), std::optional<std::int16_t>(0));
        QCOMPARE(FilterGainCellValue(QStringLiteral("0,5")), std::optional<std::int16_t>(19875));
        // e^0.5 * 32768 = 54025.3 does not fit a signed cell: its bit pattern is sent.
        QCOMPARE(FilterGainCellValue(QStringLiteral("-0,5")),
            std::optional<std::int16_t>(54025 - 65536));
        for (const char *bad : {"1", "-1", "", "0,5x"})
            QVERIFY2(!FilterGainCellValue(QString::fromLatin1(bad)), bad);
    }
};

NERIX_TEST(ConversionsTest)
#include "ConversionsTest.moc"
