// Frames handed over as a USB serial adapter does, two and three in one write: every one goes
// through the processing chain and into the recording, and the newest is shown.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/MessageCatcher.h"
#include "common/PortMap.h"
#include "common/PtyPair.h"
#include "common/SimProcess.h"

#include "app/MainWin.h"
#include "core/Jezyki.h"
#include "measure/ResultFrame.h"
#include "measure/ResultText.h"
#include "serial/CPort.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class AdapterDeliveryTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }

    void framesTwoAndThreeAtATimeAreAllProcessed()
    {
        PtyPair pty;
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        MessageCatcher messages;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("adapter.N3D"));
        TMainWin win;
        win.Questions.recordingStep = [] { return 1; };
        win.Questions.saveDataFile = [&] { return path; };
        control<QPushButton>(&win, "S_Polacz")->click();
        QVERIFY(win.ComPort1->Connected());
        control<QPushButton>(&win, "S_Zapisz")->click();
        QVERIFY(win.Zapisywanie());

        // 10.01 mT, 10.02 mT, ... in writes of 2 and 3 frames (0-1, 2-4, 5-6, ...); a spike of
        // 90.00 mT as the middle frame of the write of frames 102-104.
        constexpr int kFrames = 200;
        constexpr int kSpike = 103;
        QStringList expected;
        double sum = 0;
        for (int sent = 0, write = 0; sent < kFrames; ++write) {
            const int count = std::min(write % 2 == 0 ? 2 : 3, kFrames - sent);
            QByteArray bytes;
            for (int i = sent; i < sent + count; ++i) {
                const auto raw = static_cast<int16_t>(i == kSpike ? 9000 : 1001 + i);
                const ResultFrameBytes f = MakeResultFrame(0, 234, raw);
                bytes.append(reinterpret_cast<const char *>(f.data()), int(f.size()));
                expected << PadLeadingMinus(FormatResult(0, raw / 100.0));
                sum += raw / 100.0;
            }
            sent += count;
            QVERIFY(pty.send(bytes));
            // The next write comes after the window has taken this one, as the adapter's next
            // tick does: each write is one receive event.
            QVERIFY2(
                QTest::qWaitFor([&] { return win.Processing.Statistics().count == sent; }, 5000),
                qPrintable(QStringLiteral("%1 of %2 frames processed")
                               .arg(win.Processing.Statistics().count)
                               .arg(sent)));
        }

        const double last = (1001 + kFrames - 1) / 100.0;
        QTRY_COMPARE(control<QLabel>(&win, "SWynik")->text(),
            PadLeadingMinus(FormatResult(0, last)) + QStringLiteral(" mT"));
        QCOMPARE(control<QLabel>(&win, "Max")->text(), FormatResult(0, 90.0));
        QCOMPARE(control<QLabel>(&win, "Min")->text(), FormatResult(0, 10.01));
        QCOMPARE(control<QLabel>(&win, "Avr")->text(), FormatResult(0, sum / kFrames));
        QCOMPARE(win.LiczbaWynikow(), kFrames);

        control<QPushButton>(&win, "S_Zapisz")->click();
        QVERIFY(!win.Zapisywanie());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n")),
            expected + QStringList {QString()});
        QVERIFY(messages.texts().isEmpty());
    }

    void simulatorWithLatencyHandsOverSeveralFramesPerEvent()
    {
        SimProcess sim({QStringLiteral("--max"), QStringLiteral("--latency"), QStringLiteral("16"),
            QStringLiteral("--drift"), QStringLiteral("0")});
        QVERIFY(sim.started());
        TMainWin win;
        // After every event, each byte read so far is in a processed frame or still held.
        long long bytesRead = 0;
        int events = 0, severalFrames = 0, unaccounted = 0;
        const auto handler = win.ComPort1->OnRxChar;
        win.ComPort1->OnRxChar = [&](TComPort &port, int count) {
            handler(port, count);
            bytesRead += count;
            ++events;
            severalFrames += count >= 2 * 7;
            unaccounted += bytesRead
                != 7LL * win.Processing.Statistics().count + win.Link1->Assembly().Length();
        };
        control<QPushButton>(&win, "S_Polacz")->click();
        QVERIFY(win.ComPort1->Connected());
        QTRY_VERIFY_WITH_TIMEOUT(events >= 40, 10000);
        QCOMPARE(unaccounted, 0);
        QVERIFY2(severalFrames >= events / 2,
            qPrintable(QStringLiteral("%1 of %2 events").arg(severalFrames).arg(events)));
    }
};

NERIX_TEST(AdapterDeliveryTest)
#include "PosixAdapterDeliveryTest.moc"
