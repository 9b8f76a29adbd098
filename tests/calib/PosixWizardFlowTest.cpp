// The wizard's flow in the whole program: a calibration against nerix-sim from the service
// panel's cell to the panel's send, a meter in another range, a reference that never answers,
// links lost while sampling and searching, a range change, Start without a usable fit,
// closing in the middle of the search, Wstecz with the meter's gain given back, a reference
// that fails at the end, ports that do not open, and a full sample table. Meters that send only
// what the test sends are pseudo-terminals of the test's own.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/MessageCatcher.h"
#include "common/PortMap.h"
#include "common/PtyPair.h"
#include "common/RememberedReset.h"
#include "common/SimProcess.h"
#include "common/SimScenarios.h"

#include "app/AboutWin.h"
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "app/Startup.h"
#include "calib/KalibracjaMain.h"
#include "calib/SampleGrid.h"
#include "calib/SampleMessages.h"
#include "calib/SampleTable.h"
#include "core/Jezyki.h"
#include "measure/ResultFrame.h"
#include "params/Conversions.h"
#include "serial/CPort.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPointF>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>

namespace {
using simscenario::Program;
using simscenario::simLines;

// The wizard on DC2 for the AXIAL probe, the panel's cell holding gain 10000, with a meter
// (COM1) that sends only what the test sends and nerix-sim's reference (COM2). The two samples
// read 12 and 22 where the reference read 10 and 20, so the target is 20 while the meter stays
// at 22: the search settles after two values, 16384 and 8192.
struct SilentDevices {
    SimProcess sim {{"--drift", "0"}};
    PtyPair meter;
    Program p;

    SilentDevices()
    {
        mapTestPort(1, QString::fromStdString(meter.slavePath()));
        ServicePanel::SetCell(p.panel.Sondy, 2, 1, GainText(SamplesGain));
    }
    bool toStep1()
    {
        p.openWizard(2, 1);
        control<QPushButton>(&p.wizard, "kDalej")->click();
        return control<QWidget>(&p.wizard, "kWizardPage1")->isVisible();
    }
    bool toStep2()
    {
        TkKalibracja &w = p.wizard;
        if (!toStep1())
            return false;
        for (const auto &[uwz, ucal] : {std::pair {10.0, 12.0}, std::pair {20.0, 22.0}}) {
            w.WartoscWzorcowa = uwz;
            w.WartoscKalibrowana = ucal;
            control<QPushButton>(&w, "kWizardRejestruj")->click();
        }
        control<QPushButton>(&w, "kDalej")->click();
        return control<QWidget>(&w, "kWizardPage2")->isVisible() && w.MaByc == 20.0
            && control<QPushButton>(&w, "kStart")->isEnabled();
    }
    // The reference instrument's line hangs up.
    void unplugReference()
    {
        sim.process().kill();
        sim.process().waitForFinished();
    }
    // The meter's or the reference's line hangs up; the wizard finds out about the reference
    // at the next measurement, which a frame of the meter asks for.
    void unplug(bool meterLost)
    {
        if (meterLost) {
            meter.closeMaster();
        } else {
            unplugReference();
            sendFrame();
        }
    }
    // A frame of range DC2 (or DC1) from the meter.
    bool sendFrame(bool dc2 = true)
    {
        const ResultFrameBytes bytes = MakeResultFrame(dc2 ? StatusBit::CoarseRange : 0, 234, 22);
        return meter.send(
            QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())));
    }
    static constexpr int SamplesGain = 10000;
};

QByteArray gainFrame(int address, int value)
{
    const auto v = static_cast<std::uint16_t>(value);
    return QByteArray {"\xAA\x55\x43"} + char(address) + char(v & 0xFF) + char(v >> 8);
}
} // namespace

class PosixWizardFlowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { forgetRememberedPorts(); }

    // The meter on COM1, and on a USB adapter's COM5 chosen in the port menu, which the
    // wizard's meter link follows.
    void calibrationAgainstTheSimulator_data()
    {
        QTest::addColumn<QString>("meterPort");
        QTest::newRow("COM1") << QStringLiteral("COM1");
        QTest::newRow("COM5") << QStringLiteral("COM5");
    }
    void calibrationAgainstTheSimulator()
    {
        QFETCH(QString, meterPort);
        SimProcess sim({"--ac", "--drift", "0", "--meter-port", meterPort});
        QVERIFY(sim.started());
        QCOMPARE(sim.meterPort(), meterPort);
        // The simulated meter's parameters, as the README's walkthrough opens them.
        simscenario::calibrationAgainstTheSimulator(
            sim, QFINDTESTDATA("../../tools/sim/nerix-sim.N3C"), meterPort);
    }

    // Both links closed again, the reference slave again, and page 0 stays.
    void connectingIsRefused_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("message");
        const QString noReply = QString::fromUtf8("Brak odpowiedzi przyrządu wzorcowego (COM2)");
        QTest::newRow("another range") // the meter in DC1, DC2 chosen
            << QStringList {"--rate", "20"} << 2
            << QString::fromUtf8("Wybierz prawidlowy zakres kalibrowanego urządzenia! (DC2)");
        QTest::newRow("silent reference") << QStringList {"--ref-silent"} << 1 << noReply;
        QTest::newRow("another channel") << QStringList {"--ref-wrong-channel"} << 1 << noReply;
        QTest::newRow("garbage") << QStringList {"--ref-garbage"} << 1 << noReply;
        QTest::newRow("after the pause") << QStringList {"--ref-delay", "150"} << 1 << noReply;
    }
    void connectingIsRefused()
    {
        QFETCH(QStringList, options);
        QFETCH(int, column);
        QFETCH(QString, message);
        SimProcess sim(options + QStringList {"--drift", "0"});
        QVERIFY(sim.started());
        Program p;
        TkKalibracja &w = p.wizard;
        MessageCatcher messages;
        p.openWizard(column, 1);
        auto *dalej = control<QPushButton>(&w, "kDalej");
        dalej->click();
        QCOMPARE(messages.texts(), QStringList {message});
        QCOMPARE(control<QLabel>(&w, "StatusPanel0")->text(), QStringLiteral("Wzor: Offline"));
        QCOMPARE(control<QLabel>(&w, "StatusPanel1")->text(), QStringLiteral("Kalib: Offline"));
        QVERIFY(!w.kComWzor->Connected() && !w.kComKalib->Connected());
        QVERIFY(control<QWidget>(&w, "kWizardPage0")->isVisible()
            && !control<QWidget>(&w, "kWizardPage1")->isVisible());
        QVERIFY(w.Kroki.Krok() == 0 && dalej->isEnabled()
            && !control<QPushButton>(&w, "kWstecz")->isEnabled());
        // The reference made master at the open is slave again.
        QCOMPARE(simLines(sim, 500), QStringList({"W LO2", "W LO1"}));
    }

    void registeringNeedsBothLinks_data()
    {
        QTest::addColumn<bool>("meterLost");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("meter unplugged")
            << true << QString::fromUtf8("Brak połączenia z urządzeniem kalibrowanym (COM1)");
        QTest::newRow("reference unplugged")
            << false << QString::fromUtf8("Brak połączenia z przyrządem wzorcowym (COM2)");
    }
    void registeringNeedsBothLinks()
    {
        QFETCH(bool, meterLost);
        QFETCH(QString, refusal);
        SilentDevices d;
        TkKalibracja &w = d.p.wizard;
        QVERIFY(d.toStep1());
        MessageCatcher messages;
        d.unplug(meterLost);
        QTRY_COMPARE(messages.texts().size(), 1); // the link lost
        control<QPushButton>(&w, "kWizardRejestruj")->click();
        QCOMPARE(messages.texts().mid(1), QStringList {refusal});
        QCOMPARE(w.Probki->IloscProbek(), 0);
    }

    // Told once why, and no step forward with "Kalib: Offline".
    void connectingWithTheMeterGone()
    {
        SilentDevices d;
        MessageCatcher messages;
        d.meter.closeMaster();
        QVERIFY(!d.toStep1());
        TkKalibracja &w = d.p.wizard;
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY(control<QWidget>(&w, "kWizardPage0")->isVisible() && w.Kroki.Krok() == 0
            && control<QPushButton>(&w, "kDalej")->isEnabled());
        QVERIFY(!w.kComKalib->Connected() && !w.kComWzor->Connected());
    }

    void aRangeChangeIsToldOnceAndRefusesRegistration()
    {
        SilentDevices d;
        TkKalibracja &w = d.p.wizard;
        QVERIFY(d.toStep1());
        auto *rejestruj = control<QPushButton>(&w, "kWizardRejestruj");
        MessageCatcher messages;
        const QStringList told {
            QString::fromUtf8("Wybierz prawidlowy zakres kalibrowanego urządzenia! (DC2)")};
        QVERIFY(d.sendFrame(false));
        QTRY_COMPARE(messages.texts(), told);
        w.WartoscWzorcowa = -1;
        QVERIFY(d.sendFrame(false));
        QTRY_VERIFY(w.WartoscWzorcowa != -1); // the second frame has been taken
        rejestruj->click();
        QCOMPARE(messages.texts(), told);
        QCOMPARE(w.Probki->IloscProbek(), 0);

        QVERIFY(d.sendFrame());
        QTRY_COMPARE(w.ZlyZakres, 0);
        rejestruj->click();
        QCOMPARE(w.Probki->IloscProbek(), 1);
        QCOMPARE(messages.texts(), told);
    }

    void startNeedsAUsableFit_data()
    {
        QTest::addColumn<QList<QPointF>>("samples"); // (reference, meter)
        QTest::addColumn<bool>("deleteAll");
        QTest::newRow("frozen reference")
            << QList<QPointF> {{12.34, 100}, {12.34, 120}, {12.34, 140}} << false;
        QTest::newRow("absurd reading") << QList<QPointF> {{9e307, 10}, {1e308, 20}} << false;
        QTest::newRow("samples deleted") << QList<QPointF> {{10, 12}, {20, 22}} << true;
    }
    void startNeedsAUsableFit()
    {
        QFETCH(QList<QPointF>, samples);
        QFETCH(bool, deleteAll);
        SilentDevices d;
        TkKalibracja &w = d.p.wizard;
        QVERIFY(d.toStep1());
        auto *dalej = control<QPushButton>(&w, "kDalej");
        auto *start = control<QPushButton>(&w, "kStart");
        auto *sg1 = control<SampleGrid>(&w, "SG1");
        MessageCatcher messages;
        for (const QPointF &sample : samples) {
            w.WartoscWzorcowa = sample.x();
            w.WartoscKalibrowana = sample.y();
            control<QPushButton>(&w, "kWizardRejestruj")->click();
        }
        dalej->click();
        QVERIFY(control<QWidget>(&w, "kWizardPage2")->isVisible());
        for (int i = 0; deleteAll && i < samples.size(); ++i) {
            sg1->selectRow(0); // the first sample
            sg1->Usu1Click();
        }
        QCOMPARE(w.Probki->IloscProbek(), deleteAll ? 0 : samples.size());
        messages.clear();
        start->click();
        QCOMPARE(messages.texts(), QStringList {"zle albo wszystkie takie same dane"});
        QVERIFY(d.meter.receive(1, 300).isEmpty());
        QVERIFY(start->isEnabled() && !dalej->isEnabled());
        QVERIFY(!control<QLabel>(&w, "kWykresLabel4")->text().contains(QLatin1String("NAN")));
    }

    void portSummariesFollowTheLinks()
    {
        Program p;
        TkKalibracja &w = p.wizard;
        p.main.COM21Click();
        p.openWizard(1, 1);
        const QString label15 = control<QLabel>(&w, "Label15")->text();
        const QString label16 = control<QLabel>(&w, "Label16")->text();
        QVERIFY2(label15.startsWith(QLatin1String("COM1,")), qPrintable(label15));
        QVERIFY2(label16.startsWith(QLatin1String("COM2,")), qPrintable(label16));
    }

    void closingInTheMiddleOfTheSearch()
    {
        SimProcess sim({"--drift", "0", "--rate", "10"});
        QVERIFY(sim.started());
        Program p;
        TkKalibracja &w = p.wizard;
        MessageCatcher messages;
        p.main.S_Polacz->click();
        ServicePanel::SetCell(p.panel.Sondy, 1, 1, GainText(10000));
        p.openWizard(1, 1);
        auto *dalej = control<QPushButton>(&w, "kDalej");
        auto *start = control<QPushButton>(&w, "kStart");
        auto *page2 = control<QWidget>(&w, "kWizardPage2");
        dalej->click();
        for (const double field : {12.34, 20.0}) {
            sim.input("field " + QByteArray::number(field));
            QTRY_VERIFY(qFuzzyCompare(w.WartoscKalibrowana, 10 * field));
            control<QPushButton>(&w, "kWizardRejestruj")->click();
        }
        dalej->click();
        QVERIFY(page2->isVisible());
        simLines(sim, 300);

        // Closed in the first wait of the search.
        QTimer::singleShot(0, &w, [&] { w.close(); });
        start->click();
        QVERIFY(!w.isVisible() && p.main.isVisible());
        QVERIFY(p.connectedAsAfterConnecting());
        QVERIFY(!w.kComWzor->Connected() && !w.kComKalib->Connected());
        QCOMPARE(w.Probki->IloscProbek(), 0);
        // One value went out and the gain of the samples (the panel's cell) came back; the
        // close set the reference slave itself and with the meter link's close, once each;
        // nothing came after.
        QCOMPARE(simLines(sim, 500),
            QStringList({QStringLiteral("C 0 16384"), QStringLiteral("C 0 10000"),
                QStringLiteral("W LO1"), QStringLiteral("W LO1")}));

        p.openWizard(1, 1);
        QVERIFY(control<QWidget>(&w, "kWizardPage0")->isVisible() && !page2->isVisible());
        QVERIFY(dalej->isEnabled() && dalej->text() == QStringLiteral("Dalej >>"));
        QVERIFY(!start->isVisible());
        QVERIFY(messages.texts().isEmpty());
    }

    void wsteczGivesTheMeterItsGainBack_data()
    {
        QTest::addColumn<bool>("during");
        QTest::addColumn<QByteArray>("tried");
        QTest::newRow("during the search") << true << gainFrame(4, 16384);
        QTest::newRow("after the search") << false << gainFrame(4, 16384) + gainFrame(4, 8192);
    }
    void wsteczGivesTheMeterItsGainBack()
    {
        QFETCH(bool, during);
        QFETCH(QByteArray, tried);
        SilentDevices d;
        TkKalibracja &w = d.p.wizard;
        QVERIFY(d.toStep2());
        auto *dalej = control<QPushButton>(&w, "kDalej");
        auto *wstecz = control<QPushButton>(&w, "kWstecz");
        auto *start = control<QPushButton>(&w, "kStart");
        bool dalejInTheSearch = true;
        if (during) {
            QTimer::singleShot(0, &w, [&] {
                dalejInTheSearch = dalej->isEnabled();
                wstecz->click();
            });
        }
        start->click();
        if (!during) {
            QVERIFY(dalej->isEnabled());
            wstecz->click();
        }
        QCOMPARE(d.meter.receive(int(tried.size()) + 6),
            tried + gainFrame(4, SilentDevices::SamplesGain));
        QVERIFY(d.meter.receive(1, 100).isEmpty());
        QVERIFY(!dalejInTheSearch || !during);
        QVERIFY(control<QWidget>(&w, "kWizardPage1")->isVisible() && w.Kroki.Krok() == 1);
        QCOMPARE(w.Probki->IloscProbek(), 2);
        // Evaluated again, with Zakoncz waiting for a search of its own.
        dalej->click();
        QVERIFY(start->isEnabled() && !dalej->isEnabled());
    }

    void aSearchCutShortOffersNothing_data()
    {
        QTest::addColumn<bool>("meterLost");
        QTest::newRow("meter unplugged") << true;
        QTest::newRow("reference unplugged") << false;
    }
    void aSearchCutShortOffersNothing()
    {
        QFETCH(bool, meterLost);
        SilentDevices d;
        TkKalibracja &w = d.p.wizard;
        QVERIFY(d.toStep2());
        MessageCatcher messages;
        auto *start = control<QPushButton>(&w, "kStart");
        QTimer::singleShot(0, &w, [&] { d.unplug(meterLost); });
        start->click();
        QVERIFY(control<QWidget>(&w, "kWizardPage2")->isVisible() && start->isEnabled()
            && !control<QPushButton>(&w, "kDalej")->isEnabled());
        QCOMPARE(w.WynikWzmocnienia, 0);
        QCOMPARE(messages.texts().size(), 1); // the link lost
        // A meter still there gets the gain of the samples back.
        if (!meterLost)
            QCOMPARE(d.meter.receive(12), gainFrame(4, 16384) + gainFrame(4, 10000));
    }

    void unpluggedInstrumentsAreToldOnceEach()
    {
        SilentDevices d;
        TkKalibracja &w = d.p.wizard;
        QVERIFY(d.toStep2());
        control<QPushButton>(&w, "kStart")->click();
        QCOMPARE(w.WynikWzmocnienia, 8192);
        MessageCatcher messages;
        d.meter.closeMaster();
        d.unplugReference();
        QTRY_VERIFY(!w.kComKalib->Connected() && !w.kComWzor->Connected());
        control<QPushButton>(&w, "kDalej")->click(); // "Zakoncz": the search had completed
        QVERIFY(!w.isVisible());
        QCOMPARE(messages.texts().size(), 2);
        QCOMPARE(ServicePanel::Cell(d.p.panel.Sondy, 2, 1), GainText(8192));
    }

    void finishingWithAReferenceThatFails()
    {
        SilentDevices d;
        TkKalibracja &w = d.p.wizard;
        QVERIFY(d.toStep2());
        MessageCatcher messages;
        control<QPushButton>(&w, "kStart")->click();
        QCOMPARE(d.meter.receive(12), gainFrame(4, 16384) + gainFrame(4, 8192));
        QCOMPARE(w.WynikWzmocnienia, 8192);

        d.unplugReference();
        control<QPushButton>(&w, "kDalej")->click(); // "Zakoncz"
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY(!w.isVisible() && d.p.main.isVisible());
        QVERIFY(!w.kComWzor->Connected() && !w.kComKalib->Connected());
        QCOMPARE(ServicePanel::Cell(d.p.panel.Sondy, 2, 1), GainText(8192));
    }

    // The meter's adapter is pulled out while the wizard is open: its link does not open, and
    // the main link does not open again at the close.
    void portsThatDoNotOpen()
    {
        PtyPair line;
        mapTestPort(1, QString::fromStdString(line.slavePath()));
        Program p;
        TkKalibracja &w = p.wizard;
        MessageCatcher messages;
        p.main.S_Polacz->click();
        QVERIFY(p.main.ComPort1->Connected());
        p.openWizard(1, 1);
        mapTestPort(1, QStringLiteral("/nonexistent/tty"));

        auto *dalej = control<QPushButton>(&w, "kDalej");
        dalej->click();
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY(control<QWidget>(&w, "kWizardPage0")->isVisible() && w.Kroki.Krok() == 0
            && dalej->isEnabled());

        messages.clear();
        w.close();
        QCOMPARE(messages.texts(),
            QStringList {QString::fromUtf8(
                "Nie można podłączyć się do COM1\nNie znaleziono urządzenia /nonexistent/tty.")});
        QVERIFY(p.main.isVisible());
        QVERIFY(!p.main.Poczony1->isChecked() && !p.panel.Wyslij->isEnabled());
        QCOMPARE(p.main.S_Polacz->text(), Tekst(31));
    }

    void theThousandAndFirstRegistrationIsRefused()
    {
        TkKalibracja w(nullptr);
        MessageCatcher messages;
        while (w.Probki->Register(1, 1)) { }
        control<QPushButton>(&w, "kWizardRejestruj")->click();
        QCOMPARE(messages.texts(), QStringList {SampleTableFullMessage()});
        QCOMPARE(w.Probki->IloscProbek(), SampleTable::kCapacity);
    }
};

NERIX_TEST(PosixWizardFlowTest)
#include "PosixWizardFlowTest.moc"
