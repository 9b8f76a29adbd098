#include "params/Conversions.h"

#include "core/NumberText.h"

#include <QLocale>
#include <cmath>

std::optional<std::int32_t> ParseInteger(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<std::uint16_t> IntegerCellValue(const QString &text)
{
    const std::optional<std::int32_t> n = ParseInteger(text);
    if (!n)
        return std::nullopt;
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(*n) & 0xFFFFu);
}

QString WithDecimalPoint(const QString &text)
{
    QString result = text;
    const qsizetype comma = result.indexOf(QLatin1Char(','));
    if (comma >= 0)
        result[comma] = QLatin1Char('.');
    return result;
}

std::optional<double> ParseReal(const QString &text)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(WithDecimalPoint(text).trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::uint16_t RoundedLow16(double value)
{
    if (!std::isfinite(value))
        return 0;
    // nearbyint rounds halves to even in the default rounding mode; fmod keeps the low bits
    // exactly, also beyond the range of the integer types.
    double low = std::fmod(std::nearbyint(value), 65536.0);
    if (low < 0)
        low += 65536.0;
    return static_cast<std::uint16_t>(low);
}

namespace {
std::optional<double> openUnitInterval(const QString &text)
{
    const std::optional<double> x = ParseReal(text);
    if (!x || *x <= -1.0 || *x >= 1.0)
        return std::nullopt;
    return x;
}
} // namespace

std::optional<std::uint16_t> GainCellValue(const QString &text)
{
    const std::optional<double> x = ParseReal(text);
    if (!x)
        return std::nullopt;
    const double scaled = *x * 32767.0;
    if (!std::isfinite(scaled))
        return std::nullopt;
    return RoundedLow16(scaled);
}

QString GainText(std::uint16_t value)
{
    const double fraction = value / 32767.0;
    QString text;
    // Seventeen significant digits give the double itself back, so the loop always ends.
    for (int digits = 1; digits <= 17; ++digits) {
        text = FormatGeneral(fraction, digits);
        if (GainCellValue(text) == value)
            break;
    }
    return text;
}

std::optional<std::int16_t> CorrectionCellValue(const QString &text)
{
    const std::optional<double> x = openUnitInterval(text);
    if (!x)
        return std::nullopt;
    return static_cast<std::int16_t>(RoundedLow16(*x * 32767.0));
}

std::optional<std::int16_t> FilterGainCellValue(const QString &text)
{
    const std::optional<double> x = openUnitInterval(text);
    if (!x)
        return std::nullopt;
    if (*x == 0.0)
        return std::int16_t {0};
    return static_cast<std::int16_t>(RoundedLow16(std::exp(-*x) * 32768.0));
}

std::optional<std::uint16_t> ProbeThresholdCellValue(std::int32_t millivolts)
{
    if (millivolts < 0 || millivolts > 1800)
        return std::nullopt;
    return RoundedLow16(millivolts * -0.4092);
}

std::optional<std::uint8_t> PhaseByte(const QString &text)
{
    const std::optional<std::int32_t> n = ParseInteger(text);
    if (!n)
        return std::nullopt;
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(*n) & 0xFFu);
}
