#pragma once
// The calibration wizard window kKalibracja: finds the gain register value of one probe and
// range by comparison with a reference instrument. It owns two links of its own: kComKalib to
// the meter under calibration and kComWzor to the reference instrument.
//
// The handlers are cut by concern: the window, its status bar and the tab change
// (KalibracjaMain.cpp), the three pages of "Dane" (KalibracjaStrony.cpp), the step machine of
// the buttons with connecting, evaluating, finishing and closing (KalibracjaKroki.cpp), the
// gain search and the waits (KalibracjaSzukanie.cpp), the "Opcje" tab (KalibracjaOpcje.cpp),
// the reference link (KalibracjaWzor.cpp) and the meter link with its gain commands
// (KalibracjaKalib.cpp).
//
// Waits. Connecting waits 0.2 s and every step of the gain search 0.85 s for the meter's
// frames; both waits run the window's events, so the links' receive events, painting and the
// user's input go on meanwhile. What the user can do then:
//  - Dalej and Start are disabled, so no second connect or search starts inside a wait;
//  - Wstecz during the search stops it (no further value is sent) and goes back to page 1;
//  - Rejestruj and Reset are on page 1, which no wait shows;
//  - the tabs work as always (the chart's evaluation uses no link);
//  - closing the window ends a wait at once: the close sequence runs once, and the connect
//    step or the search it interrupted does nothing more.
//
// No wrong gain without a warning:
//  - connecting passes only when both links are open, the meter is in the range being
//    calibrated and the reference gave a valid measure reply;
//  - registering, evaluating and searching need both links open and the meter's frames of the
//    range being calibrated; a change to another range is told once per change;
//  - Start needs a usable fit of the samples as they are now;
//  - only a search that ended by its own rule offers its value to Zakoncz;
//  - the meter gets back the gain it had while the samples were taken whenever the wizard
//    leaves page 2 (or a search ends cut short) with a trial gain in it, except by Zakoncz.
#include "calib/WizardSteps.h"
#include "measure/MeterLink.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class KalibracjaHost;
class KalibracjaWykres;
class QCheckBox;
class QComboBox;
class QEventLoop;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QStatusBar;
class QTabWidget;
class SampleGrid;
class SampleTable;
class TComComboBox;
class TComPort;

class TkKalibracja : public QWidget {
    Q_OBJECT
public:
    // The host is the window that opens the wizard and gets its result (none in some tests).
    explicit TkKalibracja(KalibracjaHost *host);
    ~TkKalibracja() override;

    // The probe-gain cell the wizard calibrates, and whether the main window's link to the
    // meter was open (it is reopened when the wizard closes). Set before the wizard is shown.
    void SetTarget(int range, int probeRow, bool linkWasOpen);

    // The wizard's named state: the host sets the target below, the tests set the live values
    // and read the rest. The controls are found by their objectName.

    // Range index: 0 DC1, 1 DC2, 2 AC1, 3 AC2.
    int Zakres = 0;
    // Row of the main window's Sondy grid that receives the result: 1 AXIAL, 2 TRANS.
    int WierszSondy = 1;
    bool PrzywrocPolaczenie = false;
    // 1 when the range of the last decoded frame differs from Zakres.
    int ZlyZakres = 0;
    // Krok (the step and page shown), the busy flags and with them every step button.
    WizardSteps Kroki;
    // The value the last gain search left in the meter's register, and its target reading.
    int WynikWzmocnienia = 0;
    double MaByc = 0;

    // The samples, their fits and corrected readings.
    std::unique_ptr<SampleTable> Probki;

    // The reference link (KalibracjaWzor.cpp). Its replies are read after fixed pauses.
    std::unique_ptr<TComPort> kComWzor;
    // The latest reference value; only a reply that parses changes it.
    double WartoscWzorcowa = 0;
    // How often a mode command is sent again when the instrument answers with its bare letters.
    static constexpr int ModeRepeats = 3;

    // The meter link (KalibracjaKalib.cpp).
    std::unique_ptr<TComPort> kComKalib;
    // The meter's latest value, sign-corrected; the range code of its last decoded frame.
    double WartoscKalibrowana = 0;
    int ZakresUrzadzenia = 0;

public slots:
    void FormResize();
    // The window shown or "Dane" entered: the range, and the buttons of step 0.
    void kTabWizardEnter();
    // Every change of tab: the chart or its notice, and the link summaries of page 0.
    void kPageControlChange();
    void kDalejClick();
    void kWsteczClick();
    void kStartClick();
    void CheckBox3Click();
    // One sample from the live values; refused with a message when the table is full.
    void kWizardRejestrujClick();
    void kWizardResetClick();

    // Reference link. Open shows the port-conflict message itself; a failure of the open is
    // thrown (EComPort) to the caller, which shows it.
    void kComWzorOpen();
    void kComWzorClose();
    void kComWzorAfterOpen();
    void kComWzorAfterClose();
    void kComWzorSetMaster();
    void kComWzorSetSlave();
    void kComWzorPomiar();
    // Set Slave as the wizard's close sends it (100 ms pause); failures are thrown.
    void kComWzorSetSlaveAtClose();

    // Meter link. Open as for the reference link.
    void kComKalibOpen();
    void kComKalibClose();
    void kComKalibAfterOpen();
    void kComKalibAfterClose();
    void kComKalibRxChar(const std::optional<ResultFrameBytes> &frame);
    // Gain of a range (0..3) as register value text; other ranges send nothing.
    void wyslij_wzmocnienie(int range, const QString &value);
    // A "C" frame with the integer of the text to the address, then the cell pause; a text
    // that is not an integer, or a failed write, shows the send message. Empty sends nothing.
    void WyslijU2(const QString &value, std::uint8_t address);
    void Button9Click();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Pages: "Dane" (the wizard), "Wykres" (the chart), "Opcje" (the settings of both links).
    QTabWidget *kPageControl = nullptr;
    QWidget *kTabWizard = nullptr, *kTabWykres = nullptr, *kTabOpcje = nullptr;
    SampleGrid *SG1 = nullptr; // "Dane", on the left
    KalibracjaWykres *kWykres = nullptr; // "Wykres"
    // The three pages of "Dane", exactly one shown, and the buttons under them.
    QWidget *kWizardPage0 = nullptr, *kWizardPage1 = nullptr, *kWizardPage2 = nullptr;
    QPushButton *kWstecz = nullptr, *kDalej = nullptr, *kStart = nullptr;
    // Page 0: the two link summaries, the range, and the optional initial gain.
    QLabel *Label15 = nullptr, *Label16 = nullptr, *Label29 = nullptr;
    QCheckBox *CheckBox3 = nullptr;
    QSpinBox *SpinEdit2 = nullptr;
    // Page 1: the live values, the sample count and the sample buttons.
    QLabel *kWizardWzorLabel = nullptr, *kWizardKalLabel = nullptr;
    QCheckBox *CheckBox2 = nullptr; // "Zmien znak": the meter's value negated
    QLabel *kWizardIloscProbekLabel = nullptr;
    QPushButton *kWizardReset = nullptr, *kWizardRejestruj = nullptr;
    // Page 2: the gain tried (Label32, captioned by Label25), the hidden value of the last
    // step (Label33), the steps done (Label34), the target (Label35), the live reading (Label36).
    QLabel *Label25 = nullptr, *Label32 = nullptr, *Label33 = nullptr, *Label34 = nullptr,
           *Label35 = nullptr, *Label36 = nullptr;
    QGroupBox *kDebug = nullptr; // page 2, hidden
    QSpinBox *SpinEdit1 = nullptr;
    QPushButton *Button9 = nullptr;
    // Status bar: panel 0 the reference link, panel 1 the meter link.
    QStatusBar *kStatusBar = nullptr;
    QLabel *StatusPanel0 = nullptr, *StatusPanel1 = nullptr;

    // "Opcje": the reference link's settings, its channel and its hidden test panel.
    QGroupBox *kWzorOpcje = nullptr;
    TComComboBox *kWzorPort = nullptr, *kWzorBaudRate = nullptr, *kWzorDataBits = nullptr,
                 *kWzorStopBits = nullptr, *kWzorParity = nullptr, *kWzorFlowControl = nullptr;
    QComboBox *kWybierzKanal = nullptr;
    QWidget *kWzorTest = nullptr;
    QPushButton *kWzorPolacz = nullptr, *kWzorSetMaster = nullptr, *kWzorSetSlave = nullptr,
                *kWzorRozlacz = nullptr, *kWzorPomiar = nullptr;
    QLabel *Label12 = nullptr;
    // "Opcje": the meter link's settings and its hidden test panel.
    QGroupBox *kKalibOpcje = nullptr;
    TComComboBox *kKalibPort = nullptr, *kKalibBaudRate = nullptr, *kKalibDataBits = nullptr,
                 *kKalibStopBits = nullptr, *kKalibParity = nullptr, *kKalibFlowControl = nullptr;
    QWidget *kKalibTest = nullptr;
    QPushButton *kKalibPolacz = nullptr, *kKalibRozlacz = nullptr, *kKalibPomiar = nullptr;
    QLabel *Label13 = nullptr;

    // The meter link's frames and events; declared after kComKalib, whose handlers it unbinds
    // when it goes.
    std::unique_ptr<MeterLink> KalibLink;

    void FormCreate();
    // The page and the step buttons as Kroki says.
    void ApplySteps();
    // Both links open and the meter's frames of the range being calibrated; otherwise the
    // user is told (a range change only once) and false.
    bool LinksUsable();
    void ReportWrongRange();
    // A fit of the samples as they are now, with a finite target, came out of the evaluation.
    bool FitUsable() const;
    // The meter gets back samplesGain_ when a trial gain is in it (once).
    void restoreSamplesGain();
    // The link-summaries of page 0 from the links' settings.
    void ShowLinkSummaries();
    // Closes the reference link, set slave first when it was made master.
    void closeReference();
    // The close sequence, run once for every close of the window.
    void FormClose();
    void buildWizardTab();
    void buildPage0();
    void buildPage1();
    void buildPage2();
    // Step 0 Dalej: both links opened, the meter's range checked.
    void Polacz();
    // Step 1 Dalej with two samples or more: the fits, the target, page 2.
    void evaluateSamples();
    // Step 2 Dalej ("Zakoncz"): the window closed, the gain written into the host's grid.
    void Zakoncz();
    // Back to page 0 with both links closed (a refused range, a failed open, Wstecz).
    void backToStep0(bool referenceFirst);
    // Closes a link until it reports closed; a failure is shown and the link let go.
    void CloseLink(TComPort &link);
    // The links take the ports the host's choice implies: the meter the host's; the reference
    // the other one of COM1 and COM2 when both are on one of these, else its own; the
    // selectors show them.
    void ChoosePorts();
    // Waits ms of real time running the window's events. False when the window has been
    // closed since closeCount_ was `closes`, or the search was stopped: the caller is to do
    // nothing more then.
    bool waitRunningEvents(int ms, unsigned closes);
    void stopWaiting();
    void buildStatusBar();
    void buildOpcjeTab();
    void connectTestPanels();
    void createWzorLink();
    void createKalibLink();
    // False, with the port-conflict message shown, when the other link holds the same port.
    bool PortFree(const TComPort &link, const TComPort &other);
    // Runs a test-panel action; a serial failure is shown.
    void RunShowingErrors(void (TkKalibracja::*action)());
    void ShowLinkLost(const TComPort &port, const char *why);

    KalibracjaHost *Host;
    // The wait running now, if any; counts the closes, so that a wait can tell it was cut.
    QEventLoop *runningWait_ = nullptr;
    unsigned closeCount_ = 0;
    bool stopSearch_ = false;
    bool closing_ = false;
    // Zakoncz closes the window: the gain found stays in the meter.
    bool finishing_ = false;
    // The gain the meter had while the samples were taken, when known, and whether a trial
    // gain of the search has been written since.
    std::optional<int> samplesGain_;
    bool ProbaWMierniku = false;
    // The number of samples the last evaluation fitted usably, 0 when it did not.
    int DopasowaneProbki = 0;
    // A valid measure reply since the reference link opened; Set Master sent and no Set Slave
    // since; the classifier message shown since the last good reply; the meter's range change
    // told since its last frame of the right range.
    bool WzorOdpowiedzial = false;
    bool WzorMaster = false;
    bool KlasyfikatorZgloszony = false;
    bool ZakresZgloszony = false;
    // The meter's value of its last decoded frame, before "Zmien znak".
    double LastMeterValue = 0;
};
