// Connecting and disconnecting, the port choice, the link watchdog and a meter that vanishes.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/MessageCatcher.h"
#include "common/MeterFrames.h"
#include "common/PortMap.h"
#include "common/PtyPair.h"
#include "common/RememberedReset.h"

#include "app/MainWin.h"
#include "core/Jezyki.h"
#include "measure/ResultFrame.h"
#include "serial/CPort.h"
#include "serial/QtComBridge.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <unistd.h>

namespace {
QColor textColour(const QWidget *w)
{
    return w->palette().color(QPalette::WindowText);
}

const QColor Yellow(255, 255, 0), White(255, 255, 255), Silver(192, 192, 192), Grey(128, 128, 128);
} // namespace

class PosixConnectionTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }
    void cleanup() { forgetRememberedPorts(); }

    void connectAndDisconnect()
    {
        PtyPair pty;
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        TMainWin win;
        auto *polacz = control<QPushButton>(&win, "S_Polacz");
        auto *poczony = control<QAction>(&win, "Poczony1");
        auto *status = control<QLabel>(&win, "StatusPanel0");
        auto *trans = control<QMenu>(&win, "Trans")->menuAction();
        auto *zapisz1 = control<QAction>(&win, "Zapisz1");
        auto *zapisz = control<QPushButton>(&win, "S_Zapisz");
        auto *wyslij = control<QPushButton>(&win, "Wyslij");
        auto *watchdog = control<QTimer>(&win, "SprPolacz");
        auto *wynik = control<QLabel>(&win, "SWynik");
        auto *temp = control<QLabel>(&win, "STemp");
        polacz->click();
        QVERIFY(win.ComPort1->Connected());
        QVERIFY(poczony->isChecked());
        QCOMPARE(polacz->text(), QStringLiteral("Disconnect"));
        QCOMPARE(status->text(), QStringLiteral("Connected to COM1"));
        QVERIFY(!trans->isEnabled());
        QVERIFY(zapisz1->isEnabled() && zapisz->isEnabled());
        QVERIFY(wyslij->isEnabled());
        QVERIFY(watchdog->isActive());
        QVERIFY(!temp->isHidden() && !control<QLabel>(&win, "stopien")->isHidden());
        QCOMPARE(textColour(wynik), Yellow);
        QCOMPARE(textColour(temp), White);

        // The language switch rewrites the panel with one more space behind text #40.
        LanguageName = LanguagePolish;
        win.ApplyLanguage();
        QCOMPARE(status->text(), QString::fromUtf8("Połączony na  COM1"));
        QCOMPARE(polacz->text(), QString::fromUtf8("Rozłącz"));
        LanguageName = LanguageEnglish;
        win.ApplyLanguage();

        poczony->trigger(); // the menu item does the same as the button
        QVERIFY(!win.ComPort1->Connected());
        QVERIFY(!poczony->isChecked());
        QCOMPARE(polacz->text(), QStringLiteral("Connect"));
        QCOMPARE(status->text(), QStringLiteral("Disconnected"));
        QVERIFY(trans->isEnabled());
        QVERIFY(!zapisz1->isEnabled() && !zapisz->isEnabled());
        QVERIFY(!wyslij->isEnabled());
        QVERIFY(!watchdog->isActive());
        QCOMPARE(textColour(wynik), Silver);
        QCOMPARE(textColour(temp), Silver);
        QCOMPARE(textColour(control<QLabel>(&win, "BP")), Grey);

        // The port closed above opens again, for an ordinary user too.
        MessageCatcher messages;
        polacz->click();
        QCOMPARE(messages.texts(), QStringList());
        QVERIFY(win.ComPort1->Connected());
    }

    void closingTheWindowClosesThePortFirst()
    {
        PtyPair pty;
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        TMainWin win;
        control<QPushButton>(&win, "S_Polacz")->click();
        QVERIFY(win.ComPort1->Connected());
        win.close();
        QVERIFY(!win.ComPort1->Connected());
        QCOMPARE(control<QLabel>(&win, "StatusPanel0")->text(), QStringLiteral("Disconnected"));
    }

    void portChoice()
    {
        PtyPair second;
        mapTestPort(2, QString::fromStdString(second.slavePath()));
        TMainWin win;
        auto *com1 = control<QAction>(&win, "COM11");
        auto *com2 = control<QAction>(&win, "COM21");
        auto *polacz = control<QPushButton>(&win, "S_Polacz");
        com1->trigger(); // already chosen: nothing changes
        QVERIFY(com1->isChecked());
        QVERIFY(!com2->isChecked());
        QCOMPARE(win.ComPort1->Port(), std::string("COM1"));
        com2->trigger();
        QVERIFY(com2->isChecked());
        QVERIFY(!com1->isChecked());
        QCOMPARE(win.ComPort1->Port(), std::string("COM2"));
        polacz->click();
        QCOMPARE(
            control<QLabel>(&win, "StatusPanel0")->text(), QStringLiteral("Connected to COM2"));
        polacz->click();
        com1->trigger();
        QCOMPARE(win.ComPort1->Port(), std::string("COM1"));
    }

    void ctrlTOpensThePortChoice()
    {
        TMainWin win;
        win.show();
        QVERIFY(QTest::qWaitForWindowActive(&win));
        QTest::keyClick(&win, Qt::Key_T, Qt::ControlModifier);
        QTRY_VERIFY(control<QMenu>(&win, "Trans")->isVisible());
        QVERIFY(control<QMenu>(&win, "Ustawienia")->isVisible());
    }

    // The message's second line says why; %1 stands for the device.
    void portThatCannotBeOpened_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing") << QString::fromUtf8("Nie znaleziono urządzenia %1.");
        QTest::newRow("busy") << QString::fromUtf8("Port jest zajęty przez inny program.");
        // A device its group may not use either: no group to join is named.
        QTest::newRow("denied") << QString::fromUtf8("Brak uprawnień do urządzenia %1.");
    }

    void portThatCannotBeOpened()
    {
        QFETCH(QString, cause);
        const QString row = QString::fromLatin1(QTest::currentDataTag());
        QTemporaryDir dir;
        PtyPair pty;
        QString device = QString::fromStdString(pty.slavePath());
        TComPort holder(std::make_shared<QtComBridge>(), [&](int) { return pty.slavePath(); });
        if (row == QLatin1String("missing")) {
            device = QStringLiteral("/dev/nerix-no-such-port");
        } else if (row == QLatin1String("busy")) {
            holder.Open(); // another program has the port
        } else {
            if (::geteuid() == 0)
                QSKIP("root may open any device; test-as-user runs this as an ordinary user");
            device = dir.filePath(QStringLiteral("ttyS9"));
            QFile file(device);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.setPermissions({}));
        }
        mapTestPort(2, device);
        TMainWin win;
        control<QAction>(&win, "COM21")->trigger();
        MessageCatcher messages;
        auto *polacz = control<QPushButton>(&win, "S_Polacz");
        polacz->click();
        QTRY_COMPARE(messages.texts(),
            QStringList {QString::fromUtf8("Nie można podłączyć się do COM2\n")
                + cause.replace(QLatin1String("%1"), device)});
        QVERIFY(!win.ComPort1->Connected());
        QVERIFY(!control<QAction>(&win, "Poczony1")->isChecked());
        QCOMPARE(polacz->text(), QStringLiteral("Connect"));
        QVERIFY(control<QMenu>(&win, "Trans")->menuAction()->isEnabled());
        QVERIFY(!control<QTimer>(&win, "SprPolacz")->isActive());
    }

    void silentMeterIsShownWithinASecond()
    {
        PtyPair pty;
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        TMainWin win;
        control<QPushButton>(&win, "S_Polacz")->click();
        auto *bp = control<QLabel>(&win, "BP");
        auto *wynik = control<QLabel>(&win, "SWynik");
        auto *temp = control<QLabel>(&win, "STemp");
        // Bytes arrive: the alive colours at the next tick.
        QTimer feeder;
        connect(&feeder, &QTimer::timeout, [&] { pty.send(frame(100)); });
        feeder.start(100);
        QTRY_COMPARE_WITH_TIMEOUT(textColour(bp), Grey, 2000);
        QTRY_COMPARE_WITH_TIMEOUT(textColour(wynik), Yellow, 2000);
        feeder.stop();
        QElapsedTimer silence;
        silence.start();
        QTRY_COMPARE_WITH_TIMEOUT(textColour(bp), Yellow, 1500);
        // Two watchdog ticks at the most, plus the polling of this wait on a busy machine.
        QVERIFY(silence.elapsed() <= 1250);
        QCOMPARE(textColour(wynik), Silver);
        QCOMPARE(textColour(control<QLabel>(&win, "Falka")), Silver);
        QCOMPARE(textColour(temp), Silver);
        QCOMPARE(textColour(control<QLabel>(&win, "stopien")), Silver);
        QVERIFY(win.ComPort1->Connected()); // the watchdog never closes the port
        // Any byte brings the colours back, frame or not.
        pty.send(QByteArray::fromHex("00"));
        QTRY_COMPARE_WITH_TIMEOUT(textColour(bp), Grey, 1500);
        QCOMPARE(textColour(temp), White);
    }

    void vanishedMeterIsReportedOnceAndCanBeReconnected()
    {
        auto pty = std::make_unique<PtyPair>();
        mapTestPort(1, QString::fromStdString(pty->slavePath()));
        TMainWin win;
        auto *polacz = control<QPushButton>(&win, "S_Polacz");
        auto *wynik = control<QLabel>(&win, "SWynik");
        polacz->click();
        QVERIFY(win.ComPort1->Connected());
        pty->send(frame(100));
        QTRY_COMPARE(wynik->text(), QStringLiteral("   1.00 mT"));

        MessageCatcher messages;
        const long cpuBefore = processCpuMs();
        pty.reset(); // the adapter is pulled out
        QTRY_COMPARE(messages.texts().size(), 1);
        QVERIFY(messages.texts().first().startsWith(
            QString::fromUtf8("Utracono połączenie z urządzeniem na porcie COM1")));
        QVERIFY(!win.ComPort1->Connected());
        QVERIFY(!control<QAction>(&win, "Poczony1")->isChecked());
        QCOMPARE(polacz->text(), QStringLiteral("Connect"));
        QCOMPARE(control<QLabel>(&win, "StatusPanel0")->text(), QStringLiteral("Disconnected"));
        QVERIFY(!control<QTimer>(&win, "SprPolacz")->isActive());
        // No stream of messages and no spinning while the device is gone.
        QTest::qWait(500);
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY2(processCpuMs() - cpuBefore < 300, "the program spins after the hang-up");

        // The meter is back (on a new device path): connecting again works.
        PtyPair back;
        mapTestPort(1, QString::fromStdString(back.slavePath()));
        polacz->click();
        QVERIFY(win.ComPort1->Connected());
        back.send(frame(200));
        QTRY_COMPARE(wynik->text(), QStringLiteral("   2.00 mT"));
    }
};

NERIX_TEST(PosixConnectionTest)
#include "PosixConnectionTest.moc"
