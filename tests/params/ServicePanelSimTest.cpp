// End to end against nerix-sim: service mode by password, the panel filled and sent, and
// the simulated meter's parameter cells holding the values, stored in its EEPROM.
#include "TestMain.h"
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

class ServicePanelSimTest : public QObject {
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

        main.Ustawieniaserwisowe1->trigger();
        QTest::keyClicks(windows.HasloWin->TekstHaslo, QStringLiteral("travlik"));
        QTest::keyClick(windows.HasloWin->TekstHaslo, Qt::Key_Return);
        QVERIFY(main.Send->isVisible());

        main.S_Polacz->click();
        QVERIFY(main.ComPort1->Connected());
        QVERIFY(main.Send->Wyslij->isEnabled());

        ServicePanel &p = *main.Send;
        ServicePanel::SetCell(p.Sondy, 1, 1, QStringLiteral("0,25"));
        ServicePanel::SetCell(p.Sondy, 3, 2, QStringLiteral("-0,5"));
        ServicePanel::SetCell(p.KFILTR, 2, 1, QStringLiteral("0,5"));
        ServicePanel::SetCell(p.KFILTR, 4, 2, QStringLiteral("70000"));
        ServicePanel::SetCell(p.S_Faza, 1, 1, QStringLiteral("17"));
        ServicePanel::SetCell(p.S_Faza, 1, 2, QStringLiteral("34"));
        p.Stala->setText(QStringLiteral("1234"));
        p.WKor->setText(QStringLiteral("0,5"));
        p.OKor->setText(QStringLiteral("-1"));
        p.ProgRodzajuSondy->setText(QStringLiteral("1800"));
        p.SaveEPROM->setChecked(true);
        p.Wyslij->click();
        QVERIFY(messages.texts().isEmpty());

        // cell ADDRESS CURRENT STORED: stored too, as the "S" came last.
        for (const char *line :
            {"cell 0 8192 8192", "cell 24 49152 49152", "cell 36 19875 19875", "cell 28 4464 4464",
                "cell 55 8721 8721", "cell 10 1234 1234", "cell 2 16384 16384",
                "cell 6 65535 65535", "cell 18 64799 64799", "cell 46 1000 1000"})
            QVERIFY2(sim.cellsFileHas(QString::fromLatin1(line)), line);
    }
};

NERIX_TEST(ServicePanelSimTest)
#include "ServicePanelSimTest.moc"
