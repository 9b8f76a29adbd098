// Service mode: the service menu, the service panel over the chart and the button that
// shows it again, and the wiring of the panel's controls.
#include "app/HasloWin.h"
#include "core/Named.h"
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "app/UzytkownikWin.h"
#include "core/CentreOnScreen.h"
#include "measure/Wykres.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

namespace {
void showCentred(QWidget *dialog)
{
    if (dialog == nullptr)
        return;
    centreOnScreen(dialog);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
} // namespace

void TMainWin::buildServiceControls(QWidget *client)
{
    PokazSerwis = named(new QToolButton(client), "PokazSerwis");
    PokazSerwis->setGeometry(504, 352, 25, 25);
    PokazSerwis->setArrowType(Qt::UpArrow);
    PokazSerwis->setToolTip(QString::fromUtf8("Pokaż panel serwisowy"));
    // Under the panel: while the panel is shown, its own UkrysSerwis takes the clicks there.
    PokazSerwis->stackUnder(Send);
    PokazSerwis->hide();

    connect(Ustawieniaserwisowe1, &QAction::triggered, this, &TMainWin::Ustawieniaserwisowe1Click);
    connect(Wyjdztryb1, &QAction::triggered, this, &TMainWin::Wyjdztryb1Click);
    connect(Zmieuytkownika1, &QAction::triggered, this, &TMainWin::Zmieuytkownika1Click);
    connect(PokazSerwis, &QToolButton::clicked, this, &TMainWin::PokazSerwisClick);
    connect(Send->UkrysSerwis, &QToolButton::clicked, this, &TMainWin::UkrysSerwisClick);

    connect(Send->Wyslij, &QPushButton::clicked, this, &TMainWin::WyslijClick);
    connect(Send->Button4, &QPushButton::clicked, this, &TMainWin::Button4Click);
    connect(Send->Odbierz, &QPushButton::clicked, this, &TMainWin::OdbierzClick);
    connect(Send->Zapisz, &QPushButton::clicked, this, &TMainWin::ZapiszParametryClick);
    connect(Send->Otworz, &QPushButton::clicked, this, &TMainWin::OtworzParametryClick);
    connect(Send->BitBtn1, &QPushButton::clicked, this, &TMainWin::BitBtn1Click);
    connect(Send->Sondy, &QTableWidget::cellDoubleClicked, this, &TMainWin::SondyDblClick);
}

void TMainWin::WlaczSerwis()
{
    Serwis->menuAction()->setVisible(true);
    Send->show();
    PokazSerwis->show();
    Wykres1->Clear();
}

void TMainWin::WylaczSerwis()
{
    Serwis->menuAction()->setVisible(false);
    Send->hide();
    PokazSerwis->hide();
    Wykres1->Clear();
}

void TMainWin::Ustawieniaserwisowe1Click()
{
    showCentred(HasloWin);
}

void TMainWin::Wyjdztryb1Click()
{
    WylaczSerwis();
}

void TMainWin::Zmieuytkownika1Click()
{
    showCentred(UzytkownikWin);
}

void TMainWin::UkrysSerwisClick()
{
    Send->hide();
}

void TMainWin::PokazSerwisClick()
{
    Send->show();
}
