// The serial ports Windows knows: the values of HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM,
// each a port name such as "COM3". A machine without serial ports has no such key. A registry
// that cannot be read raises EComPort::EnumPortsError. Each port is described by the friendly
// name of its device in the Ports class of the device manager ("USB Serial Port (COM5)" gives
// "USB Serial Port"); a port without one is listed by its bare name.
#include "serial/PortEnumeration.h"

#include "serial/ComSettings.h"
#include "serial/EComPort.h"

#include <cwctype>
#include <map>
#include <string>

#include <windows.h>

#include <setupapi.h>

namespace {
// The number of a port name "COM1".."COM255" (any case); 0 for any other name.
int portNumber(const wchar_t *name, std::size_t length)
{
    if (length < 4 || std::towupper(name[0]) != L'C' || std::towupper(name[1]) != L'O'
        || std::towupper(name[2]) != L'M')
        return 0;
    int number = 0;
    for (std::size_t i = 3; i < length; ++i) {
        if (name[i] < L'0' || name[i] > L'9' || number > kMaxComPort)
            return 0;
        number = number * 10 + (name[i] - L'0');
    }
    return number <= kMaxComPort ? number : 0;
}

std::string toUtf8(const std::wstring &text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(
        CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(std::size_t(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(
            CP_UTF8, 0, text.data(), int(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

// The string value `name` of an open key; empty when it is missing or not a string.
std::wstring stringValue(HKEY key, const wchar_t *name)
{
    wchar_t data[256] = {};
    DWORD bytes = sizeof data - sizeof data[0]; // room for a terminating NUL
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(data), &bytes)
            != ERROR_SUCCESS
        || type != REG_SZ)
        return {};
    std::wstring text(data, bytes / sizeof data[0]);
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

// The friendly name without the port name Windows appends to it: "USB Serial Port (COM5)"
// gives "USB Serial Port".
std::wstring withoutPortSuffix(std::wstring friendly, int number)
{
    const std::wstring suffix = L" (COM" + std::to_wstring(number) + L")";
    if (friendly.size() >= suffix.size()
        && friendly.compare(friendly.size() - suffix.size(), suffix.size(), suffix) == 0)
        friendly.resize(friendly.size() - suffix.size());
    return friendly;
}

// Port number → description, for the present devices of the Ports class ({4D36E978-E325-11CE-
// BFC1-08002BE10318}) that have both a port name and a friendly name. Any failure leaves the
// ports without descriptions.
std::map<int, std::string> friendlyNames()
{
    static const GUID kPortsClass
        = {0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
    std::map<int, std::string> names;
    const HDEVINFO devices = SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return names;
    SP_DEVINFO_DATA device {};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        const HKEY key
            = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        const std::wstring portName = stringValue(key, L"PortName");
        RegCloseKey(key);
        const int number = portNumber(portName.c_str(), portName.size());
        if (number == 0)
            continue;
        wchar_t friendly[256] = {};
        DWORD type = 0;
        if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_FRIENDLYNAME, &type,
                reinterpret_cast<BYTE *>(friendly), sizeof friendly - sizeof friendly[0], nullptr)
            || type != REG_SZ)
            continue;
        names[number] = toUtf8(withoutPortSuffix(friendly, number));
    }
    SetupDiDestroyDeviceInfoList(devices);
    return names;
}
} // namespace

std::vector<ComPortInfo> ListComPorts()
{
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExW(
        HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key);
    if (status == ERROR_FILE_NOT_FOUND)
        return {};
    if (status != ERROR_SUCCESS)
        throw EComPort(EComPort::EnumPortsError, int(status));

    bool present[kMaxComPort + 1] = {};
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
        std::size_t length = dataBytes / sizeof data[0];
        while (length > 0 && data[length - 1] == L'\0')
            --length;
        if (const int number = portNumber(data, length))
            present[number] = true;
    }
    RegCloseKey(key);

    const std::map<int, std::string> descriptions = friendlyNames();
    std::vector<ComPortInfo> ports;
    for (int n = 1; n <= kMaxComPort; ++n) {
        if (!present[n])
            continue;
        const auto description = descriptions.find(n);
        ports.push_back({comPortName(n),
            description != descriptions.end() ? description->second : std::string()});
    }
    return ports;
}
