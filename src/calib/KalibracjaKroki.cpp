// The step machine of the wizard's buttons: connecting both instruments (step 0), taking
// samples and evaluating them (step 1), finishing with the gain found (step 2), going back,
// and the close sequence that every close of the window runs.
#include "calib/KalibracjaMain.h"

#include "calib/Evaluation.h"
#include "calib/KalibracjaHost.h"
#include "calib/KalibracjaMessages.h"
#include "calib/KalibracjaWykres.h"
#include "calib/SampleGrid.h"
#include "calib/SampleTable.h"
#include "calib/SampleText.h"
#include "core/Messages.h"
#include "core/NumberText.h"
#include "params/Conversions.h"
#include "serial/CPort.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTabWidget>

namespace {
constexpr int ConnectWaitMs = 200;
// Closing a link is asked again while it still reports open, but not for ever.
constexpr int CloseTries = 3;
} // namespace

void TkKalibracja::ApplySteps()
{
    const WizardSteps::Buttons b = Kroki.State();
    kWizardPage0->setVisible(b.page == 0);
    kWizardPage1->setVisible(b.page == 1);
    kWizardPage2->setVisible(b.page == 2);
    kWstecz->setEnabled(b.wsteczEnabled);
    kDalej->setText(b.dalejZakoncz ? QStringLiteral("Zakoncz") : QStringLiteral("Dalej >>"));
    kDalej->setEnabled(b.dalejEnabled);
    kStart->setVisible(b.startVisible);
    kStart->setEnabled(b.startEnabled);
}

void TkKalibracja::kDalejClick()
{
    if (Kroki.Busy())
        return;
    switch (Kroki.Krok()) {
    case 0:
        Polacz();
        break;
    case 1:
        if (Probki->IloscProbek() > 1 && LinksUsable())
            evaluateSamples();
        break;
    case 2:
        if (Kroki.ResultReady())
            Zakoncz();
        break;
    }
}

void TkKalibracja::kWsteczClick()
{
    if (Kroki.Connecting())
        return;
    if (Kroki.Krok() == 1) {
        kWizardResetClick();
        backToStep0(false);
    } else if (Kroki.Krok() == 2) {
        if (Kroki.Searching()) {
            stopSearch_ = true;
            stopWaiting();
        }
        restoreSamplesGain();
        Kroki.GoTo(1);
        ApplySteps();
    }
}

bool TkKalibracja::LinksUsable()
{
    if (!kComWzor->Connected()) {
        ShowMessage(this, ReferenceClosedMessage(QString::fromStdString(kComWzor->Port())));
        return false;
    }
    if (!kComKalib->Connected()) {
        ShowMessage(this, MeterClosedMessage(QString::fromStdString(kComKalib->Port())));
        return false;
    }
    if (ZlyZakres == 1) {
        ReportWrongRange();
        return false;
    }
    return true;
}

void TkKalibracja::ReportWrongRange()
{
    if (ZakresZgloszony)
        return;
    ZakresZgloszony = true;
    ShowMessage(this, WrongRangeMessage(RangeName(Zakres)));
}

void TkKalibracja::Polacz()
{
    Kroki.SetConnecting(true);
    ApplySteps();
    const unsigned closes = closeCount_;
    ZakresZgloszony = false;
    try {
        kComKalibOpen();
        kComKalib->PurgeBuffers(true, true);
        kComWzorOpen();
    } catch (const std::exception &error) {
        Kroki.SetConnecting(false);
        ShowMessage(this, QString::fromUtf8(error.what()));
        // Back to the start, where the settings on "Opcje" can be put right and Dalej tried
        // again.
        if (closes == closeCount_)
            backToStep0(true);
        return;
    }
    bool waited = waitRunningEvents(ConnectWaitMs, closes);
    // A reference that no frame of the meter had asked yet is asked once now.
    if (waited && !WzorOdpowiedzial) {
        kComWzorPomiar();
        waited = closes == closeCount_;
    }
    Kroki.SetConnecting(false);
    if (!waited)
        return;
    // A link that did not open or went meanwhile has told the user why.
    if (!kComKalib->Connected() || !kComWzor->Connected()) {
        backToStep0(true);
        return;
    }
    if (ZlyZakres == 1) {
        ShowMessage(this, WrongRangeMessage(RangeName(Zakres)));
        backToStep0(true);
        kDalej->setFocus();
        return;
    }
    if (!WzorOdpowiedzial) {
        ShowMessage(this, NoReferenceReplyMessage(QString::fromStdString(kComWzor->Port())));
        backToStep0(true);
        kDalej->setFocus();
        return;
    }
    samplesGain_.reset();
    ProbaWMierniku = false;
    if (CheckBox3->isChecked()) {
        wyslij_wzmocnienie(Zakres, QString::number(SpinEdit2->value()));
        samplesGain_ = SpinEdit2->value();
    } else if (Host != nullptr) {
        if (const std::optional<std::uint16_t> cell
            = GainCellValue(Host->ProbeGainText(Zakres + 1, WierszSondy)))
            samplesGain_ = *cell;
    }
    Kroki.GoTo(1);
    ApplySteps();
    kWizardRejestruj->setFocus();
}

void TkKalibracja::backToStep0(bool referenceFirst)
{
    Kroki.GoTo(0);
    ApplySteps();
    if (referenceFirst) {
        closeReference();
        CloseLink(*kComKalib);
    } else {
        CloseLink(*kComKalib);
        closeReference();
    }
}

void TkKalibracja::evaluateSamples()
{
    Kroki.GoTo(2);
    ApplySteps();
    const bool fitted = StartClick(*Probki, *SG1, *kWykres, this);
    const std::optional<double> target = Probki->Corrected(WartoscKalibrowana);
    if (target)
        MaByc = *target;
    DopasowaneProbki = fitted && target ? Probki->IloscProbek() : 0;
    Label35->setText(TargetText(MaByc, Zakres));
}

bool TkKalibracja::FitUsable() const
{
    return DopasowaneProbki > 1 && DopasowaneProbki == Probki->IloscProbek();
}

void TkKalibracja::restoreSamplesGain()
{
    if (!ProbaWMierniku)
        return;
    ProbaWMierniku = false;
    // A meter that has gone has been reported; nothing more can reach it.
    if (!kComKalib->Connected())
        return;
    if (samplesGain_)
        wyslij_wzmocnienie(Zakres, QString::number(*samplesGain_));
    else
        ShowMessage(this, TrialGainKeptMessage(SpinEdit1->value()));
}

void TkKalibracja::Zakoncz()
{
    const int result = WynikWzmocnienia;
    finishing_ = true;
    close();
    finishing_ = false;
    // Whatever the close met on the way, the gain found goes into the grid.
    if (Host != nullptr)
        Host->WriteProbeGain(Zakres + 1, WierszSondy, GainText(static_cast<std::uint16_t>(result)));
}

void TkKalibracja::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TkKalibracja::FormClose()
{
    if (closing_)
        return;
    closing_ = true;
    // A wait running now ends, and the step that waited does nothing more.
    ++closeCount_;
    stopWaiting();
    // Whatever happens below, the user gets the main window back.
    const auto back = qScopeGuard([this] {
        closing_ = false;
        if (Host != nullptr)
            Host->ShowMainWindow();
    });
    if (!finishing_)
        restoreSamplesGain();
    ProbaWMierniku = false;
    try {
        kComWzorSetSlaveAtClose();
    } catch (const std::exception &error) {
        // The reference does not answer: the user is told once, nothing more is sent to it,
        // and the close goes on.
        ShowMessage(this, QString::fromUtf8(error.what()));
        CloseLink(*kComWzor);
    }
    CloseLink(*kComKalib);
    closeReference();
    if (PrzywrocPolaczenie) {
        PrzywrocPolaczenie = false;
        try {
            if (Host != nullptr)
                Host->ReopenMeterLink();
        } catch (const std::exception &error) {
            ShowMessage(this, QString::fromUtf8(error.what()));
        }
    }
    Kroki.Reset();
    ApplySteps();
    // The samples go before "Dane" is activated, so that the tab change has none to evaluate.
    kWizardResetClick();
    kPageControl->setCurrentWidget(kTabWizard);
}

void TkKalibracja::closeReference()
{
    if (WzorMaster)
        kComWzorSetSlave();
    CloseLink(*kComWzor);
}

void TkKalibracja::CloseLink(TComPort &link)
{
    for (int i = 0; i < CloseTries && link.Connected(); ++i) {
        try {
            link.Close();
        } catch (const std::exception &error) {
            ShowMessage(this, QString::fromUtf8(error.what()));
        }
    }
}
