#pragma once
// The calibration wizard window kKalibracja: finds the gain register value of one probe and
// range by comparison with a reference instrument. It owns two links of its own: kComKalib to
// the meter under calibration and kComWzor to the reference instrument.
//
// The handlers are cut by concern: the window, its pages and status bar (KalibracjaMain.cpp),
// the "Opcje" tab (KalibracjaOpcje.cpp), the reference link (KalibracjaWzor.cpp) and the meter
// link with its gain commands (KalibracjaKalib.cpp).
#include "measure/FrameAssembler.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QStatusBar;
class QTabWidget;
class TComComboBox;
class TComPort;
class TMainWin;

class TkKalibracja : public QWidget {
    Q_OBJECT
public:
    explicit TkKalibracja(TMainWin *main);
    ~TkKalibracja() override;

    // The probe-gain cell the wizard calibrates, and whether the main window's link to the
    // meter was open (it is reopened when the wizard closes). Set before the wizard is shown.
    void SetTarget(int range, int probeRow, bool linkWasOpen);

    // Range index: 0 DC1, 1 DC2, 2 AC1, 3 AC2.
    int Zakres = 0;
    // Row of the main window's Sondy grid that receives the result: 1 AXIAL, 2 TRANS.
    int WierszSondy = 1;
    bool PrzywrocPolaczenie = false;
    // 1 when the range of the last decoded frame differs from Zakres.
    int ZlyZakres = 0;

    // Pages: "Dane" (the wizard), "Wykres" (the chart), "Opcje" (the settings of both links).
    QTabWidget *kPageControl = nullptr;
    QWidget *kTabWizard = nullptr, *kTabWykres = nullptr, *kTabOpcje = nullptr;
    // The three pages of "Dane", exactly one shown, with the controls the links write.
    QWidget *kWizardPage0 = nullptr, *kWizardPage1 = nullptr, *kWizardPage2 = nullptr;
    QLabel *kWizardWzorLabel = nullptr, *kWizardKalLabel = nullptr; // page 1
    QCheckBox *CheckBox2 = nullptr; // page 1, "Zmien znak": the meter's value negated
    QLabel *Label36 = nullptr; // page 2, the meter's live reading
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

    // The reference link (KalibracjaWzor.cpp). Its replies are read after fixed pauses.
    std::unique_ptr<TComPort> kComWzor;
    // The latest reference value; only a reply that parses changes it.
    double WartoscWzorcowa = 0;
    // How often a mode command is sent again when the instrument answers with its bare letters.
    static constexpr int ModeRepeats = 3;

    // The meter link (KalibracjaKalib.cpp).
    std::unique_ptr<TComPort> kComKalib;
    FrameAssembler BuforOdbioru;
    // The meter's latest value, sign-corrected; the range code of its last decoded frame.
    double WartoscKalibrowana = 0;
    int ZakresUrzadzenia = 0;

public slots:
    void FormResize();

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
    void kComKalibRxChar(int Count);
    // Gain of a range (0..3) as register value text; other ranges send nothing.
    void wyslij_wzmocnienie(int range, const QString &value);
    // A "C" frame with the integer of the text to the address, then the cell pause; a text
    // that is not an integer, or a failed write, shows the send message. Empty sends nothing.
    void WyslijU2(const QString &value, std::uint8_t address);
    void Button9Click();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormCreate();
    void buildWizardTab();
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

    TMainWin *MainWin;
    // The meter's value of its last decoded frame, before "Zmien znak".
    double LastMeterValue = 0;
    std::vector<unsigned char> RxBlock;
};
