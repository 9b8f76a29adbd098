// Printing: the calibration card from the service panel and the measurement report from the
// report menu. Each press opens a new dialog, owned by the main window, which waits, disabled,
// until the dialog closes.
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "print/PrintDataWin.h"
#include "print/RaportWin.h"

void TMainWin::BitBtn1Click()
{
    auto *card = new TPrintDataWin(this, [this] { return Send->Texts(); });
    card->show();
}

void TMainWin::Twrzraport1Click()
{
    auto *report = new TRaport_Win(this, [this] { return Questions.openDataFile(); });
    report->show();
}
