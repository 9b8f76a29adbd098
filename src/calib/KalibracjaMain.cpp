// The wizard window: its tabs, status bar, show and tab change, and the helpers its links share.
#include "calib/KalibracjaMain.h"

#include "calib/Evaluation.h"
#include "calib/KalibracjaHost.h"
#include "calib/KalibracjaMessages.h"
#include "calib/KalibracjaWykres.h"
#include "calib/SampleGrid.h"
#include "calib/SampleTable.h"
#include "core/Messages.h"
#include "core/Named.h"
#include "core/Remembered.h"
#include "serial/CPort.h"
#include "serial/ComComboBox.h"
#include "serial/ComTexts.h"
#include "serial/RememberedPort.h"

#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

TkKalibracja::TkKalibracja(KalibracjaHost *host)
    : QWidget(nullptr, Qt::Window)
    , Probki(std::make_unique<SampleTable>())
    , Host(host)
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
    kComWzor->SetPort(rememberedPort(Remembered::ReferencePort, kComWzor->Port()));
    kComKalib->SetPort(rememberedPort(Remembered::CalibPort, kComKalib->Port()));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    kPageControl = named(new QTabWidget(this), "kPageControl");
    layout->addWidget(kPageControl, 1);
    buildWizardTab();
    kTabWykres = named(new QWidget, "kTabWykres");
    auto *chart = new QVBoxLayout(kTabWykres);
    chart->setContentsMargins(0, 0, 0, 0);
    kWykres = new KalibracjaWykres(*Probki, kTabWykres);
    chart->addWidget(kWykres);
    kPageControl->addTab(kTabWykres, QStringLiteral("Wykres"));
    buildOpcjeTab();
    buildStatusBar();
    layout->addWidget(kStatusBar);
    connectTestPanels();
    FormResize();

    connect(kPageControl, &QTabWidget::currentChanged, this, [this] {
        if (kPageControl->currentWidget() == kTabWizard)
            kTabWizardEnter();
        kPageControlChange();
    });
    kPageControlChange();
}

// "Dane": the sample grid on the left; on the right the three pages, one shown, and the
// buttons of the steps under them.
void TkKalibracja::buildWizardTab()
{
    kTabWizard = named(new QWidget, "kTabWizard");
    kPageControl->addTab(kTabWizard, QStringLiteral("Dane"));
    auto *columns = new QHBoxLayout(kTabWizard);

    SG1 = new SampleGrid(*Probki, kTabWizard);
    int columnsWidth = 0;
    for (int c = 0; c < SG1->columnCount(); ++c)
        columnsWidth += SG1->columnWidth(c);
    SG1->setFixedWidth(
        columnsWidth + SG1->verticalScrollBar()->sizeHint().width() + 2 * SG1->frameWidth());
    columns->addWidget(SG1);

    auto *right = new QVBoxLayout;
    columns->addLayout(right, 1);
    buildPage0();
    buildPage1();
    buildPage2();
    for (QWidget *page : {kWizardPage0, kWizardPage1, kWizardPage2})
        right->addWidget(page);
    right->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    kWstecz = named(new QPushButton(QStringLiteral("<< Wstecz")), "kWstecz");
    kDalej = named(new QPushButton(QStringLiteral("Dalej >>")), "kDalej");
    kStart = named(new QPushButton(QStringLiteral("Start")), "kStart");
    for (QPushButton *b : {kWstecz, kDalej, kStart})
        buttons->addWidget(b);
    right->addLayout(buttons);
    ApplySteps();

    connect(kWstecz, &QPushButton::clicked, this, &TkKalibracja::kWsteczClick);
    connect(kDalej, &QPushButton::clicked, this, &TkKalibracja::kDalejClick);
    connect(kStart, &QPushButton::clicked, this, &TkKalibracja::kStartClick);
    connect(SG1, &SampleGrid::IloscProbekChanged, this,
        [this](int count) { kWizardIloscProbekLabel->setText(QString::number(count)); });
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

// Only the showing and hiding the program asks for count: the window system also hides a
// minimised window and shows it again, which must neither reset the wizard nor its samples.
void TkKalibracja::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    ChoosePorts();
    kTabWizardEnter();
}

void TkKalibracja::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        kWizardResetClick();
}

void TkKalibracja::kTabWizardEnter()
{
    const QString range = RangeName(Zakres);
    Label29->setText(range);
    setWindowTitle(QStringLiteral("Kalibracja - zakres: ") + range);
    ApplySteps();
}

void TkKalibracja::ChoosePorts()
{
    const std::string main = Host != nullptr ? Host->MeterLinkPort() : "COM1";
    if (!kComKalib->Connected())
        kComKalib->SetPort(main);
    // With the meter on COM1 or COM2, a reference on one of these two takes the other, as on a
    // machine with just these two ports; a reference on any other port keeps it.
    const auto fixed = [](const std::string &port) { return port == "COM1" || port == "COM2"; };
    if (!kComWzor->Connected() && fixed(main) && fixed(kComWzor->Port()))
        kComWzor->SetPort(main == "COM1" ? "COM2" : "COM1");
    kKalibPort->SetText(QString::fromStdString(kComKalib->Port()));
    kWzorPort->SetText(QString::fromStdString(kComWzor->Port()));
    ShowLinkSummaries();
}

void TkKalibracja::ShowLinkSummaries()
{
    Label15->setText(QString::fromStdString(ComLinkSummary(*kComWzor)));
    Label16->setText(QString::fromStdString(ComLinkSummary(*kComKalib)));
}

void TkKalibracja::kPageControlChange()
{
    ShowChartOrNotice(*Probki, *SG1, *kWykres, this);
    ShowLinkSummaries();
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
    // A link that goes while the wizard closes is being closed anyway: the close tells the
    // user what failed, once.
    if (closing_)
        return;
    ShowMessage(this, LinkLostMessage(QString::fromStdString(port.Port()), why));
}
