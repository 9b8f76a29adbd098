#include "serial/PosixPortEnumeration.h"

#include "serial/CPort.h"
#include "serial/ComSettings.h"
#include "serial/PosixPortMap.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <set>
#include <sys/stat.h>

namespace {
// The path with links followed; empty when it leads nowhere.
std::string resolved(const std::string &path)
{
    std::string result;
    if (char *real = ::realpath(path.c_str(), nullptr)) {
        result = real;
        std::free(real);
    }
    return result;
}

std::string baseName(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string parentOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

// The number after the prefix ("ttyUSB12" → 12); -1 when the name is not prefix + digits.
long numberAfter(const std::string &name, const std::string &prefix)
{
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0
        || !std::all_of(name.begin() + long(prefix.size()), name.end(),
            [](unsigned char c) { return std::isdigit(c) != 0; }))
        return -1;
    return std::strtol(name.c_str() + prefix.size(), nullptr, 10);
}

bool isUsbTtyName(const std::string &name)
{
    return numberAfter(name, "ttyUSB") >= 0 || numberAfter(name, "ttyACM") >= 0;
}

std::vector<std::string> folderEntries(const std::string &folder)
{
    std::vector<std::string> names;
    if (DIR *dir = ::opendir(folder.c_str())) {
        while (const dirent *entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The first line of a sysfs attribute, without surrounding blanks.
std::string attribute(const std::string &file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    line.erase(line.begin(), std::find_if_not(line.begin(), line.end(), blank));
    line.erase(std::find_if_not(line.rbegin(), line.rend(), blank).base(), line.end());
    return line;
}

bool exists(const std::string &path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0;
}

// The USB device folder above a tty's device in sysfs: an adapter's tty hangs below its USB
// interface (ttyACM) or below a port of it (ttyUSB); the device is the interface's parent.
std::string usbDeviceFolder(const std::string &ttyClassEntry)
{
    std::string folder = resolved(ttyClassEntry + "/device");
    for (int level = 0; level < 4 && !folder.empty() && folder != "/"; ++level) {
        if (exists(folder + "/idVendor") || exists(folder + "/product"))
            return folder;
        folder = parentOf(folder);
    }
    return {};
}

// The link in folder that leads to device (both tree paths), as a machine path; empty if none.
std::string linkTo(
    const std::string &folder, const std::string &machineFolder, const std::string &device)
{
    for (const std::string &name : folderEntries(folder)) {
        if (resolved(folder + "/" + name) == device)
            return machineFolder + "/" + name;
    }
    return {};
}
} // namespace

PosixDeviceTree::PosixDeviceTree(std::string root)
    : root_(std::move(root))
{
    while (root_.size() > 1 && root_.back() == '/')
        root_.pop_back();
}

std::string PosixDeviceTree::local(const std::string &path) const
{
    if (root_ == "/" || root_.empty())
        return path;
    return path.starts_with('/') ? root_ + path : root_ + "/" + path;
}

bool PosixDeviceTree::present(const std::string &path) const
{
    return posixComDevicePresent(local(path), local("/sys/class/tty"));
}

std::string PosixDeviceTree::usbDescription(const std::string &ttyName) const
{
    const std::string usb = usbDeviceFolder(local("/sys/class/tty/" + ttyName));
    if (usb.empty())
        return {};
    const std::string maker = attribute(usb + "/manufacturer");
    const std::string model = attribute(usb + "/product");
    if (maker.empty() || model.starts_with(maker))
        return model;
    return model.empty() ? maker : maker + " " + model;
}

std::string PosixDeviceTree::description(const std::string &path) const
{
    const std::string name = baseName(resolved(local(path)));
    return isUsbTtyName(name) ? usbDescription(name) : std::string();
}

std::vector<UsbSerialAdapter> PosixDeviceTree::usbAdapters() const
{
    std::vector<UsbSerialAdapter> adapters;
    for (const char *prefix : {"ttyACM", "ttyUSB"}) {
        std::vector<std::pair<long, std::string>> names;
        for (const std::string &name : folderEntries(local("/sys/class/tty"))) {
            if (const long number = numberAfter(name, prefix); number >= 0)
                names.emplace_back(number, name);
        }
        std::sort(names.begin(), names.end());
        for (const auto &[number, name] : names) {
            UsbSerialAdapter adapter;
            adapter.device = "/dev/" + name;
            const std::string device = resolved(local(adapter.device));
            if (device.empty())
                continue; // the kernel lists it, its device node is not (yet) there
            const std::string usb = usbDeviceFolder(local("/sys/class/tty/" + name));
            if (!usb.empty() && !attribute(usb + "/serial").empty())
                adapter.stablePath
                    = linkTo(local("/dev/serial/by-id"), "/dev/serial/by-id", device);
            if (adapter.stablePath.empty())
                adapter.stablePath
                    = linkTo(local("/dev/serial/by-path"), "/dev/serial/by-path", device);
            if (adapter.stablePath.empty())
                adapter.stablePath = adapter.device;
            adapter.description = usbDescription(name);
            adapters.push_back(std::move(adapter));
        }
    }
    return adapters;
}

bool posixComDevicePresent(const std::string &path, const std::string &ttyClassDir)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return false;
    const std::string name = baseName(resolved(path));
    if (isUsbTtyName(name))
        return exists(ttyClassDir + "/" + name);
    if (!S_ISCHR(info.st_mode))
        return false;
    if (numberAfter(name, "ttyS") < 0)
        return true;
    std::ifstream typeFile(ttyClassDir + "/" + name + "/type");
    int type = -1;
    // Without a word from the kernel the device is listed: the user can still try it.
    if (!(typeFile >> type))
        return true;
    return type != 0;
}

ComPortMap newAdapterEntries(const ComPortMap &map, const PosixDeviceTree &tree)
{
    std::set<std::string> known;
    for (const auto &[number, path] : map) {
        known.insert(path);
        if (const std::string device = resolved(tree.local(path)); !device.empty())
            known.insert(device);
    }
    ComPortMap added;
    const auto taken = [&](int n) {
        return map.count(n) != 0 || added.count(n) != 0
            || (n <= 16 && tree.present(defaultComDevicePath(n)));
    };
    int next = 3;
    for (const UsbSerialAdapter &adapter : tree.usbAdapters()) {
        if (known.count(adapter.stablePath) != 0
            || known.count(resolved(tree.local(adapter.device))) != 0)
            continue;
        while (next <= kMaxComPort && taken(next))
            ++next;
        if (next > kMaxComPort)
            break;
        added[next] = adapter.stablePath;
    }
    return added;
}

std::vector<ComPortInfo> listComPorts(const ComPortMap &map, const PosixDeviceTree &tree)
{
    std::vector<ComPortInfo> ports;
    for (int n = 1; n <= kMaxComPort; ++n) {
        const auto entry = map.find(n);
        if (entry == map.end() && n > 16)
            continue;
        const std::string path = entry != map.end() ? entry->second : defaultComDevicePath(n);
        if (tree.present(path))
            ports.push_back({comPortName(n), tree.description(path)});
    }
    return ports;
}

std::vector<ComPortInfo> ListComPorts()
{
    return listMachineComPorts(PosixDeviceTree());
}
