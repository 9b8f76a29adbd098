#pragma once
// The user settings are shared by a whole test run: tests that store them remove them again.
#include "core/SettingsStore.h"

inline void forgetUserSettings()
{
    const auto settings = openSettingsStore();
    for (const char *key : {"name", "company", "service"})
        settings->remove(QString::fromLatin1(key));
    settings->sync();
}
