// The reference instrument link kComWzor: opening and closing it, the two mode commands and
// the measure request with its reply.
#include "calib/KalibracjaMain.h"

#include "calib/KalibracjaMessages.h"
#include "calib/ReferenceReply.h"
#include "core/Messages.h"
#include "core/NumberText.h"
#include "measure/MeterLink.h"
#include "serial/CPort.h"
#include "serial/ComComboBox.h"

#include <QComboBox>
#include <QLabel>
#include <QThread>
#include <stdexcept>

namespace {
constexpr unsigned long ModePauseMs = 200;
constexpr unsigned long ModePauseAtCloseMs = 100;
constexpr unsigned long MeasurePauseMs = 100;
constexpr int ModeReplySize = 10;
constexpr int MeasureReplySize = 20;

void writeAll(TComPort &port, std::string_view text)
{
    if (port.WriteText(std::string(text)) != static_cast<int>(text.size()))
        throw std::runtime_error("command not written whole");
}

// One mode command with its reply. An instrument that answers with the bare letters of the
// mode gets them again, but at most ModeRepeats times: the reply has no other use.
void modeExchange(
    TComPort &port, std::string_view command, std::string_view letters, unsigned long pauseMs)
{
    std::string reply;
    writeAll(port, command);
    QThread::msleep(pauseMs);
    port.ReadText(reply, ModeReplySize);
    for (int i = 0; i < TkKalibracja::ModeRepeats && reply == letters; ++i) {
        writeAll(port, letters);
        QThread::msleep(pauseMs);
        port.ReadText(reply, ModeReplySize);
    }
}
} // namespace

void TkKalibracja::createWzorLink()
{
    kComWzor = MakeLinkPort({"COM2", dbSeven, dtrDisable});
    kComWzor->SetEvents({evRxChar, evTxEmpty, evRxFlag, evError, evRx80Full});
    kComWzor->OnAfterOpen = [this](TComPort &) { kComWzorAfterOpen(); };
    kComWzor->OnAfterClose = [this](TComPort &) { kComWzorAfterClose(); };
    kComWzor->OnLinkLost
        = [this](TComPort &port, const EComPort &why) { ShowLinkLost(port, why.what()); };
}

void TkKalibracja::kComWzorOpen()
{
    if (kComWzor->Connected() || !PortFree(*kComWzor, *kComKalib))
        return;
    kComWzor->Open();
}

void TkKalibracja::kComWzorClose()
{
    if (kComWzor->Connected())
        kComWzor->Close();
}

void TkKalibracja::kComWzorAfterOpen()
{
    StatusPanel0->setText(WzorStatusText(true));
    kWzorPort->setEnabled(false);
    WzorOdpowiedzial = false;
    KlasyfikatorZgloszony = false;
    kComWzorSetMaster();
    QThread::msleep(ModePauseMs);
}

void TkKalibracja::kComWzorAfterClose()
{
    StatusPanel0->setText(WzorStatusText(false));
    kWzorPort->setEnabled(true);
}

void TkKalibracja::kComWzorSetMaster()
{
    if (!kComWzor->Connected())
        return;
    // Closing the link sets the instrument slave again, whether or not it answered.
    WzorMaster = true;
    try {
        modeExchange(*kComWzor, kReferenceSetMaster, kReferenceMasterLetters, ModePauseMs);
    } catch (const std::exception &) {
        // The instrument may be in master mode already; the measurements will tell.
    }
}

void TkKalibracja::kComWzorSetSlave()
{
    if (!kComWzor->Connected())
        return;
    try {
        std::string reply;
        writeAll(*kComWzor, kReferenceSetSlave);
        WzorMaster = false;
        QThread::msleep(ModePauseMs);
        kComWzor->ReadText(reply, ModeReplySize);
    } catch (const std::exception &) {
        // An instrument that went away has been reported as such.
        WzorMaster = false;
        if (kComWzor->Connected())
            ShowMessage(this, SetSlaveFailedMessage());
    }
}

void TkKalibracja::kComWzorSetSlaveAtClose()
{
    if (!kComWzor->Connected())
        return;
    WzorMaster = false;
    modeExchange(*kComWzor, kReferenceSetSlave, kReferenceSlaveLetters, ModePauseAtCloseMs);
}

void TkKalibracja::kComWzorPomiar()
{
    if (!kComWzor->Connected())
        return;
    // Any failure ends the measurement; the value and its label stay as they were.
    try {
        const std::string channel = kWybierzKanal->currentText().toStdString();
        kComWzor->PurgeBuffers(true, true);
        writeAll(*kComWzor, ReferenceMeasureRequest(channel));
        QThread::msleep(MeasurePauseMs);
        std::string reply;
        kComWzor->ReadText(reply, MeasureReplySize);
        const ReferenceReading reading = ParseReferenceReply(reply, channel);
        if (reading.value) {
            WartoscWzorcowa = *reading.value;
            WzorOdpowiedzial = true;
        }
        // Told once per connection, and again only after a good reply came in between: the
        // meter's frames ask the reference several times a second.
        if (reading.value && !reading.classifierNotZero)
            KlasyfikatorZgloszony = false;
        if (reading.classifierNotZero && !KlasyfikatorZgloszony) {
            KlasyfikatorZgloszony = true;
            ShowMessage(this, ClassifierMessage());
        }
        Label12->setText(FormatFixed(WartoscWzorcowa, 5, 4));
    } catch (const std::exception &) {
    }
}
