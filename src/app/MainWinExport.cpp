// The CSV export: the result store (recording, or opened from a data file), or else the
// recording that ended last, written for spreadsheets with the times the results came in.
#include "app/MainWin.h"
#include "core/Messages.h"

#include <QAction>

void TMainWin::EmptyResultStore(bool keepForExport)
{
    Recorder.Empty(keepForExport);
    UpdateExportItem();
}

void TMainWin::UpdateExportItem()
{
    EksportCSV1->setEnabled(Recorder.HasExport());
}

void TMainWin::EksportCSV1Click()
{
    const QString path = Questions.saveCsvFile();
    if (path.isEmpty())
        return;
    // What the store holds now, after the dialog: a recording goes on while it is shown.
    const QStringList &texts = Recorder.ExportTexts();
    if (texts.isEmpty())
        return;
    if (!WriteResultsCsv(path, texts, Recorder.ExportStamps()))
        ShowMessage(this, FileWriteFailedMessage());
}
