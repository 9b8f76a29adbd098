#include "core/SettingsStore.h"

QVariant readSetting(const QSettings &store, const QSettings *older, const QString &key)
{
    if (store.contains(key) || older == nullptr)
        return store.value(key);
    return older->value(key);
}
