#pragma once
// Points a COMn name of the test run's port map at a device path.
#include "core/SettingsStore.h"

#include <QString>

inline void mapTestPort(int number, const QString &path)
{
    const auto store = openSettingsStore();
    store->setValue(QStringLiteral("Ports/COM%1").arg(number), path);
    store->sync();
}
