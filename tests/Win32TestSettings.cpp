// The store is the registry: in Qt's test mode the program keeps its settings under a key of
// the run's own (see Win32SettingsStore.cpp), which the run removes when it ends. Tests draw
// with the windows plug-in, whose text measures as the tests expect (the offscreen plug-in has
// no fonts of its own on Windows).
#include "TestMain.h"
#include "core/SettingsStore.h"

#include <QStandardPaths>
#include <QString>

namespace nerixtest {
void usePrivateSettings(const QString &)
{
    QStandardPaths::setTestModeEnabled(true);
}

void dropPrivateSettings()
{
    for (const auto &store : {openSettingsStore(), openOlderSettingsStore()}) {
        store->remove(QString());
        store->sync();
    }
}

const char *defaultPlatform()
{
    return "windows";
}
bool logThroughFile()
{
    return true;
}
} // namespace nerixtest
