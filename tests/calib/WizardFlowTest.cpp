// The wizard's flow in the whole program: a calibration against nerix-sim from the service
// panel's cell to the panel's send, a meter in another range, closing in the middle of the
// search, Wstecz during the search, a reference that fails at the end, ports that do not open,
// and a full sample table. Meters that send nothing are pseudo-terminals of the test's own.
#include "TestMain.h"
#include "common/MessageCatcher.h"
#include "common/PortMap.h"
#include "common/PtyPair.h"
#include "common/SimProcess.h"

#include "app/AboutWin.h"
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "app/Startup.h"
#include "calib/KalibracjaMain.h"
#include "calib/SampleMessages.h"
#include "calib/SampleTable.h"
#include "core/Jezyki.h"
#include "params/Conversions.h"
#include "serial/CPort.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>

namespace {
// The program in service mode with its main window shown.
struct Program {
    AppWindows windows = createWindows();
    TMainWin &main = *windows.MainWin;
    ServicePanel &panel = *main.Send;
    TkKalibracja &wizard = *windows.kKalibracja;

    Program()
    {
        windows.AboutWin->Timer1Timer();
        main.WlaczSerwis();
    }
    // A double click on cell (column, row) of the probe-gain grid.
    void openWizard(int column, int row)
    {
        panel.Sondy->setCurrentCell(row, column);
        main.SondyDblClick();
    }
    bool connectedAsAfterConnecting() const
    {
        return main.ComPort1->Connected() && main.Poczony1->isChecked()
            && main.S_Polacz->text() == Tekst(32) && panel.Wyslij->isEnabled()
            && !main.Trans->menuAction()->isEnabled() && main.SprPolacz->isActive()
            && main.Zapisz1->isEnabled() && main.S_Zapisz->isEnabled();
    }
};

// Lines the simulator printed until it has been quiet for `ms`.
QStringList simLines(SimProcess &sim, int ms)
{
    QStringList lines;
    for (QString line; !(line = sim.nextLine(ms)).isEmpty();)
        lines << line;
    return lines;
}

// The wizard at step 2 of DC2 for the AXIAL probe, with a meter (COM1) and a reference (COM2)
// that send nothing. The two samples read 12 and 22 where the reference read 10 and 20, so the
// target is 20 while the meter stays at 22: the search settles after two values, 16384 and
// 8192.
struct SilentDevices {
    PtyPair meter;
    PtyPair reference;
    Program p;

    SilentDevices()
    {
        mapTestPort(1, QString::fromStdString(meter.slavePath()));
        mapTestPort(2, QString::fromStdString(reference.slavePath()));
    }
    bool toStep2()
    {
        TkKalibracja &w = p.wizard;
        p.openWizard(2, 1);
        w.kDalej->click();
        for (const auto &[uwz, ucal] : {std::pair {10.0, 12.0}, std::pair {20.0, 22.0}}) {
            w.WartoscWzorcowa = uwz;
            w.WartoscKalibrowana = ucal;
            w.kWizardRejestruj->click();
        }
        w.kDalej->click();
        return w.kWizardPage2->isVisible() && w.MaByc == 20.0 && w.kStart->isEnabled();
    }
};

QByteArray gainFrame(int address, int value)
{
    const auto v = static_cast<std::uint16_t>(value);
    return QByteArray {"\xAA\x55\x43"} + char(address) + char(v & 0xFF) + char(v >> 8);
}
} // namespace

class WizardFlowTest : public QObject {
    Q_OBJECT

private slots:
    void calibrationAgainstTheSimulator()
    {
        SimProcess sim({"--ac", "--drift", "0", "--field", "10"});
        QVERIFY(sim.started());
        Program p;
        TkKalibracja &w = p.wizard;
        MessageCatcher messages;
        p.main.S_Polacz->click();
        QVERIFY(p.main.ComPort1->Connected());
        p.openWizard(3, 1); // AXIAL "AC 1"
        QVERIFY(w.isVisible() && !p.main.isVisible());
        QCOMPARE(w.windowTitle(), QStringLiteral("Kalibracja - zakres: AC1"));

        // The meter starts with its gain at 12000: it reads 1.2 times the field.
        w.CheckBox3->setChecked(true);
        w.SpinEdit2->setValue(12000);
        w.kDalej->click();
        QVERIFY(w.kWizardPage1->isVisible());
        QCOMPARE(w.focusWidget(), w.kWizardRejestruj);
        for (const double field : {10.0, 5.0, 2.0}) {
            sim.input("field " + QByteArray::number(field));
            QTRY_VERIFY(qFuzzyCompare(w.WartoscWzorcowa, 10 * field)
                && qFuzzyCompare(w.WartoscKalibrowana, 12 * field));
            QTest::keyClick(w.focusWidget(), Qt::Key_Space);
        }
        QCOMPARE(w.kWizardIloscProbekLabel->text(), QStringLiteral("3"));

        w.kDalej->click();
        QVERIFY(w.kWizardPage2->isVisible());
        QVERIFY(qFuzzyCompare(w.MaByc, 20.0));
        QCOMPARE(w.Label35->text(), QStringLiteral("20.0"));

        // The window keeps running its events all through the search.
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longest = 0;
        QTimer beat;
        beat.setTimerType(Qt::PreciseTimer);
        beat.setInterval(5);
        connect(&beat, &QTimer::timeout, [&] {
            longest = std::max(longest, clock.elapsed() - last);
            last = clock.elapsed();
        });
        clock.start();
        beat.start();
        w.kStart->click();
        beat.stop();
        QVERIFY2(longest < 1000, qPrintable(QString::number(longest)));
        const int found = w.WynikWzmocnienia;
        QVERIFY2(std::abs(found - 10000) < 200, qPrintable(QString::number(found)));
        QVERIFY(w.kDalej->isEnabled());

        w.kDalej->click(); // "Zakoncz"
        QVERIFY(!w.isVisible() && p.main.isVisible());
        QCOMPARE(
            ServicePanel::Cell(p.panel.Sondy, 3, 1), GainText(static_cast<std::uint16_t>(found)));
        QVERIFY(p.connectedAsAfterConnecting());
        QVERIFY(messages.texts().isEmpty());

        // The panel's own send writes the register found to the cell's address.
        simLines(sim, 300);
        p.panel.Wyslij->click();
        QVERIFY(simLines(sim, 1000).contains(QStringLiteral("C 8 %1").arg(found)));
    }

    void anotherRangeIsRefused()
    {
        SimProcess sim({"--drift", "0", "--rate", "20"}); // the meter in DC1
        QVERIFY(sim.started());
        Program p;
        TkKalibracja &w = p.wizard;
        MessageCatcher messages;
        p.openWizard(2, 1);
        w.kDalej->click();
        QCOMPARE(messages.texts(),
            QStringList {
                QString::fromUtf8("Wybierz prawidlowy zakres kalibrowanego urządzenia! (DC2)")});
        QCOMPARE(w.StatusPanel0->text(), QStringLiteral("Wzor: Offline"));
        QCOMPARE(w.StatusPanel1->text(), QStringLiteral("Kalib: Offline"));
        QVERIFY(!w.kComWzor->Connected() && !w.kComKalib->Connected());
        QVERIFY(w.kWizardPage0->isVisible() && !w.kWizardPage1->isVisible());
        QVERIFY(w.Krok == 0 && w.kDalej->isEnabled() && !w.kWstecz->isEnabled());
    }

    void closingInTheMiddleOfTheSearch()
    {
        SimProcess sim({"--drift", "0", "--rate", "10"});
        QVERIFY(sim.started());
        Program p;
        TkKalibracja &w = p.wizard;
        MessageCatcher messages;
        p.main.S_Polacz->click();
        p.openWizard(1, 1);
        w.kDalej->click();
        for (const double field : {12.34, 20.0}) {
            sim.input("field " + QByteArray::number(field));
            QTRY_VERIFY(qFuzzyCompare(w.WartoscKalibrowana, 10 * field));
            w.kWizardRejestruj->click();
        }
        w.kDalej->click();
        QVERIFY(w.kWizardPage2->isVisible());
        simLines(sim, 300);

        // Closed in the first wait of the search.
        QTimer::singleShot(0, &w, [&] { w.close(); });
        w.kStart->click();
        QVERIFY(!w.isVisible() && p.main.isVisible());
        QVERIFY(p.connectedAsAfterConnecting());
        QVERIFY(!w.kComWzor->Connected() && !w.kComKalib->Connected());
        QCOMPARE(w.Probki->IloscProbek(), 0);
        // One value went out; the close set the reference slave itself and with the meter
        // link's close, once each; nothing came after.
        QCOMPARE(simLines(sim, 500),
            QStringList(
                {QStringLiteral("C 0 16384"), QStringLiteral("W LO1"), QStringLiteral("W LO1")}));

        p.openWizard(1, 1);
        QVERIFY(w.kWizardPage0->isVisible() && !w.kWizardPage2->isVisible());
        QVERIFY(w.kDalej->isEnabled() && w.kDalej->text() == QStringLiteral("Dalej >>"));
        QVERIFY(!w.kStart->isVisible());
        QVERIFY(messages.texts().isEmpty());
    }

    void wsteczStopsTheSearch()
    {
        SilentDevices d;
        TkKalibracja &w = d.p.wizard;
        QVERIFY(d.toStep2());
        QTimer::singleShot(0, &w, [&] { w.kWstecz->click(); });
        w.kStart->click();
        QCOMPARE(d.meter.receive(6), gainFrame(4, 16384));
        QVERIFY(d.meter.receive(1, 100).isEmpty());
        QVERIFY(w.kWizardPage1->isVisible() && w.Krok == 1);
        QCOMPARE(w.Probki->IloscProbek(), 2);
        w.kDalej->click();
        QVERIFY(w.kStart->isEnabled());
    }

    void finishingWithAReferenceThatFails()
    {
        SilentDevices d;
        TkKalibracja &w = d.p.wizard;
        QVERIFY(d.toStep2());
        MessageCatcher messages;
        w.kStart->click();
        QCOMPARE(d.meter.receive(12), gainFrame(4, 16384) + gainFrame(4, 8192));
        QCOMPARE(w.WynikWzmocnienia, 8192);

        d.reference.closeMaster();
        w.kDalej->click(); // "Zakoncz"
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

        w.kDalej->click();
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY(w.kWizardPage0->isVisible() && w.Krok == 0 && w.kDalej->isEnabled());

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
        w.kWizardRejestruj->click();
        QCOMPARE(messages.texts(), QStringList {SampleTableFullMessage()});
        QCOMPARE(w.Probki->IloscProbek(), SampleTable::kCapacity);
    }
};

NERIX_TEST(WizardFlowTest)
#include "WizardFlowTest.moc"
