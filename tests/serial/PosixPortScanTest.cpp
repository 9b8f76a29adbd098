// USB serial adapters named against a made-up device tree: a COM number from 3 up for each new
// adapter, kept by its stable path through replugging, and listed with its maker and model.
#include "TestMain.h"
#include "common/MadeUpDeviceTree.h"

#include "serial/PosixPortEnumeration.h"

#include <QFileInfo>
#include <QTest>

namespace {
using Adapter = MadeUpDeviceTree::Adapter;
using namespace sampleAdapters;

// The map as the program keeps it: what it has, and the entries for adapters new to it.
std::vector<ComPortInfo> scan(ComPortMap &map, const MadeUpDeviceTree &devices)
{
    for (const auto &[number, path] : newAdapterEntries(map, devices.tree()))
        map[number] = path;
    return listComPorts(map, devices.tree());
}

std::string byId(const MadeUpDeviceTree &devices, const Adapter &a)
{
    return "/dev/serial/by-id/" + devices.byIdName(a).toStdString();
}

std::string byPath(const MadeUpDeviceTree &devices, const Adapter &a)
{
    return "/dev/serial/by-path/" + devices.byPathName(a).toStdString();
}
} // namespace

class PosixPortScanTest : public QObject {
    Q_OBJECT

private slots:
    // ttyACM before ttyUSB; by-id for adapters with a serial number, by-path for the others.
    void newAdaptersTakeTheLowestFreeNumbersFrom3()
    {
        MadeUpDeviceTree devices;
        for (const Adapter &a : {Ftdi, Ch340, Acm})
            QVERIFY(devices.plug(a));
        ComPortMap map {{4, "/dev/pts/no-such-pty"}}; // an entry of its own keeps its number
        const std::vector<ComPortInfo> ports = scan(map, devices);
        QCOMPARE(map,
            (ComPortMap {{3, byId(devices, Acm)}, {4, "/dev/pts/no-such-pty"},
                {5, byId(devices, Ftdi)}, {6, byPath(devices, Ch340)}}));
        QCOMPARE(ports,
            (std::vector<ComPortInfo> {{"COM3", "Arduino (www.arduino.cc) Arduino Uno"},
                {"COM5", "FTDI FT232R USB UART"}, {"COM6", "QinHeng Electronics USB Serial"}}));
    }

    // Two identical adapters get two names and keep them when plugged in again in the other
    // order: those with serial numbers in any socket, those without in the same socket.
    void replugKeepsEachAdaptersName_data()
    {
        QTest::addColumn<QString>("serialA");
        QTest::addColumn<QString>("serialB");
        QTest::addColumn<bool>("swapSockets");
        QTest::newRow("serial numbers, sockets swapped") << "S1"
                                                         << "S2" << true;
        QTest::newRow("no serial numbers, same sockets") << QString() << QString() << false;
    }
    void replugKeepsEachAdaptersName()
    {
        QFETCH(QString, serialA);
        QFETCH(QString, serialB);
        QFETCH(bool, swapSockets);
        MadeUpDeviceTree devices;
        const Adapter a {QStringLiteral("ttyUSB0"), 2, QStringLiteral("FTDI"),
            QStringLiteral("FT232R USB UART"), serialA};
        const Adapter b {QStringLiteral("ttyUSB1"), 3, a.maker, a.model, serialB};
        QVERIFY(devices.plug(a) && devices.plug(b));
        ComPortMap map;
        QCOMPARE(scan(map, devices).size(), std::size_t(2));
        const ComPortMap first = map;
        const auto deviceOf = [&](int number) { return devices.tree().local(map.at(number)); };

        devices.unplug(a);
        devices.unplug(b);
        QVERIFY(scan(map, devices).empty());
        // b comes back first and becomes ttyUSB0.
        Adapter b2 = b, a2 = a;
        b2.tty = QStringLiteral("ttyUSB0");
        a2.tty = QStringLiteral("ttyUSB1");
        if (swapSockets)
            std::swap(a2.socket, b2.socket);
        QVERIFY(devices.plug(b2) && devices.plug(a2));
        QCOMPARE(scan(map, devices).size(), std::size_t(2));
        QCOMPARE(map, first);
        // COM3 is a's, now ttyUSB1.
        QVERIFY(QFileInfo(QString::fromStdString(deviceOf(3)))
                    .canonicalFilePath()
                    .endsWith(QStringLiteral("/dev/ttyUSB1")));
    }

    // A gone adapter leaves the list but keeps its number; the next new one takes another.
    void aGoneAdapterKeepsItsNumber()
    {
        MadeUpDeviceTree devices;
        QVERIFY(devices.plug(Ftdi));
        ComPortMap map;
        scan(map, devices);
        devices.unplug(Ftdi);
        QVERIFY(devices.plug(Ch340));
        QCOMPARE(scan(map, devices),
            (std::vector<ComPortInfo> {{"COM4", "QinHeng Electronics USB Serial"}}));
        QCOMPARE(map.at(3), byId(devices, Ftdi));
    }

    // An entry written by hand for the adapter's device (by its own name or any link) keeps the
    // adapter's name; no second one is made.
    void aHandWrittenEntryKeepsPrecedence_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("device") << QStringLiteral("/dev/ttyUSB0");
        QTest::newRow("by-path") << QStringLiteral("BYPATH");
    }
    void aHandWrittenEntryKeepsPrecedence()
    {
        QFETCH(QString, path);
        MadeUpDeviceTree devices;
        QVERIFY(devices.plug(Ftdi));
        const std::string entry
            = path == QLatin1String("BYPATH") ? byPath(devices, Ftdi) : path.toStdString();
        ComPortMap map {{12, entry}};
        QCOMPARE(
            scan(map, devices), (std::vector<ComPortInfo> {{"COM12", "FTDI FT232R USB UART"}}));
        QCOMPARE(map, (ComPortMap {{12, entry}}));
    }
};

NERIX_TEST(PosixPortScanTest)
#include "PosixPortScanTest.moc"
