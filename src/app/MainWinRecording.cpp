// Recording: while Zapisywanie is set, every KrokZapisu-th result text is kept in Wyniki;
// stopping writes them to the data file chosen at the start.
#include "app/MainWin.h"
#include "core/Jezyki.h"
#include "core/Messages.h"
#include "files/DataFile.h"
#include "files/DataFileDialog.h"
#include "files/SpeedStep.h"

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
        return AskFile(this, QFileDialog::AcceptSave, Tekst(99), QStringLiteral("csv"));
    };
    Questions.discardUnsaved = [this] {
        return QMessageBox::question(this, QApplication::applicationName(),
                   QString::fromUtf8("Wyniki nie zostały zapisane. Odrzucić je?"),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    };
}

void TMainWin::S_ZapiszClick()
{
    if (Zapisywanie)
        ZakonczClick();
    else
        Zapisz1Click();
}

void TMainWin::Zapisz1Click()
{
    const int step = Questions.recordingStep();
    if (step < 1)
        return;
    const QString file = Questions.saveDataFile();
    if (file.isEmpty())
        return;
    KrokZapisu = step;
    EmptyResultStore(false);
    LicznikKroku = 0;
    RecordingFile = file;
    Zapisywanie = true;
    SetRecordingControls(true);
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
    if (!Zapisywanie)
        return;
    ++LicznikKroku;
    if (LicznikKroku != KrokZapisu)
        return;
    Wyniki.append(text);
    ResultStamps.push_back(StampNow(unit));
    if (LiczbaWynikow() == 1)
        UpdateExportItem();
    LicznikKroku = 0;
    if (LiczbaWynikow() >= MaxDataFileResults)
        ZakonczClick();
}

void TMainWin::ZakonczClick()
{
    KrokZapisu = 0;
    Zapisywanie = false;
    SetRecordingControls(false);
    const bool saved = LiczbaWynikow() > 0 && SaveKeptResults();
    if (saved)
        StatusPanel1->setText(
            QString::fromUtf8("Zapisano wyników: ") + QString::number(LiczbaWynikow()));
    EmptyResultStore(saved);
}

// Writes the kept results to the recording file. When that fails the user is told and may
// choose another file, so that no recorded result is lost without being asked.
bool TMainWin::SaveKeptResults()
{
    for (;;) {
        if (WriteDataFile(RecordingFile, Wyniki))
            return true;
        ShowMessage(this, QString::fromUtf8("Błąd. Nie można zapisać do pliku."));
        const QString other = Questions.saveDataFile();
        if (!other.isEmpty())
            RecordingFile = other;
        else if (Questions.discardUnsaved())
            return false;
    }
}
