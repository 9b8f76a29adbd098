// Recovery journals: the running recording's journal, flushed to the disk twice a second, and
// the journals that recordings ended from outside left behind, offered at the next start.
#include "app/AppMessages.h"
#include "app/MainWin.h"
#include "core/Jezyki.h"
#include "core/Messages.h"
#include "core/RegularFile.h"
#include "files/DataFileDialog.h"
#include "files/RecoveryJournal.h"
#include "files/WholeFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

namespace {
// Results appended reach the disk within this time (and the time a write takes).
constexpr int JournalFlushMs = 500;
constexpr auto JournalPattern = "*.nxj";
} // namespace

void TMainWin::setUpJournal()
{
    JournalFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!JournalFolder.isEmpty())
        JournalFolder += QStringLiteral("/recovery");
    JournalTimer = new QTimer(this);
    JournalTimer->setInterval(JournalFlushMs);
    connect(JournalTimer, &QTimer::timeout, this, &TMainWin::FlushJournal);

    Questions.saveInterrupted = [this](const QString &question) {
        using Answer = FileQuestions::Interrupted;
        const auto button = QMessageBox::question(this, QApplication::applicationName(), question,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Discard, QMessageBox::Yes);
        // No, Escape or the box's close box keep the journal for the next start.
        return button == QMessageBox::Yes ? Answer::Save
            : button == QMessageBox::Discard ? Answer::Discard
                                             : Answer::Keep;
    };
    Questions.saveInterruptedAs = [this](const QString &proposed) {
        return AskDataFile(this, QFileDialog::AcceptSave, proposed);
    };
}

void TMainWin::StartJournal(int step)
{
    EndJournal();
    JournalFailureTold = false;
    if (JournalFolder.isEmpty())
        return;
    auto journal = std::make_unique<RecoveryJournal>();
    if (!journal->Create(JournalFolder, {RecordingFile, step, DataFileStateNow(RecordingFile)})) {
        TellJournalFailure();
        return;
    }
    Journal = std::move(journal);
    JournalTimer->start();
}

void TMainWin::FlushJournal()
{
    if (!Journal)
        return;
    Journal->Flush();
    if (Journal->Failed())
        TellJournalFailure();
}

void TMainWin::TellJournalFailure()
{
    if (JournalFailureTold)
        return;
    JournalFailureTold = true;
    // Not from within the flush: the recording goes on while the message is shown.
    QTimer::singleShot(0, this, [this] { ShowMessage(this, JournalWriteFailedMessage()); });
}

void TMainWin::EndJournal()
{
    JournalTimer->stop();
    if (Journal)
        Journal->Remove();
    Journal.reset();
}

void TMainWin::EndFromOutside(bool mustQuit)
{
    // The program ends with the recording: what the journal holds is all it kept.
    if (mustQuit)
        Recorder.Stop();
    if (Journal)
        Journal->FlushNow();
    if (mustQuit)
        QApplication::exit(0);
}

void TMainWin::OfferInterruptedRecordings()
{
    if (JournalFolder.isEmpty())
        return;
    const QDir folder(JournalFolder);
    const QStringList names
        = folder.entryList({QString::fromLatin1(JournalPattern)}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const QString path = folder.filePath(name);
        // Journals of recordings that run in another instance of the program are theirs.
        if (FileInUse(path) || (Journal && Journal->Path() == path))
            continue;
        QFile file;
        if (!OpenRegularFile(file, path))
            continue;
        JournalContents journal = ReadJournal(file.readAll());
        file.close();
        if (!journal.headerRead) {
            // Kept aside, not offered again.
            ShowMessage(this, Tekst(103).arg(QDir::toNativeSeparators(path)).arg(journal.unreadBytes));
            QFile::rename(path, path + QStringLiteral(".damaged"));
            continue;
        }
        if (journal.texts.isEmpty() && journal.unreadBytes == 0) {
            QFile::remove(path); // a recording that kept nothing
            continue;
        }
        QString target = journal.header.dataFile;
        QString question = Tekst(101)
                               .arg(journal.texts.size())
                               .arg(QDir::toNativeSeparators(target));
        if (journal.unreadBytes > 0)
            question += QLatin1Char('\n') + Tekst(102).arg(journal.unreadBytes);
        using Answer = FileQuestions::Interrupted;
        const Answer answer = Questions.saveInterrupted(question);
        if (answer == Answer::Keep)
            continue;
        if (answer == Answer::Save) {
            // Never over a file that is not what it was when the recording started.
            if (!CanWriteWholeFile(target)
                || DataFileStateNow(target) != journal.header.dataFileAtStart) {
                target = Questions.saveInterruptedAs(target);
                if (target.isEmpty())
                    continue;
            }
            if (SaveResults(target, journal.texts) && !Zapisywanie()) {
                StatusPanel1->setText(QString::fromUtf8("Zapisano wyników: ")
                    + QString::number(journal.texts.size()));
                Recorder.LoadRecorded(std::move(journal.texts), std::move(journal.stamps));
                UpdateExportItem();
                ShowStoredResults();
            }
        }
        QFile::remove(path);
    }
}
