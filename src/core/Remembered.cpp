#include "core/Remembered.h"

#include "core/SettingsStore.h"

namespace Remembered {
QString value(const QString &key)
{
    return openSettingsStore()->value(key).toString();
}

void keep(const QString &key, const QString &value)
{
    const auto store = openSettingsStore();
    store->setValue(key, value);
    store->sync();
}
} // namespace Remembered
