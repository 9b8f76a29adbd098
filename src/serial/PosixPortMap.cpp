#include "serial/PosixPortMap.h"

#include "core/SettingsStore.h"
#include "serial/CPort.h"

#include <QFile>
#include <QSettings>

namespace {
std::string mappedPath(const QSettings &store, int number)
{
    const QString key = QStringLiteral("Ports/COM%1").arg(number);
    const QString path = store.value(key).toString();
    return path.isEmpty() ? defaultComDevicePath(number) : QFile::encodeName(path).toStdString();
}
} // namespace

std::string comDevicePath(int number)
{
    return mappedPath(*openSettingsStore(), number);
}

std::vector<std::string> comDevicePaths()
{
    const auto store = openSettingsStore();
    std::vector<std::string> paths;
    for (int n = 1; n <= 16; ++n)
        paths.push_back(mappedPath(*store, n));
    return paths;
}
