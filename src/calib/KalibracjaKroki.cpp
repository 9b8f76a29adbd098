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

void TkKalibracja::ShowPage(int page)
{
    kWizardPage0->setVisible(page == 0);
    kWizardPage1->setVisible(page == 1);
    kWizardPage2->setVisible(page == 2);
}

void TkKalibracja::kDalejClick()
{
    if (Laczenie || Szukanie)
        return;
    switch (Krok) {
    case 0:
        Polacz();
        break;
    case 1:
        if (Probki->IloscProbek() > 1)
            Przelicz();
        break;
    case 2:
        Zakoncz();
        break;
    }
}

void TkKalibracja::kWsteczClick()
{
    if (Krok == 1) {
        kWizardResetClick();
        WrocDoKroku0(false);
    } else if (Krok == 2) {
        if (Szukanie) {
            PrzerwijSzukanie = true;
            PrzerwijCzekanie();
        }
        kStart->hide();
        kDalej->setEnabled(true);
        ShowPage(1);
        Krok = 1;
        kDalej->setText(QStringLiteral("Dalej >>"));
    }
}

void TkKalibracja::Polacz()
{
    Krok = 1;
    kStart->hide();
    Laczenie = true;
    kDalej->setEnabled(false);
    const unsigned closes = Zamkniecia;
    try {
        kComKalibOpen();
        kComKalib->PurgeBuffers(true, true);
        kComWzorOpen();
    } catch (const std::exception &error) {
        Laczenie = false;
        ShowMessage(this, QString::fromUtf8(error.what()));
        // Back to the start, where the settings on "Opcje" can be put right and Dalej tried
        // again.
        if (closes == Zamkniecia)
            WrocDoKroku0(true);
        return;
    }
    const bool waited = Czekaj(ConnectWaitMs, closes);
    Laczenie = false;
    if (!waited)
        return;
    if (ZlyZakres == 1) {
        ShowMessage(this, WrongRangeMessage(RangeName(Zakres)));
        WrocDoKroku0(true);
        kDalej->setFocus();
        return;
    }
    if (CheckBox3->isChecked())
        wyslij_wzmocnienie(Zakres, QString::number(SpinEdit2->value()));
    kWstecz->setEnabled(true);
    kDalej->setEnabled(true);
    ShowPage(1);
    kWizardRejestruj->setFocus();
}

void TkKalibracja::WrocDoKroku0(bool referenceFirst)
{
    kWstecz->setEnabled(false);
    ShowPage(0);
    Krok = 0;
    kDalej->setEnabled(true);
    kDalej->setText(QStringLiteral("Dalej >>"));
    if (referenceFirst) {
        CloseLink(*kComWzor);
        CloseLink(*kComKalib);
    } else {
        CloseLink(*kComKalib);
        CloseLink(*kComWzor);
    }
}

void TkKalibracja::Przelicz()
{
    kStart->show();
    kStart->setEnabled(!Szukanie);
    ShowPage(2);
    Krok = 2;
    kDalej->setText(QStringLiteral("Zakoncz"));
    kDalej->setEnabled(false);
    StartClick(*Probki, *SG1, *kWykres, this);
    if (const std::optional<double> target = Probki->Corrected(WartoscKalibrowana))
        MaByc = *target;
    const bool fine = Zakres == 0 || Zakres == 2;
    Label35->setText(FormatNumber(MaByc, 3, fine ? 1 : 0));
}

void TkKalibracja::Zakoncz()
{
    kStart->hide();
    const int result = WynikWzmocnienia;
    close();
    // Whatever the close met on the way, the gain found goes into the grid.
    if (Host != nullptr)
        Host->WriteProbeGain(Zakres + 1, WierszSondy, GainText(static_cast<std::uint16_t>(result)));
    Krok = 0;
    kDalej->setText(QStringLiteral("Dalej >>"));
}

void TkKalibracja::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TkKalibracja::FormClose()
{
    if (Zamykanie)
        return;
    Zamykanie = true;
    // A wait running now ends, and the step that waited does nothing more.
    ++Zamkniecia;
    PrzerwijCzekanie();
    // Whatever happens below, the user gets the main window back.
    const auto back = qScopeGuard([this] {
        Zamykanie = false;
        if (Host != nullptr)
            Host->ShowMainWindow();
    });
    try {
        kComWzorSetSlaveAtClose();
    } catch (const std::exception &error) {
        // The reference does not answer: the user is told once, nothing more is sent to it,
        // and the close goes on.
        ShowMessage(this, QString::fromUtf8(error.what()));
        CloseLink(*kComWzor);
    }
    CloseLink(*kComKalib);
    CloseLink(*kComWzor);
    if (PrzywrocPolaczenie) {
        PrzywrocPolaczenie = false;
        try {
            if (Host != nullptr)
                Host->ReopenMeterLink();
        } catch (const std::exception &error) {
            ShowMessage(this, QString::fromUtf8(error.what()));
        }
    }
    Krok = 0;
    kWstecz->setEnabled(false);
    ShowPage(0);
    // The samples go before "Dane" is activated, so that the tab change has none to evaluate.
    kWizardResetClick();
    kPageControl->setCurrentWidget(kTabWizard);
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
