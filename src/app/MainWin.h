#pragma once
// The main window: menus, the live display, the controls of the measuring link, the chart
// and (in service mode) the service panel. Handlers carry the names of the controls and
// events they serve; the logic behind them lives in the plain cores of measure/, files/ and
// params/.
#include "calib/KalibracjaHost.h"
#include "files/ResultRecorder.h"
#include "measure/MeterLink.h"
#include "measure/ResultProcessor.h"
#include "params/ParameterSender.h"
#include "serial/PortEnumeration.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;
class QTimer;
class RecoveryJournal;
class QToolButton;
class EComPort;
class ServicePanel;
class TAboutWin;
class TComPort;
class THasloWin;
class TUzytkownikWin;
class TkKalibracja;
class TWykres;
struct DecodedResult;

class TMainWin : public QMainWindow, public KalibracjaHost {
    Q_OBJECT
public:
    explicit TMainWin(QWidget *parent = nullptr);
    ~TMainWin() override;

    // The windows created beside the main window at start-up.
    void setAboutWin(TAboutWin *about) { AboutWin = about; }
    void setDialogs(THasloWin *haslo, TUzytkownikWin *uzytkownik, TkKalibracja *kalibracja)
    {
        HasloWin = haslo;
        UzytkownikWin = uzytkownik;
        kKalibracja = kalibracja;
    }

    void ApplyLanguage();

    // Menus and items.
    QMenu *Plik1 = nullptr, *Widok1 = nullptr, *Serwis = nullptr, *Ustawienia = nullptr,
          *Raport1 = nullptr, *Pomoc1 = nullptr, *Trans = nullptr;
    QAction *Otwrz1 = nullptr, *Zapisz1 = nullptr, *Zakoncz = nullptr, *Koniec1 = nullptr,
            *Minmax1 = nullptr, *Danezurzdzenia1 = nullptr, *Zmieuytkownika1 = nullptr,
            *Wyjdztryb1 = nullptr, *Poczony1 = nullptr, *COM11 = nullptr, *COM21 = nullptr,
            *Zmieautomatycznewyczanie1 = nullptr, *Ustawieniaserwisowe1 = nullptr,
            *ZmienJezyk = nullptr, *Twrzraport1 = nullptr, *OProgramie1 = nullptr;
    // The file menu's CSV export of the result store (MainWinExport.cpp).
    QAction *EksportCSV1 = nullptr;

    // Result panel.
    QGroupBox *GroupBox1 = nullptr, *GroupBox4 = nullptr;
    QLabel *Falka = nullptr, *BP = nullptr, *STemp = nullptr;
    QToolButton *LastWYnik = nullptr, *OneWynik = nullptr;
    // Statistics and filter.
    QCheckBox *Dane = nullptr, *filtr = nullptr;
    QLabel *Min1 = nullptr, *Max1 = nullptr, *Avr1 = nullptr, *LabelTau = nullptr;
    QLineEdit *Tau = nullptr;
    // Control panel.
    QLabel *Panel9 = nullptr;
    QPushButton *S_Polacz = nullptr, *S_Zapisz = nullptr, *SpeedButton1 = nullptr,
                *Button2 = nullptr;
    // Scale panel.
    QCheckBox *Autoskalowanie = nullptr;
    QLabel *Label13 = nullptr, *Label14 = nullptr;
    QSlider *W = nullptr, *O = nullptr;
    // Chart and scroll.
    TWykres *Wykres1 = nullptr;
    QToolButton *Kosz = nullptr;
    QSlider *TrackBar1 = nullptr;
    // Status bar panels.
    QLabel *StatusPanel0 = nullptr, *StatusPanel1 = nullptr;
    // The service panel over the chart (service mode).
    ServicePanel *Send = nullptr;
    // Link watchdog.
    QTimer *SprPolacz = nullptr;

    // The measuring link to the meter.
    std::unique_ptr<TComPort> ComPort1;
    // The port menu's items below COM1 and COM2 (named "Port" and the port's name, "PortCOM5"),
    // made afresh each time the menu opens from the ports the lister finds. Tests put their
    // own lister in.
    std::function<std::vector<ComPortInfo>()> PortLister = ListComPorts;
    std::vector<QAction *> OtherPorts;
    // Chooses the port of the link as the port menu's items do, and keeps it for the next run.
    void ChoosePort(const std::string &name);
    // Its frames and events; declared after the port, whose handlers it unbinds when it goes.
    std::unique_ptr<MeterLink> Link1;
    // Receive state.
    bool TransmissionSeen = false;
    bool Paused = false;
    bool StepRequested = false;
    // Processing state of the live results.
    ResultProcessor Processing;
    // The result store and its recording: the recorded or loaded result texts, and the
    // filtered numbers the chart shows of them.
    ResultRecorder Recorder;
    std::vector<double> StoredSeries;
    int LiczbaWynikow() const { return Recorder.LiczbaWynikow(); }
    bool Zapisywanie() const { return Recorder.Zapisywanie(); }

    // The questions that recording and opening data files ask the user. Each runs its dialog;
    // tests put their own answers in.
    struct FileQuestions {
        std::function<int()> recordingStep; // the interval, 0 to cancel
        std::function<QString()> saveDataFile; // a file name, empty to cancel
        std::function<QString()> openDataFile; // a file name, empty to cancel
        std::function<bool()> discardUnsaved; // true: drop results that could not be saved
        std::function<QString()> saveCsvFile; // a file name, empty to cancel
        // Closing the window while results are kept for the recording file.
        enum class BeforeClosing { Save, Discard, Stay };
        std::function<BeforeClosing()> saveBeforeClosing;
        // A recording interrupted by a crash or a kill, offered at the start: the question's
        // text; save it now, keep it for the next start, or discard it.
        enum class Interrupted { Save, Keep, Discard };
        std::function<Interrupted(const QString &question)> saveInterrupted;
        // Another file for an interrupted recording; the dialog proposes its own file.
        std::function<QString(const QString &proposed)> saveInterruptedAs;
    } Questions;

    // Recovery journals (MainWinRecovery.cpp). Each recording keeps one in this folder (the
    // program's data folder; empty: recordings keep none) until its results are in their file.
    QString JournalFolder;
    // The next first showing of the window offers the journals left in JournalFolder.
    void OfferRecoveryWhenShown() { RecoveryOfferDue = true; }
    void OfferInterruptedRecordings();
    // Asked from outside to end: the journal goes to the disk, nothing is asked; mustQuit:
    // the program ends at once.
    void EndFromOutside(bool mustQuit);

    // The receive handler's display step, which the per-frame benchmark drives.
    // Runs a decoded result through the processing chain and shows it (labels and chart);
    // returns the filtered value. The chart takes the point at once; the screen, the chart's
    // picture with it, is updated every DisplayIntervalMs (the meter can send 137 results a
    // second, more than a screen shows): by the first result when an update is due, or by
    // DisplayTimer when results stop coming. Labels whose text is unchanged are not repainted.
    double ShowResult(const DecodedResult &result);
    // Puts the latest result on the screen now.
    void ApplyDisplay();
    // The frames of one receive event, oldest first: each is decoded, runs through the
    // processing chain and, while recording, the recording step; the screen shows the newest.
    void ProcessFrames(std::span<const ResultFrameBytes> frames);

    // Service mode (MainWinService.cpp).
    QToolButton *PokazSerwis = nullptr;
    void WlaczSerwis();
    void WylaczSerwis();

    // Command frames to the meter on ComPort1 (MainWinParams.cpp), failures shown over this
    // window.
    ParameterSender Sender();

    // Parameter files (MainWinParams.cpp). The chooser asks for a file name (empty: the user
    // cancelled); it is the file dialog unless a test puts its own in.
    std::function<QString(bool forSaving)> ParameterFileChooser;
    // Writes the panel's parameter set to a new file that replaces the old one only when
    // complete; loads a file into the panel. Both show their message on failure.
    bool SaveParameters(const QString &path);
    bool LoadParameters(const QString &path);

public slots:
    void OProgramie1Click();
    void ZmienJezykClick();
    void COM21Click();
    // Service panel (MainWinParams.cpp).
    void SondyDblClick();
    // Recording hand-over: called once per decoded result with the text that is shown and its
    // unit (UnitText's).
    void RecordResult(const QString &text, const char *unit = "");

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private slots:
    void Koniec1Click();

    // Receive protocol.
    void ComPort1RxChar(std::span<const ResultFrameBytes> frames);
    void TimeOutClick();
    // Connection and watchdog.
    void Poczony1Click();
    void TransClick();
    void TransAboutToShow();
    void COM11Click();
    void ComPort1Open();
    void ComPort1Close();
    void ComPort1LinkLost(const EComPort &why);
    void SprPolaczTimer();
    // Result processing and display.
    void filtrClick();
    void filtrTempClick();
    void Button3Click();
    void Button1Click();
    void DaneClick();
    void Minmax1Click();
    void LastWYnikClick();
    void OneWynikClick();
    void KoszClick();
    void Danezurzdzenia1Click();
    void TrackBar1Change();
    void Timer1Timer();
    void AutoskalowanieClick();
    void WChange();
    // Service mode (MainWinService.cpp).
    void Ustawieniaserwisowe1Click();
    void Wyjdztryb1Click();
    void Zmieuytkownika1Click();
    void UkrysSerwisClick();
    void PokazSerwisClick();
    // Service panel (MainWinParams.cpp).
    void WyslijClick();
    void Button4Click();
    void OdbierzClick();
    // Parameter files (MainWinParams.cpp).
    void ZapiszParametryClick();
    void OtworzParametryClick();
    // Printing (MainWinPrint.cpp): the calibration card and the measurement report.
    void BitBtn1Click();
    void Twrzraport1Click();
    // Data files (MainWinRecording.cpp, MainWinOpen.cpp).
    void Zapisz1Click();
    // True when the kept results are in the file (or none were kept).
    bool ZakonczClick();
    void S_ZapiszClick();
    void Otwrz1Click();
    // CSV export (MainWinExport.cpp): writes the result store, or the last recording.
    void EksportCSV1Click();

private:
    // The calibration wizard's way back (MainWinKalibracja.cpp).
    std::string MeterLinkPort() const override;
    void ReopenMeterLink() override;
    QString ProbeGainText(int column, int row) const override;
    void WriteProbeGain(int column, int row, const QString &text) override;
    void ShowMainWindow() override;

    // The port kept from the last run, when the machine has it.
    void RestorePort();
    // One item of the port menu checked: the one of the link's port.
    void CheckPortItem();
    QAction *OtherPortsSeparator = nullptr;

    // Result panel.
    QFrame *PanelWynik = nullptr;
    QLabel *SWynik = nullptr, *stopien = nullptr;
    // Statistics and filter.
    QFrame *PanelStat = nullptr, *PanelFiltr = nullptr;
    QLabel *Min = nullptr, *Max = nullptr, *Avr = nullptr;
    QPushButton *Button1 = nullptr;
    // Control and scale panels.
    QFrame *PanelSterowanie = nullptr, *PanelSkala = nullptr;
    // The scroll bar's redraw delay.
    QTimer *Timer1 = nullptr;

    // The file the running recording goes to.
    QString RecordingFile;
    // The running recording's journal, written to the disk by JournalTimer (none when it could
    // not be created); a failure to write it is told once.
    std::unique_ptr<RecoveryJournal> Journal;
    QTimer *JournalTimer = nullptr;
    bool JournalFailureTold = false;
    bool RecoveryOfferDue = false;
    void setUpJournal();
    void StartJournal(int step);
    void FlushJournal();
    void EndJournal();
    void TellJournalFailure();
    // Writes the results to file; when that fails the user is told and may choose another
    // file (file then names it). False when the user chose to drop them.
    bool SaveResults(QString &file, const QStringList &texts);
    // Shows the store's results on the chart instead of the live ones.
    void ShowStoredResults();

    void RefilterStored();
    void RedrawStored(int start);
    static constexpr int DisplayIntervalMs = 20;
    QTimer *DisplayTimer = nullptr;

    void FormCreate();
    void FormClose();
    void buildMenu();
    void buildResultPanel(QWidget *client);
    void buildStatisticsPanel(QWidget *client);
    void buildFilterPanel(QWidget *client);
    void buildControlPanel(QWidget *client);
    void buildScalePanel(QWidget *client);
    void buildChartArea(QWidget *client);
    void buildStatusBar(QWidget *client);
    void createComPort();
    void connectHandlers();
    // Builds PokazSerwis and wires the service menu and panel (MainWinService.cpp).
    void buildServiceControls(QWidget *client);
    bool portOpen() const;
    QString portName() const;
    void ShowPowerOffState(bool on);
    // Opens the link and sets the controls of the connected state; a port that does not open
    // is reported and leaves everything disconnected.
    void OpenLink();
    void SetDisconnectedControls();
    void EnablePortChoice(bool enabled);
    // The menu items and buttons of recording, as a recording runs or not.
    void SetRecordingControls(bool recording);
    // Empties the result store; keepForExport: its results become the last recording.
    void EmptyResultStore(bool keepForExport);
    // The export item is enabled exactly while there are results to export.
    void UpdateExportItem();
    // Before the window closes: true when it may close, with no kept result lost unasked.
    bool SettleRecordingBeforeClosing();
    void askFileQuestionsWithDialogs();
    void ShowLinkColours(bool alive);

    // What the next ApplyDisplay shows, and when the next screen update is due (milliseconds
    // of DisplayClock).
    std::optional<ResultDisplay> PendingDisplay;
    QElapsedTimer DisplayClock;
    qint64 NextDisplayMs = 0;
    // The power-off state whose caption the menu item shows; none after the language changed.
    std::optional<bool> PowerOffCaptionShown;

    TAboutWin *AboutWin = nullptr;
    THasloWin *HasloWin = nullptr;
    TUzytkownikWin *UzytkownikWin = nullptr;
    TkKalibracja *kKalibracja = nullptr;
};
