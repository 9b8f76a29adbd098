// Connecting to the meter: the connect/disconnect toggle, the choice of port (COM1, COM2 and
// every other port of the machine, the last one chosen kept for the next run), the reactions
// to the port opening and closing (or vanishing), and the watchdog that shows a silent meter.
#include "app/MainWin.h"
#include "app/PortMenuEntries.h"
#include "app/PortOpenFailure.h"
#include "app/ServicePanel.h"
#include "core/Jezyki.h"
#include "core/Messages.h"
#include "core/Remembered.h"
#include "core/WidgetColours.h"
#include "measure/LinkColours.h"
#include "serial/CPort.h"
#include "serial/ComDevicePath.h"
#include "serial/ComSettings.h"
#include "serial/RememberedPort.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

bool TMainWin::portOpen() const
{
    return ComPort1 && ComPort1->Connected();
}

QString TMainWin::portName() const
{
    return QString::fromStdString(ComPort1->Port());
}

void TMainWin::Poczony1Click()
{
    QApplication::beep();
    if (Poczony1->isChecked()) {
        ComPort1->Close();
        SetDisconnectedControls();
        return;
    }
    OpenLink();
}

void TMainWin::OpenLink()
{
    try {
        ComPort1->Open();
    } catch (const EComPort &why) {
        const std::string device = comDevicePath(comPortNumber(ComPort1->Port()));
        ShowMessage(this, PortOpenFailureMessage(portName(), device, why));
        return;
    }
    Poczony1->setChecked(true);
    EnablePortChoice(false);
    Send->Wyslij->setEnabled(true);
    SprPolacz->start();
    // A recording still running from before a disconnect is not restarted over its results.
    Zapisz1->setEnabled(!Zapisywanie());
    S_Zapisz->setEnabled(true);
    S_Polacz->setText(Tekst(32));
}

void TMainWin::SetDisconnectedControls()
{
    Poczony1->setChecked(false);
    EnablePortChoice(true);
    Send->Wyslij->setEnabled(false);
    SprPolacz->stop();
    Zapisz1->setEnabled(false);
    S_Zapisz->setEnabled(false);
    S_Polacz->setText(Tekst(31));
    setTextColour(BP, Colours::kGrey);
}

// The submenu itself is enabled or disabled, not only its entry: its entry follows it, and a
// submenu disabled so stays disabled when its window is disabled and enabled again around a
// dialog (enabling the window would otherwise enable the submenu and with it its entry).
void TMainWin::EnablePortChoice(bool enabled)
{
    Trans->setEnabled(enabled);
}

void TMainWin::TransClick()
{
    // Ctrl+T: the settings menu opens with the port submenu shown.
    menuBar()->setActiveAction(Ustawienia->menuAction());
    Ustawienia->setActiveAction(Trans->menuAction());
}

void TMainWin::COM11Click()
{
    if (!COM11->isChecked())
        ChoosePort("COM1");
}

void TMainWin::COM21Click()
{
    if (!COM21->isChecked())
        ChoosePort("COM2");
}

void TMainWin::ChoosePort(const std::string &name)
{
    ComPort1->SetPort(name);
    CheckPortItem();
    Remembered::keep(Remembered::MainPort, portName());
}

void TMainWin::CheckPortItem()
{
    const QString port = portName();
    COM11->setChecked(port == QLatin1String("COM1"));
    COM21->setChecked(port == QLatin1String("COM2"));
    for (QAction *item : OtherPorts)
        item->setChecked(item->data().toString() == port);
}

void TMainWin::RestorePort()
{
    ComPort1->SetPort(rememberedPort(Remembered::MainPort, ComPort1->Port()));
    CheckPortItem();
}

// The ports plugged in since the menu last opened appear, those unplugged go; the port in use
// stays while connected. A list that cannot be had leaves COM1 and COM2 alone.
void TMainWin::TransAboutToShow()
{
    std::vector<ComPortInfo> found;
    try {
        found = PortLister();
    } catch (const EComPort &) {
    }
    for (QAction *item : OtherPorts)
        delete item;
    OtherPorts.clear();
    for (const PortMenuEntry &entry : otherPortEntries(found, ComPort1->Port(), portOpen())) {
        const QString name = QString::fromStdString(entry.name);
        auto *item = new QAction(QString::fromStdString(entry.label), Trans);
        item->setObjectName(QStringLiteral("Port") + name);
        item->setData(name);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, entry] { ChoosePort(entry.name); });
        Trans->addAction(item);
        OtherPorts.push_back(item);
    }
    OtherPortsSeparator->setVisible(!OtherPorts.empty());
    CheckPortItem();
}

void TMainWin::ComPort1Open()
{
    StatusPanel0->setText(Tekst(40) + portName());
    stopien->setVisible(true);
    STemp->setVisible(true);
    setTextColour(stopien, Colours::kWhite);
    setTextColour(STemp, Colours::kWhite);
    setTextColour(Falka, Colours::kYellow);
    setTextColour(SWynik, Colours::kYellow);
}

void TMainWin::ComPort1Close()
{
    StatusPanel0->setText(Tekst(41));
    for (QWidget *label : {static_cast<QWidget *>(stopien), static_cast<QWidget *>(STemp),
             static_cast<QWidget *>(Falka), static_cast<QWidget *>(SWynik)})
        setTextColour(label, Colours::kSilver);
}

void TMainWin::ComPort1LinkLost(const EComPort &why)
{
    // The port has closed itself (ComPort1Close has run); the controls follow, and the user
    // is told once. Connecting again works as soon as the meter is back.
    SetDisconnectedControls();
    ShowMessage(this, LinkLostMessage(portName(), why.what()));
}

void TMainWin::SprPolaczTimer()
{
    const bool alive = TransmissionSeen;
    TransmissionSeen = false;
    ShowLinkColours(alive);
}

void TMainWin::ShowLinkColours(bool alive)
{
    const LinkColours::Look &look = alive ? LinkColours::Alive : LinkColours::Silent;
    setTextColour(BP, look.warning);
    setTextColour(stopien, look.temperature);
    setTextColour(STemp, look.temperature);
    setTextColour(Falka, look.value);
    setTextColour(SWynik, look.value);
}
