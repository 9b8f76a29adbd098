#pragma once
// The program's persistent settings store. Values are written to the user's own store and read
// from it; a value it lacks is read from the store of older installations, where the platform
// has one:
//   Windows: HKEY_CURRENT_USER\Software\VL_NX3, which every user may write; older
//            installations kept the values in HKEY_LOCAL_MACHINE\Software\VL_NX3 (32-bit
//            registry view), which only an administrator may write.
//   elsewhere: the file VL_NX3.conf in the user's config folder ($XDG_CONFIG_HOME, default
//            ~/.config); no older store.
// It holds the user settings ("name", "company", "service") and, on POSIX, the serial port map
// (group "Ports", keys COM1..COM16). Each platform has its own implementation file.
// On POSIX, when the store's file is something other than a file (a named pipe, a device), the
// store is empty and cannot be written: the program starts with the defaults.
#include <QSettings>
#include <QVariant>
#include <memory>

// The store that is written, and read first.
std::unique_ptr<QSettings> openSettingsStore();
// The older installations' store, only read; null where there is none.
std::unique_ptr<QSettings> openOlderSettingsStore();

// The value of `key` in `store`, else in `older` (when there is one); invalid when neither has
// it.
QVariant readSetting(const QSettings &store, const QSettings *older, const QString &key);
