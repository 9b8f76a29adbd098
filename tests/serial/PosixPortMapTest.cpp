// The port map: COMn names resolved through the settings store, and the enumeration of the
// ports whose device is there.
#include "serial/PosixPortMap.h"
#include "TestMain.h"
#include "common/PtyPair.h"
#include "core/SettingsStore.h"
#include "serial/CPort.h"
#include "serial/PortEnumeration.h"
#include "serial/PosixPortEnumeration.h"
#include "serial/QtComBridge.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

class PosixPortMapTest : public QObject {
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

    // Whole names; only character devices; never opened (a real UART would raise DTR and
    // RTS); a device held open, as by a port of ours, is listed.
    void enumerationListsDevicesByWholeNameWithoutOpeningThem()
    {
        PtyPair pty;
        const QString dir = nerixtest::configHome();
        QFile plain(dir + QStringLiteral("/plain-file"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        {
            const auto store = openSettingsStore();
            for (int n = 1; n <= 16; ++n)
                store->setValue(QStringLiteral("Ports/COM%1").arg(n),
                    dir + QStringLiteral("/no-device-%1").arg(n));
            store->setValue(QStringLiteral("Ports/COM12"), QString::fromStdString(pty.slavePath()));
            store->setValue(QStringLiteral("Ports/COM3"), QString::fromStdString(pty.slavePath()));
            store->setValue(QStringLiteral("Ports/COM5"), plain.fileName());
            store->setValue(QStringLiteral("Ports/COM6"), dir);
        }
        const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(watch >= 0);
        QVERIFY(inotify_add_watch(watch, pty.slavePath().c_str(), IN_OPEN) >= 0);
        const auto opened = [watch] {
            char events[4096];
            return ::read(watch, events, sizeof events) > 0;
        };
        // The watch sees an open.
        ::close(::open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK));
        QVERIFY(opened());

        QCOMPARE(EnumComPorts(), (std::vector<std::string> {"COM3", "COM12"}));
        QVERIFY(!opened());
        ::close(watch);
    }

    // The kernel makes ttyS devices for every UART there might be; those with type 0 have none.
    void serialDevicesNeedAUartBehindThem()
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/ttyS0")))
            QSKIP("no /dev/ttyS0 on this machine");
        QTemporaryDir sys;
        QVERIFY(QDir(sys.path()).mkpath(QStringLiteral("ttyS0")));
        const auto typeIs = [&](const char *type) {
            QFile file(sys.filePath(QStringLiteral("ttyS0/type")));
            return file.open(QIODevice::WriteOnly) && file.write(type) > 0;
        };
        QVERIFY(typeIs("0\n"));
        QVERIFY(!posixComDevicePresent("/dev/ttyS0", sys.path().toStdString()));
        QVERIFY(typeIs("4\n"));
        QVERIFY(posixComDevicePresent("/dev/ttyS0", sys.path().toStdString()));
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

NERIX_TEST(PosixPortMapTest)
#include "PosixPortMapTest.moc"
