#pragma once
// How the POSIX port enumeration finds the machine's ports and names them. It reads the device
// tree below a root folder ("/" on a machine; a made-up tree of sysfs and /dev in tests) and
// never opens a device: opening a real UART raises DTR and RTS, which can disturb what is
// connected to it.
//
// A USB serial adapter (/dev/ttyUSB*, /dev/ttyACM*) seen for the first time gets the lowest free
// COM number from 3 up, recorded in the port map by its stable path: /dev/serial/by-id/... for
// an adapter with a serial number (the same name in any USB socket), /dev/serial/by-path/... for
// one without (the same name in the same socket). Any entry of the map that already leads to
// the adapter's device, one written by hand included, keeps its number.
#include "serial/PortEnumeration.h"

#include <map>
#include <string>
#include <vector>

// The port map: COM number to device path, the paths as the machine has them ("/dev/...").
using ComPortMap = std::map<int, std::string>;

struct UsbSerialAdapter {
    std::string device; // "/dev/ttyUSB0"
    std::string stablePath; // by-id, else by-path, else the device itself
    std::string description; // maker and model, "FTDI FT232R USB UART"
    bool operator==(const UsbSerialAdapter &) const = default;
};

class PosixDeviceTree {
public:
    explicit PosixDeviceTree(std::string root = "/");

    // The adapters the kernel has, ttyACM before ttyUSB, each in number order.
    std::vector<UsbSerialAdapter> usbAdapters() const;
    // The device at path (a machine path) is there: see posixComDevicePresent.
    bool present(const std::string &path) const;
    // A USB adapter's maker and model for the device at path; empty for any other device.
    std::string description(const std::string &path) const;
    // The machine path as a path of the tree.
    std::string local(const std::string &path) const;

private:
    std::string usbDescription(const std::string &ttyName) const;
    std::string root_;
};

// True when the path names a device that is there (after links are followed): a USB adapter
// the kernel lists in ttyClassDir; a serial device ttyS<n> that is a character device with a
// UART behind it (<ttyClassDir>/ttyS<n>/type is not 0: the kernel makes ttyS devices for
// every possible UART, so most of them have none); any other character device.
bool posixComDevicePresent(
    const std::string &path, const std::string &ttyClassDir = "/sys/class/tty");

// The entries the map lacks for the tree's adapters.
ComPortMap newAdapterEntries(const ComPortMap &map, const PosixDeviceTree &tree);
// The ports whose device is there: the map's entries, and /dev/ttyS<n-1> for the numbers up to
// 16 the map leaves out.
std::vector<ComPortInfo> listComPorts(const ComPortMap &map, const PosixDeviceTree &tree);
