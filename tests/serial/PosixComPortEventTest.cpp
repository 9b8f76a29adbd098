// Received bytes reported by the watch on the line: on the UI thread, never with a count of 0,
// one report at a time, and closing or destroying the port at any moment of a report neither
// deadlocks nor runs a handler of a closed port.
#include "TestBridges.h"
#include "TestMain.h"
#include "common/PtyPair.h"
#include "serial/CPort.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>

namespace {
std::unique_ptr<TComPort> portOn(const PtyPair &pty, std::shared_ptr<ComEventBridge> bridge)
{
    const std::string path = pty.slavePath();
    return std::make_unique<TComPort>(std::move(bridge), [path](int) { return path; });
}

// Pumps bytes into the device side until stopped, at a steady pace.
class Streamer {
public:
    explicit Streamer(PtyPair &pty)
        : thread_([this, &pty] {
            const QByteArray chunk(64, 'x');
            std::unique_lock lock(mutex_);
            while (!stop_) {
                pty.trySend(chunk);
                stopped_.wait_for(lock, std::chrono::milliseconds(1), [&] { return stop_; });
            }
        })
    {
    }
    ~Streamer()
    {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        stopped_.notify_all();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable stopped_;
    bool stop_ = false;
    std::thread thread_;
};

// Records the receive events of a port, reading the bytes unless told not to.
struct RxLog {
    QList<int> counts;
    QByteArray data;
    bool read = true;
    bool offUiThread = false;

    void attach(TComPort &port)
    {
        port.OnRxChar = [this](TComPort &sender, int count) {
            offUiThread |= QThread::currentThread() != QCoreApplication::instance()->thread();
            counts << count;
            if (read) {
                std::string text;
                sender.ReadText(text, count);
                data += QByteArray::fromStdString(text);
            }
        };
    }
};

// An open port whose receive events are logged, its bytes left unread.
std::unique_ptr<TComPort> openUnread(const PtyPair &pty, RxLog &rx)
{
    auto port = portOn(pty, std::make_shared<QtComBridge>());
    rx.read = false;
    rx.attach(*port);
    port->Open();
    return port;
}
} // namespace

class PosixComPortEventTest : public QObject {
    Q_OBJECT

private slots:
    void receivedBytesReachTheUiThread()
    {
        PtyPair pty;
        auto port = portOn(pty, std::make_shared<QtComBridge>());
        RxLog rx;
        rx.attach(*port);
        port->Open();
        QByteArray sent;
        for (int i = 0; i < 20; ++i) {
            const QByteArray frame = "frame " + QByteArray::number(i) + "\r\n";
            QVERIFY(pty.send(frame));
            sent += frame;
            if (i % 5 == 0) // let some arrive while others are being handled
                QCoreApplication::processEvents();
        }
        QTRY_COMPARE(rx.data, sent);
        QVERIFY(!rx.offUiThread);
        QVERIFY(!rx.counts.isEmpty());
        for (int count : std::as_const(rx.counts))
            QVERIFY(count > 0);
    }

    void noEventWhenTheBytesAreGoneBeforeItsTurn()
    {
        PtyPair pty;
        auto port = portOn(pty, std::make_shared<QtComBridge>());
        RxLog rx;
        rx.attach(*port);
        port->Open();
        QVERIFY(pty.send("early"));
        QVERIFY(lineShows(pty, POLLIN));
        port->PurgeBuffers(true, false); // the waiting bytes vanish before the handler's turn
        QVERIFY(pty.send("z"));
        QTRY_COMPARE(rx.data, QByteArray("z"));
        QCOMPARE(rx.counts, QList<int> {1}); // never a call with 0
    }

    void unreadBytesDoNotRepeatTheEvent()
    {
        PtyPair pty;
        RxLog rx;
        auto port = openUnread(pty, rx);
        QVERIFY(pty.send("abc"));
        QTRY_VERIFY(!rx.counts.isEmpty() && rx.counts.last() == 3);
        const qsizetype calls = rx.counts.size();
        QVERIFY(pty.send("d"));
        QTRY_VERIFY(rx.counts.last() == 4);
        QCOMPARE(rx.counts.size(), calls + 1); // one more event for one more arrival
    }

    void oneReportAtATime()
    {
        // The handler runs a local event loop while more bytes arrive: they are reported once
        // it has returned, not within it.
        PtyPair pty;
        auto port = portOn(pty, std::make_shared<QtComBridge>());
        int depth = 0;
        int deepest = 0;
        bool takenIn = false;
        RxLog rx;
        port->OnRxChar = [&](TComPort &sender, int count) {
            deepest = std::max(deepest, ++depth);
            rx.counts << count;
            if (rx.counts.size() == 1 && pty.send("more")) {
                // Until the port has taken them in from the driver.
                takenIn = QTest::qWaitFor(
                    [&] { return sender.InputCount() == count + 4 && !lineShows(pty, POLLIN, 0); },
                    5000);
            }
            std::string text;
            sender.ReadText(text, count);
            rx.data += QByteArray::fromStdString(text);
            --depth;
        };
        port->Open();
        QVERIFY(pty.send("first"));
        QTRY_COMPARE(rx.data, QByteArray("firstmore"));
        QCOMPARE(rx.counts, (QList<int> {5, 4}));
        QVERIFY(takenIn);
        QCOMPARE(deepest, 1);
    }

    void aPortLeftUnreadKeepsEveryByteWithoutSpinning()
    {
        // More than the port's own receive queue holds: the rest waits in the driver.
        PtyPair pty;
        RxLog rx;
        auto port = openUnread(pty, rx);
        QByteArray sent;
        for (int i = 0; sent.size() < 67000; ++i)
            sent += QByteArray::number(i) + ',';
        qsizetype done = 0;
        QVERIFY(QTest::qWaitFor(
            [&] {
                done += pty.trySend(sent.mid(done));
                return done == sent.size();
            },
            20000));
        QTRY_COMPARE(port->InputCount(), int(sent.size()));
        QVERIFY(cpuMsOverHalfASecond() < 150);
        std::string text;
        QCOMPARE(port->ReadText(text, int(sent.size())), int(sent.size()));
        QVERIFY(QByteArray::fromStdString(text) == sent);
    }

    void closeWhileAHandOverIsPending()
    {
        PtyPair pty;
        auto port = portOn(pty, std::make_shared<QtComBridge>());
        RxLog rx;
        rx.attach(*port);
        int closed = 0;
        port->OnAfterClose = [&](TComPort &) { ++closed; };
        port->Open();
        QVERIFY(pty.send("data"));
        QVERIFY(lineShows(pty, POLLIN)); // to be reported when the UI thread next looks
        port->Close();
        QVERIFY(!port->Connected());
        QCOMPARE(closed, 1);
        QCoreApplication::processEvents(); // nothing is reported for the closed port
        QVERIFY(rx.counts.isEmpty());

        // The port works again after reopening.
        port->Open();
        QVERIFY(pty.send("again"));
        QTRY_COMPARE(rx.data, QByteArray("again"));
    }

    void destroyWhileAHandOverIsPending()
    {
        PtyPair pty;
        auto port = portOn(pty, std::make_shared<QtComBridge>());
        bool called = false;
        port->OnRxChar = [&](TComPort &, int) { called = true; };
        port->OnAfterClose = [&](TComPort &) { called = true; };
        port->Open();
        QVERIFY(pty.send("data"));
        QVERIFY(lineShows(pty, POLLIN));
        port.reset(); // closes first
        QCoreApplication::processEvents();
        QVERIFY(!called);
    }

    void closeFromInsideOnRxChar()
    {
        PtyPair pty;
        auto port = portOn(pty, std::make_shared<QtComBridge>());
        int rxCalls = 0;
        int closed = 0;
        port->OnAfterClose = [&](TComPort &) { ++closed; };
        port->OnRxChar = [&](TComPort &sender, int) {
            ++rxCalls;
            sender.Close();
        };
        port->Open();
        QVERIFY(pty.send("bye"));
        QTRY_COMPARE(closed, 1);
        QVERIFY(!port->Connected());
        QVERIFY(pty.send("more"));
        QCoreApplication::processEvents();
        QCOMPARE(rxCalls, 1);

        RxLog rx;
        rx.attach(*port);
        port->Open();
        QVERIFY(pty.send("back"));
        QTRY_COMPARE(rx.data, QByteArray("back"));
    }

    void closeWhileBytesStreamIn()
    {
        PtyPair pty;
        auto port = portOn(pty, std::make_shared<QtComBridge>());
        RxLog rx;
        rx.attach(*port);
        int opened = 0;
        int closed = 0;
        port->OnAfterOpen = [&](TComPort &) { ++opened; };
        port->OnAfterClose = [&](TComPort &) { ++closed; };
        Streamer streamer(pty);
        for (int round = 0; round < 40; ++round) {
            port->Open();
            const qsizetype before = rx.counts.size();
            if (round % 2 == 0) { // close right in the middle of a hand-over, or between two
                QTRY_VERIFY(rx.counts.size() > before);
            }
            port->Close();
            QVERIFY(!port->Connected());
        }
        QCOMPARE(opened, 40);
        QCOMPARE(closed, 40);
        const qsizetype after = rx.counts.size();
        QCoreApplication::processEvents();
        QCOMPARE(rx.counts.size(), after); // nothing for a closed port
    }

    void smNoneRunsTheHandlerOnTheEventThread()
    {
        PtyPair pty;
        auto port = portOn(pty, std::make_shared<QtComBridge>());
        port->SetSyncMethod(smNone);
        std::atomic<int> received {0};
        std::atomic<bool> onUiThread {false};
        port->OnRxChar = [&](TComPort &sender, int count) {
            onUiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
            char buffer[64];
            received += sender.Read(buffer, std::min(count, 64));
        };
        port->Open();
        QVERIFY(pty.send("12345"));
        QVERIFY(QTest::qWaitFor([&] { return received == 5; }, 5000));
        QVERIFY(!onUiThread);
        port->Close();
    }
};

NERIX_TEST(PosixComPortEventTest)
#include "PosixComPortEventTest.moc"
