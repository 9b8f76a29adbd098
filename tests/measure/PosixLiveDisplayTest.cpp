// The main window fed with result frames through a pseudo-terminal on COM1: decoding,
// labels, statistics, filters, pause, the power-off item and the chart.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/MessageCatcher.h"
#include "common/PortMap.h"
#include "common/PtyPair.h"

#include "app/MainWin.h"
#include "core/Jezyki.h"
#include "measure/ResultFrame.h"
#include "measure/Wykres.h"
#include "serial/CPort.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace {
QByteArray frame(uint8_t status, int16_t temperature, int16_t raw)
{
    const ResultFrameBytes bytes = MakeResultFrame(status, temperature, raw);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}

// A main window connected to a meter played by the test on a pseudo-terminal.
struct Connected {
    Connected()
    {
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        control<QPushButton>(&win, "S_Polacz")->click();
    }
    // Sends a frame and waits until the window has taken it.
    bool show(const QByteArray &bytes, const QString &expected)
    {
        pty.send(bytes);
        const QLabel *wynik = control<QLabel>(&win, "SWynik");
        return QTest::qWaitFor([&] { return wynik->text() == expected; }, 5000);
    }
    PtyPair pty;
    TMainWin win;
};

// The names of the widgets painted while it lives.
struct PaintedWidgets : QObject {
    PaintedWidgets() { qApp->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            names.insert(watched->objectName());
        return false;
    }
    QSet<QString> names;
};
} // namespace

class PosixLiveDisplayTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }

    void frameIsDecodedAndShown()
    {
        Connected c;
        auto *temp = control<QLabel>(&c.win, "STemp");
        auto *stopien = control<QLabel>(&c.win, "stopien");
        auto *falka = control<QLabel>(&c.win, "Falka");
        auto *powerOff = control<QAction>(&c.win, "Zmieautomatycznewyczanie1");
        QVERIFY(c.win.ComPort1->Connected());
        QVERIFY(c.show(QByteArray::fromHex("AA5500EA003930"), QStringLiteral(" 123.45 mT")));
        QCOMPARE(temp->text(), QStringLiteral("   23.4  C"));
        QVERIFY(stopien->isVisibleTo(&c.win));
        QVERIFY(falka->isHidden());
        QCOMPARE(control<QLabel>(&c.win, "Min")->text(), QStringLiteral(" 123.45"));
        QCOMPARE(control<QLabel>(&c.win, "Avr")->text(), QStringLiteral(" 123.45"));
        QVERIFY(!powerOff->isChecked());

        // Gauss in the coarse range, over-range mark, AC with a negative raw value, no probe.
        QVERIFY(c.show(frame(0x06, 250, 10000), QStringLiteral("  30000 Gs")));
        QVERIFY(c.show(frame(0x01 | 0x40, -10000, -500), QStringLiteral("   5.00 mT")));
        QVERIFY(!falka->isHidden());
        QCOMPARE(temp->text(), QStringLiteral("no probe"));
        QVERIFY(stopien->isHidden());
        QVERIFY(powerOff->isChecked());
        // Menus draw the checked item of an exclusive group as a radio item (a bullet).
        QVERIFY(powerOff->actionGroup()->isExclusive());
        QCOMPARE(powerOff->text(), QStringLiteral("Turn off automatic power down"));
        QVERIFY(c.show(frame(0x08, 250, -1234), QStringLiteral(" - 12.34 kA/m")));
        QVERIFY(!powerOff->isChecked());
        QCOMPARE(powerOff->text(), QStringLiteral("Turn on automatic power down"));

        // A negative value in class 0 gets the extra space behind its minus sign.
        QVERIFY(c.show(frame(0x00, 250, -1234), QStringLiteral(" - 12.34 mT")));
        QVERIFY(c.show(frame(0x00, 250, -12345), QStringLiteral("-  123.45 mT")));
    }

    void splitGarbageAndBurstsGiveEveryReading()
    {
        Connected c;
        const QLabel *wynik = control<QLabel>(&c.win, "SWynik");
        const QByteArray f = frame(0x00, 200, 1111);
        c.pty.send(QByteArray::fromHex("1234") + f.left(3));
        QVERIFY(QTest::qWaitFor([&] { return c.win.Link1->Assembly().Length() == 3; }, 5000));
        QVERIFY(c.show(f.mid(3), QStringLiteral("  11.11 mT")));

        // A burst far larger than the assembly buffer, as after a stall: every frame of it is
        // worked through.
        QByteArray burst;
        for (int i = 0; i < 300; ++i)
            burst += frame(0x00, 200, int16_t(i));
        c.pty.send(burst);
        QVERIFY(QTest::qWaitFor([&] { return c.win.Processing.Statistics().count == 301; }, 5000));
        QTRY_COMPARE(wynik->text(), QStringLiteral("   2.99 mT"));
        QCOMPARE(control<QLabel>(&c.win, "Min")->text(), QStringLiteral("   0.00"));
    }

    void statisticsRestartCountsEachResultOnce()
    {
        Connected c;
        auto *min = control<QLabel>(&c.win, "Min");
        auto *max = control<QLabel>(&c.win, "Max");
        auto *dane = control<QCheckBox>(&c.win, "Dane");
        auto *minmax = control<QAction>(&c.win, "Minmax1");
        QVERIFY(c.show(frame(0, 200, 900), QStringLiteral("   9.00 mT")));
        control<QPushButton>(&c.win, "Button1")->click();
        QCOMPARE(min->text(), QString());
        QVERIFY(c.show(frame(0, 200, 100), QStringLiteral("   1.00 mT")));
        QVERIFY(c.show(frame(0, 200, 200), QStringLiteral("   2.00 mT")));
        QVERIFY(c.show(frame(0, 200, 300), QStringLiteral("   3.00 mT")));
        QCOMPARE(min->text(), QStringLiteral("   1.00"));
        QCOMPARE(max->text(), QStringLiteral("   3.00"));
        QCOMPARE(control<QLabel>(&c.win, "Avr")->text(), QStringLiteral("   2.00"));
        QCOMPARE(c.win.Processing.Statistics().count, 3);

        // Statistics off: the labels stay; the menu item mirrors the box both ways.
        dane->setChecked(false);
        QVERIFY(!minmax->isChecked());
        QVERIFY(c.show(frame(0, 200, 5000), QStringLiteral("  50.00 mT")));
        QCOMPARE(max->text(), QStringLiteral("   3.00"));
        minmax->trigger();
        QVERIFY(minmax->isChecked());
        QVERIFY(dane->isChecked());
    }

    void filterFollowsSlowlyAndJumpsOnSteps()
    {
        Connected c;
        auto *filtr = control<QCheckBox>(&c.win, "filtr");
        auto *tau = control<QLineEdit>(&c.win, "Tau");
        auto *filtrTemp = control<QCheckBox>(&c.win, "filtrTemp");
        auto *tauTemp = control<QLineEdit>(&c.win, "TauTemp");
        filtr->setChecked(true);
        QVERIFY(!tau->isEnabled());
        QCOMPARE(c.win.Processing.FilterTau(), 0.05);
        QVERIFY(c.show(frame(0, 200, 1000), QStringLiteral("  10.00 mT")));
        // 0.05 mT more moves the display by 4.9 % of the step only ...
        c.pty.send(frame(0, 200, 1005));
        QVERIFY(QTest::qWaitFor([&] { return c.win.Processing.PreviousResult() > 10.0; }, 5000));
        QVERIFY(c.win.Processing.PreviousResult() < 10.003);
        QCOMPARE(control<QLabel>(&c.win, "SWynik")->text(), QStringLiteral("  10.00 mT"));
        // ... a step of 1 mT is followed at once.
        QVERIFY(c.show(frame(0, 200, 1100), QStringLiteral("  11.00 mT")));

        filtr->setChecked(false);
        QVERIFY(tau->isEnabled());
        tau->setText(QStringLiteral("abc"));
        filtr->setChecked(true);
        QVERIFY(!filtr->isChecked());
        QVERIFY(tau->isEnabled());

        // The temperature filter with its "T = " field still empty unticks itself too.
        filtrTemp->setChecked(true);
        QVERIFY(!filtrTemp->isChecked());
        tauTemp->setText(QStringLiteral("0,5"));
        filtrTemp->setChecked(true);
        QVERIFY(filtrTemp->isChecked());
        QCOMPARE(c.win.Processing.TempFilterTau(), 0.5);
        QVERIFY(!tauTemp->isEnabled());
    }

    void pauseLetsExactlyOneEventThroughPerStep()
    {
        Connected c;
        auto *last = control<QToolButton>(&c.win, "LastWYnik");
        auto *one = control<QToolButton>(&c.win, "OneWynik");
        auto *wynik = control<QLabel>(&c.win, "SWynik");
        QVERIFY(c.show(frame(0, 200, 100), QStringLiteral("   1.00 mT")));
        last->click();
        QVERIFY(c.win.Paused);
        QVERIFY(!one->isHidden());
        QCOMPARE(last->toolTip(), QStringLiteral("Go"));
        c.win.TransmissionSeen = false;
        c.pty.send(frame(0, 200, 200));
        QVERIFY(QTest::qWaitFor([&] { return c.win.TransmissionSeen; }, 5000));
        QCOMPARE(wynik->text(), QStringLiteral("   1.00 mT"));
        QCOMPARE(c.win.Link1->Assembly().Length(), 0);

        one->click();
        QVERIFY(c.show(frame(0, 200, 300), QStringLiteral("   3.00 mT")));
        QVERIFY(!c.win.StepRequested);
        c.win.TransmissionSeen = false;
        c.pty.send(frame(0, 200, 400));
        QVERIFY(QTest::qWaitFor([&] { return c.win.TransmissionSeen; }, 5000));
        QCOMPARE(wynik->text(), QStringLiteral("   3.00 mT"));

        last->click();
        QVERIFY(!c.win.Paused);
        QVERIFY(one->isHidden());
        QCOMPARE(last->toolTip(), QStringLiteral("Stop result"));
        QVERIFY(c.show(frame(0, 200, 500), QStringLiteral("   5.00 mT")));
    }

    void powerOffItemSendsTheSwitchAndStore()
    {
        Connected c;
        auto *powerOff = control<QAction>(&c.win, "Zmieautomatycznewyczanie1");
        QVERIFY(c.show(frame(0x40, 200, 100), QStringLiteral("   1.00 mT")));
        powerOff->trigger();
        QCOMPARE(c.pty.receive(12).toHex(), QByteArray("aa55430e0000aa5553000000"));
        // The item mirrors the meter, not the click.
        QVERIFY(powerOff->isChecked());
        QVERIFY(c.show(frame(0x00, 200, 200), QStringLiteral("   2.00 mT")));
        powerOff->trigger();
        QCOMPARE(c.pty.receive(12).toHex(), QByteArray("aa55430e0100aa5553000000"));
    }

    void chartFollowsLiveValuesOrTemperature()
    {
        Connected c;
        auto *chart = control<TWykres>(&c.win, "Wykres1");
        auto *filtrTemp = control<QCheckBox>(&c.win, "filtrTemp");
        auto *live = control<QAction>(&c.win, "Danezurzdzenia1");
        QVERIFY(c.show(frame(0, 200, 100), QStringLiteral("   1.00 mT")));
        QCOMPARE(chart->Ilosc(), 1);
        // The first point sits mid-height in the point colour.
        const QImage &image = chart->image();
        QCOMPARE(image.pixelColor(1, 217 - 2 - 107), QColor(255, 255, 0));

        control<QLineEdit>(&c.win, "TauTemp")->setText(QStringLiteral("1"));
        filtrTemp->setChecked(true);
        QVERIFY(c.show(frame(0, 345, 200), QStringLiteral("   2.00 mT")));
        QVERIFY(chart->Max() > 300.0); // temperature in tenths is charted

        filtrTemp->setChecked(false);
        live->setChecked(false); // a file is viewed: the chart stays
        const int held = chart->Ilosc();
        QVERIFY(c.show(frame(0, 200, 300), QStringLiteral("   3.00 mT")));
        QCOMPARE(chart->Ilosc(), held);
        live->trigger();
        QVERIFY(live->isChecked());
        QCOMPARE(chart->Ilosc(), 0);
    }

    void manualScaleFromTheTrackBars()
    {
        TMainWin win;
        auto *autoscale = control<QCheckBox>(&win, "Autoskalowanie");
        auto *chart = control<TWykres>(&win, "Wykres1");
        auto *w = control<QSlider>(&win, "W");
        auto *o = control<QSlider>(&win, "O");
        autoscale->setChecked(false);
        QVERIFY(!chart->AutoSkala());
        QVERIFY(w->isEnabled() && o->isEnabled());
        QCOMPARE(chart->Max(), 77.04);
        QCOMPARE(chart->Min(), 22.96);
        w->setValue(10);
        o->setValue(-100);
        QCOMPARE(chart->Max(), -9.0);
        QCOMPARE(chart->Min(), -11.0);
        autoscale->setChecked(true);
        QVERIFY(chart->AutoSkala());
        w->setValue(50); // ignored by the chart while autoscaling
        QCOMPARE(chart->Max(), -9.0);
    }

    // At up to 137 readings a second, repainting the panels and frames behind the labels costs
    // more than all the rest: a new value repaints its label and the chart, nothing else.
    void aNewValueRepaintsOnlyItsLabelAndTheChart()
    {
        Connected c;
        // The statistics labels stay as they are, and so do the link colours.
        control<QCheckBox>(&c.win, "Dane")->setChecked(false);
        control<QTimer>(&c.win, "SprPolacz")->stop();
        c.win.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c.win));
        PaintedWidgets painted;
        QVERIFY(c.show(frame(0, 200, 100), QStringLiteral("   1.00 mT")));
        QTRY_VERIFY(painted.names.contains(QStringLiteral("SWynik")));
        painted.names.clear();
        QVERIFY(c.show(frame(0, 200, 200), QStringLiteral("   2.00 mT")));
        QTRY_VERIFY(painted.names.contains(QStringLiteral("SWynik")));
        // Only the band of the chart that the points changed: the clear button below it rests.
        QCOMPARE(
            painted.names, (QSet<QString> {QStringLiteral("SWynik"), QStringLiteral("Wykres1")}));

        // While a file is viewed the chart stays as it is.
        control<QAction>(&c.win, "Danezurzdzenia1")->setChecked(false);
        painted.names.clear();
        QVERIFY(c.show(frame(0, 200, 300), QStringLiteral("   3.00 mT")));
        QTRY_VERIFY(painted.names.contains(QStringLiteral("SWynik")));
        QCOMPARE(painted.names, QSet<QString> {QStringLiteral("SWynik")});
    }
};

NERIX_TEST(PosixLiveDisplayTest)
#include "PosixLiveDisplayTest.moc"
