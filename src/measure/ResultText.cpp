#include "measure/ResultText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {
constexpr int kFieldWidth = 7;
// The significant decimal digits a double carries faithfully; what lies beyond them is the
// binary representation's, not the value's.
constexpr int kSignificantDigits = std::numeric_limits<double>::digits10;

// The magnitude of a finite x in units of 10^-decimals, rounded with halves away from zero, as
// decimal digits. The half is decided on x's first 15 significant digits, the decimal the user
// knows: 0.125 and 1.005 (held as 1.00499999999999989...) both round up.
std::string roundedUnits(double x, int decimals)
{
    // "d.dddddddddddddde-XX": the digits d...d stand for 0.d...d times 10^(XX + 1).
    std::array<char, 32> text {};
    const std::to_chars_result written = std::to_chars(text.data(), text.data() + text.size(),
        std::fabs(x), std::chars_format::scientific, kSignificantDigits - 1);
    const char *begin = text.data();
    const char *end = written.ptr;
    const char *e = std::find(begin, end, 'e');
    std::string digits(1, begin[0]);
    digits.append(begin + 2, e);
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);

    // Digits down to the last decimal shown; the first digit beyond decides the rounding.
    const int keep = exponent + 1 + decimals;
    if (keep < 0)
        return "0";
    std::string units = digits.substr(0, std::size_t(keep));
    units.resize(std::size_t(keep), '0');
    if (keep < int(digits.size()) && digits[std::size_t(keep)] >= '5') {
        auto digit = units.rbegin();
        for (; digit != units.rend() && *digit == '9'; ++digit)
            *digit = '0';
        if (digit == units.rend())
            units.insert(units.begin(), '1');
        else
            ++*digit;
    }
    return units.empty() ? "0" : units;
}

// The fixed-point text of x with `decimals` decimals; a value shown as zero has no sign.
QString fixedText(double x, int decimals)
{
    std::string units = roundedUnits(x, decimals);
    const bool zero = units.find_first_not_of('0') == std::string::npos;
    if (int(units.size()) <= decimals)
        units.insert(0, std::size_t(decimals + 1) - units.size(), '0');
    if (decimals > 0)
        units.insert(units.size() - std::size_t(decimals), 1, '.');
    if (std::signbit(x) && !zero)
        units.insert(0, 1, '-');
    return QString::fromLatin1(units.data(), qsizetype(units.size()));
}
} // namespace

QString FormatResult(int decimalClass, double x)
{
    const int decimals = 2 - std::clamp(decimalClass, 0, 2);
    // Infinity and NaN as to_chars spells them. Neither it nor the digits above look at the
    // locale: the decimal point is always ".".
    QString text;
    if (std::isfinite(x)) {
        text = fixedText(x, decimals);
    } else {
        std::array<char, 8> word {};
        const auto end = std::to_chars(word.data(), word.data() + word.size(), x).ptr;
        text = QString::fromLatin1(word.data(), end - word.data());
    }
    text = text.rightJustified(kFieldWidth, u' ');
    const qsizetype minus = text.indexOf(u'-');
    if (minus >= 0)
        text.insert(minus + 1, u' ');
    return text;
}

QString PadLeadingMinus(const QString &text)
{
    if (text.startsWith(u'-'))
        return text.left(1) + u' ' + text.mid(1);
    return text;
}
