#include "serial/PortMap.h"

#include "core/SettingsStore.h"
#include "serial/CPort.h"

#include <QFile>
#include <QFileInfo>
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

QStringList existingComPorts()
{
    const auto store = openSettingsStore();
    QStringList names;
    for (int n = 1; n <= 16; ++n) {
        const std::string path = mappedPath(*store, n);
        if (QFileInfo::exists(QFile::decodeName(path.c_str())))
            names << QStringLiteral("COM%1").arg(n);
    }
    return names;
}
