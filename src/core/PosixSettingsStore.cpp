#include "core/RegularFile.h"
#include "core/SettingsStore.h"

#include <QStandardPaths>

std::unique_ptr<QSettings> openSettingsStore()
{
    // Something other than a file in the store's place (a named pipe would block the start,
    // a device might never end) is not touched: the store then lies below /dev/null, where
    // nothing can be read or created, so the program runs with the defaults and a save
    // reports its failure.
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/VL_NX3.conf");
    if (!IsFileOrAbsent(file))
        return std::make_unique<QSettings>(
            QStringLiteral("/dev/null/VL_NX3.conf"), QSettings::NativeFormat);
    // Organisation "VL_NX3" with no application name gives <config>/VL_NX3.conf.
    return std::make_unique<QSettings>(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("VL_NX3"));
}

std::unique_ptr<QSettings> openOlderSettingsStore()
{
    return nullptr;
}
