// An open serial port on a pseudo-terminal: opening and closing, the line state it sets, and
// reading, writing, purging and counting bytes.
#include "TestMain.h"
#include "common/PtyPair.h"
#include "serial/CPort.h"
#include "serial/PosixKernelLine.h"
#include "serial/QtComBridge.h"

#include <QElapsedTimer>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <map>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// A port whose COMn names resolve to the given devices.
std::unique_ptr<TComPort> portOn(std::map<int, std::string> devices)
{
    auto port = std::make_unique<TComPort>(std::make_shared<QtComBridge>(), [devices](int n) {
        const auto it = devices.find(n);
        return it == devices.end() ? std::string("/nonexistent") : it->second;
    });
    port->SetEvents({}); // no event thread: these tests read by hand
    return port;
}

std::uint32_t rateOf(const PtyPair &pty)
{
    PosixLineState state;
    return posixReadLineState(pty.slaveFd(), state) == 0 ? state.rate : 0;
}

int codeOf(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const EComPort &e) {
        return e.Code();
    }
    return 0;
}
} // namespace

class PosixComPortIoTest : public QObject {
    Q_OBJECT

private slots:
    void openSetsTheLineState()
    {
        PtyPair pty;
        QVERIFY(pty.isValid());
        auto port = portOn({{1, pty.slavePath()}});
        int opened = 0;
        port->OnAfterOpen = [&](TComPort &sender) {
            QVERIFY(sender.Connected()); // the handler sees an open port
            ++opened;
        };
        port->Open();
        QVERIFY(port->Connected());
        QCOMPARE(opened, 1);
        port->Open(); // already open: nothing
        QCOMPARE(opened, 1);

        termios t = pty.slaveAttributes();
        QCOMPARE(cfgetospeed(&t), speed_t(B9600));
        QCOMPARE(cfgetispeed(&t), speed_t(B9600));
        QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
        QCOMPARE(t.c_iflag & (IXON | IXOFF | INPCK), tcflag_t(0));
        QCOMPARE(t.c_lflag & ICANON, tcflag_t(0)); // raw bytes, no line editing
        QCOMPARE(t.c_oflag & OPOST, tcflag_t(0));
    }

    void settingsChangedWhileOpenAreApplied()
    {
        // A pseudo-terminal keeps its frame at eight bits without parity whatever is asked;
        // the rest of the line state is read back here, the frame mapping where it is built.
        PtyPair pty;
        auto port = portOn({{1, pty.slavePath()}});
        port->SetStopBits(sbTwoStopBits); // stored while closed
        port->Open();
        termios t = pty.slaveAttributes();
        QVERIFY(t.c_cflag & CSTOPB);

        port->SetBaudRate(br19200);
        t = pty.slaveAttributes();
        QCOMPARE(cfgetospeed(&t), speed_t(B19200));
        port->SetParity({prOdd, true, false, 0});
        QVERIFY(pty.slaveAttributes().c_iflag & INPCK);
        port->SetStopBits(sbOneStopBit);
        QVERIFY(!(pty.slaveAttributes().c_cflag & CSTOPB));

        port->SetFlowControl(fcSoftware);
        TComFlowControl flow = port->FlowControl();
        flow.XonChar = 0x11 + 1;
        port->SetFlowControl(flow);
        t = pty.slaveAttributes();
        QCOMPARE(t.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));
        QCOMPARE(t.c_cc[VSTART], cc_t(0x12));
        port->SetFlowControl(fcHardware);
        t = pty.slaveAttributes();
        QCOMPARE(t.c_iflag & (IXON | IXOFF), tcflag_t(0));
        QVERIFY(t.c_cflag & CRTSCTS);

        // Rates without a standard code are set in bits per second.
        port->SetBaudRate(br14400);
        QCOMPARE(rateOf(pty), 14400u);
        port->SetBaudRate(brCustom);
        port->SetCustomRate(250000);
        QCOMPARE(rateOf(pty), 250000u);
    }

    void aDeviceKeepingItsOwnFrameIsNoFailure()
    {
        // The pseudo-terminal keeps eight bits without parity. Changing only those, as on
        // reopening a 7-bit port whose terminal is otherwise set already, still succeeds.
        PtyPair pty;
        auto port = portOn({{1, pty.slavePath()}});
        port->Open();
        port->SetDataBits(dbSeven);
        port->SetParity({prEven, false, false, 0});
        port->Close();
        port->Open();
        QVERIFY(port->Connected());
    }

    void reopensOnlyOnANewName()
    {
        PtyPair first;
        PtyPair second;
        auto port = portOn({{1, first.slavePath()}, {2, second.slavePath()}});
        QStringList log;
        port->OnAfterOpen = [&](TComPort &p) { log << "open " + QString::fromStdString(p.Port()); };
        port->OnAfterClose = [&](TComPort &) { log << "close"; };
        port->Open();
        port->SetPort("com1"); // the same name
        QCOMPARE(log, QStringList {"open COM1"});
        port->SetPort("2");
        QCOMPARE(log, (QStringList {"open COM1", "close", "open COM2"}));
        QVERIFY(port->Connected());
        // It now talks to the second device.
        QCOMPARE(port->WriteText("x"), 1);
        QCOMPARE(second.receive(1), QByteArray("x"));
    }

    void openFailuresLeaveThePortClosed()
    {
        auto missing = portOn({});
        try {
            missing->Open();
            QFAIL("opening a missing device succeeded");
        } catch (const EComPort &e) {
            QCOMPARE(e.Code(), 1);
            QCOMPARE(e.WinCode(), ENOENT);
            QCOMPARE(QString(e.what()),
                QString("Unable to open com port (error %1: No such file or directory)")
                    .arg(ENOENT));
        }
        QVERIFY(!missing->Connected());

        // Not shared: a second port on the same device is refused.
        PtyPair pty;
        auto owner = portOn({{1, pty.slavePath()}});
        auto intruder = portOn({{1, pty.slavePath()}});
        owner->Open();
        QCOMPARE(codeOf([&] { intruder->Open(); }), 1);
        QVERIFY(!intruder->Connected());
        owner->Close();
        intruder->Open();
        QVERIFY(intruder->Connected());

        // A file that is not a terminal.
        auto file = portOn({{1, "/dev/null"}});
        QCOMPARE(codeOf([&] { file->Open(); }), 1);
        QVERIFY(!file->Connected());
    }

    void aKilledOwnerLeavesThePortFree()
    {
        // The claim on a port dies with the program that held it, though the device side of
        // the terminal stays open.
        PtyPair pty;
        int ready[2];
        QVERIFY(::pipe(ready) == 0);
        const pid_t owner = ::fork();
        if (owner == 0) {
            auto port = portOn({{1, pty.slavePath()}});
            try {
                port->Open();
            } catch (...) {
                ::_exit(1);
            }
            [[maybe_unused]] const ssize_t told = ::write(ready[1], "o", 1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char opened = 0;
        const ssize_t told = ::read(ready[0], &opened, 1);
        ::close(ready[0]);
        auto port = portOn({{1, pty.slavePath()}});
        const int whileOwned = told == 1 ? codeOf([&] { port->Open(); }) : -1;
        ::kill(owner, SIGKILL);
        ::waitpid(owner, nullptr, 0);
        QCOMPARE(told, ssize_t(1));
        QCOMPARE(whileOwned, 1);
        QCOMPARE(codeOf([&] { port->Open(); }), 0);
        QVERIFY(port->Connected());
    }

    void syncMethodIsFixedWhileOpen()
    {
        PtyPair pty;
        auto port = portOn({{1, pty.slavePath()}});
        port->SetSyncMethod(smNone);
        port->SetSyncMethod(smThreadSync);
        port->Open();
        try {
            port->SetSyncMethod(smNone);
            QFAIL("SyncMethod changed on an open port");
        } catch (const EComPort &e) {
            QCOMPARE(e.Code(), 14);
            QCOMPARE(e.WinCode(), -1);
            QCOMPARE(QString(e.what()), QString("Cannot set SyncMethod while connected"));
        }
        QCOMPARE(port->SyncMethod(), smThreadSync);
    }

    void writeReachesTheDevice()
    {
        PtyPair pty;
        auto port = portOn({{1, pty.slavePath()}});
        port->Open();
        const QByteArray frame("\x02"
                               "C12\x00\xff\r\n",
            8);
        QCOMPARE(port->Write(frame.constData(), int(frame.size())), 8);
        QCOMPARE(port->WriteText("S"), 1);
        QCOMPARE(pty.receive(9), frame + "S"); // binary bytes pass unchanged
    }

    void writeStopsAtItsTimeout()
    {
        PtyPair pty; // the device never reads: the queue fills up
        auto port = portOn({{1, pty.slavePath()}});
        port->Open();
        port->SetTimeouts({TComTimeouts::kNoInterval, 0, 0, 0, 300});
        const std::string block(1 << 20, 'a');
        QElapsedTimer clock;
        clock.start();
        const int written = port->WriteText(block);
        QVERIFY(written > 0);
        QVERIFY(written < int(block.size()));
        QVERIFY(clock.elapsed() >= 290);
        QVERIFY(clock.elapsed() < 3000);
    }

    void readReturnsWhatHasArrived()
    {
        PtyPair pty;
        auto port = portOn({{1, pty.slavePath()}});
        port->Open();
        char buffer[64];
        QCOMPARE(port->Read(buffer, sizeof buffer), 0); // nothing yet: at once

        QVERIFY(pty.send("hello"));
        QVERIFY(QTest::qWaitFor([&] { return port->InputCount() == 5; }, 5000));
        std::string text;
        QCOMPARE(port->ReadText(text, 3), 3);
        QCOMPARE(text, std::string("hel"));
        QCOMPARE(port->InputCount(), 2);
        QCOMPARE(port->ReadText(text, 64), 2);
        QCOMPARE(text, std::string("lo"));
        QCOMPARE(port->InputCount(), 0);
    }

    void readWaitsWithinItsTimeouts()
    {
        PtyPair pty;
        auto port = portOn({{1, pty.slavePath()}});
        port->Open();
        // Up to 200 ms for the whole read.
        port->SetTimeouts({0, 0, 200, 100, 1000});
        QVERIFY(pty.send("abc"));
        QElapsedTimer clock;
        clock.start();
        char buffer[10];
        QCOMPARE(port->Read(buffer, 10), 3);
        QVERIFY(clock.elapsed() >= 190);
        QVERIFY(clock.elapsed() < 3000);
        // A full read returns as soon as it is full.
        QVERIFY(pty.send("0123456789"));
        clock.restart();
        QCOMPARE(port->Read(buffer, 10), 10);
        QVERIFY(clock.elapsed() < 190);
    }

    void discardNullDropsNulBytes()
    {
        PtyPair pty;
        auto port = portOn({{1, pty.slavePath()}});
        port->SetDiscardNull(true);
        port->Open();
        QVERIFY(pty.send(QByteArray("a\0b\0\0c", 6)));
        QVERIFY(QTest::qWaitFor([&] { return port->InputCount() == 6; }, 5000));
        std::string text;
        QCOMPARE(port->ReadText(text, 10), 3);
        QCOMPARE(text, std::string("abc"));
    }

    void purgeEmptiesTheReceiveQueue()
    {
        PtyPair pty;
        auto port = portOn({{1, pty.slavePath()}});
        port->Open();
        QVERIFY(pty.send("stale bytes"));
        QVERIFY(QTest::qWaitFor([&] { return port->InputCount() == 11; }, 5000));
        port->PurgeBuffers(false, true); // the transmit side only
        QCOMPARE(port->InputCount(), 11);
        port->PurgeBuffers(true, false);
        QCOMPARE(port->InputCount(), 0);
        char buffer[16];
        QCOMPARE(port->Read(buffer, sizeof buffer), 0);
    }

    void bytesLeftFromBeforeOpenAreGone()
    {
        PtyPair pty;
        auto port = portOn({{1, pty.slavePath()}});
        QVERIFY(pty.send("old\n")); // a whole line: the terminal is still in line mode
        QVERIFY(QTest::qWaitFor(
            [&] {
                int waiting = 0;
                return ioctl(pty.slaveFd(), FIONREAD, &waiting) == 0 && waiting == 4;
            },
            5000));
        port->Open();
        QCOMPARE(port->InputCount(), 0);
    }

    void operationsOnAClosedPortFail()
    {
        auto port = portOn({});
        char buffer[4] = {};
        QCOMPARE(codeOf([&] { port->Write(buffer, 4); }), 2);
        QCOMPARE(codeOf([&] { port->Read(buffer, 4); }), 3);
        QCOMPARE(codeOf([&] { port->PurgeBuffers(true, true); }), 5);
        QCOMPARE(codeOf([&] { port->InputCount(); }), 10);
        port->Close(); // nothing to close: no handler, no failure
    }
};

NERIX_TEST(PosixComPortIoTest)
#include "PosixComPortIoTest.moc"
