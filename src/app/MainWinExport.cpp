// The CSV export: the result store (recording, or opened from a data file), or else the
// recording that ended last, written for spreadsheets with the times the results came in.
#include "app/MainWin.h"
#include "core/Messages.h"

#include <QAction>

void TMainWin::EmptyResultStore(bool keepForExport)
{
    if (keepForExport) {
        LastRecording.texts = std::move(Wyniki);
        LastRecording.stamps = std::move(ResultStamps);
    } else {
        LastRecording = {};
    }
    Wyniki.clear();
    ResultStamps.clear();
    UpdateExportItem();
}

void TMainWin::UpdateExportItem()
{
    EksportCSV1->setEnabled(LiczbaWynikow() > 0 || !LastRecording.texts.isEmpty());
}

void TMainWin::EksportCSV1Click()
{
    const QString path = Questions.saveCsvFile();
    if (path.isEmpty())
        return;
    // What the store holds now, after the dialog: a recording goes on while it is shown.
    const bool store = LiczbaWynikow() > 0;
    const QStringList &texts = store ? Wyniki : LastRecording.texts;
    if (texts.isEmpty())
        return;
    if (!WriteResultsCsv(path, texts, store ? ResultStamps : LastRecording.stamps))
        ShowMessage(this, FileWriteFailedMessage());
}
