#pragma once
// Whole-program scenarios against nerix-sim, shared by the POSIX tests (the simulator started
// by the test, SimProcess) and the Windows run under Wine (the simulator started outside,
// SimFiles). Each takes the simulator and fails the calling test through QVERIFY.
#include "common/Controls.h"
#include "common/DialogAnswerer.h"
#include "common/MessageCatcher.h"

#include "app/AboutWin.h"
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "app/Startup.h"
#include "calib/KalibracjaMain.h"
#include "core/Jezyki.h"
#include "files/SpeedStep.h"
#include "measure/Wykres.h"
#include "params/Conversions.h"
#include "serial/CPort.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

namespace simscenario {
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
template <class Sim> QStringList simLines(Sim &sim, int ms)
{
    QStringList lines;
    for (QString line; !(line = sim.nextLine(ms)).isEmpty();)
        lines << line;
    return lines;
}

// Connected to the meter, every second result recorded through the interval dialog, the
// recording stopped and the file opened again: the series comes back onto the chart. `shown`
// is the reading's text in SWynik, `line` its line in the data file, `value` its value.
template <class Sim>
void recordStopAndReopen(Sim &, const QString &shown, const QByteArray &line, double value)
{
    MessageCatcher messages; // a message box would otherwise wait for a click for good
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("session.N3D"));
    TMainWin win;
    auto *zapisz = control<QPushButton>(&win, "S_Zapisz");
    auto *status = control<QLabel>(&win, "StatusPanel1");
    auto *chart = control<TWykres>(&win, "Wykres1");
    control<QPushButton>(&win, "S_Polacz")->click();
    QTRY_COMPARE(control<QLabel>(&win, "SWynik")->text(), shown);

    // Every second result, chosen in the program's interval dialog; the file name is what the
    // save dialog would return.
    DialogAnswerer<TSpeedStepWin> step([](TSpeedStepWin *dialog) {
        dialog->SpinEdit1->setValue(2);
        dialog->OK->click();
    });
    win.Questions.saveDataFile = [&] { return path; };
    zapisz->click();
    QVERIFY(step.answered());
    QVERIFY(win.Zapisywanie());
    QCOMPARE(win.Recorder.KrokZapisu(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(win.LiczbaWynikow() >= 10, 10000);
    zapisz->click();
    QVERIFY(!win.Zapisywanie());
    QVERIFY(status->text().startsWith(QString::fromUtf8("Zapisano wyników: ")));
    const int kept = status->text().section(QLatin1Char(' '), -1).toInt();
    QVERIFY(kept >= 10);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count(line + "\r\n"), kept);

    win.Questions.openDataFile = [&] { return path; };
    control<QPushButton>(&win, "Button2")->click();
    QCOMPARE(win.LiczbaWynikow(), kept);
    QVERIFY(!control<QAction>(&win, "Danezurzdzenia1")->isChecked());
    QCOMPARE(win.StoredSeries.front(), value);
    // The flat series lies mid-height, from the first column on.
    QTRY_VERIFY(chart->Ilosc() >= kept - 1);
    QCOMPARE(chart->image().pixelColor(1, 217 - 2 - 107), QColor(255, 255, 0));
    QVERIFY(messages.texts().isEmpty());
}

// The simulated meter's parameters opened into the service panel as the README's walkthrough
// does, the meter (on `meterPort`, chosen in the port menu when not COM1) connected, and the
// wizard opened on the AXIAL "AC 1" cell: the meter, set to gain 12000, reads 1.2 times the
// field; three samples at rising fields, the evaluation, the search back to about 10000,
// "Zakoncz", the panel's send writing the gain found, and the port chosen again at the next
// start.
template <class Sim>
void calibrationAgainstTheSimulator(
    Sim &sim, const QString &parameterFile, const QString &meterPort = QStringLiteral("COM1"))
{
    Program p;
    TkKalibracja &w = p.wizard;
    MessageCatcher messages;
    QVERIFY(p.main.LoadParameters(parameterFile));
    if (meterPort != QLatin1String("COM1")) {
        emit p.main.Trans->aboutToShow();
        control<QAction>(p.main.Trans, qPrintable("Port" + meterPort))->trigger();
    }
    p.main.S_Polacz->click();
    QVERIFY(p.main.ComPort1->Connected());
    QCOMPARE(p.main.StatusPanel0->text(), Tekst(40) + meterPort);
    p.openWizard(3, 1); // AXIAL "AC 1"
    QVERIFY(w.isVisible() && !p.main.isVisible());
    QCOMPARE(control<QComboBox>(&w, "kKalibPort")->currentText(), meterPort);
    QCOMPARE(control<QComboBox>(&w, "kWzorPort")->currentText(), QStringLiteral("COM2"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Kalibracja - zakres: AC1"));
    auto *dalej = control<QPushButton>(&w, "kDalej");

    // The meter starts with its gain at 12000: it reads 1.2 times the field.
    control<QCheckBox>(&w, "CheckBox3")->setChecked(true);
    control<QSpinBox>(&w, "SpinEdit2")->setValue(12000);
    dalej->click();
    QVERIFY(control<QWidget>(&w, "kWizardPage1")->isVisible());
    QCOMPARE(w.focusWidget(), control<QPushButton>(&w, "kWizardRejestruj"));
    // Rising fields, as the README's walkthrough takes them: the last stays for the search.
    for (const double field : {5.0, 10.0, 20.0}) {
        sim.input("field " + QByteArray::number(field));
        QTRY_VERIFY(qFuzzyCompare(w.WartoscWzorcowa, 10 * field)
            && qFuzzyCompare(w.WartoscKalibrowana, 12 * field));
        QTest::keyClick(w.focusWidget(), Qt::Key_Space);
    }
    QCOMPARE(control<QLabel>(&w, "kWizardIloscProbekLabel")->text(), QStringLiteral("3"));

    dalej->click();
    QVERIFY(control<QWidget>(&w, "kWizardPage2")->isVisible());
    QVERIFY(qFuzzyCompare(w.MaByc, 200.0));
    QCOMPARE(control<QLabel>(&w, "Label35")->text(), QStringLiteral("200.0"));

    // The window keeps running its events all through the search.
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer beat;
    beat.setTimerType(Qt::PreciseTimer);
    beat.setInterval(5);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    clock.start();
    beat.start();
    control<QPushButton>(&w, "kStart")->click();
    beat.stop();
    QVERIFY2(longest < 1000, qPrintable(QString::number(longest)));
    const int found = w.WynikWzmocnienia;
    QVERIFY2(std::abs(found - 10000) < 200, qPrintable(QString::number(found)));
    QVERIFY(dalej->isEnabled());

    dalej->click(); // "Zakoncz"
    QVERIFY(!w.isVisible() && p.main.isVisible());
    QCOMPARE(ServicePanel::Cell(p.panel.Sondy, 3, 1), GainText(static_cast<std::uint16_t>(found)));
    QVERIFY(p.connectedAsAfterConnecting());
    QVERIFY(messages.texts().isEmpty());

    // The panel's own send writes the register found to the cell's address.
    simLines(sim, 300);
    p.panel.Wyslij->click();
    QVERIFY(simLines(sim, 1000).contains(QStringLiteral("C 8 %1").arg(found)));
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('\n')));

    // The next run starts on the port chosen, which is still there.
    TMainWin next;
    QCOMPARE(QString::fromStdString(next.ComPort1->Port()), meterPort);
}
} // namespace simscenario
