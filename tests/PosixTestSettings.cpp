// The store is the file VL_NX3.conf in $XDG_CONFIG_HOME: the run's own folder holds it.
#include "TestMain.h"

#include <QString>

namespace nerixtest {
void usePrivateSettings(const QString &folder)
{
    qputenv("XDG_CONFIG_HOME", folder.toLocal8Bit());
}

void dropPrivateSettings() { }

const char *defaultPlatform()
{
    return "offscreen";
}
bool logThroughFile()
{
    return false;
}
} // namespace nerixtest
