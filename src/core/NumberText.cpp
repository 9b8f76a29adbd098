#include "core/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {
// A finite non-zero value rounded to `precision` significant digits: its digits (exactly
// `precision` of them, no point) and the power of ten of the first one.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal roundToSignificant(double value, int precision)
{
    std::array<char, 64> text {};
    // to_chars never looks at the locale.
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
        std::chars_format::scientific, precision - 1);
    const std::string s(text.data(), result.ptr);
    Decimal d;
    std::size_t i = 0;
    if (s[i] == '-') {
        d.negative = true;
        ++i;
    }
    const std::size_t e = s.find('e');
    for (; i < e; ++i) {
        if (s[i] != '.')
            d.digits += s[i];
    }
    d.exponent = std::atoi(s.c_str() + e + 1);
    return d;
}

QString nonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// Digits placed around the point with exactly `decimals` decimals (missing ones are zeros,
// digits beyond them must already be zeros).
QString composeFixed(const Decimal &d, int decimals)
{
    std::string whole;
    std::string fraction;
    const int count = static_cast<int>(d.digits.size());
    for (int k = 0; k < count; ++k) {
        const int power = d.exponent - k;
        if (power >= 0)
            whole += d.digits[std::size_t(k)];
    }
    for (int power = d.exponent - count; power >= 0; --power)
        whole += '0';
    if (whole.empty())
        whole.push_back('0');
    for (int power = -1; power >= -decimals; --power) {
        const int k = d.exponent - power;
        fraction += (k >= 0 && k < count) ? d.digits[std::size_t(k)] : '0';
    }
    const bool zero = d.digits.find_first_not_of('0') == std::string::npos;
    std::string text = (d.negative && !zero) ? "-" : "";
    text += whole;
    if (decimals > 0) {
        text += '.';
        text += fraction;
    }
    return QString::fromLatin1(text.c_str());
}

QString composeScientific(Decimal d)
{
    const std::size_t last = d.digits.find_last_not_of('0');
    d.digits.resize(last + 1);
    std::string text = d.negative ? "-" : "";
    text += d.digits[0];
    if (d.digits.size() > 1) {
        text += '.';
        text += d.digits.substr(1);
    }
    text += 'E';
    text += std::to_string(d.exponent);
    return QString::fromLatin1(text.c_str());
}
} // namespace

QString FormatGeneral(double value, int precision)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    if (value == 0)
        return QStringLiteral("0");
    precision = std::clamp(precision, 1, 17);
    Decimal d = roundToSignificant(value, precision);
    if (d.exponent >= precision || d.exponent < -5)
        return composeScientific(d);
    const std::size_t last = d.digits.find_last_not_of('0');
    d.digits.resize(last + 1);
    const int decimals = std::max(0, static_cast<int>(d.digits.size()) - 1 - d.exponent);
    return composeFixed(d, decimals);
}

QString FormatFixed(double value, int precision, int decimals)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    precision = std::clamp(precision, 1, 17);
    decimals = std::clamp(decimals, 0, 18);
    if (value == 0)
        return composeFixed(Decimal {false, "0", 0}, decimals);
    const Decimal d = roundToSignificant(value, precision);
    if (d.exponent >= precision)
        return FormatGeneral(value, precision);
    if (decimals < precision - 1 - d.exponent) {
        // The decimals are the coarser limit: round the value itself there, once.
        std::array<char, 400> text {};
        const auto result = std::to_chars(
            text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
        QString s = QString::fromLatin1(text.data(), result.ptr - text.data());
        if (s.startsWith(u'-') && s.mid(1).remove(u'0').remove(u'.').isEmpty())
            s.remove(0, 1);
        return s;
    }
    return composeFixed(d, decimals);
}

QString FormatNumber(double value, int precision, int decimals)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    precision = std::clamp(precision, 1, 17);
    decimals = std::clamp(decimals, 0, 18);
    QString text = FormatFixed(value, precision, decimals);
    if (text.contains(u'E'))
        // Too many digits before the point for the fixed format: shown in full, rounded.
        text = composeFixed(roundToSignificant(value, precision), decimals);
    const qsizetype sign = text.startsWith(u'-') ? 1 : 0;
    qsizetype point = text.indexOf(u'.');
    if (point < 0)
        point = text.size();
    for (qsizetype at = point - 3; at > sign; at -= 3)
        text.insert(at, u' ');
    return text;
}
