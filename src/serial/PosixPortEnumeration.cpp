#include "serial/PosixPortEnumeration.h"
#include "serial/PortEnumeration.h"

#include "serial/ComSettings.h"
#include "serial/PosixPortMap.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace {
// The device's own name: links followed, the folder left off.
std::string deviceName(const std::string &path)
{
    std::string resolved = path;
    if (char *real = ::realpath(path.c_str(), nullptr)) {
        resolved = real;
        std::free(real);
    }
    const std::size_t slash = resolved.rfind('/');
    return slash == std::string::npos ? resolved : resolved.substr(slash + 1);
}

bool isSerialDeviceName(const std::string &name)
{
    return name.size() > 4 && name.compare(0, 4, "ttyS") == 0
        && std::all_of(
            name.begin() + 4, name.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}
} // namespace

bool posixComDevicePresent(const std::string &path, const std::string &ttyClassDir)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode))
        return false;
    const std::string name = deviceName(path);
    if (!isSerialDeviceName(name))
        return true;
    std::ifstream typeFile(ttyClassDir + "/" + name + "/type");
    int type = -1;
    // Without a word from the kernel the device is listed: the user can still try it.
    if (!(typeFile >> type))
        return true;
    return type != 0;
}

std::vector<std::string> EnumComPorts()
{
    const std::vector<std::string> paths = comDevicePaths();
    std::vector<std::string> names;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (posixComDevicePresent(paths[i]))
            names.push_back(comPortName(static_cast<int>(i) + 1));
    }
    return names;
}
