// Recording: while Zapisywanie is set, the recorder keeps every KrokZapisu-th result text in
// Wyniki, and its recovery journal too; stopping writes them to the data file chosen at the
// start and ends the journal.
#include "app/MainWin.h"
#include "core/Jezyki.h"
#include "core/Messages.h"
#include "core/Remembered.h"
#include "files/DataFile.h"
#include "files/DataFileDialog.h"
#include "files/RecoveryJournal.h"
#include "files/SpeedStep.h"
#include "files/WholeFile.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

void TMainWin::askFileQuestionsWithDialogs()
{
    Questions.recordingStep = [this] { return AskRecordingStep(this); };
    Questions.saveDataFile = [this] { return AskDataFile(this, QFileDialog::AcceptSave); };
    Questions.openDataFile = [this] { return AskDataFile(this, QFileDialog::AcceptOpen); };
    Questions.saveCsvFile = [this] {
        return AskFile(
            this, QFileDialog::AcceptSave, Tekst(99), QStringLiteral("csv"), Remembered::CsvFolder);
    };
    Questions.discardUnsaved = [this] {
        return QMessageBox::question(this, QApplication::applicationName(),
                   QString::fromUtf8("Wyniki nie zostały zapisane. Odrzucić je?"),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    };
    Questions.saveBeforeClosing = [this] {
        using Answer = FileQuestions::BeforeClosing;
        switch (QMessageBox::question(this, QApplication::applicationName(), Tekst(100),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
        case QMessageBox::Yes:
            return Answer::Save;
        case QMessageBox::No:
            return Answer::Discard;
        default: // Cancel, Escape or the box's close box
            return Answer::Stay;
        }
    };
}

void TMainWin::S_ZapiszClick()
{
    if (Zapisywanie())
        ZakonczClick();
    else
        Zapisz1Click();
}

void TMainWin::Zapisz1Click()
{
    const int step = Questions.recordingStep();
    if (step < 1)
        return;
    QString file = Questions.saveDataFile();
    // A file that cannot be written is found out now, not when the results are to go there.
    while (!file.isEmpty() && !CanWriteWholeFile(file)) {
        ShowMessage(this, FileWriteFailedMessage());
        file = Questions.saveDataFile();
    }
    if (file.isEmpty())
        return;
    Recorder.Start(step);
    UpdateExportItem();
    RecordingFile = file;
    StartJournal(step);
    SetRecordingControls(true);
    // The count of the last file written is not the count of this recording.
    StatusPanel1->clear();
}

void TMainWin::SetRecordingControls(bool recording)
{
    Zapisz1->setEnabled(!recording && portOpen());
    Zakoncz->setEnabled(recording);
    S_Zapisz->setText(Tekst(recording ? 34 : 33));
    if (recording)
        S_Zapisz->setEnabled(true);
    Otwrz1->setEnabled(!recording);
    Button2->setEnabled(!recording);
}

void TMainWin::RecordResult(const QString &text, const char *unit)
{
    const ResultRecorder::Offer kept = Recorder.Record(text, unit);
    if (kept == ResultRecorder::Offer::Skipped)
        return;
    if (Journal)
        Journal->Append(Recorder.Wyniki().last(), Recorder.ResultStamps().back());
    if (LiczbaWynikow() == 1)
        UpdateExportItem();
    if (kept == ResultRecorder::Offer::Full)
        ZakonczClick();
}

bool TMainWin::ZakonczClick()
{
    Recorder.Stop();
    SetRecordingControls(false);
    const bool saved = LiczbaWynikow() == 0 || SaveResults(RecordingFile, Recorder.Wyniki());
    // The results are in their file, or the user dropped them.
    EndJournal();
    const bool written = saved && LiczbaWynikow() > 0;
    if (written)
        StatusPanel1->setText(
            QString::fromUtf8("Zapisano wyników: ") + QString::number(LiczbaWynikow()));
    EmptyResultStore(written);
    return saved;
}

// No recorded result is lost without the user being asked.
bool TMainWin::SaveResults(QString &file, const QStringList &texts)
{
    for (;;) {
        if (WriteDataFile(file, texts))
            return true;
        ShowMessage(this, FileWriteFailedMessage());
        const QString other = Questions.saveDataFile();
        if (!other.isEmpty())
            file = other;
        else if (Questions.discardUnsaved())
            return false;
    }
}

// Closing while recording asks once what becomes of the kept results. Saving is the stop of the
// recording, with its offer of another file when writing fails; the window closes only when
// the results are in a file, or when the user chose to close without them.
bool TMainWin::SettleRecordingBeforeClosing()
{
    if (!Zapisywanie() || LiczbaWynikow() == 0) {
        EndJournal();
        return true;
    }
    using Answer = FileQuestions::BeforeClosing;
    switch (Questions.saveBeforeClosing()) {
    case Answer::Save:
        return ZakonczClick();
    case Answer::Discard:
        Recorder.Stop();
        EmptyResultStore(false);
        EndJournal();
        return true;
    case Answer::Stay:
        break;
    }
    return false;
}
