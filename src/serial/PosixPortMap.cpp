#include "serial/PosixPortMap.h"

#include "core/SettingsStore.h"
#include "serial/CPort.h"

#include <QFile>

namespace {
QString mapKey(int number)
{
    return QStringLiteral("Ports/COM%1").arg(number);
}
} // namespace

std::string comDevicePath(int number)
{
    const QString path = openSettingsStore()->value(mapKey(number)).toString();
    return path.isEmpty() ? defaultComDevicePath(number) : QFile::encodeName(path).toStdString();
}

ComPortMap readComPortMap(const QSettings &store)
{
    ComPortMap map;
    for (int n = 1; n <= kMaxComPort; ++n) {
        const QString path = store.value(mapKey(n)).toString();
        if (!path.isEmpty())
            map[n] = QFile::encodeName(path).toStdString();
    }
    return map;
}

std::vector<ComPortInfo> listMachineComPorts(const PosixDeviceTree &tree)
{
    const auto store = openSettingsStore();
    ComPortMap map = readComPortMap(*store);
    const ComPortMap added = newAdapterEntries(map, tree);
    for (const auto &[number, path] : added) {
        store->setValue(mapKey(number), QFile::decodeName(path.c_str()));
        map[number] = path;
    }
    if (!added.empty())
        store->sync();
    return listComPorts(map, tree);
}
