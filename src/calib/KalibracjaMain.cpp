// The wizard window: its pages, status bar and the helpers its links share.
#include "calib/KalibracjaMain.h"

#include "app/Messages.h"
#include "app/Named.h"
#include "calib/KalibracjaMessages.h"
#include "serial/CPort.h"

#include <QCheckBox>
#include <QFont>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

TkKalibracja::TkKalibracja(TMainWin *main)
    : QWidget(nullptr, Qt::Window)
    , MainWin(main)
{
    setObjectName(QStringLiteral("kKalibracja"));
    setWindowTitle(QStringLiteral("Kalibracja"));
    resize(720, 470);
    FormCreate();
}

// The links go before the controls: the selectors bound to them let go as the links are
// destroyed, and are destroyed with the window after that.
TkKalibracja::~TkKalibracja() = default;

void TkKalibracja::SetTarget(int range, int probeRow, bool linkWasOpen)
{
    Zakres = range;
    WierszSondy = probeRow;
    PrzywrocPolaczenie = linkWasOpen;
}

void TkKalibracja::FormCreate()
{
    createWzorLink();
    createKalibLink();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    kPageControl = named(new QTabWidget(this), "kPageControl");
    layout->addWidget(kPageControl, 1);
    buildWizardTab();
    kTabWykres = named(new QWidget, "kTabWykres");
    kPageControl->addTab(kTabWykres, QStringLiteral("Wykres"));
    buildOpcjeTab();
    buildStatusBar();
    layout->addWidget(kStatusBar);
    connectTestPanels();
    FormResize();
}

// The wizard's three pages, with what the links write on them. The wizard's flow lays them out.
void TkKalibracja::buildWizardTab()
{
    kTabWizard = named(new QWidget, "kTabWizard");
    kPageControl->addTab(kTabWizard, QStringLiteral("Dane"));
    auto *pages = new QVBoxLayout(kTabWizard);

    kWizardPage0 = named(new QWidget(kTabWizard), "kWizardPage0");
    pages->addWidget(kWizardPage0);

    kWizardPage1 = named(new QWidget(kTabWizard), "kWizardPage1");
    auto *values = new QFormLayout(kWizardPage1);
    kWizardWzorLabel = named(new QLabel(QStringLiteral("0")), "kWizardWzorLabel");
    values->addRow(QString::fromUtf8("Wartość wzorcowa:"), kWizardWzorLabel);
    kWizardKalLabel = named(new QLabel(QStringLiteral("0")), "kWizardKalLabel");
    CheckBox2 = named(new QCheckBox(QStringLiteral("Zmien znak")), "CheckBox2");
    auto *meter = new QHBoxLayout;
    meter->addWidget(kWizardKalLabel, 1);
    meter->addWidget(CheckBox2);
    values->addRow(QString::fromUtf8("Wartość kalibrowana:"), meter);
    pages->addWidget(kWizardPage1);
    kWizardPage1->hide();

    kWizardPage2 = named(new QWidget(kTabWizard), "kWizardPage2");
    auto *search = new QFormLayout(kWizardPage2);
    Label36 = named(new QLabel(QStringLiteral("0")), "Label36");
    search->addRow(QStringLiteral("Aktualny odczyt kalib.:"), Label36);
    kDebug = named(new QGroupBox(QStringLiteral("Debug")), "kDebug");
    auto *debug = new QHBoxLayout(kDebug);
    SpinEdit1 = named(new QSpinBox, "SpinEdit1");
    SpinEdit1->setRange(INT_MIN, INT_MAX);
    SpinEdit1->setSingleStep(100);
    SpinEdit1->setValue(10000);
    Button9 = named(new QPushButton(QStringLiteral("Wyslij")), "Button9");
    debug->addWidget(SpinEdit1);
    debug->addWidget(Button9);
    search->addRow(kDebug);
    kDebug->hide();
    pages->addWidget(kWizardPage2);
    kWizardPage2->hide();
    pages->addStretch(1);

    connect(Button9, &QPushButton::clicked, this, &TkKalibracja::Button9Click);
}

void TkKalibracja::buildStatusBar()
{
    kStatusBar = named(new QStatusBar(this), "kStatusBar");
    kStatusBar->setSizeGripEnabled(false);
    QFont bold = kStatusBar->font();
    bold.setBold(true);
    kStatusBar->setFont(bold);
    StatusPanel0 = named(new QLabel(WzorStatusText(false)), "StatusPanel0");
    StatusPanel1 = named(new QLabel(KalibStatusText(false)), "StatusPanel1");
    kStatusBar->addWidget(StatusPanel0);
    kStatusBar->addWidget(StatusPanel1, 1);
}

void TkKalibracja::FormResize()
{
    kWzorOpcje->setFixedWidth(std::max(width() / 2 - 8, 0));
    StatusPanel0->setFixedWidth(width() / 2);
}

void TkKalibracja::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

bool TkKalibracja::PortFree(const TComPort &link, const TComPort &other)
{
    if (other.Port() != link.Port() || !other.Connected())
        return true;
    ShowMessage(this, PortBusyMessage(QString::fromStdString(link.Port())));
    return false;
}

void TkKalibracja::RunShowingErrors(void (TkKalibracja::*action)())
{
    try {
        (this->*action)();
    } catch (const std::exception &error) {
        ShowMessage(this, QString::fromUtf8(error.what()));
    }
}

void TkKalibracja::ShowLinkLost(const TComPort &port, const char *why)
{
    ShowMessage(this, LinkLostMessage(QString::fromStdString(port.Port()), why));
}
