#include "core/NumberText.h"

#include <algorithm>
#include <cmath>

QString FormatGeneral(double value, int precision)
{
    return QString::number(value + 0.0, 'g', std::max(precision, 1));
}

QString FormatFixed(double value, int precision, int decimals)
{
    precision = std::max(precision, 1);
    decimals = std::max(decimals, 0);
    if (!std::isfinite(value) || value == 0)
        return QString::number(std::isfinite(value) ? 0.0 : value, 'f', decimals);
    // The exponent of the value once rounded to the significant digits ("9.9996" with 4 of
    // them is "1.000e+01").
    const QString scientific = QString::number(value, 'e', precision - 1);
    const int exponent = scientific.mid(scientific.indexOf(QLatin1Char('e')) + 1).toInt();
    if (exponent + 1 > precision)
        return FormatGeneral(value, precision);
    const int shown = std::min(decimals, precision - 1 - exponent);
    QString text = QString::number(scientific.toDouble() + 0.0, 'f', shown);
    if (decimals > shown) {
        if (shown == 0)
            text += QLatin1Char('.');
        text += QString(decimals - shown, QLatin1Char('0'));
    }
    // A small negative value rounded away is 0.
    if (text.startsWith(QLatin1Char('-')) && std::all_of(text.begin() + 1, text.end(), [](QChar c) {
            return c == QLatin1Char('0') || c == QLatin1Char('.');
        }))
        text.remove(0, 1);
    return text;
}
