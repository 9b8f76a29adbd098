#pragma once
// The program's persistent settings store: on Windows the registry key
// HKEY_LOCAL_MACHINE\Software\VL_NX3, elsewhere the file VL_NX3.conf in the user's config
// folder ($XDG_CONFIG_HOME, default ~/.config). It holds the user settings ("name",
// "company", "service") and, on POSIX, the serial port map (group "Ports", keys COM1..COM16).
// When that file is something other than a file (a named pipe, a device), the store is empty
// and cannot be written: the program starts with the defaults.
#include <QSettings>
#include <memory>

std::unique_ptr<QSettings> openSettingsStore();
