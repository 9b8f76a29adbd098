// End to end against nerix-sim: service mode by password, the panel filled and sent, and
// the simulated meter's parameter cells holding the values, stored in its EEPROM.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/MessageCatcher.h"
#include "common/SimProcess.h"

#include "app/AboutWin.h"
#include "app/HasloWin.h"
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "app/Startup.h"
#include "serial/CPort.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

class PosixServicePanelSimTest : public QObject {
    Q_OBJECT

private slots:
    void panelReachesTheMeter()
    {
        SimProcess sim({});
        QVERIFY(sim.started());
        AppWindows windows = createWindows();
        TMainWin &main = *windows.MainWin;
        windows.AboutWin->Timer1Timer();
        MessageCatcher messages;

        control<QAction>(&main, "Ustawieniaserwisowe1")->trigger();
        QTest::keyClicks(windows.HasloWin->TekstHaslo, QStringLiteral("travlik"));
        QTest::keyClick(windows.HasloWin->TekstHaslo, Qt::Key_Return);
        QVERIFY(control<ServicePanel>(&main, "Send")->isVisible());

        control<QPushButton>(&main, "S_Polacz")->click();
        QVERIFY(main.ComPort1->Connected());
        auto *wyslij = control<QPushButton>(&main, "Wyslij");
        QVERIFY(wyslij->isEnabled());

        auto *sondy = control<QTableWidget>(&main, "Sondy");
        auto *filters = control<QTableWidget>(&main, "KFILTR");
        auto *phases = control<QTableWidget>(&main, "S_Faza");
        ServicePanel::SetCell(sondy, 1, 1, QStringLiteral("0,25"));
        ServicePanel::SetCell(sondy, 3, 2, QStringLiteral("-0,5"));
        ServicePanel::SetCell(filters, 2, 1, QStringLiteral("0,5"));
        ServicePanel::SetCell(filters, 4, 2, QStringLiteral("70000"));
        ServicePanel::SetCell(phases, 1, 1, QStringLiteral("17"));
        ServicePanel::SetCell(phases, 1, 2, QStringLiteral("34"));
        control<QLineEdit>(&main, "Stala")->setText(QStringLiteral("1234"));
        control<QLineEdit>(&main, "WKor")->setText(QStringLiteral("0,5"));
        control<QLineEdit>(&main, "OKor")->setText(QStringLiteral("-1"));
        control<QLineEdit>(&main, "ProgRodzajuSondy")->setText(QStringLiteral("1800"));
        control<QCheckBox>(&main, "SaveEPROM")->setChecked(true);
        wyslij->click();
        QVERIFY(messages.texts().isEmpty());

        // cell ADDRESS CURRENT STORED: stored too, as the "S" came last.
        for (const char *line :
            {"cell 0 8192 8192", "cell 24 49152 49152", "cell 36 19875 19875", "cell 28 4464 4464",
                "cell 55 8721 8721", "cell 10 1234 1234", "cell 2 16384 16384",
                "cell 6 65535 65535", "cell 18 64799 64799", "cell 46 1000 1000"})
            QVERIFY2(sim.cellsFileHas(QString::fromLatin1(line)), line);
    }
};

NERIX_TEST(PosixServicePanelSimTest)
#include "PosixServicePanelSimTest.moc"
