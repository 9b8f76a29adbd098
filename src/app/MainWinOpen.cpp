// Opening a data file: its results are shown on the chart, filtered, instead of the live ones.
#include "app/AppMessages.h"
#include "app/MainWin.h"
#include "core/Messages.h"
#include "files/DataFile.h"
#include "measure/Wykres.h"

#include <QAction>
#include <QCheckBox>
#include <QSlider>
#include <QToolButton>

void TMainWin::Otwrz1Click()
{
    const QString path = Questions.openDataFile();
    if (path.isEmpty())
        return;
    DataFileContents contents = ReadDataFile(path);
    using Status = DataFileContents::Status;
    if (contents.status == Status::Unreadable || contents.status == Status::NotText) {
        // The store, the chart and the track bar stay as they were.
        ShowMessage(this, FileReadFailedMessage());
        return;
    }
    Recorder.Load(std::move(contents.lines));
    UpdateExportItem();
    ShowStoredResults();
    if (contents.status == Status::Truncated)
        ShowMessage(this, DataFileTruncatedMessage(MaxDataFileResults));
}

void TMainWin::ShowStoredResults()
{
    Kosz->hide();
    Danezurzdzenia1->setChecked(false);
    // Ticking the filter box below refilters and redraws the file itself (with Tau's value, or
    // unfiltered when Tau is no number); only a box already ticked leaves that to us here.
    // Either way the series is computed and drawn once.
    const bool filterTicked = filtr->isChecked();
    if (filterTicked) {
        RefilterStored();
        RedrawStored(1);
    }

    TrackBar1->blockSignals(true);
    TrackBar1->setValue(1);
    const int width = Wykres1->width();
    if (LiczbaWynikow() > width - 2) {
        TrackBar1->setMaximum(LiczbaWynikow() - width + 1);
        TrackBar1->show();
    } else {
        TrackBar1->setMaximum(1);
        TrackBar1->hide();
    }
    TrackBar1->blockSignals(false);

    Wykres1->setAutoSkala(true);
    if (!filterTicked)
        filtr->setChecked(true);
}
