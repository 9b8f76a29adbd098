// The plain cores of the wizard's links: the reference instrument's reply and the meter's
// frames as the wizard reads them.
#include "TestMain.h"
#include "calib/KalibMeter.h"
#include "calib/ReferenceReply.h"

#include <QLocale>
#include <QTest>
#include <optional>

Q_DECLARE_METATYPE(std::optional<double>)

class LinkCoresTest : public QObject {
    Q_OBJECT

private slots:
    void referenceReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("channel");
        QTest::addColumn<std::optional<double>>("value");
        QTest::addColumn<bool>("classifier");
        const std::optional<double> none;
        // Positions: ME, channel, classifier, decade code, unused, five of reading, CR.
        QTest::newRow("decade 5, point")
            << QByteArray("ME105012.34\r") << QByteArray("1") << std::optional(12.34) << false;
        QTest::newRow("decade 1") << QByteArray("ME101012345\r") << QByteArray("1")
                                  << std::optional(1.2345) << false;
        QTest::newRow("decade 7, sign")
            << QByteArray("ME3070-12.5\r") << QByteArray("3") << std::optional(-1250.0) << false;
        QTest::newRow("decade 9 gives 0")
            << QByteArray("ME109012.34\r") << QByteArray("1") << std::optional(0.0) << false;
        QTest::newRow("comma, blanks, rest ignored")
            << QByteArray("ME2050 1,5 \rME20599999\r") << QByteArray("2") << std::optional(1.5)
            << false;
        QTest::newRow("classifier counts on")
            << QByteArray("ME1X5012.34\r") << QByteArray("1") << std::optional(12.34) << true;
        QTest::newRow("another channel")
            << QByteArray("ME105012.34\r") << QByteArray("2") << none << false;
        QTest::newRow("typed channel of two")
            << QByteArray("ME105012.34\r") << QByteArray("12") << none << false;
        QTest::newRow("not ME") << QByteArray("MX105012.34\r") << QByteArray("1") << none << false;
        QTest::newRow("cut short") << QByteArray("ME105012.3") << QByteArray("1") << none << false;
        QTest::newRow("not a number")
            << QByteArray("ME10501a.34\r") << QByteArray("1") << none << false;
        QTest::newRow("infinity") << QByteArray("ME1050  inf\r") << QByteArray("1") << none
                                  << false;
        QTest::newRow("beyond double")
            << QByteArray("ME10709e307\r") << QByteArray("1") << none << false;
        QTest::newRow("nothing") << QByteArray() << QByteArray("1") << none << false;
    }
    void referenceReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, channel);
        QFETCH(std::optional<double>, value);
        QFETCH(bool, classifier);
        // A locale with "," as its decimal separator changes nothing.
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        const ReferenceReading reading = ParseReferenceReply(
            std::string_view(reply.constData(), std::size_t(reply.size())), channel.toStdString());
        QLocale::setDefault(QLocale::c());
        QCOMPARE(reading.value.has_value(), value.has_value());
        if (value)
            QCOMPARE(*reading.value, *value);
        QCOMPARE(reading.classifierNotZero, classifier);
    }

    void meterFrames_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("range");
        QTest::addColumn<double>("value");
        QTest::newRow("AC2 keeps the raw word") << 0x03 << 250 << 3 << 250.0;
        QTest::newRow("AC1 tenths") << 0x01 << 250 << 2 << 25.0;
        QTest::newRow("AC keeps its sign") << 0x01 << -15 << 2 << -1.5;
        QTest::newRow("DC1") << 0x00 << -15 << 0 << -1.5;
        // Unit bits, power-off bit and over-range mark change nothing here.
        QTest::newRow("DC2 in gauss at the mark") << 0x46 << 10000 << 1 << 10000.0;
        QTest::newRow("DC1 in kA/m at the mark") << 0x08 << -10000 << 0 << -1000.0;
    }
    void meterFrames()
    {
        QFETCH(int, status);
        QFETCH(int, raw);
        QFETCH(int, range);
        QFETCH(double, value);
        const KalibReading reading
            = DecodeKalibFrame(MakeResultFrame(uint8_t(status), 234, int16_t(raw)));
        QCOMPARE(reading.range, range);
        QCOMPARE(reading.value, value);
    }
};

NERIX_TEST(LinkCoresTest)
#include "LinkCoresTest.moc"
