// The port setting selector: its texts both ways, values applied only when the user picks
// them, and a port that goes away while selectors are bound to it.
#include "serial/ComComboBox.h"
#include "TestMain.h"
#include "common/PortMap.h"
#include "serial/CPort.h"
#include "serial/ComTexts.h"
#include "serial/QtComBridge.h"

#include <QTest>
#include <memory>

namespace {
std::unique_ptr<TComPort> makePort()
{
    return std::make_unique<TComPort>(std::make_shared<QtComBridge>());
}

// Every value of a list back from its own text: the lists are in the order of the values.
template <typename E, typename ToText, typename FromText>
bool roundTrips(int count, ToText toText, FromText fromText)
{
    for (int i = 0; i < count; ++i) {
        if (fromText(toText(static_cast<E>(i))) != static_cast<E>(i))
            return false;
    }
    return true;
}
} // namespace

class PosixComComboBoxTest : public QObject {
    Q_OBJECT

private slots:
    void textsBothWays()
    {
        QVERIFY(roundTrips<TBaudRate>(br256000 + 1, BaudRateToStr, StrToBaudRate));
        QVERIFY(roundTrips<TDataBits>(dbEight + 1, DataBitsToStr, StrToDataBits));
        QVERIFY(roundTrips<TStopBits>(sbTwoStopBits + 1, StopBitsToStr, StrToStopBits));
        QVERIFY(roundTrips<TParityBits>(prSpace + 1, ParityToStr, StrToParity));
        QVERIFY(roundTrips<TFlowControl>(fcCustom + 1, FlowControlToStr, StrToFlowControl));
        QCOMPARE(BaudRateToStr(br9600), std::string("9600"));
        QCOMPARE(StrToStopBits("1.5"), sbOne5StopBits);
        QCOMPARE(StrToParity("eVEN"), prEven);
        // Texts in no list give each setting's default.
        QCOMPARE(StrToBaudRate("12345"), br9600);
        QCOMPARE(StrToDataBits(""), dbEight);
        QCOMPARE(StrToStopBits("3"), sbOneStopBit);
        QCOMPARE(StrToParity("x"), prNone);
        QCOMPARE(StrToFlowControl("RTS"), fcCustom);

        const auto port = makePort();
        port->SetPort("COM2");
        port->SetDataBits(dbSeven);
        QCOMPARE(ComLinkSummary(*port), std::string("COM2, 9600, 7, 1, None"));
    }

    void onlyTheUsersPickIsApplied()
    {
        const auto port = makePort();
        port->SetBaudRate(br300);
        TComComboBox box;
        box.SetComProperty(cpBaudRate);
        QCOMPARE(box.currentIndex(), 0); // no port bound
        box.SetComPort(port.get());
        box.SetAutoApply(true);
        QCOMPARE(box.Text(), QStringLiteral("300"));

        box.SetText(QStringLiteral("115200"));
        QCOMPARE(box.Text(), QStringLiteral("115200"));
        box.SetText(QStringLiteral("12345")); // no such item: nothing
        QCOMPARE(box.Text(), QStringLiteral("115200"));
        QCOMPARE(port->BaudRate(), br300);

        QTest::keyClick(&box, Qt::Key_Down);
        QCOMPARE(box.Text(), QStringLiteral("128000"));
        QCOMPARE(port->BaudRate(), br128000);

        // Flow control goes on as the compound value; parity keeps the port's other fields.
        TComComboBox flow;
        flow.SetComProperty(cpFlowControl);
        flow.SetComPort(port.get());
        flow.SetAutoApply(true);
        QCOMPARE(flow.Text(), QStringLiteral("None"));
        QTest::keyClick(&flow, Qt::Key_Home);
        QCOMPARE(port->FlowControl().FlowControl(), fcHardware);
    }

    void aDestroyedPortLetsGoOfItsSelectors()
    {
        mapTestPort(16, nerixtest::configHome() + QStringLiteral("/no-device"));
        auto port = makePort();
        port->SetPort("COM16");
        TComComboBox names;
        names.SetComProperty(cpPort);
        names.SetComPort(port.get());
        QCOMPARE(names.currentIndex(), -1); // COM16 is not among the machine's ports
        auto parity = std::make_unique<TComComboBox>();
        parity->SetComProperty(cpParity);
        parity->SetComPort(port.get());
        parity->SetAutoApply(true);
        TComComboBox rate;
        rate.SetComProperty(cpBaudRate);
        rate.SetComPort(port.get());
        rate.SetAutoApply(true);
        QTest::keyClick(&rate, Qt::Key_End);
        QCOMPARE(rate.Text(), QStringLiteral("256000"));
        // A selector that goes first no longer hears of the port.
        parity.reset();
        port.reset();
        QCOMPARE(rate.ComPort(), nullptr);
        QCOMPARE(rate.currentIndex(), 0);
        QTest::keyClick(&rate, Qt::Key_Down); // applies to nothing
        QCOMPARE(rate.Text(), QStringLiteral("110"));
        openSettingsStore()->remove(QStringLiteral("Ports/COM16"));
    }
};

NERIX_TEST(PosixComComboBoxTest)
#include "PosixComComboBoxTest.moc"
