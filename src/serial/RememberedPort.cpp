#include "serial/RememberedPort.h"

#include "core/Remembered.h"
#include "serial/EComPort.h"

#include <algorithm>

std::string rememberedPort(const QString &key, const std::string &fallback,
    const std::function<std::vector<std::string>()> &present)
{
    const std::string kept = Remembered::value(key).toStdString();
    if (kept.empty())
        return fallback;
    try {
        const std::vector<std::string> ports = present();
        return std::find(ports.begin(), ports.end(), kept) != ports.end() ? kept : fallback;
    } catch (const EComPort &) {
        return fallback;
    }
}
