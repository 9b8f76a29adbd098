#pragma once
// The message for a port that did not open: "Nie można podłączyć się do COMn" and, on a second
// line, why, when the system's error code says it: no such device, the port busy, or no right
// to use the device (on POSIX with the usual way to get it: membership in the group that owns
// the device). Fixed Polish, like every failure message of the program; an error code that says
// none of these gets the serial component's own text.
#include <QString>
#include <string>

class EComPort;

QString PortOpenFailureMessage(const QString &port, const std::string &device, const EComPort &why);

enum class PortOpenError { Missing, Busy, Denied, Other };

// What this platform's error code means for a port being opened (each platform has its file).
PortOpenError ClassifyPortOpenError(int code);
// The group whose members may read and write the device; empty when there is none to join
// (root's own group, or a device its group may not use) and on platforms without groups.
QString DeviceGroup(const std::string &device);

// The message itself; `group` is read for a denied device only, `componentText` for others.
QString PortOpenFailureText(const QString &port, const QString &device, PortOpenError error,
    const QString &group, const QString &componentText);
