#include "params/ParameterSender.h"

#include "params/CommandWrite.h"
#include "params/Conversions.h"
#include "params/ParameterMessages.h"
#include "serial/CPort.h"

#include <QThread>
#include <stdexcept>

ParameterSender::ParameterSender(TComPort &port, Message message)
    : port_(port)
    , message_(std::move(message))
{
}

bool ParameterSender::portOpen() const
{
    return port_.Connected();
}

void ParameterSender::SendCell(
    std::optional<std::uint16_t> value, const QString &shown, int address)
{
    const bool wasOpen = portOpen();
    try {
        if (!value)
            throw std::invalid_argument("not a number");
        WriteCommandFrame(port_, 'C', static_cast<std::uint8_t>(address), *value);
        QThread::msleep(kCellPauseMs);
    } catch (const std::exception &) {
        // A write that found the meter gone has closed the port, which reported the loss
        // once; any other failure is this cell's own.
        if (!wasOpen || portOpen())
            message_(CannotSendMessage(shown, address));
    }
}

void ParameterSender::SendValue(const QString &text, int address)
{
    if (!text.isEmpty())
        SendCell(IntegerCellValue(text), text, address);
}

void ParameterSender::SendGain(const QString &text, int address)
{
    if (!text.isEmpty())
        SendCell(GainCellValue(text), WithDecimalPoint(text), address);
}

void ParameterSender::SendFilterGain(const QString &text, int address)
{
    if (text.isEmpty())
        return;
    const std::optional<std::int16_t> value = FilterGainCellValue(text);
    if (!value) {
        message_(FilterFormatMessage(text));
        return;
    }
    SendValue(QString::number(*value), address);
}

bool ParameterSender::SendProbeThreshold(const QString &text, int address)
{
    if (text.isEmpty())
        return true;
    const std::optional<std::int32_t> millivolts = ParseInteger(text);
    if (!millivolts) {
        message_(ProbeThresholdNotANumberMessage(text));
        return false;
    }
    const std::optional<std::uint16_t> value = ProbeThresholdCellValue(*millivolts);
    if (!value) {
        message_(ProbeThresholdRangeMessage());
        return true;
    }
    SendCell(value, text, address);
    return true;
}

void ParameterSender::SendPhasePair(const QString &low, const QString &high, int address)
{
    if (low.isEmpty() || high.isEmpty())
        return;
    const std::optional<std::uint8_t> lowByte = PhaseByte(low);
    const std::optional<std::uint8_t> highByte = PhaseByte(high);
    if (!lowByte || !highByte)
        return;
    SendCell(
        static_cast<std::uint16_t>(*lowByte | *highByte << 8), QString::number(*lowByte), address);
}

void ParameterSender::SendCommand(const QString &text)
{
    const bool wasOpen = portOpen();
    try {
        const char letter = text.isEmpty() ? '\0' : static_cast<char>(text.at(0).toLatin1());
        WriteCommandFrame(port_, letter, 0, 0);
    } catch (const std::exception &) {
        if (!wasOpen || portOpen())
            message_(CommandFailedMessage());
    }
}

bool ParameterSender::SendRow(const CellRow &row, const ParameterTexts &texts)
{
    const QString text
        = row.constant != nullptr ? QString::fromLatin1(row.constant) : texts[row.source];
    switch (row.conversion) {
    case CellConversion::Gain:
        SendGain(text, row.address);
        return true;
    case CellConversion::Integer:
        SendValue(text, row.address);
        return true;
    case CellConversion::CorrectionCoefficient:
        if (const std::optional<std::int16_t> value = CorrectionCellValue(text))
            SendValue(QString::number(*value), row.address);
        else
            message_(CorrectionCoefficientMessage());
        return true;
    case CellConversion::FilterGain:
        SendFilterGain(text, row.address);
        return true;
    case CellConversion::PhasePair:
        SendPhasePair(text, texts[row.second], row.address);
        return true;
    case CellConversion::ProbeThreshold:
        return SendProbeThreshold(text, row.address);
    }
    return true;
}
