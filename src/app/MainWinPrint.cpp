// Printing: the calibration card from the service panel and the measurement report from the
// report menu. Each press opens a new dialog, owned by the main window, which waits, disabled,
// until the dialog closes. The report's file dialog stands over the report, which has the
// keyboard again when it closes.
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "files/DataFileDialog.h"
#include "print/PrintDataWin.h"
#include "print/RaportWin.h"

void TMainWin::BitBtn1Click()
{
    auto *card = new TPrintDataWin(this, [this] { return Send->Texts(); });
    card->show();
}

void TMainWin::Twrzraport1Click()
{
    auto *report = new TRaport_Win(
        this, [](QWidget *dialog) { return AskDataFile(dialog, QFileDialog::AcceptOpen); });
    report->show();
}
