// The wizard's two links on pseudo-terminals and against nerix-sim: the meter's receive events
// with the reference measured on each, gain frames on the wire, the port conflict, a
// misbehaving reference, and both links together against the simulator.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/MessageCatcher.h"
#include "common/PortMap.h"
#include "common/PtyPair.h"
#include "common/SimProcess.h"

#include "calib/KalibracjaMain.h"
#include "measure/ResultFrame.h"
#include "serial/CPort.h"
#include "serial/ComComboBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {
QByteArray frame(int status, int raw)
{
    const ResultFrameBytes bytes = MakeResultFrame(uint8_t(status), 234, int16_t(raw));
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

QString portBusy(const char *port)
{
    return QStringLiteral("Uwaga! Na porcie ") + QLatin1String(port)
        + QString::fromUtf8(" pracuje juz drugie urządzenie!");
}
} // namespace

class PosixWizardLinksTest : public QObject {
    Q_OBJECT

private slots:
    // An event that brings no whole frame keeps the last value (turned by "Zmien znak") and
    // still measures the reference; a frame of another range marks ZlyZakres.
    void meterEventsKeepTheLastValueAndMeasureTheReference()
    {
        SimProcess sim({"--drift", "0"});
        QVERIFY(sim.started());
        PtyPair meter;
        mapTestPort(1, QString::fromStdString(meter.slavePath()));
        TkKalibracja w(nullptr);
        w.Zakres = 2;
        w.kComWzorOpen();
        w.kComKalibOpen();
        QVERIFY(w.kComWzor->Connected() && w.kComKalib->Connected());

        QVERIFY(meter.send(frame(0x01, -15)));
        QTRY_COMPARE(control<QLabel>(&w, "kWizardWzorLabel")->text(), QStringLiteral("123.40"));
        QCOMPARE(w.WartoscKalibrowana, -1.5);
        QCOMPARE(control<QLabel>(&w, "Label36")->text(), QStringLiteral("-1.5"));
        QCOMPARE(w.ZlyZakres, 0);

        control<QCheckBox>(&w, "CheckBox2")->setChecked(true);
        w.WartoscWzorcowa = 0;
        const QByteArray next = frame(0x03, 250);
        QVERIFY(meter.send(next.left(3)));
        QTRY_COMPARE(w.WartoscWzorcowa, 123.4);
        QCOMPARE(w.WartoscKalibrowana, 1.5);
        QVERIFY(meter.send(next.mid(3)));
        QTRY_COMPARE(w.WartoscKalibrowana, -250.0);
        QCOMPARE(w.ZakresUrzadzenia, 3);
        QCOMPARE(w.ZlyZakres, 1);
    }

    void gainFramesOnTheWire()
    {
        PtyPair meter;
        mapTestPort(1, QString::fromStdString(meter.slavePath()));
        TkKalibracja w(nullptr);
        MessageCatcher messages;
        w.kComKalibOpen();
        QVERIFY(w.kComKalib->Connected());
        w.wyslij_wzmocnienie(2, QStringLiteral("20000"));
        QCOMPARE(meter.receive(6).toHex(' '), QByteArray("aa 55 43 08 20 4e"));
        w.wyslij_wzmocnienie(1, QStringLiteral("32768"));
        QCOMPARE(meter.receive(6).toHex(' '), QByteArray("aa 55 43 04 00 80"));
        w.Zakres = 3;
        control<QSpinBox>(&w, "SpinEdit1")->setValue(12345);
        control<QPushButton>(&w, "Button9")->click();
        QCOMPARE(meter.receive(6).toHex(' '), QByteArray("aa 55 43 0c 39 30"));

        // An empty text, a range outside 0..3 and a text that is no integer send nothing.
        w.wyslij_wzmocnienie(0, QString());
        w.wyslij_wzmocnienie(4, QStringLiteral("100"));
        w.wyslij_wzmocnienie(0, QStringLiteral("abc"));
        QVERIFY(meter.receive(1, 300).isEmpty());
        QCOMPARE(messages.texts(),
            QStringList {QString::fromUtf8("Nie można wysłać tekstu abc do adresu 0")});
    }

    void portConflict_data()
    {
        QTest::addColumn<bool>("referenceFirst");
        QTest::newRow("reference open") << true;
        QTest::newRow("meter open") << false;
    }
    void portConflict()
    {
        QFETCH(bool, referenceFirst);
        PtyPair pty;
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        TkKalibracja w(nullptr);
        w.kComWzor->SetPort("COM1");
        MessageCatcher messages;
        if (referenceFirst) {
            w.kComWzorOpen();
            w.kComKalibOpen();
        } else {
            w.kComKalibOpen();
            w.kComWzorOpen();
        }
        QCOMPARE(w.kComWzor->Connected(), referenceFirst);
        QCOMPARE(w.kComKalib->Connected(), !referenceFirst);
        QCOMPARE(messages.texts(), QStringList {portBusy("COM1")});
    }

    void referenceFaults_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<double>("value");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("no answer") << QStringList {"--ref-silent"} << 7.0 << QStringList();
        QTest::newRow("another channel")
            << QStringList {"--ref-wrong-channel"} << 7.0 << QStringList();
        QTest::newRow("classifier") << QStringList {"--ref-classifier", "X"} << 123.4
                                    << QStringList {"Classifier powinien byc \"0\""};
    }
    void referenceFaults()
    {
        QFETCH(QStringList, options);
        QFETCH(double, value);
        QFETCH(QStringList, shown);
        SimProcess sim(options + QStringList {"--drift", "0"});
        QVERIFY(sim.started());
        TkKalibracja w(nullptr);
        MessageCatcher messages;
        w.kComWzorOpen();
        QVERIFY(w.kComWzor->Connected());
        w.WartoscWzorcowa = 7;
        // Asked twice, as by two frames of the meter: the classifier is told once.
        w.kComWzorPomiar();
        w.kComWzorPomiar();
        QCOMPARE(w.WartoscWzorcowa, value);
        QCOMPARE(messages.texts(), shown);
    }

    // An instrument that answers a mode command with its bare letters gets them again, but
    // only so often: Set Master at the open, Set Slave at the wizard's close.
    void modeExchangesRepeatABoundedNumberOfTimes()
    {
        SimProcess sim({"--ref-short-mode"});
        QVERIFY(sim.started());
        TkKalibracja w(nullptr);
        w.kComWzorOpen();
        w.kComWzorSetSlaveAtClose();
        QStringList lines;
        for (QString line; !(line = sim.nextLine(500)).isEmpty();)
            lines << line;
        const int times = TkKalibracja::ModeRepeats + 1;
        QCOMPARE(lines, QStringList(times, "W LO2") + QStringList(times, "W LO1"));
    }

    void bothLinksAgainstTheSimulator()
    {
        SimProcess sim({"--drift", "0", "--rate", "20"});
        QVERIFY(sim.started());
        TkKalibracja w(nullptr);
        MessageCatcher messages;
        auto *panel0 = control<QLabel>(&w, "StatusPanel0");
        auto *panel1 = control<QLabel>(&w, "StatusPanel1");
        auto *wzorPort = control<TComComboBox>(&w, "kWzorPort");
        auto *kalibPort = control<TComComboBox>(&w, "kKalibPort");
        w.kComKalibOpen();
        w.kComWzorOpen();
        QCOMPARE(sim.nextLine(), QStringLiteral("W LO2"));
        QCOMPARE(panel0->text(), QStringLiteral("Wzor: Online"));
        QCOMPARE(panel1->text(), QStringLiteral("Kalib: Online"));
        QVERIFY(!wzorPort->isEnabled() && !kalibPort->isEnabled());

        // The reference reads the field in the wizard's scale of the meter: 12.34 mT is 123.4.
        QTRY_VERIFY(
            qFuzzyCompare(w.WartoscKalibrowana, 123.4) && qFuzzyCompare(w.WartoscWzorcowa, 123.4));
        sim.input("field 20");
        QTRY_VERIFY(
            qFuzzyCompare(w.WartoscKalibrowana, 200.0) && qFuzzyCompare(w.WartoscWzorcowa, 200.0));
        // The meter's reading follows the gain of its range's cell; the reference does not.
        w.wyslij_wzmocnienie(0, QStringLiteral("20000"));
        QCOMPARE(sim.nextLine(), QStringLiteral("C 0 20000"));
        QTRY_COMPARE(w.WartoscKalibrowana, 400.0);
        QCOMPARE(w.WartoscWzorcowa, 200.0);
        QCOMPARE(w.ZlyZakres, 0);

        // Every close of the meter link sets the reference slave.
        w.kComKalibClose();
        QCOMPARE(sim.nextLine(), QStringLiteral("W LO1"));
        QCOMPARE(panel1->text(), QStringLiteral("Kalib: Offline"));
        QVERIFY(kalibPort->isEnabled());
        w.kComWzorClose();
        QCOMPARE(panel0->text(), QStringLiteral("Wzor: Offline"));
        QVERIFY(wzorPort->isEnabled());
        QVERIFY(messages.texts().isEmpty());
    }
};

NERIX_TEST(PosixWizardLinksTest)
#include "PosixWizardLinksTest.moc"
