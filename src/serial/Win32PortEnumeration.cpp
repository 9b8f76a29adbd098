// The serial ports Windows knows: the values of HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM,
// each a port name such as "COM3". A machine without serial ports has no such key. A registry
// that cannot be read raises EComPort::EnumPortsError.
#include "serial/PortEnumeration.h"

#include "serial/ComSettings.h"
#include "serial/EComPort.h"

#include <cwctype>

#include <windows.h>

namespace {
// The number of a port name "COM1".."COM16" (any case); 0 for any other name.
int portNumber(const wchar_t *name, DWORD length)
{
    if (length < 4 || std::towupper(name[0]) != L'C' || std::towupper(name[1]) != L'O'
        || std::towupper(name[2]) != L'M')
        return 0;
    int number = 0;
    for (DWORD i = 3; i < length; ++i) {
        if (name[i] < L'0' || name[i] > L'9' || number > 16)
            return 0;
        number = number * 10 + (name[i] - L'0');
    }
    return number <= 16 ? number : 0;
}
} // namespace

std::vector<std::string> EnumComPorts()
{
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExW(
        HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key);
    if (status == ERROR_FILE_NOT_FOUND)
        return {};
    if (status != ERROR_SUCCESS)
        throw EComPort(EComPort::EnumPortsError, int(status));

    bool present[17] = {};
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[16384]; // the longest a value name can be
        DWORD nameLength = 16384;
        wchar_t data[32] = {};
        DWORD dataBytes = sizeof data - sizeof data[0]; // room for a terminating NUL
        DWORD type = 0;
        status = RegEnumValueW(key, index, valueName, &nameLength, nullptr, &type,
            reinterpret_cast<BYTE *>(data), &dataBytes);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status == ERROR_MORE_DATA)
            continue; // too long for a port of ours
        if (status != ERROR_SUCCESS) {
            RegCloseKey(key);
            throw EComPort(EComPort::EnumPortsError, int(status));
        }
        if (type != REG_SZ)
            continue;
        DWORD length = dataBytes / sizeof data[0];
        while (length > 0 && data[length - 1] == L'\0')
            --length;
        if (const int number = portNumber(data, length))
            present[number] = true;
    }
    RegCloseKey(key);

    std::vector<std::string> names;
    for (int n = 1; n <= 16; ++n)
        if (present[n])
            names.push_back(comPortName(n));
    return names;
}
