// Settings of the serial port that need no device: port names, compound flow control and the
// device control block.
#include "TestMain.h"
#include "serial/CPort.h"
#include "serial/QtComBridge.h"

#include <QTest>

class ComSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void portNameIsNormalised_data()
    {
        QTest::addColumn<QString>("assigned");
        QTest::addColumn<QString>("stored");
        QTest::newRow("lower case") << "com2"
                                    << "COM2";
        QTest::newRow("bare number") << "2"
                                     << "COM2";
        QTest::newRow("upper case") << "COM2"
                                    << "COM2";
        QTest::newRow("two digits") << "com16"
                                    << "COM16";
        QTest::newRow("zero") << "COM0"
                              << "COM1";
        QTest::newRow("seventeen") << "17"
                                   << "COM17";
        QTest::newRow("Windows' last") << "com255"
                                       << "COM255";
        QTest::newRow("beyond Windows' last") << "256"
                                              << "COM1";
        QTest::newRow("negative") << "COM-3"
                                  << "COM1";
        QTest::newRow("not a number") << "COMx"
                                      << "COM1";
        QTest::newRow("trailing text") << "COM2a"
                                       << "COM1";
        QTest::newRow("prefix only") << "COM"
                                     << "COM1";
        QTest::newRow("empty") << ""
                               << "COM1";
        QTest::newRow("huge") << "COM99999999999999999999"
                              << "COM1";
    }
    void portNameIsNormalised()
    {
        QFETCH(QString, assigned);
        QFETCH(QString, stored);
        TComPort port(std::make_shared<QtComBridge>());
        port.SetPort("COM5"); // so that "COM1" results are real assignments
        port.SetPort(assigned.toStdString());
        QCOMPARE(QString::fromStdString(port.Port()), stored);
    }

    void compoundFlowControlReadsTheFourFlags()
    {
        TComFlowControl f;
        QCOMPARE(f.FlowControl(), fcNone);
        f.ControlRTS = rtsHandshake;
        QCOMPARE(f.FlowControl(), fcCustom); // handshake without CTS flow
        f.OutCTSFlow = true;
        QCOMPARE(f.FlowControl(), fcHardware);
        f.XonXoffIn = true;
        QCOMPARE(f.FlowControl(), fcCustom); // hardware plus one XON/XOFF flag

        TComFlowControl s;
        s.XonXoffIn = s.XonXoffOut = true;
        QCOMPARE(s.FlowControl(), fcSoftware);
        s.ControlRTS = rtsEnable;
        QCOMPARE(s.FlowControl(), fcCustom);
        TComFlowControl half;
        half.XonXoffOut = true;
        QCOMPARE(half.FlowControl(), fcCustom);
        // Lines outside the four do not count.
        TComFlowControl other;
        other.OutDSRFlow = true;
        other.ControlDTR = dtrHandshake;
        QCOMPARE(other.FlowControl(), fcNone);
    }

    void settingCompoundFlowControlClearsTheOthersFirst()
    {
        TComFlowControl f;
        f.ControlRTS = rtsToggle;
        f.XonXoffIn = true;
        f.OutDSRFlow = true;
        f.SetFlowControl(fcCustom);
        QCOMPARE(f.ControlRTS, rtsToggle); // unchanged
        QVERIFY(f.XonXoffIn);

        f.SetFlowControl(fcHardware);
        QCOMPARE(f.ControlRTS, rtsHandshake);
        QVERIFY(f.OutCTSFlow);
        QVERIFY(!f.XonXoffIn && !f.XonXoffOut);
        QVERIFY(f.OutDSRFlow); // not one of the four

        f.SetFlowControl(fcSoftware);
        QCOMPARE(f.ControlRTS, rtsDisable);
        QVERIFY(!f.OutCTSFlow);
        QVERIFY(f.XonXoffIn && f.XonXoffOut);

        f.SetFlowControl(fcNone);
        QCOMPARE(f.FlowControl(), fcNone);
    }

    void oddQueueSizesAreStoredOneLower()
    {
        TComPort port(std::make_shared<QtComBridge>());
        port.SetBuffer({1025, 4097});
        QCOMPARE(port.Buffer().InputSize, 1024u);
        QCOMPARE(port.Buffer().OutputSize, 4096u);
        const ComControlBlock dcb = port.ControlBlock();
        QCOMPARE(dcb.XonLim, 256);
        QCOMPARE(dcb.XoffLim, 256);
        // Queues beyond the 16-bit limit fields saturate instead of wrapping round.
        port.SetBuffer({1u << 20, 1024});
        QCOMPARE(port.ControlBlock().XonLim, 0xFFFF);
    }

    void controlBlockFollowsTheSettings()
    {
        ComLineSettings line;
        line.BaudRate = brCustom;
        line.CustomRate = 31250;
        line.DataBits = dbSeven;
        line.StopBits = sbTwoStopBits;
        line.Parity.Bits = prMark;
        line.Parity.Replace = true; // without Check there is no error character
        line.Parity.ReplaceChar = '?';
        line.FlowControl.ControlDTR = dtrEnable;
        line.EventChar = '\n';
        ComControlBlock dcb = buildComControlBlock(line, 1024);
        QCOMPARE(dcb.DCBlength, 28u);
        QCOMPARE(dcb.BaudRate, 31250u);
        QCOMPARE(dcb.ByteSize, 7);
        QCOMPARE(dcb.Parity, 3);
        QCOMPARE(dcb.StopBits, 2);
        QVERIFY(dcb.fBinary);
        QVERIFY(!dcb.fParity && !dcb.fErrorChar);
        QCOMPARE(dcb.ErrorChar, 0);
        QCOMPARE(dcb.fDtrControl, dtrEnable);
        QCOMPARE(dcb.EvtChar, '\n');

        line.Parity.Check = true;
        line.BaudRate = br128000;
        dcb = buildComControlBlock(line, 1024);
        QVERIFY(dcb.fParity && dcb.fErrorChar);
        QCOMPARE(dcb.ErrorChar, '?');
        QCOMPARE(dcb.BaudRate, 128000u); // the named rate wins over CustomRate
    }
};

NERIX_TEST(ComSettingsTest)
#include "ComSettingsTest.moc"
