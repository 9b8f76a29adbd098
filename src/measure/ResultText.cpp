#include "measure/ResultText.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {
constexpr int kFieldWidth = 7;
}

QString FormatResult(int decimalClass, double x)
{
    const int decimals = 2 - std::clamp(decimalClass, 0, 2);
    // to_chars never looks at the locale: the decimal point is always ".".
    std::array<char, 400> digits {};
    const auto [end, ec] = std::to_chars(
        digits.data(), digits.data() + digits.size(), x, std::chars_format::fixed, decimals);
    const qsizetype length = ec == std::errc() ? end - digits.data() : 0;
    QString text = QString::fromLatin1(digits.data(), length).rightJustified(kFieldWidth, u' ');
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
