// Connecting and disconnecting, the port choice, the link watchdog and a meter that vanishes.
#include "TestMain.h"
#include "common/MessageCatcher.h"
#include "common/PortMap.h"
#include "common/PtyPair.h"

#include "app/MainWin.h"
#include "app/ServicePanel.h"
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

QByteArray frame(int16_t raw)
{
    const ResultFrameBytes bytes = MakeResultFrame(0, 200, raw);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}
} // namespace

class ConnectionTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }

    void connectAndDisconnect()
    {
        PtyPair pty;
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        TMainWin win;
        win.S_Polacz->click();
        QVERIFY(win.ComPort1->Connected());
        QVERIFY(win.Poczony1->isChecked());
        QCOMPARE(win.S_Polacz->text(), QStringLiteral("Disconnect"));
        QCOMPARE(win.StatusPanel0->text(), QStringLiteral("Connected to COM1"));
        QVERIFY(!win.Trans->menuAction()->isEnabled());
        QVERIFY(win.Zapisz1->isEnabled() && win.S_Zapisz->isEnabled());
        QVERIFY(win.Send->Wyslij->isEnabled());
        QVERIFY(win.SprPolacz->isActive());
        QVERIFY(!win.STemp->isHidden() && !win.stopien->isHidden());
        QCOMPARE(textColour(win.SWynik), Yellow);
        QCOMPARE(textColour(win.STemp), White);

        // The language switch rewrites the panel with one more space behind text #40.
        LanguageName = LanguagePolish;
        win.ApplyLanguage();
        QCOMPARE(win.StatusPanel0->text(), QString::fromUtf8("Połączony na  COM1"));
        QCOMPARE(win.S_Polacz->text(), QString::fromUtf8("Rozłącz"));
        LanguageName = LanguageEnglish;
        win.ApplyLanguage();

        win.Poczony1->trigger(); // the menu item does the same as the button
        QVERIFY(!win.ComPort1->Connected());
        QVERIFY(!win.Poczony1->isChecked());
        QCOMPARE(win.S_Polacz->text(), QStringLiteral("Connect"));
        QCOMPARE(win.StatusPanel0->text(), QStringLiteral("Disconnected"));
        QVERIFY(win.Trans->menuAction()->isEnabled());
        QVERIFY(!win.Zapisz1->isEnabled() && !win.S_Zapisz->isEnabled());
        QVERIFY(!win.Send->Wyslij->isEnabled());
        QVERIFY(!win.SprPolacz->isActive());
        QCOMPARE(textColour(win.SWynik), Silver);
        QCOMPARE(textColour(win.STemp), Silver);
        QCOMPARE(textColour(win.BP), Grey);

        // The port closed above opens again, for an ordinary user too.
        MessageCatcher messages;
        win.S_Polacz->click();
        QCOMPARE(messages.texts(), QStringList());
        QVERIFY(win.ComPort1->Connected());
    }

    void closingTheWindowClosesThePortFirst()
    {
        PtyPair pty;
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        TMainWin win;
        win.S_Polacz->click();
        QVERIFY(win.ComPort1->Connected());
        win.close();
        QVERIFY(!win.ComPort1->Connected());
        QCOMPARE(win.StatusPanel0->text(), QStringLiteral("Disconnected"));
    }

    void portChoice()
    {
        PtyPair second;
        mapTestPort(2, QString::fromStdString(second.slavePath()));
        TMainWin win;
        win.COM11->trigger(); // already chosen: nothing changes
        QVERIFY(win.COM11->isChecked());
        QVERIFY(!win.COM21->isChecked());
        QCOMPARE(win.ComPort1->Port(), std::string("COM1"));
        win.COM21->trigger();
        QVERIFY(win.COM21->isChecked());
        QVERIFY(!win.COM11->isChecked());
        QCOMPARE(win.ComPort1->Port(), std::string("COM2"));
        win.S_Polacz->click();
        QCOMPARE(win.StatusPanel0->text(), QStringLiteral("Connected to COM2"));
        win.S_Polacz->click();
        win.COM11->trigger();
        QCOMPARE(win.ComPort1->Port(), std::string("COM1"));
    }

    void ctrlTOpensThePortChoice()
    {
        TMainWin win;
        win.show();
        QVERIFY(QTest::qWaitForWindowActive(&win));
        QTest::keyClick(&win, Qt::Key_T, Qt::ControlModifier);
        QTRY_VERIFY(win.Trans->isVisible());
        QVERIFY(win.Ustawienia->isVisible());
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
        win.COM21->trigger();
        MessageCatcher messages;
        win.S_Polacz->click();
        QTRY_COMPARE(messages.texts(),
            QStringList {QString::fromUtf8("Nie można podłączyć się do COM2\n")
                + cause.replace(QLatin1String("%1"), device)});
        QVERIFY(!win.ComPort1->Connected());
        QVERIFY(!win.Poczony1->isChecked());
        QCOMPARE(win.S_Polacz->text(), QStringLiteral("Connect"));
        QVERIFY(win.Trans->menuAction()->isEnabled());
        QVERIFY(!win.SprPolacz->isActive());
    }

    void silentMeterIsShownWithinASecond()
    {
        PtyPair pty;
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        TMainWin win;
        win.S_Polacz->click();
        // Bytes arrive: the alive colours at the next tick.
        QTimer feeder;
        connect(&feeder, &QTimer::timeout, [&] { pty.send(frame(100)); });
        feeder.start(100);
        QTRY_COMPARE_WITH_TIMEOUT(textColour(win.BP), Grey, 2000);
        QTRY_COMPARE_WITH_TIMEOUT(textColour(win.SWynik), Yellow, 2000);
        feeder.stop();
        QElapsedTimer silence;
        silence.start();
        QTRY_COMPARE_WITH_TIMEOUT(textColour(win.BP), Yellow, 1500);
        // Two watchdog ticks at the most, plus the polling of this wait on a busy machine.
        QVERIFY(silence.elapsed() <= 1250);
        QCOMPARE(textColour(win.SWynik), Silver);
        QCOMPARE(textColour(win.Falka), Silver);
        QCOMPARE(textColour(win.STemp), Silver);
        QCOMPARE(textColour(win.stopien), Silver);
        QVERIFY(win.ComPort1->Connected()); // the watchdog never closes the port
        // Any byte brings the colours back, frame or not.
        pty.send(QByteArray::fromHex("00"));
        QTRY_COMPARE_WITH_TIMEOUT(textColour(win.BP), Grey, 1500);
        QCOMPARE(textColour(win.STemp), White);
    }

    void vanishedMeterIsReportedOnceAndCanBeReconnected()
    {
        auto pty = std::make_unique<PtyPair>();
        mapTestPort(1, QString::fromStdString(pty->slavePath()));
        TMainWin win;
        win.S_Polacz->click();
        QVERIFY(win.ComPort1->Connected());
        pty->send(frame(100));
        QTRY_COMPARE(win.SWynik->text(), QStringLiteral("   1.00 mT"));

        MessageCatcher messages;
        const long cpuBefore = processCpuMs();
        pty.reset(); // the adapter is pulled out
        QTRY_COMPARE(messages.texts().size(), 1);
        QVERIFY(messages.texts().first().startsWith(
            QString::fromUtf8("Utracono połączenie z urządzeniem na porcie COM1")));
        QVERIFY(!win.ComPort1->Connected());
        QVERIFY(!win.Poczony1->isChecked());
        QCOMPARE(win.S_Polacz->text(), QStringLiteral("Connect"));
        QCOMPARE(win.StatusPanel0->text(), QStringLiteral("Disconnected"));
        QVERIFY(!win.SprPolacz->isActive());
        // No stream of messages and no spinning while the device is gone.
        QTest::qWait(500);
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY2(processCpuMs() - cpuBefore < 300, "the program spins after the hang-up");

        // The meter is back (on a new device path): connecting again works.
        PtyPair back;
        mapTestPort(1, QString::fromStdString(back.slavePath()));
        win.S_Polacz->click();
        QVERIFY(win.ComPort1->Connected());
        back.send(frame(200));
        QTRY_COMPARE(win.SWynik->text(), QStringLiteral("   2.00 mT"));
    }
};

NERIX_TEST(ConnectionTest)
#include "ConnectionTest.moc"
