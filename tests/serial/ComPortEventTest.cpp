// Received bytes reported by the event thread: on the UI thread, never with a count of 0, and
// closing or destroying the port at any moment of a hand-over neither deadlocks nor runs a
// handler of a closed port.
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
} // namespace

class ComPortEventTest : public QObject {
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
        auto bridge = std::make_shared<CountingBridge>();
        auto port = portOn(pty, bridge);
        RxLog rx;
        rx.attach(*port);
        port->Open();
        QVERIFY(pty.send("early"));
        QVERIFY(bridge->waitPosted(1));
        port->PurgeBuffers(true, false); // the waiting bytes vanish before the handler's turn
        QVERIFY(pty.send("z"));
        QTRY_COMPARE(rx.data, QByteArray("z"));
        QCOMPARE(rx.counts, QList<int> {1}); // never a call with 0
    }

    void unreadBytesDoNotRepeatTheEvent()
    {
        PtyPair pty;
        auto port = portOn(pty, std::make_shared<QtComBridge>());
        RxLog rx;
        rx.read = false;
        rx.attach(*port);
        port->Open();
        QVERIFY(pty.send("abc"));
        QTRY_VERIFY(!rx.counts.isEmpty() && rx.counts.last() == 3);
        const qsizetype calls = rx.counts.size();
        QVERIFY(pty.send("d"));
        QTRY_VERIFY(rx.counts.last() == 4);
        QCOMPARE(rx.counts.size(), calls + 1); // one more event for one more arrival
    }

    void closeWhileAHandOverIsPending()
    {
        PtyPair pty;
        auto bridge = std::make_shared<CountingBridge>();
        auto port = portOn(pty, bridge);
        RxLog rx;
        rx.attach(*port);
        int closed = 0;
        port->OnAfterClose = [&](TComPort &) { ++closed; };
        port->Open();
        QVERIFY(pty.send("data"));
        QVERIFY(bridge->waitPosted(1)); // the event thread now waits for the UI thread
        port->Close();
        QVERIFY(!port->Connected());
        QCOMPARE(closed, 1);
        QCoreApplication::processEvents(); // the stale hand-over runs and does nothing
        QVERIFY(rx.counts.isEmpty());

        // The port works again after reopening.
        port->Open();
        QVERIFY(pty.send("again"));
        QTRY_COMPARE(rx.data, QByteArray("again"));
    }

    void destroyWhileAHandOverIsPending()
    {
        PtyPair pty;
        auto bridge = std::make_shared<CountingBridge>();
        auto port = portOn(pty, bridge);
        bool called = false;
        port->OnRxChar = [&](TComPort &, int) { called = true; };
        port->OnAfterClose = [&](TComPort &) { called = true; };
        port->Open();
        QVERIFY(pty.send("data"));
        QVERIFY(bridge->waitPosted(1));
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

NERIX_TEST(ComPortEventTest)
#include "ComPortEventTest.moc"
