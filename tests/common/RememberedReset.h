#pragma once
// Forgets the ports the program keeps between runs, so that a test's choice does not follow the
// next test into its start-up.
#include "core/Remembered.h"
#include "core/SettingsStore.h"

inline void forgetRememberedPorts()
{
    const auto store = openSettingsStore();
    for (const QString &key :
        {Remembered::MainPort, Remembered::CalibPort, Remembered::ReferencePort})
        store->remove(key);
    store->sync();
}
