// The "Opcje" tab: the settings of both links as selectors applied at once (the ports picked
// kept for the next run), the reference channel, and the hidden test panels whose buttons run
// the links' operations.
#include "calib/KalibracjaMain.h"

#include "core/Messages.h"
#include "core/Named.h"
#include "core/Remembered.h"
#include "serial/CPort.h"
#include "serial/ComComboBox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
struct SelectorRow {
    TComProperty property;
    const char *caption;
    const char *suffix; // of the control's name
};

constexpr SelectorRow kSelectorRows[] = {
    {cpPort, "Połączenie na porcie:", "Port"},
    {cpBaudRate, "Predkość interfejsu:", "BaudRate"},
    {cpDataBits, "Bity danych:", "DataBits"},
    {cpStopBits, "Bity stopu:", "StopBits"},
    {cpParity, "Parzystość:", "Parity"},
    {cpFlowControl, "Flow control:", "FlowControl"},
};

QPushButton *testButton(QLayout *row, const char *caption, const char *name)
{
    auto *button = named(new QPushButton(QString::fromUtf8(caption)), name);
    row->addWidget(button);
    return button;
}
} // namespace

void TkKalibracja::buildOpcjeTab()
{
    kTabOpcje = named(new QWidget, "kTabOpcje");
    kPageControl->addTab(kTabOpcje, QStringLiteral("Opcje"));
    auto *groups = new QHBoxLayout(kTabOpcje);

    // The six selectors of a link, applied to it as soon as the user picks a value.
    const auto addSelectors = [this](QFormLayout *form, TComPort &link, const char *prefix,
                                  const QString &portKey,
                                  std::initializer_list<TComComboBox **> members) {
        auto member = members.begin();
        for (const SelectorRow &row : kSelectorRows) {
            auto *selector = new TComComboBox;
            selector->setObjectName(QLatin1String(prefix) + QLatin1String(row.suffix));
            selector->SetComProperty(row.property);
            selector->SetComPort(&link);
            selector->SetAutoApply(true);
            selector->OnApplyError = [this](const EComPort &error) {
                ShowMessage(this, QString::fromUtf8(error.what()));
            };
            // A port picked is kept for the next run under portKey.
            if (row.property == cpPort) {
                connect(selector, &QComboBox::activated, this, [&link, portKey] {
                    Remembered::keep(portKey, QString::fromStdString(link.Port()));
                });
            }
            form->addRow(QString::fromUtf8(row.caption), selector);
            **member++ = selector;
        }
    };

    kWzorOpcje = named(new QGroupBox(QStringLiteral("Opcje urzadzenia wzorcowego")), "kWzorOpcje");
    auto *wzor = new QFormLayout(kWzorOpcje);
    addSelectors(wzor, *kComWzor, "kWzor", Remembered::ReferencePort,
        {&kWzorPort, &kWzorBaudRate, &kWzorDataBits, &kWzorStopBits, &kWzorParity,
            &kWzorFlowControl});
    kWybierzKanal = named(new QComboBox, "kWybierzKanal");
    kWybierzKanal->setEditable(true);
    kWybierzKanal->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    kWybierzKanal->setCurrentIndex(0);
    wzor->addRow(QString::fromUtf8("Kanał pomiarowy:"), kWybierzKanal);
    kWzorTest = named(new QWidget, "kWzorTest");
    auto *wzorTest = new QHBoxLayout(kWzorTest);
    kWzorPolacz = testButton(wzorTest, "Polacz", "kWzorPolacz");
    kWzorSetMaster = testButton(wzorTest, "Set Master", "kWzorSetMaster");
    kWzorSetSlave = testButton(wzorTest, "Set Slave", "kWzorSetSlave");
    kWzorRozlacz = testButton(wzorTest, "Rozlacz", "kWzorRozlacz");
    kWzorPomiar = testButton(wzorTest, "Pomiar", "kWzorPomiar");
    Label12 = named(new QLabel(QStringLiteral("0")), "Label12");
    wzorTest->addWidget(Label12);
    wzor->addRow(kWzorTest);
    kWzorTest->hide();
    groups->addWidget(kWzorOpcje, 0, Qt::AlignTop);

    kKalibOpcje
        = named(new QGroupBox(QStringLiteral("Opcje urzadzenia kalibrowanego")), "kKalibOpcje");
    auto *kalib = new QFormLayout(kKalibOpcje);
    addSelectors(kalib, *kComKalib, "kKalib", Remembered::CalibPort,
        {&kKalibPort, &kKalibBaudRate, &kKalibDataBits, &kKalibStopBits, &kKalibParity,
            &kKalibFlowControl});
    kKalibTest = named(new QWidget, "kKalibTest");
    auto *kalibTest = new QHBoxLayout(kKalibTest);
    kKalibPolacz = testButton(kalibTest, "Polacz", "kKalibPolacz");
    kKalibRozlacz = testButton(kalibTest, "Rozlacz", "kKalibRozlacz");
    kKalibPomiar = testButton(kalibTest, "Pomiar", "kKalibPomiar");
    Label13 = named(new QLabel(QStringLiteral("0")), "Label13");
    kalibTest->addWidget(Label13);
    kalib->addRow(kKalibTest);
    kKalibTest->hide();
    groups->addWidget(kKalibOpcje, 1, Qt::AlignTop);
}

void TkKalibracja::connectTestPanels()
{
    const auto wire = [this](QPushButton *button, void (TkKalibracja::*action)()) {
        connect(button, &QPushButton::clicked, this, [this, action] { RunShowingErrors(action); });
    };
    wire(kWzorPolacz, &TkKalibracja::kComWzorOpen);
    wire(kWzorSetMaster, &TkKalibracja::kComWzorSetMaster);
    wire(kWzorSetSlave, &TkKalibracja::kComWzorSetSlave);
    wire(kWzorRozlacz, &TkKalibracja::kComWzorClose);
    wire(kWzorPomiar, &TkKalibracja::kComWzorPomiar);
    wire(kKalibPolacz, &TkKalibracja::kComKalibOpen);
    wire(kKalibRozlacz, &TkKalibracja::kComKalibClose);
    // The meter's "Pomiar" does nothing: its readings come with its frames.
}
