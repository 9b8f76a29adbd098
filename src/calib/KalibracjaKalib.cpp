// The link kComKalib to the meter under calibration: its result frames give the meter's range
// and value, each receive event also measures the reference, and gain values go out to the
// meter's gain cells.
#include "calib/KalibracjaMain.h"

#include "calib/KalibMeter.h"
#include "calib/KalibracjaMessages.h"
#include "core/Messages.h"
#include "core/NumberText.h"
#include "params/CommandWrite.h"
#include "params/Conversions.h"
#include "params/ParameterMessages.h"
#include "serial/CPort.h"
#include "serial/ComComboBox.h"
#include "serial/PortMap.h"
#include "serial/QtComBridge.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QThread>
#include <algorithm>
#include <stdexcept>

namespace {
// The largest block one receive event reads; more waiting bytes raise the next event.
constexpr int RxBlockSize = 64000;
} // namespace

void TkKalibracja::createKalibLink()
{
    kComKalib = std::make_unique<TComPort>(std::make_shared<QtComBridge>(), comDevicePath);
    kComKalib->SetPort("COM1");
    kComKalib->SetBaudRate(br9600);
    kComKalib->SetDataBits(dbEight);
    kComKalib->SetStopBits(sbOneStopBit);
    kComKalib->SetParity(TComParity {});
    kComKalib->SetFlowControl(TComFlowControl {});
    kComKalib->OnAfterOpen = [this](TComPort &) { kComKalibAfterOpen(); };
    kComKalib->OnAfterClose = [this](TComPort &) { kComKalibAfterClose(); };
    kComKalib->OnRxChar = [this](TComPort &, int count) { kComKalibRxChar(count); };
    kComKalib->OnLinkLost
        = [this](TComPort &port, const EComPort &why) { ShowLinkLost(port, why.what()); };
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

void TkKalibracja::kComKalibRxChar(int Count)
{
    // Failures on the receive path are ignored: the next event starts afresh.
    try {
        const int wanted = std::clamp(Count, 0, RxBlockSize);
        RxBlock.resize(static_cast<std::size_t>(wanted));
        const int got = kComKalib->Read(RxBlock.data(), wanted);
        if (const std::optional<ResultFrameBytes> frame
            = BuforOdbioru.Feed(RxBlock.data(), static_cast<std::size_t>(std::max(got, 0)))) {
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
    if (ZlyZakres == 1 && Kroki.Krok() > 0 && !Kroki.Connecting() && !Zamykanie)
        ReportWrongRange();
}

void TkKalibracja::wyslij_wzmocnienie(int range, const QString &value)
{
    if (const std::optional<std::uint8_t> address = GainAddress(range))
        WyslijU2(value, *address);
}

void TkKalibracja::WyslijU2(const QString &value, std::uint8_t address)
{
    if (value.isEmpty())
        return;
    const bool wasOpen = kComKalib->Connected();
    try {
        const std::optional<std::uint16_t> cell = IntegerCellValue(value);
        if (!cell)
            throw std::invalid_argument("not an integer");
        WriteCommandFrame(*kComKalib, 'C', address, *cell);
        QThread::msleep(kCellPauseMs);
    } catch (const std::exception &) {
        // A meter that went away has been reported once; its lost link says it all.
        if (kComKalib->Connected() || !wasOpen)
            ShowMessage(this, CannotSendMessage(value, address));
    }
}

void TkKalibracja::Button9Click()
{
    wyslij_wzmocnienie(Zakres, QString::number(SpinEdit1->value()));
}
