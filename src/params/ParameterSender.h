#pragma once
// The service panel's parameter cells written into the meter, one command frame each with its
// pause, and the commands without a cell. Used by the main window's panel and by the
// calibration wizard for its gain cells. Each send blocks for its pause; an empty text sends
// nothing. Failures are told through the message callback and not retried; a write that found
// the meter gone has closed the port, whose lost link is reported there, so it adds no
// message of its own.
#include "params/CellRows.h"
#include "params/ParameterSet.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class TComPort;

class ParameterSender {
public:
    using Message = std::function<void(const QString &)>;

    ParameterSender(TComPort &port, Message message);

    // Writes value into the cell at address; shown is the text a failure names.
    void SendCell(std::optional<std::uint16_t> value, const QString &shown, int address);
    void SendValue(const QString &text, int address);
    void SendGain(const QString &text, int address);
    void SendFilterGain(const QString &text, int address);
    // False when the text is not a number: the error has been shown and a whole send stops.
    bool SendProbeThreshold(const QString &text, int address);
    // Sends only when both texts are there and are integers.
    void SendPhasePair(const QString &low, const QString &high, int address);
    // A command letter without a cell ("S" stores the cells in EEPROM).
    void SendCommand(const QString &text);
    // One row of the panel's whole send. False when the send has to stop there.
    bool SendRow(const CellRow &row, const ParameterTexts &texts);

private:
    bool portOpen() const;

    TComPort &port_;
    Message message_;
};
