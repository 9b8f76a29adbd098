#include "app/PortOpenFailure.h"

namespace {
// The Windows error codes that opening a COM port meets.
constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int AccessDenied = 5;
constexpr int SharingViolation = 32;
} // namespace

PortOpenError ClassifyPortOpenError(int code)
{
    switch (code) {
    case FileNotFound:
    case PathNotFound:
        return PortOpenError::Missing;
    // Windows answers the open of a port that another program holds with "access denied".
    case AccessDenied:
    case SharingViolation:
        return PortOpenError::Busy;
    default:
        return PortOpenError::Other;
    }
}

QString DeviceGroup(const std::string &)
{
    return {};
}
