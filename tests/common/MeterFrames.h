#pragma once
// A result frame of the meter as the line carries it (probe at 20.0 °C), for the tests that
// play the meter.
#include "measure/ResultFrame.h"

#include <QByteArray>
#include <cstdint>

inline QByteArray frame(int16_t raw, uint8_t status = 0)
{
    const ResultFrameBytes bytes = MakeResultFrame(status, 200, raw);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}
