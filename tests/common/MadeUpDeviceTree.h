#pragma once
// A made-up device tree in a temporary folder, as the kernel and udev lay out USB serial
// adapters: /sys/class/tty/<tty>/device leading into the USB device (manufacturer, product,
// serial) and /dev/<tty> with its links in /dev/serial/by-id (adapters with a serial number)
// and /dev/serial/by-path (by USB socket). POSIX only (symbolic links).
#include "serial/PosixPortEnumeration.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class MadeUpDeviceTree {
public:
    struct Adapter {
        QString tty; // "ttyUSB0"
        int socket; // the USB socket's number
        QString maker; // "FTDI"
        QString model; // "FT232R USB UART"
        QString serial; // empty: none
    };

    QString root() const { return dir_.path(); }
    PosixDeviceTree tree() const { return PosixDeviceTree(root().toStdString()); }

    QString byIdName(const Adapter &a) const
    {
        return QStringLiteral("usb-%1_%2_%3-if00-port0")
            .arg(a.maker, QString(a.model).replace(QLatin1Char(' '), QLatin1Char('_')), a.serial);
    }
    QString byPathName(const Adapter &a) const
    {
        return QStringLiteral("pci-0000:00:14.0-usb-0:%1:1.0-port0").arg(a.socket);
    }

    bool plug(const Adapter &a)
    {
        QDir top(root());
        const QString usb = QStringLiteral("sys/devices/usb1/1-%1").arg(a.socket);
        const QString port = usb + QStringLiteral("/1-%1:1.0/").arg(a.socket) + a.tty;
        const QString classEntry = QStringLiteral("sys/class/tty/") + a.tty;
        bool ok = top.mkpath(port) && top.mkpath(classEntry)
            && top.mkpath(QStringLiteral("dev/serial/by-path"))
            && write(usb + QStringLiteral("/idVendor"), QStringLiteral("0403"))
            && write(usb + QStringLiteral("/manufacturer"), a.maker)
            && write(usb + QStringLiteral("/product"), a.model)
            && write(QStringLiteral("dev/") + a.tty, {})
            && QFile::link(QStringLiteral("../../../../") + port,
                top.filePath(classEntry + QStringLiteral("/device")))
            && QFile::link(QStringLiteral("../../") + a.tty,
                top.filePath(QStringLiteral("dev/serial/by-path/") + byPathName(a)));
        QFile::remove(top.filePath(usb + QStringLiteral("/serial")));
        if (!a.serial.isEmpty()) {
            ok = ok && write(usb + QStringLiteral("/serial"), a.serial)
                && top.mkpath(QStringLiteral("dev/serial/by-id"))
                && QFile::link(QStringLiteral("../../") + a.tty,
                    top.filePath(QStringLiteral("dev/serial/by-id/") + byIdName(a)));
        }
        return ok;
    }

    // Everything of the adapter goes, as when it is pulled out.
    void unplug(const Adapter &a)
    {
        QDir top(root());
        QDir(top.filePath(QStringLiteral("sys/devices/usb1/1-%1").arg(a.socket)))
            .removeRecursively();
        QDir(top.filePath(QStringLiteral("sys/class/tty/") + a.tty)).removeRecursively();
        QFile::remove(top.filePath(QStringLiteral("dev/") + a.tty));
        QFile::remove(top.filePath(QStringLiteral("dev/serial/by-path/") + byPathName(a)));
        if (!a.serial.isEmpty())
            QFile::remove(top.filePath(QStringLiteral("dev/serial/by-id/") + byIdName(a)));
    }

private:
    bool write(const QString &path, const QString &text)
    {
        QFile file(QDir(root()).filePath(path));
        return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8() + '\n') >= 0;
    }

    QTemporaryDir dir_;
};

// Three adapters as they come: one with a serial number, one without, one CDC-ACM.
namespace sampleAdapters {
inline const MadeUpDeviceTree::Adapter Ftdi {QStringLiteral("ttyUSB0"), 2, QStringLiteral("FTDI"),
    QStringLiteral("FT232R USB UART"), QStringLiteral("A1B2C3")};
inline const MadeUpDeviceTree::Adapter Ch340 {QStringLiteral("ttyUSB1"), 3,
    QStringLiteral("QinHeng Electronics"), QStringLiteral("USB Serial"), {}};
inline const MadeUpDeviceTree::Adapter Acm {QStringLiteral("ttyACM0"), 4,
    QStringLiteral("Arduino (www.arduino.cc)"), QStringLiteral("Arduino Uno"),
    QStringLiteral("75830333")};
} // namespace sampleAdapters
