// The port map: COMn names resolved through the settings store, and the list of ports whose
// device exists.
#include "serial/PortMap.h"
#include "TestMain.h"
#include "common/PtyPair.h"
#include "core/SettingsStore.h"
#include "serial/CPort.h"
#include "serial/QtComBridge.h"

#include <QTest>

class PortMapTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { openSettingsStore()->remove(QStringLiteral("Ports")); }

    void pathsComeFromTheMapOrTheSerialDevices()
    {
        QCOMPARE(comDevicePath(5), std::string("/dev/ttyS4"));
        QCOMPARE(comDevicePath(16), std::string("/dev/ttyS15"));
        openSettingsStore()->setValue(QStringLiteral("Ports/COM5"), QStringLiteral("/dev/pts/77"));
        QCOMPARE(comDevicePath(5), std::string("/dev/pts/77"));
        QCOMPARE(comDevicePath(15), std::string("/dev/ttyS14"));
    }

    void existingPortsAreListedByTheirWholeName()
    {
        PtyPair pty;
        {
            const auto store = openSettingsStore();
            for (int n = 1; n <= 16; ++n)
                store->setValue(QStringLiteral("Ports/COM%1").arg(n),
                    nerixtest::configHome() + QStringLiteral("/no-device-%1").arg(n));
            store->setValue(QStringLiteral("Ports/COM12"), QString::fromStdString(pty.slavePath()));
            store->setValue(QStringLiteral("Ports/COM3"), QString::fromStdString(pty.slavePath()));
        }
        QCOMPARE(existingComPorts(), (QStringList {"COM3", "COM12"}));
    }

    void aPortOpensTheMappedDevice()
    {
        PtyPair pty;
        openSettingsStore()->setValue(
            QStringLiteral("Ports/COM7"), QString::fromStdString(pty.slavePath()));
        TComPort port(std::make_shared<QtComBridge>(), comDevicePath);
        port.SetPort("COM7");
        port.Open();
        QVERIFY(port.Connected());
        QCOMPARE(port.WriteText("mapped"), 6);
        QCOMPARE(pty.receive(6), QByteArray("mapped"));
    }
};

NERIX_TEST(PortMapTest)
#include "PortMapTest.moc"
