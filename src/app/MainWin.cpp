#include "app/MainWin.h"
#include "core/Named.h"

#include "app/AboutWin.h"
#include "app/FittedCaption.h"
#include "app/JezykWin.h"
#include "app/ReadingLabel.h"
#include "app/Resources.h"
#include "app/RestingToolButton.h"
#include "app/ServicePanel.h"
#include "core/CentreOnScreen.h"
#include "core/Colours.h"
#include "core/Jezyki.h"
#include "core/WidgetColours.h"
#include "files/RecoveryJournal.h"
#include "measure/Wykres.h"
#include "serial/CPort.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

namespace {
// Client area of the main window below its menu; the status bar lies inside it, at its bottom.
constexpr int ClientWidth = 665;
constexpr int ClientHeight = 411;

QFrame *panel(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *frame = named(new QFrame(parent), name);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setGeometry(geometry);
    return frame;
}

// A label whose text follows every result paints its own background, the colour of what lies
// behind it, so that a new text repaints the label alone and not the panels and frames below;
// its size is fixed, so that a new text does not ask its parent to lay it out again.
void paintOwnBackground(QLabel *label)
{
    label->setAutoFillBackground(true);
    label->setFixedSize(label->size());
}
} // namespace

TMainWin::TMainWin(QWidget *parent)
    : QMainWindow(parent)
    , Processing([] { return Tekst(89); })
{
    loadResources();
    setObjectName(QStringLiteral("MainWin"));
    setWindowTitle(QStringLiteral("Vallimor - Nerix 3.1"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
        | Qt::MSWindowsFixedSizeDialogHint);

    // The window's small sans-serif font; the big readings set their own.
    QFont windowFont(QStringLiteral("DejaVu Sans"));
    windowFont.setPointSize(8);
    setFont(windowFont);

    auto *client = named(new QWidget(this), "ClientArea");
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    buildMenu();
    buildResultPanel(client);
    buildStatisticsPanel(client);
    buildFilterPanel(client);
    buildControlPanel(client);
    buildScalePanel(client);
    buildChartArea(client);
    buildStatusBar(client);
    createComPort();
    RestorePort();
    connectHandlers();
    buildServiceControls(client);
    askFileQuestionsWithDialogs();
    setUpJournal();

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    FormCreate();
}

TMainWin::~TMainWin() = default;

void TMainWin::buildMenu()
{
    QMenuBar *bar = menuBar();
    auto menu = [&](const char *name, const char *caption) {
        QMenu *m = named(bar->addMenu(QString::fromUtf8(caption)), name);
        return m;
    };
    auto item = [&](QMenu *m, const char *name, const char *caption, const QKeySequence &key = {}) {
        QAction *a = named(m->addAction(QString::fromUtf8(caption)), name);
        if (!key.isEmpty())
            a->setShortcut(key);
        return a;
    };

    Plik1 = menu("Plik1", "&Plik");
    Otwrz1 = item(Plik1, "Otwrz1", "&Otwórz plik...", QKeySequence(Qt::CTRL | Qt::Key_O));
    Zapisz1 = item(Plik1, "Zapisz1", "&Zapisz do pliku...", QKeySequence(Qt::CTRL | Qt::Key_Z));
    Zapisz1->setEnabled(false);
    Zakoncz = item(Plik1, "Zakoncz", "&Zakończ zapisywanie do pliku");
    Zakoncz->setEnabled(false);
    EksportCSV1 = item(Plik1, "EksportCSV1", "Eksportuj do CSV...");
    EksportCSV1->setEnabled(false);
    Plik1->addSeparator();
    Koniec1 = item(Plik1, "Koniec1", "&Koniec");
    connect(Koniec1, &QAction::triggered, this, &TMainWin::Koniec1Click);

    Widok1 = menu("Widok1", "Widok");
    Minmax1 = item(Widok1, "Minmax1", "Obróbka danych");
    Minmax1->setCheckable(true);
    Minmax1->setChecked(true);
    Widok1->addSeparator();
    Danezurzdzenia1 = item(Widok1, "Danezurzdzenia1", "Dane z urządzenia");
    Danezurzdzenia1->setCheckable(true);
    Danezurzdzenia1->setChecked(true);

    Serwis = menu("Serwis", "&Serwis");
    Zmieuytkownika1 = item(
        Serwis, "Zmieuytkownika1", "Zmień &użytkownika...", QKeySequence(Qt::CTRL | Qt::Key_U));
    Serwis->addSeparator();
    Wyjdztryb1 = item(Serwis, "Wyjdztryb1", "&Wyjdź z trybu serwisowego");
    Serwis->menuAction()->setVisible(false);

    Ustawienia = menu("Ustawienia", "&Ustawienia");
    Poczony1 = item(Ustawienia, "Poczony1", "Połączony");
    Poczony1->setCheckable(true);
    Trans = named(Ustawienia->addMenu(QStringLiteral("Parametry &transmisji")), "Trans");
    Trans->menuAction()->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    // Only the shortcut triggers a submenu's entry (a click or Enter opens the submenu itself).
    connect(Trans->menuAction(), &QAction::triggered, this, &TMainWin::TransClick);
    COM11 = item(Trans, "COM11", "COM1");
    COM11->setCheckable(true);
    COM11->setChecked(true);
    COM21 = item(Trans, "COM21", "COM2");
    COM21->setCheckable(true);
    OtherPortsSeparator = Trans->addSeparator();
    OtherPortsSeparator->setVisible(false);
    connect(Trans, &QMenu::aboutToShow, this, &TMainWin::TransAboutToShow);
    Ustawienia->addSeparator();
    Zmieautomatycznewyczanie1
        = item(Ustawienia, "Zmieautomatycznewyczanie1", "Automatyczne wyłączanie urządzenia");
    // Checked while the meter reports its automatic power-off on, and then shown as a radio
    // item (a bullet): menus draw the checked items of an exclusive group so.
    Zmieautomatycznewyczanie1->setCheckable(true);
    auto *radio = new QActionGroup(Zmieautomatycznewyczanie1);
    radio->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    radio->addAction(Zmieautomatycznewyczanie1);
    Ustawienia->addSeparator();
    Ustawieniaserwisowe1 = item(Ustawienia, "Ustawieniaserwisowe1", "Tryb &serwisowy...",
        QKeySequence(Qt::CTRL | Qt::Key_S));
    ZmienJezyk = item(Ustawienia, "ZmienJezyk", "Zmień język...");
    connect(ZmienJezyk, &QAction::triggered, this, &TMainWin::ZmienJezykClick);

    Raport1 = menu("Raport1", "Raport");
    Twrzraport1 = item(Raport1, "Twrzraport1", "Twórz raport");
    connect(Twrzraport1, &QAction::triggered, this, &TMainWin::Twrzraport1Click);

    Pomoc1 = menu("Pomoc1", "P&omoc");
    OProgramie1 = item(Pomoc1, "OProgramie1", "&O Programie", QKeySequence(Qt::Key_F1));
    connect(OProgramie1, &QAction::triggered, this, &TMainWin::OProgramie1Click);
}

void TMainWin::buildResultPanel(QWidget *client)
{
    PanelWynik = panel(client, "PanelWynik", QRect(8, 8, 217, 153));
    setBackground(PanelWynik, Colours::kGrey);

    GroupBox1 = named(new QGroupBox(QStringLiteral(" Wynik "), PanelWynik), "GroupBox1");
    GroupBox1->setGeometry(4, 2, 209, 98);
    setTextColour(GroupBox1, Colours::kWhite);

    SWynik = named(new ReadingLabel(GroupBox1), "SWynik");
    SWynik->setGeometry(4, 16, 201, 42);
    SWynik->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont big(QStringLiteral("DejaVu Sans Condensed"));
    big.setPixelSize(32);
    big.setBold(true);
    SWynik->setFont(big);
    paintOwnBackground(SWynik);
    setTextColour(SWynik, Colours::kYellow);

    Falka = named(new QLabel(QStringLiteral("~"), GroupBox1), "Falka");
    Falka->setGeometry(6, 14, 20, 24);
    QFont wave = Falka->font();
    wave.setPixelSize(22);
    wave.setBold(true);
    Falka->setFont(wave);
    setTextColour(Falka, Colours::kYellow);
    Falka->hide();

    BP = named(new QLabel(QString::fromUtf8("Brak transmisji"), GroupBox1), "BP");
    BP->setGeometry(6, 66, 130, 24);
    QFont warning = BP->font();
    warning.setPixelSize(13);
    warning.setBold(true);
    BP->setFont(warning);
    setTextColour(BP, Colours::kGrey);

    LastWYnik = named(new QToolButton(GroupBox1), "LastWYnik");
    LastWYnik->setGeometry(150, 64, 25, 25);
    LastWYnik->setIcon(QIcon(QStringLiteral(":/images/pause.png")));
    LastWYnik->setAutoRaise(true);

    OneWynik = named(new QToolButton(GroupBox1), "OneWynik");
    OneWynik->setGeometry(178, 64, 25, 25);
    OneWynik->setIcon(QIcon(QStringLiteral(":/images/one.png")));
    OneWynik->setAutoRaise(true);
    OneWynik->hide();

    GroupBox4 = named(new QGroupBox(QStringLiteral(" Temperatura "), PanelWynik), "GroupBox4");
    GroupBox4->setGeometry(4, 102, 209, 47);
    setTextColour(GroupBox4, Colours::kWhite);

    STemp = named(new ReadingLabel(QStringLiteral("C"), GroupBox4), "STemp");
    STemp->setGeometry(50, 16, 120, 26);
    QFont temp(QStringLiteral("DejaVu Sans Condensed"));
    temp.setPixelSize(18);
    temp.setBold(true);
    STemp->setFont(temp);
    STemp->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    paintOwnBackground(STemp);
    setTextColour(STemp, Colours::kSilver);
    STemp->hide();

    stopien = named(new QLabel(QStringLiteral("o"), GroupBox4), "stopien");
    stopien->setGeometry(151, 14, 10, 12);
    QFont degree = stopien->font();
    degree.setPixelSize(10);
    degree.setBold(true);
    stopien->setFont(degree);
    setTextColour(stopien, Colours::kSilver);
    stopien->hide();
}

void TMainWin::buildStatisticsPanel(QWidget *client)
{
    PanelStat = panel(client, "PanelStat", QRect(232, 8, 153, 89));

    Dane = named(new QCheckBox(QString::fromUtf8("Obróbka danych "), PanelStat), "Dane");
    Dane->setGeometry(6, 4, 120, 20);
    Dane->setChecked(true);

    Button1 = named(new QPushButton(QStringLiteral("c"), PanelStat), "Button1");
    Button1->setGeometry(130, 5, 17, 17);
    setButtonColours(Button1, Colours::kRed, Qt::white);

    auto row = [&](QLabel *&caption, QLabel *&value, const char *captionName, const char *valueName,
                   const char *text, int y) {
        caption = named(new QLabel(QString::fromUtf8(text), PanelStat), captionName);
        caption->setGeometry(8, y, 70, 18);
        value = named(new QLabel(PanelStat), valueName);
        value->setGeometry(78, y, 68, 18);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        paintOwnBackground(value);
    };
    row(Min1, Min, "Min1", "Min", "Minimum:", 28);
    row(Max1, Max, "Max1", "Max", "Maksimum:", 46);
    row(Avr1, Avr, "Avr1", "Avr", "Średnia:", 64);
}

void TMainWin::buildFilterPanel(QWidget *client)
{
    PanelFiltr = panel(client, "PanelFiltr", QRect(232, 104, 153, 57));
    filtr = named(new QCheckBox(QStringLiteral("Filtr cyfrowy"), PanelFiltr), "filtr");
    filtr->setGeometry(6, 4, 140, 20);
    LabelTau = named(new QLabel(QStringLiteral("T ="), PanelFiltr), "LabelTau");
    LabelTau->setGeometry(10, 30, 28, 20);
    Tau = named(new QLineEdit(QStringLiteral("0,05"), PanelFiltr), "Tau");
    Tau->setGeometry(40, 29, 64, 22);
}

void TMainWin::buildControlPanel(QWidget *client)
{
    PanelSterowanie = panel(client, "PanelSterowanie", QRect(391, 8, 146, 153));
    Panel9 = named(new QLabel(QStringLiteral("  Sterowanie"), PanelSterowanie), "Panel9");
    Panel9->setGeometry(2, 2, 142, 22);
    Panel9->setFrameShape(QFrame::Panel);
    Panel9->setFrameShadow(QFrame::Sunken);
    QFont heading = Panel9->font();
    heading.setBold(true);
    Panel9->setFont(heading);

    auto button = [&](const char *name, const char *caption, int y) {
        auto *b = named(new QPushButton(QString::fromUtf8(caption), PanelSterowanie), name);
        b->setGeometry(8, y, 130, 27);
        return b;
    };
    S_Polacz = button("S_Polacz", "Połącz", 30);
    S_Zapisz = button("S_Zapisz", "Zapisz do pliku", 60);
    S_Zapisz->setEnabled(false);
    SpeedButton1 = button("SpeedButton1", "Dane z urządzenia", 90);
    Button2 = button("Button2", "Otwórz plik", 120);
}

void TMainWin::buildScalePanel(QWidget *client)
{
    PanelSkala = panel(client, "PanelSkala", QRect(544, 8, 113, 377));
    Autoskalowanie
        = named(new QCheckBox(QStringLiteral("Autoskalowanie"), PanelSkala), "Autoskalowanie");
    Autoskalowanie->setGeometry(6, 6, 104, 20);
    fitCaption(Autoskalowanie);
    Autoskalowanie->setChecked(true);

    auto track = [&](QLabel *&label, QSlider *&slider, const char *labelName,
                     const char *sliderName, const char *caption, int x) {
        label = named(new QLabel(QString::fromUtf8(caption), PanelSkala), labelName);
        label->setGeometry(x, 32, 50, 18);
        label->setAlignment(Qt::AlignHCenter);
        slider = named(new QSlider(Qt::Vertical, PanelSkala), sliderName);
        slider->setGeometry(x + 13, 54, 24, 314);
        // Like the meter's front panel: the smallest value at the top.
        slider->setInvertedAppearance(true);
        slider->setInvertedControls(true);
        slider->setEnabled(false);
    };
    track(Label13, W, "Label13", "W", "Wzmoc.", 4);
    W->setRange(1, 100);
    W->setValue(52);
    track(Label14, O, "Label14", "O", "Offset", 58);
    O->setRange(-4000, 4000);
    O->setValue(500);
}

void TMainWin::buildChartArea(QWidget *client)
{
    Wykres1 = named(new TWykres(client), "Wykres1");
    Wykres1->setGeometry(8, 168, 529, 217);
    Wykres1->setMax(0.1);
    Wykres1->setSkala(20.0);

    Kosz = named(new RestingToolButton(Wykres1), "Kosz");
    Kosz->setGeometry(4, 188, 25, 25);
    Kosz->setIcon(QIcon(QStringLiteral(":/images/kosz.png")));
    Kosz->setAutoRaise(true);

    TrackBar1 = named(new QSlider(Qt::Horizontal, client), "TrackBar1");
    // Under the chart, in the gap above the status bar's text: 22 rows from 385 would reach the
    // top of that text. At the slider's own height its groove lies in the gap, and its handle
    // ends above the text and reaches 4 rows into the chart's bottom edge.
    TrackBar1->setGeometry(8, 381, 529, 15);
    TrackBar1->setRange(1, 1);
    TrackBar1->setValue(1);
    TrackBar1->hide();

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(250);

    // The service panel covers the chart's rectangle while it is shown.
    Send = new ServicePanel(client);
    Send->setGeometry(8, 168, 529, 217);
    Send->hide();

    DisplayTimer = named(new QTimer(this), "DisplayTimer");
    DisplayTimer->setSingleShot(true);
    DisplayTimer->setTimerType(Qt::PreciseTimer);
    DisplayClock.start();

    SprPolacz = named(new QTimer(this), "SprPolacz");
    SprPolacz->setInterval(500);
}

void TMainWin::createComPort()
{
    ComPort1 = MakeLinkPort({"COM1", dbEight, dtrEnable});
    Link1 = std::make_unique<MeterLink>(*ComPort1, MeterLink::FramesPerEvent::All,
        MeterLink::Handlers {
            [this] { ComPort1Open(); },
            [this] { ComPort1Close(); },
            [this](const EComPort &why) { ComPort1LinkLost(why); },
            [this](std::span<const ResultFrameBytes> frames) { ComPort1RxChar(frames); },
        });
}

namespace {
// Menu items whose checked state their handler sets itself: a click must not toggle it first.
template <typename Handler> void onClick(QAction *action, Handler handler)
{
    QObject::connect(action, &QAction::triggered, action, [action, handler] {
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        handler();
    });
}
} // namespace

void TMainWin::connectHandlers()
{
    onClick(Poczony1, [this] { Poczony1Click(); });
    connect(S_Polacz, &QPushButton::clicked, this, &TMainWin::Poczony1Click);
    onClick(COM11, [this] { COM11Click(); });
    onClick(COM21, [this] { COM21Click(); });
    onClick(Zmieautomatycznewyczanie1, [this] { TimeOutClick(); });
    connect(SprPolacz, &QTimer::timeout, this, &TMainWin::SprPolaczTimer);
    connect(DisplayTimer, &QTimer::timeout, this, &TMainWin::ApplyDisplay);
    onClick(Zapisz1, [this] { Zapisz1Click(); });
    onClick(Zakoncz, [this] { ZakonczClick(); });
    connect(S_Zapisz, &QPushButton::clicked, this, &TMainWin::S_ZapiszClick);
    onClick(Otwrz1, [this] { Otwrz1Click(); });
    connect(EksportCSV1, &QAction::triggered, this, &TMainWin::EksportCSV1Click);
    connect(Button2, &QPushButton::clicked, this, &TMainWin::Otwrz1Click);

    connect(filtr, &QCheckBox::toggled, this, &TMainWin::filtrClick);
    connect(Send->filtrTemp, &QCheckBox::toggled, this, &TMainWin::filtrTempClick);
    connect(Send->Button3, &QPushButton::clicked, this, &TMainWin::Button3Click);
    connect(Button1, &QPushButton::clicked, this, &TMainWin::Button1Click);
    connect(Dane, &QCheckBox::toggled, this, &TMainWin::DaneClick);
    onClick(Minmax1, [this] { Minmax1Click(); });
    connect(LastWYnik, &QToolButton::clicked, this, &TMainWin::LastWYnikClick);
    connect(OneWynik, &QToolButton::clicked, this, &TMainWin::OneWynikClick);
    connect(Kosz, &QToolButton::clicked, this, &TMainWin::KoszClick);
    onClick(Danezurzdzenia1, [this] { Danezurzdzenia1Click(); });
    connect(SpeedButton1, &QPushButton::clicked, this, &TMainWin::Danezurzdzenia1Click);
    connect(TrackBar1, &QSlider::valueChanged, this, &TMainWin::TrackBar1Change);
    connect(Timer1, &QTimer::timeout, this, &TMainWin::Timer1Timer);
    connect(Autoskalowanie, &QCheckBox::toggled, this, &TMainWin::AutoskalowanieClick);
    connect(W, &QSlider::valueChanged, this, &TMainWin::WChange);
    connect(O, &QSlider::valueChanged, this, &TMainWin::WChange);
}

void TMainWin::buildStatusBar(QWidget *client)
{
    constexpr int Height = 21;
    auto *bar = named(new QStatusBar(client), "StatusBar1");
    bar->setSizeGripEnabled(false);
    bar->setGeometry(0, ClientHeight - Height, ClientWidth, Height);
    // The scroll bar of a loaded file reaches into the status bar's top rows; while shown it
    // stays on top, so that it can be used.
    TrackBar1->raise();
    auto panelLabel = [&](const char *name) {
        auto *label = named(new QLabel(bar), name);
        label->setFixedWidth(200);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addWidget(label);
        return label;
    };
    StatusPanel0 = panelLabel("StatusPanel0");
    StatusPanel1 = panelLabel("StatusPanel1");
}

void TMainWin::FormCreate()
{
    ApplyLanguage();
    Wykres1->Clear();
    adjustSize();
    centreOnScreen(this);
}

void TMainWin::ApplyLanguage()
{
    Plik1->setTitle(Tekst(1));
    Widok1->setTitle(Tekst(2));
    Serwis->setTitle(Tekst(3));
    Ustawienia->setTitle(Tekst(4));
    Raport1->setTitle(Tekst(5));
    Pomoc1->setTitle(Tekst(6));
    Otwrz1->setText(Tekst(7));
    Zapisz1->setText(Tekst(8));
    Zakoncz->setText(Tekst(9));
    EksportCSV1->setText(Tekst(98));
    Koniec1->setText(Tekst(11));
    Minmax1->setText(Tekst(12));
    Danezurzdzenia1->setText(Tekst(13));
    Zmieuytkownika1->setText(Tekst(14));
    Wyjdztryb1->setText(Tekst(15));
    Poczony1->setText(Tekst(16));
    Trans->setTitle(Tekst(17));
    Zmieautomatycznewyczanie1->setText(Tekst(18));
    PowerOffCaptionShown.reset();
    Ustawieniaserwisowe1->setText(Tekst(19));
    ZmienJezyk->setText(Tekst(20));
    Twrzraport1->setText(Tekst(21));
    OProgramie1->setText(Tekst(22));
    GroupBox1->setTitle(Tekst(23));
    GroupBox4->setTitle(Tekst(24));
    Dane->setText(Tekst(25));
    Min1->setText(Tekst(26));
    Max1->setText(Tekst(27));
    Avr1->setText(Tekst(28));
    filtr->setText(Tekst(29));
    Panel9->setText(Tekst(30));
    S_Polacz->setText(Tekst(portOpen() ? 32 : 31));
    StatusPanel0->setText(portOpen() ? Tekst(40) + QLatin1Char(' ') + portName() : Tekst(41));
    S_Zapisz->setText(Tekst(Zapisywanie() ? 34 : 33)); // the caption says what a click does
    SpeedButton1->setText(Tekst(35));
    Button2->setText(Tekst(36));
    Autoskalowanie->setText(Tekst(37));
    Label13->setText(Tekst(38));
    Label14->setText(Tekst(39));
    BP->setText(Tekst(42));
    LastWYnik->setToolTip(Tekst(90));
    OneWynik->setToolTip(Tekst(92));
    Kosz->setToolTip(Tekst(93));
}

void TMainWin::Koniec1Click()
{
    close();
}

void TMainWin::OProgramie1Click()
{
    if (AboutWin == nullptr)
        return;
    AboutWin->showAgain();
    hide();
}

void TMainWin::ZmienJezykClick()
{
    auto *dialog = new TJezyk(this);
    connect(dialog, &TJezyk::languageChosen, this, &TMainWin::ApplyLanguage);
    dialog->show();
}

void TMainWin::closeEvent(QCloseEvent *event)
{
    if (!SettleRecordingBeforeClosing()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TMainWin::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (RecoveryOfferDue) {
        RecoveryOfferDue = false;
        // Once the window is on the screen, above which the question stands.
        QTimer::singleShot(0, this, &TMainWin::OfferInterruptedRecordings);
    }
}

void TMainWin::FormClose()
{
    setWindowState(Qt::WindowNoState);
    if (ComPort1->Connected())
        ComPort1->Close();
    QApplication::quit();
}
