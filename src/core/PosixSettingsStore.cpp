#include "core/SettingsStore.h"

std::unique_ptr<QSettings> openSettingsStore()
{
    // Organisation "VL_NX3" with no application name gives <config>/VL_NX3.conf.
    return std::make_unique<QSettings>(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("VL_NX3"));
}

std::unique_ptr<QSettings> openOlderSettingsStore()
{
    return nullptr;
}
