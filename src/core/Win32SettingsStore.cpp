#include "core/SettingsStore.h"

std::unique_ptr<QSettings> openSettingsStore()
{
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VL_NX3"), QSettings::NativeFormat);
}

std::unique_ptr<QSettings> openOlderSettingsStore()
{
    // The older program was a 32-bit one: on 64-bit Windows its key is in the 32-bit view.
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\VL_NX3"), QSettings::Registry32Format);
}
