// The way back from the calibration wizard: the main window's link opened again as connecting
// does, the gain found put into the probe-gain grid, and the window shown.
#include "app/MainWin.h"
#include "app/ServicePanel.h"

#include "serial/CPort.h"

std::string TMainWin::MeterLinkPort() const
{
    return ComPort1->Port();
}

void TMainWin::ReopenMeterLink()
{
    OpenLink();
}

QString TMainWin::ProbeGainText(int column, int row) const
{
    return ServicePanel::Cell(Send->Sondy, column, row);
}

void TMainWin::WriteProbeGain(int column, int row, const QString &text)
{
    ServicePanel::SetCell(Send->Sondy, column, row, text);
}

void TMainWin::ShowMainWindow()
{
    show();
}
