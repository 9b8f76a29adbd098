#pragma once
// The main window: menus, the live display, the controls of the measuring link, the chart
// and (in service mode) the service panel. Handlers carry the names of the controls and
// events they serve; the logic behind them lives in the plain cores of measure/, files/ and
// params/.
#include <QMainWindow>

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
class QToolButton;
class TAboutWin;
class TWykres;

class TMainWin : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainWin(QWidget *parent = nullptr);
    ~TMainWin() override;

    // The about window that F1 shows again (set at start-up).
    void setAboutWin(TAboutWin *about) { AboutWin = about; }

    void ApplyLanguage();

    // Menus and items.
    QMenu *Plik1 = nullptr, *Widok1 = nullptr, *Serwis = nullptr, *Ustawienia = nullptr,
          *Raport1 = nullptr, *Pomoc1 = nullptr, *Trans = nullptr;
    QAction *Otwrz1 = nullptr, *Zapisz1 = nullptr, *Zakoncz = nullptr, *Koniec1 = nullptr,
            *Minmax1 = nullptr, *Danezurzdzenia1 = nullptr, *Zmieuytkownika1 = nullptr,
            *Wyjdztryb1 = nullptr, *Poczony1 = nullptr, *COM11 = nullptr, *COM21 = nullptr,
            *Zmieautomatycznewyczanie1 = nullptr, *Ustawieniaserwisowe1 = nullptr,
            *ZmienJezyk = nullptr, *Twrzraport1 = nullptr, *OProgramie1 = nullptr;

    // Result panel.
    QFrame *PanelWynik = nullptr;
    QGroupBox *GroupBox1 = nullptr, *GroupBox4 = nullptr;
    QLabel *SWynik = nullptr, *Falka = nullptr, *BP = nullptr, *STemp = nullptr, *stopien = nullptr;
    QToolButton *LastWYnik = nullptr, *OneWynik = nullptr;
    // Statistics and filter.
    QFrame *PanelStat = nullptr, *PanelFiltr = nullptr;
    QCheckBox *Dane = nullptr, *filtr = nullptr;
    QLabel *Min1 = nullptr, *Max1 = nullptr, *Avr1 = nullptr, *Min = nullptr, *Max = nullptr,
           *Avr = nullptr, *LabelTau = nullptr;
    QPushButton *Button1 = nullptr;
    QLineEdit *Tau = nullptr;
    // Control panel.
    QFrame *PanelSterowanie = nullptr;
    QLabel *Panel9 = nullptr;
    QPushButton *S_Polacz = nullptr, *S_Zapisz = nullptr, *SpeedButton1 = nullptr,
                *Button2 = nullptr;
    // Scale panel.
    QFrame *PanelSkala = nullptr;
    QCheckBox *Autoskalowanie = nullptr;
    QLabel *Label13 = nullptr, *Label14 = nullptr;
    QSlider *W = nullptr, *O = nullptr;
    // Chart and scroll.
    TWykres *Wykres1 = nullptr;
    QToolButton *Kosz = nullptr;
    QSlider *TrackBar1 = nullptr;
    QTimer *Timer1 = nullptr;
    // Status bar panels.
    QLabel *StatusPanel0 = nullptr, *StatusPanel1 = nullptr;

public slots:
    void Koniec1Click();
    void OProgramie1Click();
    void ZmienJezykClick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    void buildMenu();
    void buildResultPanel(QWidget *client);
    void buildStatisticsPanel(QWidget *client);
    void buildFilterPanel(QWidget *client);
    void buildControlPanel(QWidget *client);
    void buildScalePanel(QWidget *client);
    void buildChartArea(QWidget *client);
    void buildStatusBar();
    bool portOpen() const;
    QString portName() const;

    TAboutWin *AboutWin = nullptr;
};
