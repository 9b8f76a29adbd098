// The program against the simulated meter: "Connect", frames arrive, the readings, the
// statistics and the chart show them; the power-off switch reaches the meter's cells.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/SimProcess.h"

#include "app/MainWin.h"
#include "core/Jezyki.h"
#include "measure/Wykres.h"
#include "serial/CPort.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class PosixLiveEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }

    void readingsFromTheSimulatedMeter()
    {
        SimProcess sim({QStringLiteral("--field"), QStringLiteral("42.5"),
            QStringLiteral("--drift"), QStringLiteral("0"), QStringLiteral("--rate"),
            QStringLiteral("50"), QStringLiteral("--temp"), QStringLiteral("215")});
        QVERIFY(sim.started());
        TMainWin win;
        auto *polacz = control<QPushButton>(&win, "S_Polacz");
        auto *chart = control<TWykres>(&win, "Wykres1");
        auto *powerOff = control<QAction>(&win, "Zmieautomatycznewyczanie1");
        QTest::mouseClick(polacz, Qt::LeftButton);
        QVERIFY(win.ComPort1->Connected());
        QTRY_COMPARE(control<QLabel>(&win, "SWynik")->text(), QStringLiteral("  42.50 mT"));
        QCOMPARE(control<QLabel>(&win, "STemp")->text(), QStringLiteral("   21.5  C"));
        QTRY_VERIFY(chart->Ilosc() >= 5);
        QCOMPARE(control<QLabel>(&win, "Min")->text(), QStringLiteral("  42.50"));
        QCOMPARE(control<QLabel>(&win, "Max")->text(), QStringLiteral("  42.50"));
        QCOMPARE(control<QLabel>(&win, "Avr")->text(), QStringLiteral("  42.50"));
        // A constant reading is a flat line in the middle rows of the chart.
        const QImage &image = chart->image();
        const int row = 217 - 2 - 107;
        for (int x = 1; x <= chart->Ilosc(); ++x)
            QCOMPARE(image.pixelColor(x, row), QColor(255, 255, 0));
        QVERIFY(!powerOff->isChecked());

        // The power-off switch goes to cell 14 and is stored; the meter's frames then carry
        // it back into the menu.
        powerOff->trigger();
        QVERIFY(sim.cellsFileHas(QStringLiteral("cell 14 1 1")));
        QTRY_VERIFY(powerOff->isChecked());
        QCOMPARE(powerOff->text(), QStringLiteral("Turn off automatic power down"));
        polacz->click();
        QVERIFY(!win.ComPort1->Connected());
    }

    void acReadingInGauss()
    {
        SimProcess sim({QStringLiteral("--field"), QStringLiteral("-250"), QStringLiteral("--unit"),
            QStringLiteral("Gs"), QStringLiteral("--ac"), QStringLiteral("--drift"),
            QStringLiteral("0"), QStringLiteral("--rate"), QStringLiteral("50"),
            QStringLiteral("--no-probe")});
        QVERIFY(sim.started());
        TMainWin win;
        control<QPushButton>(&win, "S_Polacz")->click();
        QTRY_COMPARE(control<QLabel>(&win, "SWynik")->text(), QStringLiteral("  250.0 Gs"));
        QVERIFY(!control<QLabel>(&win, "Falka")->isHidden());
        QCOMPARE(control<QLabel>(&win, "STemp")->text(), QStringLiteral("no probe"));
        QVERIFY(control<QLabel>(&win, "stopien")->isHidden());
    }
};

NERIX_TEST(PosixLiveEndToEndTest)
#include "PosixLiveEndToEndTest.moc"
