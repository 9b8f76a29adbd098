// The link kComKalib to the meter under calibration: its result frames give the meter's range
// and value, each receive event also measures the reference, and gain values go out to the
// meter's gain cells.
#include "calib/KalibracjaMain.h"

#include "calib/KalibMeter.h"
#include "calib/KalibracjaMessages.h"
#include "core/Messages.h"
#include "core/NumberText.h"
#include "params/Conversions.h"
#include "params/ParameterMessages.h"
#include "params/ParameterSender.h"
#include "serial/CPort.h"
#include "serial/ComComboBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>

void TkKalibracja::createKalibLink()
{
    kComKalib = MakeLinkPort({"COM1", dbEight, dtrDisable});
    // One frame per event: each event also measures the reference, and no stream is kept.
    KalibLink = std::make_unique<MeterLink>(*kComKalib, MeterLink::FramesPerEvent::One,
        MeterLink::Handlers {
            [this] { kComKalibAfterOpen(); },
            [this] { kComKalibAfterClose(); },
            [this](const EComPort &why) { ShowLinkLost(*kComKalib, why.what()); },
            [this](std::span<const ResultFrameBytes> frames) {
                kComKalibRxChar(frames.empty() ? std::nullopt : std::optional(frames.back()));
            },
        });
}

void TkKalibracja::kComKalibOpen()
{
    if (kComKalib->Connected() || !PortFree(*kComKalib, *kComWzor))
        return;
    kComKalib->Open();
}

void TkKalibracja::kComKalibClose()
{
    if (kComKalib->Connected())
        kComKalib->Close();
}

void TkKalibracja::kComKalibAfterOpen()
{
    StatusPanel1->setText(KalibStatusText(true));
    kKalibPort->setEnabled(false);
}

void TkKalibracja::kComKalibAfterClose()
{
    kComWzorSetSlave();
    StatusPanel1->setText(KalibStatusText(false));
    kKalibPort->setEnabled(true);
}

void TkKalibracja::kComKalibRxChar(const std::optional<ResultFrameBytes> &frame)
{
    try {
        if (frame) {
            const KalibReading reading = DecodeKalibFrame(*frame);
            ZakresUrzadzenia = reading.range;
            ZlyZakres = reading.range != Zakres ? 1 : 0;
            LastMeterValue = reading.value;
            if (ZlyZakres == 0)
                ZakresZgloszony = false;
        }
        // An event without a whole frame keeps the last value: on a real line the bytes of a
        // frame often come in pieces, and a 0 in between would reach the samples and the search.
        WartoscKalibrowana = CheckBox2->isChecked() ? -LastMeterValue : LastMeterValue;
        const QString meter = FormatGeneral(WartoscKalibrowana, 4);
        Label13->setText(meter);
        kWizardKalLabel->setText(meter);
        Label36->setText(meter);

        kComWzorPomiar();
        const QString reference = FormatFixed(WartoscWzorcowa, 5, 2);
        Label12->setText(reference);
        kWizardWzorLabel->setText(reference);
    } catch (...) {
    }
    // A meter that changes to another range after connecting is told once per change; the
    // connect step tells it itself.
    if (ZlyZakres == 1 && Kroki.Krok() > 0 && !Kroki.Connecting() && !closing_)
        ReportWrongRange();
}

void TkKalibracja::wyslij_wzmocnienie(int range, const QString &value)
{
    if (const std::optional<std::uint8_t> address = GainAddress(range))
        WyslijU2(value, *address);
}

void TkKalibracja::WyslijU2(const QString &value, std::uint8_t address)
{
    ParameterSender(*kComKalib, [this](const QString &text) { ShowMessage(this, text); })
        .SendValue(value, address);
}

void TkKalibracja::Button9Click()
{
    wyslij_wzmocnienie(Zakres, QString::number(SpinEdit1->value()));
}
