// The mapping of the device control block onto termios for the frame formats a
// pseudo-terminal cannot hold (it keeps eight bits without parity).
#include "serial/PosixTermios.h"
#include "TestMain.h"

#include <QTest>
#include <termios.h>

namespace {
// A terminal as a login shell leaves it: line mode, echo, CR/LF translation, 7-bit strip.
PosixLineState cookedTerminal()
{
    PosixLineState t;
    t.iflag = ICRNL | IXON | ISTRIP | IGNPAR;
    t.oflag = OPOST | ONLCR;
    t.lflag = ICANON | ECHO | ISIG | IEXTEN;
    t.cflag = CS8 | PARENB | CSTOPB | HUPCL;
    t.cc[VMIN] = 0;
    t.cc[VTIME] = 5;
    t.rate = 38400;
    return t;
}

ComControlBlock block(TDataBits bits, TParityBits parity, TStopBits stop)
{
    ComLineSettings line;
    line.DataBits = bits;
    line.Parity.Bits = parity;
    line.StopBits = stop;
    return buildComControlBlock(line, 1024);
}
} // namespace

class PosixTermiosTest : public QObject {
    Q_OBJECT

private slots:
    void frameFormat_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("stop");
        QTest::addColumn<uint>("size");
        QTest::addColumn<uint>("parityFlags");
        QTest::addColumn<bool>("twoStop");
        QTest::newRow("8N1") << int(dbEight) << int(prNone) << int(sbOneStopBit) << uint(CS8) << 0u
                             << false;
        QTest::newRow("7N1") << int(dbSeven) << int(prNone) << int(sbOneStopBit) << uint(CS7) << 0u
                             << false;
        QTest::newRow("7E2") << int(dbSeven) << int(prEven) << int(sbTwoStopBits) << uint(CS7)
                             << uint(PARENB) << true;
        QTest::newRow("6O1") << int(dbSix) << int(prOdd) << int(sbOneStopBit) << uint(CS6)
                             << uint(PARENB | PARODD) << false;
        QTest::newRow("5M1.5") << int(dbFive) << int(prMark) << int(sbOne5StopBits) << uint(CS5)
                               << uint(PARENB | PARODD | CMSPAR) << true;
        QTest::newRow("8S1") << int(dbEight) << int(prSpace) << int(sbOneStopBit) << uint(CS8)
                             << uint(PARENB | CMSPAR) << false;
    }
    void frameFormat()
    {
        QFETCH(int, bits);
        QFETCH(int, parity);
        QFETCH(int, stop);
        QFETCH(uint, size);
        QFETCH(uint, parityFlags);
        QFETCH(bool, twoStop);
        PosixLineState t = cookedTerminal();
        posixLineFromControlBlock(block(TDataBits(bits), TParityBits(parity), TStopBits(stop)), t);
        QCOMPARE(uint(t.cflag & CSIZE), size);
        QCOMPARE(uint(t.cflag & (PARENB | PARODD | CMSPAR)), parityFlags);
        QCOMPARE(bool(t.cflag & CSTOPB), twoStop);
        QCOMPARE(t.rate, 9600u);
        // Raw bytes both ways, whatever the terminal was before; the modem-control bits stay.
        QCOMPARE(t.lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
        QCOMPARE(t.iflag & (ICRNL | IXON | ISTRIP | IGNPAR | INPCK), 0u);
        QCOMPARE(t.oflag & OPOST, 0u);
        QVERIFY((t.cflag & (CREAD | CLOCAL | HUPCL)) == (CREAD | CLOCAL | HUPCL));
        QCOMPARE(t.cc[VMIN], 1);
        QCOMPARE(t.cc[VTIME], 0);
    }
};

NERIX_TEST(PosixTermiosTest)
#include "PosixTermiosTest.moc"
