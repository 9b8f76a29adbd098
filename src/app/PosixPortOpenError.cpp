#include "app/PortOpenFailure.h"

#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

PortOpenError ClassifyPortOpenError(int code)
{
    switch (code) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return PortOpenError::Missing;
    case EBUSY:
        return PortOpenError::Busy;
    case EACCES:
    case EPERM:
        return PortOpenError::Denied;
    default:
        return PortOpenError::Other;
    }
}

QString DeviceGroup(const std::string &device)
{
    struct stat info { };
    if (::stat(device.c_str(), &info) != 0 || info.st_gid == 0
        || (info.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return {};
    const long suggested = ::sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? std::size_t(suggested) : 4096);
    struct group entry { };
    struct group *found = nullptr;
    while (::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) == ERANGE)
        buffer.resize(buffer.size() * 2);
    return found != nullptr ? QString::fromLocal8Bit(found->gr_name) : QString();
}
