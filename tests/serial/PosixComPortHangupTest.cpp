// A device that disappears while the port is open (the pseudo-terminal's master closed, as a
// USB adapter pulled out): the port closes itself, tells once, does not spin, and can connect
// again.
#include "TestBridges.h"
#include "TestMain.h"
#include "common/PtyPair.h"
#include "serial/CPort.h"

#include <QCoreApplication>
#include <QTest>
#include <cerrno>

class PosixComPortHangupTest : public QObject {
    Q_OBJECT

private slots:
    void hangUpClosesThePortAndTellsOnce()
    {
        auto pty = std::make_unique<PtyPair>();
        std::string path = pty->slavePath();
        TComPort port(std::make_shared<QtComBridge>(), [&](int) { return path; });
        QStringList log;
        int lostCode = 0;
        int lostErrno = 0;
        port.OnAfterClose = [&](TComPort &sender) {
            log << (sender.Connected() ? "close while connected" : "close");
        };
        port.OnLinkLost = [&](TComPort &sender, const EComPort &why) {
            log << (sender.Connected() ? "lost while connected" : "lost");
            lostCode = why.Code();
            lostErrno = why.WinCode();
        };
        port.OnRxChar = [](TComPort &sender, int count) {
            std::string text;
            sender.ReadText(text, count);
        };
        port.Open();
        QVERIFY(pty->send("last words"));
        pty->closeMaster();
        QTRY_COMPARE(log, (QStringList {"close", "lost"}));
        QVERIFY(!port.Connected());
        QCOMPARE(lostCode, 3);
        QCOMPARE(lostErrno, EIO);
        QVERIFY(cpuMsOverHalfASecond() < 150);
        QCOMPARE(log.size(), 2);

        // Plugged in again (a new device behind the same name).
        pty = std::make_unique<PtyPair>();
        path = pty->slavePath();
        QByteArray received;
        port.OnRxChar = [&](TComPort &sender, int count) {
            std::string text;
            sender.ReadText(text, count);
            received += QByteArray::fromStdString(text);
        };
        port.Open();
        QVERIFY(port.Connected());
        QVERIFY(pty->send("hello again"));
        QTRY_COMPARE(received, QByteArray("hello again"));
        QCOMPARE(port.WriteText("ok"), 2);
        QCOMPARE(pty->receive(2), QByteArray("ok"));
    }

    void theEventThreadStopsWatchingALostDevice()
    {
        // An event thread watches (smNone), and its report of the loss is held back from the
        // UI thread: meanwhile nothing may spin.
        PtyPair pty;
        auto bridge = std::make_shared<HoldingBridge>();
        const std::string path = pty.slavePath();
        TComPort port(bridge, [&](int) { return path; });
        port.SetSyncMethod(smNone);
        int lost = 0;
        port.OnLinkLost = [&](TComPort &, const EComPort &) { ++lost; };
        port.Open();
        pty.closeMaster();
        QVERIFY(bridge->waitHeld(1));
        QVERIFY(cpuMsOverHalfASecond() < 150);
        QCOMPARE(bridge->held(), 1); // one report, not one per wake-up
        QVERIFY(port.Connected()); // until the UI thread has taken the report

        // Until then the port's own operations report the loss.
        try {
            port.WriteText("x");
            QFAIL("a write to a lost device succeeded");
        } catch (const EComPort &e) {
            QCOMPARE(e.Code(), 2);
        }
        char buffer[4];
        try {
            port.Read(buffer, 4);
            QFAIL("a read from a lost device succeeded");
        } catch (const EComPort &e) {
            QCOMPARE(e.Code(), 3);
        }

        bridge->runAll();
        QCOMPARE(lost, 1);
        QVERIFY(!port.Connected());
    }

    void userCloseBeforeTheLossIsHandled()
    {
        PtyPair pty;
        const std::string path = pty.slavePath();
        TComPort port(std::make_shared<QtComBridge>(), [&](int) { return path; });
        int lost = 0;
        int closed = 0;
        port.OnLinkLost = [&](TComPort &, const EComPort &) { ++lost; };
        port.OnAfterClose = [&](TComPort &) { ++closed; };
        port.Open();
        pty.closeMaster();
        QVERIFY(lineShows(pty, POLLHUP)); // to be reported when the UI thread next looks
        port.Close(); // a dead device closes without complaint
        QCoreApplication::processEvents();
        QCOMPARE(closed, 1);
        QCOMPARE(lost, 0); // the report belonged to a connection already closed
    }
};

NERIX_TEST(PosixComPortHangupTest)
#include "PosixComPortHangupTest.moc"
