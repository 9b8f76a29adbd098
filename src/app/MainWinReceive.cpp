// The main window's side of the meter's receive protocol: bytes from ComPort1 are put
// together into result frames, decoded, shown and, while recording, kept.
#include "app/MainWin.h"
#include "core/Jezyki.h"
#include "measure/ResultFrame.h"
#include "measure/ResultText.h"
#include "serial/CPort.h"

#include <QAction>
#include <algorithm>

namespace {
// The largest block one receive event reads; more waiting bytes raise the next event.
constexpr int RxBlockSize = 64000;
} // namespace

void TMainWin::ComPort1RxChar(int Count)
{
    // Failures on the receive path are ignored: the next event starts afresh.
    try {
        const int wanted = std::clamp(Count, 0, RxBlockSize);
        RxBlock.resize(static_cast<std::size_t>(wanted));
        const int got = ComPort1->Read(RxBlock.data(), wanted);
        TransmissionSeen = true;

        if (Paused) {
            if (!StepRequested) {
                RxAssembly.Clear();
                return;
            }
            StepRequested = false;
        }

        const std::optional<ResultFrameBytes> frame
            = RxAssembly.Feed(RxBlock.data(), static_cast<std::size_t>(std::max(got, 0)));
        if (!frame)
            return;
        const DecodedResult result = DecodeResultFrame(*frame);
        ShowPowerOffState(result.autoPowerOff);
        const double filtered = ShowResult(result);
        if (Zapisywanie())
            RecordResult(
                PadLeadingMinus(FormatResult(result.decimalClass, filtered)), result.unitText);
    } catch (...) {
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
    SendValue(
        Zmieautomatycznewyczanie1->isChecked() ? QStringLiteral("0") : QStringLiteral("1"), 14);
    if (ComPort1->Connected()) // not when the meter went away meanwhile
        SendCommand(QStringLiteral("S"));
}
