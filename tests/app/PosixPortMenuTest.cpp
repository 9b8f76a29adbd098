// The port menu against a made-up device tree: USB adapters listed by the names they are given,
// with their makers and models, as they are plugged in and out while the program runs.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/MadeUpDeviceTree.h"
#include "common/RememberedReset.h"

#include "app/MainWin.h"
#include "core/SettingsStore.h"
#include "serial/CPort.h"
#include "serial/PosixPortMap.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using namespace sampleAdapters;
using Adapter = MadeUpDeviceTree::Adapter;

class PosixPortMenuTest : public QObject {
    Q_OBJECT

private slots:
    void init() { openSettingsStore()->remove(QStringLiteral("Ports")); }
    void cleanup()
    {
        init();
        forgetRememberedPorts();
    }

    void adaptersAppearAndGoWhileTheProgramRuns()
    {
        MadeUpDeviceTree devices;
        QVERIFY(devices.plug(Ftdi) && devices.plug(Acm));
        TMainWin main;
        main.PortLister = [&devices] { return listMachineComPorts(devices.tree()); };
        const auto opened = [&] {
            emit main.Trans->aboutToShow();
            QStringList texts;
            for (QAction *item : main.OtherPorts)
                texts << item->text();
            return texts;
        };
        QCOMPARE(opened(),
            QStringList(
                {"COM3 (Arduino (www.arduino.cc) Arduino Uno)", "COM4 (FTDI FT232R USB UART)"}));
        control<QAction>(main.Trans, "PortCOM4")->trigger();
        QCOMPARE(main.ComPort1->Port(), std::string("COM4"));

        devices.unplug(Ftdi);
        QVERIFY(devices.plug(Ch340));
        QCOMPARE(opened(),
            QStringList({"COM3 (Arduino (www.arduino.cc) Arduino Uno)",
                "COM5 (QinHeng Electronics USB Serial)"}));
        // Back in another socket: the FTDI adapter's serial number gives it its name again.
        Adapter moved = Ftdi;
        moved.tty = QStringLiteral("ttyUSB2");
        moved.socket = 6;
        QVERIFY(devices.plug(moved));
        QCOMPARE(opened(),
            QStringList({"COM3 (Arduino (www.arduino.cc) Arduino Uno)",
                "COM4 (FTDI FT232R USB UART)", "COM5 (QinHeng Electronics USB Serial)"}));
        QVERIFY(control<QAction>(main.Trans, "PortCOM4")->isChecked());
    }
};

NERIX_TEST(PosixPortMenuTest)
#include "PosixPortMenuTest.moc"
