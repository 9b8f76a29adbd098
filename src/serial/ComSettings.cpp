#include "serial/ComSettings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

TFlowControl TComFlowControl::FlowControl() const
{
    if (ControlRTS == rtsHandshake && OutCTSFlow && !XonXoffIn && !XonXoffOut)
        return fcHardware;
    if (ControlRTS == rtsDisable && !OutCTSFlow && XonXoffIn && XonXoffOut)
        return fcSoftware;
    if (ControlRTS != rtsDisable || OutCTSFlow || XonXoffIn || XonXoffOut)
        return fcCustom;
    return fcNone;
}

void TComFlowControl::SetFlowControl(TFlowControl value)
{
    if (value == fcCustom)
        return;
    ControlRTS = rtsDisable;
    OutCTSFlow = false;
    XonXoffIn = false;
    XonXoffOut = false;
    if (value == fcHardware) {
        ControlRTS = rtsHandshake;
        OutCTSFlow = true;
    } else if (value == fcSoftware) {
        XonXoffIn = true;
        XonXoffOut = true;
    }
}

int parseComPortNumber(std::string_view digits)
{
    if (digits.size() >= 3) {
        std::string head(digits.substr(0, 3));
        std::transform(head.begin(), head.end(), head.begin(),
            [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (head == "COM")
            digits.remove_prefix(3);
    }
    int number = 0;
    const char *end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, number);
    if (digits.empty() || ec != std::errc() || ptr != end || number < 1 || number > kMaxComPort)
        return 0;
    return number;
}

int comPortNumber(const std::string &text)
{
    const int number = parseComPortNumber(text);
    return number == 0 ? 1 : number;
}

std::string comPortName(int number)
{
    return "COM" + std::to_string(number);
}

std::uint32_t comBaudRateValue(TBaudRate rate, std::uint32_t customRate)
{
    static constexpr std::uint32_t kRates[] = {0, 110, 300, 600, 1200, 2400, 4800, 9600, 14400,
        19200, 38400, 56000, 57600, 115200, 128000, 256000};
    if (rate <= brCustom || rate > br256000)
        return customRate;
    return kRates[rate];
}
