// The main window's side of the meter's receive protocol: the result frames of ComPort1 are
// decoded, shown and, while recording, kept.
#include "app/MainWin.h"
#include "core/Jezyki.h"
#include "measure/ResultFrame.h"
#include "measure/ResultText.h"
#include "serial/CPort.h"

#include <QAction>

void TMainWin::ComPort1RxChar(std::span<const ResultFrameBytes> frames)
{
    TransmissionSeen = true;
    if (Paused) {
        if (!StepRequested) {
            Link1->DiscardPartial();
            return;
        }
        StepRequested = false;
    }
    ProcessFrames(frames);
}

void TMainWin::ProcessFrames(std::span<const ResultFrameBytes> frames)
{
    for (const ResultFrameBytes &frame : frames) {
        const DecodedResult result = DecodeResultFrame(frame);
        ShowPowerOffState(result.autoPowerOff);
        const double filtered = ShowResult(result);
        if (Zapisywanie())
            RecordResult(
                PadLeadingMinus(FormatResult(result.decimalClass, filtered)), result.unitText);
    }
}

// The menu item mirrors what the meter last reported: checked, with text #94, while its
// automatic power-off is on.
void TMainWin::ShowPowerOffState(bool on)
{
    if (Zmieautomatycznewyczanie1->isChecked() != on)
        Zmieautomatycznewyczanie1->setChecked(on);
    // Every frame reports the state; the caption is looked up only when it changes.
    if (PowerOffCaptionShown == on)
        return;
    Zmieautomatycznewyczanie1->setText(Tekst(on ? 94 : 18));
    PowerOffCaptionShown = on;
}

// Switches the meter's automatic power-off the other way and stores it in the meter.
void TMainWin::TimeOutClick()
{
    if (!ComPort1->Connected())
        return;
    ParameterSender sender = Sender();
    sender.SendValue(
        Zmieautomatycznewyczanie1->isChecked() ? QStringLiteral("0") : QStringLiteral("1"), 14);
    if (ComPort1->Connected()) // not when the meter went away meanwhile
        sender.SendCommand(QStringLiteral("S"));
}
