// Connecting to the meter: the connect/disconnect toggle, the choice of port, the reactions
// to the port opening and closing (or vanishing), and the watchdog that shows a silent meter.
#include "app/MainWin.h"
#include "app/PortOpenFailure.h"
#include "app/ServicePanel.h"
#include "core/Jezyki.h"
#include "core/Messages.h"
#include "core/WidgetColours.h"
#include "measure/LinkColours.h"
#include "serial/CPort.h"
#include "serial/ComDevicePath.h"
#include "serial/ComSettings.h"

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
    if (!COM21->isChecked())
        return;
    ComPort1->SetPort("COM1");
    COM21->setChecked(false);
    COM11->setChecked(true);
}

void TMainWin::COM21Click()
{
    if (!COM11->isChecked())
        return;
    ComPort1->SetPort("COM2");
    COM11->setChecked(false);
    COM21->setChecked(true);
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
