#pragma once
// What the calibration wizard needs of the window that opens it (the main window): which port
// its link to the meter uses, its link opened again, the text of a probe-gain cell, the found
// gain put into that grid, and the window itself shown again when the wizard closes.
#include <QString>
#include <string>

class KalibracjaHost {
public:
    // The port the main window's link is set to ("COM1").
    virtual std::string MeterLinkPort() const = 0;
    // Opens the main window's link as connecting does; a failure is shown there and leaves it
    // disconnected.
    virtual void ReopenMeterLink() = 0;
    // The text of cell (column, row) of the probe-gain grid Sondy.
    virtual QString ProbeGainText(int column, int row) const = 0;
    // Puts the text into cell (column, row) of the probe-gain grid Sondy.
    virtual void WriteProbeGain(int column, int row, const QString &text) = 0;
    virtual void ShowMainWindow() = 0;

protected:
    ~KalibracjaHost() = default;
};
