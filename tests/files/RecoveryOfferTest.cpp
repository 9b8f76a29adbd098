// A recording's journal left behind is offered once the main window appears, and each answer
// does what it says.
#include "TestMain.h"
#include "common/FileBytes.h"
#include "common/Controls.h"

#include "app/MainWin.h"
#include "app/Startup.h"
#include "core/Jezyki.h"
#include "files/DataFile.h"
#include "files/RecoveryJournal.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

class RecoveryOfferTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }

    void answers_data()
    {
        using Answer = TMainWin::FileQuestions::Interrupted;
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("fileChanged"); // since the recording started
        QTest::addColumn<QByteArray>("garbage"); // after the journal's records
        QTest::addColumn<QString>("writtenTo"); // empty: no file written
        QTest::addColumn<bool>("journalLeft");
        QTest::newRow("save") << int(Answer::Save) << false << QByteArray() << QStringLiteral("rec.N3D") << false;
        QTest::newRow("save, file changed: another file")
            << int(Answer::Save) << true << QByteArray() << QStringLiteral("other.N3D") << false;
        QTest::newRow("keep, damaged") << int(Answer::Keep) << false << QByteArray("\x01xyz")
                                       << QString() << true;
        QTest::newRow("discard") << int(Answer::Discard) << false << QByteArray() << QString()
                                 << false;
    }

    void answers()
    {
        QFETCH(int, answer);
        QFETCH(bool, fileChanged);
        QFETCH(QByteArray, garbage);
        QFETCH(QString, writtenTo);
        QFETCH(bool, journalLeft);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("rec.N3D"));
        const QStringList texts = {QStringLiteral("   1.50"), QStringLiteral("  - 2.25")};
        AppWindows windows = createWindows();
        TMainWin *win = windows.MainWin.get();
        QVERIFY(QDir(win->JournalFolder).removeRecursively());
        QString journalPath;
        {
            RecoveryJournal journal; // left behind as by a killed program
            QVERIFY(journal.Create(win->JournalFolder, {target, 1, DataFileStateNow(target)}));
            journal.Append(texts[0], {1733713627123, 3600, " mT"});
            journal.Append(texts[1], {1733713627130, 3600, " mT"});
            journalPath = journal.Path();
        }
        if (!garbage.isEmpty()) {
            QFile file(journalPath);
            QVERIFY(file.open(QIODevice::Append));
            file.write(garbage);
        }
        if (fileChanged)
            QVERIFY(WriteDataFile(target, {QStringLiteral("   9.99")}));

        QStringList questions, proposed;
        win->Questions.saveInterrupted = [&](const QString &question) {
            questions.append(question);
            return TMainWin::FileQuestions::Interrupted(answer);
        };
        win->Questions.saveInterruptedAs = [&](const QString &file) {
            proposed.append(file);
            return dir.filePath(QStringLiteral("other.N3D"));
        };
        win->show();
        QTRY_COMPARE(questions.size(), 1);
        QString expected = QStringLiteral("Interrupted recording: 2 results for the file %1. "
                                          "Save them now?")
                               .arg(QDir::toNativeSeparators(target));
        if (!garbage.isEmpty())
            expected += QStringLiteral("\nPart of the recording could not be read (4 bytes).");
        QCOMPARE(questions.first(), expected);
        QCOMPARE(proposed, fileChanged ? QStringList {target} : QStringList());
        QCOMPARE(QFile::exists(journalPath), journalLeft);

        const bool saved = !writtenTo.isEmpty();
        if (saved) {
            // Byte for byte what the stop of the same recording writes.
            const QString normal = dir.filePath(QStringLiteral("normal.N3D"));
            QVERIFY(WriteDataFile(normal, texts));
            QCOMPARE(readAll(dir.filePath(writtenTo)), readAll(normal));
            QCOMPARE(control<QLabel>(win, "StatusPanel1")->text(),
                QString::fromUtf8("Zapisano wyników: 2"));
        }
        if (fileChanged)
            QCOMPARE(readAll(target), QByteArray("   9.99\r\n"));
        else if (!saved)
            QVERIFY(!QFile::exists(target));
        // The recovered results are the store, with their times for the CSV export.
        QCOMPARE(win->Recorder.ExportTexts(), saved ? texts : QStringList());
        QCOMPARE(win->Recorder.ExportStamps().size(), saved ? std::size_t(2) : std::size_t(0));
        QCOMPARE(control<QAction>(win, "EksportCSV1")->isEnabled(), saved);

        // Offered once: showing the window again asks nothing.
        win->hide();
        win->show();
        QCoreApplication::processEvents();
        QCOMPARE(questions.size(), 1);
        QVERIFY(QDir(win->JournalFolder).removeRecursively());
    }
};

NERIX_TEST(RecoveryOfferTest)
#include "RecoveryOfferTest.moc"
