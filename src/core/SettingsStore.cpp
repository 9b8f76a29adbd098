#include "core/SettingsStore.h"

std::unique_ptr<QSettings> openSettingsStore()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\VL_NX3"), QSettings::NativeFormat);
#else
    // Organisation "VL_NX3" with no application name gives <config>/VL_NX3.conf.
    return std::make_unique<QSettings>(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("VL_NX3"));
#endif
}
