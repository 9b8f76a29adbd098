// The program against the simulated meter: "Connect", frames arrive, the readings, the
// statistics and the chart show them; the power-off switch reaches the meter's cells.
#include "TestMain.h"
#include "common/SimProcess.h"

#include "app/MainWin.h"
#include "core/Jezyki.h"
#include "measure/Wykres.h"
#include "serial/CPort.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class LiveEndToEndTest : public QObject {
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
        QTest::mouseClick(win.S_Polacz, Qt::LeftButton);
        QVERIFY(win.ComPort1->Connected());
        QTRY_COMPARE(win.SWynik->text(), QStringLiteral("  42.50 mT"));
        QCOMPARE(win.STemp->text(), QStringLiteral("   21.5  C"));
        QTRY_VERIFY(win.Wykres1->Ilosc() >= 5);
        QCOMPARE(win.Min->text(), QStringLiteral("  42.50"));
        QCOMPARE(win.Max->text(), QStringLiteral("  42.50"));
        QCOMPARE(win.Avr->text(), QStringLiteral("  42.50"));
        // A constant reading is a flat line in the middle rows of the chart.
        const QImage &image = win.Wykres1->image();
        const int row = 217 - 2 - 107;
        for (int x = 1; x <= win.Wykres1->Ilosc(); ++x)
            QCOMPARE(image.pixelColor(x, row), QColor(255, 255, 0));
        QVERIFY(!win.Zmieautomatycznewyczanie1->isChecked());

        // The power-off switch goes to cell 14 and is stored; the meter's frames then carry
        // it back into the menu.
        win.Zmieautomatycznewyczanie1->trigger();
        QVERIFY(sim.cellsFileHas(QStringLiteral("cell 14 1 1")));
        QTRY_VERIFY(win.Zmieautomatycznewyczanie1->isChecked());
        QCOMPARE(
            win.Zmieautomatycznewyczanie1->text(), QStringLiteral("Turn off automatic power down"));
        win.S_Polacz->click();
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
        win.S_Polacz->click();
        QTRY_COMPARE(win.SWynik->text(), QStringLiteral("  250.0 Gs"));
        QVERIFY(!win.Falka->isHidden());
        QCOMPARE(win.STemp->text(), QStringLiteral("no probe"));
        QVERIFY(win.stopien->isHidden());
    }
};

NERIX_TEST(LiveEndToEndTest)
#include "LiveEndToEndTest.moc"
