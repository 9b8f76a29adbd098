#include "serial/ComTexts.h"

#include "serial/CPort.h"

#include <algorithm>
#include <cctype>

namespace {
bool sameText(const std::string &a, const std::string &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
        [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

template <typename E> std::string toText(const std::vector<std::string> &texts, E value)
{
    const auto index = static_cast<std::size_t>(value);
    return index < texts.size() ? texts[index] : std::string();
}

template <typename E>
E fromText(const std::vector<std::string> &texts, const std::string &text, E fallback)
{
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (sameText(texts[i], text))
            return static_cast<E>(i);
    }
    return fallback;
}
} // namespace

const std::vector<std::string> &BaudRateTexts()
{
    static const std::vector<std::string> texts {"Custom", "110", "300", "600", "1200", "2400",
        "4800", "9600", "14400", "19200", "38400", "56000", "57600", "115200", "128000", "256000"};
    return texts;
}

const std::vector<std::string> &DataBitsTexts()
{
    static const std::vector<std::string> texts {"5", "6", "7", "8"};
    return texts;
}

const std::vector<std::string> &StopBitsTexts()
{
    static const std::vector<std::string> texts {"1", "1.5", "2"};
    return texts;
}

const std::vector<std::string> &ParityTexts()
{
    static const std::vector<std::string> texts {"None", "Odd", "Even", "Mark", "Space"};
    return texts;
}

const std::vector<std::string> &FlowControlTexts()
{
    static const std::vector<std::string> texts {"Hardware", "Software", "None", "Custom"};
    return texts;
}

std::string BaudRateToStr(TBaudRate value)
{
    return toText(BaudRateTexts(), value);
}

std::string DataBitsToStr(TDataBits value)
{
    return toText(DataBitsTexts(), value);
}

std::string StopBitsToStr(TStopBits value)
{
    return toText(StopBitsTexts(), value);
}

std::string ParityToStr(TParityBits value)
{
    return toText(ParityTexts(), value);
}

std::string FlowControlToStr(TFlowControl value)
{
    return toText(FlowControlTexts(), value);
}

TBaudRate StrToBaudRate(const std::string &text)
{
    return fromText(BaudRateTexts(), text, br9600);
}

TDataBits StrToDataBits(const std::string &text)
{
    return fromText(DataBitsTexts(), text, dbEight);
}

TStopBits StrToStopBits(const std::string &text)
{
    return fromText(StopBitsTexts(), text, sbOneStopBit);
}

TParityBits StrToParity(const std::string &text)
{
    return fromText(ParityTexts(), text, prNone);
}

TFlowControl StrToFlowControl(const std::string &text)
{
    return fromText(FlowControlTexts(), text, fcCustom);
}

std::string ComLinkSummary(const TComPort &port)
{
    return port.Port() + ", " + BaudRateToStr(port.BaudRate()) + ", "
        + DataBitsToStr(port.DataBits()) + ", " + StopBitsToStr(port.StopBits()) + ", "
        + ParityToStr(port.Parity().Bits);
}
