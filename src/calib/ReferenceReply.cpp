#include "calib/ReferenceReply.h"

#include <charconv>
#include <cmath>

namespace {
constexpr std::size_t kReplySize = 12;
constexpr std::size_t kReadingStart = 6; // 0-based: positions 7-11
constexpr std::size_t kReadingSize = 5;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A decimal number with an optional sign and exponent, blanks around it allowed.
std::optional<double> readNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    std::string number(text);
    if (const std::size_t comma = number.find(','); comma != std::string::npos)
        number[comma] = '.';
    // from_chars takes neither "+" nor words such as "inf" or "nan"; only digits count here.
    std::string_view digits = number;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (!digits.empty() && digits.front() == '-')
            return std::nullopt;
    }
    for (char c : digits) {
        const bool allowed
            = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E' || c == '+';
        if (!allowed)
            return std::nullopt;
    }
    double value = 0;
    const char *end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}
} // namespace

std::string ReferenceMeasureRequest(std::string_view channel)
{
    std::string request = "\x1BME";
    request += channel;
    request += "00000000\r";
    return request;
}

double DecadeMultiplier(char code)
{
    switch (code) {
    case '1':
        return 0.0001;
    case '2':
        return 0.001;
    case '3':
        return 0.01;
    case '4':
        return 0.1;
    case '5':
        return 1;
    case '6':
        return 10;
    case '7':
        return 100;
    default:
        return 0;
    }
}

ReferenceReading ParseReferenceReply(std::string_view reply, std::string_view channel)
{
    ReferenceReading reading;
    reply = reply.substr(0, kReplySize);
    if (reply.size() < 3 || reply.substr(0, 2) != "ME")
        return reading;
    if (channel.size() != 1 || reply[2] != channel[0])
        return reading;
    if (reply.size() > 3 && reply[3] != '0')
        reading.classifierNotZero = true;
    if (reply.size() < kReadingStart + kReadingSize)
        return reading;
    const std::optional<double> number = readNumber(reply.substr(kReadingStart, kReadingSize));
    // "9e307" in five characters times 100 is no number either.
    if (number && std::isfinite(*number * DecadeMultiplier(reply[4])))
        reading.value = *number * DecadeMultiplier(reply[4]);
    return reading;
}
