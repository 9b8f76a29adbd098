#include "core/SettingsStore.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace {
// In Qt's test mode (the test programs) the keys get the process's own suffix, so that a test
// run never reads or writes a user's settings.
QString StoreKey(const char *hive)
{
    QString key = QStringLiteral("%1\\Software\\VL_NX3").arg(QLatin1String(hive));
    if (QStandardPaths::isTestModeEnabled())
        key += QStringLiteral("-test-%1").arg(QCoreApplication::applicationPid());
    return key;
}
} // namespace

std::unique_ptr<QSettings> openSettingsStore()
{
    return std::make_unique<QSettings>(StoreKey("HKEY_CURRENT_USER"), QSettings::NativeFormat);
}

std::unique_ptr<QSettings> openOlderSettingsStore()
{
    // The older program was a 32-bit one: on 64-bit Windows its key is in the 32-bit view.
    return std::make_unique<QSettings>(StoreKey("HKEY_LOCAL_MACHINE"), QSettings::Registry32Format);
}
