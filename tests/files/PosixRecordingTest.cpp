// Recording results into data files and opening them again, through the main window.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/FileBytes.h"
#include "common/MessageCatcher.h"
#include "common/MeterFrames.h"
#include "common/PortMap.h"
#include "common/PtyPair.h"

#include "app/MainWin.h"
#include "core/Jezyki.h"
#include "files/DataFile.h"
#include "files/WholeFile.h"
#include "measure/ResultFrame.h"
#include "measure/Wykres.h"
#include "serial/CPort.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
struct Recorder {
    Recorder()
    {
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        control<QPushButton>(&win, "S_Polacz")->click();
        win.Questions.recordingStep = [this] { return step; };
        win.Questions.saveDataFile
            = [this] { return saveAs.isEmpty() ? QString() : saveAs.takeFirst(); };
        win.Questions.openDataFile = [this] { return openPath; };
        win.Questions.discardUnsaved = [] { return true; };
    }
    // Sends raw values one frame per event, each waited for.
    bool feed(std::initializer_list<int16_t> values)
    {
        for (const int16_t v : values) {
            const int before = seen;
            pty.send(frame(v));
            if (!QTest::qWaitFor([&] { return win.Processing.PreviousResult() == v / 100.0; }, 5000))
                return false;
            seen = before + 1;
        }
        return true;
    }
    QString file(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    PtyPair pty;
    TMainWin win;
    int step = 1;
    QStringList saveAs;
    QString openPath;
    int seen = 0;
};
} // namespace

class PosixRecordingTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }

    void everyResultWithStepOne()
    {
        Recorder r;
        auto *zapisz = control<QPushButton>(&r.win, "S_Zapisz");
        auto *zapisz1 = control<QAction>(&r.win, "Zapisz1");
        auto *zakoncz = control<QAction>(&r.win, "Zakoncz");
        auto *otworz = control<QAction>(&r.win, "Otwrz1");
        auto *otworzPlik = control<QPushButton>(&r.win, "Button2");
        r.saveAs = {r.file("one.N3D")};
        zapisz->click();
        QVERIFY(r.win.Zapisywanie());
        QCOMPARE(zapisz->text(), QStringLiteral("Stop saving"));
        QVERIFY(!zapisz1->isEnabled() && zakoncz->isEnabled());
        QVERIFY(!otworz->isEnabled() && !otworzPlik->isEnabled());
        QVERIFY(r.feed({150, -150, 0, 12345}));
        zapisz->click();
        QVERIFY(!r.win.Zapisywanie());
        QCOMPARE(readAll(r.file("one.N3D")),
            QByteArray("   1.50\r\n  - 1.50\r\n   0.00\r\n 123.45\r\n"));
        QCOMPARE(control<QLabel>(&r.win, "StatusPanel1")->text(),
            QString::fromUtf8("Zapisano wyników: 4"));
        QCOMPARE(zapisz->text(), QStringLiteral("Save as..."));
        QVERIFY(zapisz1->isEnabled() && !zakoncz->isEnabled());
        QVERIFY(otworz->isEnabled() && otworzPlik->isEnabled());
        QCOMPARE(r.win.LiczbaWynikow(), 0);
    }

    void everyThirdResult()
    {
        Recorder r;
        r.step = 3;
        r.saveAs = {r.file("three.N3D")};
        control<QAction>(&r.win, "Zapisz1")->trigger();
        QVERIFY(r.feed({100, 200, 300, 400, 500, 600, 700}));
        control<QAction>(&r.win, "Zakoncz")->trigger();
        QCOMPARE(readAll(r.file("three.N3D")), QByteArray("   3.00\r\n   6.00\r\n"));
    }

    void stoppingBeforeAnyKeptResultWritesNothing()
    {
        Recorder r;
        auto *zapisz = control<QPushButton>(&r.win, "S_Zapisz");
        const QString path = r.file("keep.N3D");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("   7.00\r\n");
        old.close();
        r.step = 5;
        r.saveAs = {path};
        zapisz->click();
        QVERIFY(r.feed({100, 200}));
        zapisz->click();
        QCOMPARE(readAll(path), QByteArray("   7.00\r\n"));
        QCOMPARE(control<QLabel>(&r.win, "StatusPanel1")->text(), QString());
    }

    void cancelledDialogsStartNothing()
    {
        Recorder r;
        auto *zapisz = control<QPushButton>(&r.win, "S_Zapisz");
        r.step = 0; // the interval dialog closed by its close box
        r.saveAs = {r.file("x.N3D")};
        zapisz->click();
        QVERIFY(!r.win.Zapisywanie());
        r.step = 2;
        r.saveAs.clear(); // the save dialog cancelled
        zapisz->click();
        QVERIFY(!r.win.Zapisywanie());
        QVERIFY(control<QAction>(&r.win, "Zapisz1")->isEnabled());
    }

    void manyResultsAndTheFullStore()
    {
        Recorder r;
        auto *zapisz = control<QPushButton>(&r.win, "S_Zapisz");
        auto *status = control<QLabel>(&r.win, "StatusPanel1");
        r.saveAs = {r.file("many.N3D")};
        zapisz->click();
        for (int i = 0; i < 300; ++i)
            r.win.RecordResult(QStringLiteral("   1.00"));
        zapisz->click();
        QCOMPARE(readAll(r.file("many.N3D")).count("\r\n"), 300);
        QCOMPARE(status->text(), QString::fromUtf8("Zapisano wyników: 300"));

        r.saveAs = {r.file("full.N3D")};
        zapisz->click();
        QCOMPARE(status->text(), QString()); // not the last recording's count
        for (int i = 1; i < MaxDataFileResults; ++i)
            r.win.RecordResult(QStringLiteral("   2.00"));
        QVERIFY(r.win.Zapisywanie());
        r.win.RecordResult(QStringLiteral("   3.00")); // the 65535th stops by itself
        QVERIFY(!r.win.Zapisywanie());
        const QByteArray bytes = readAll(r.file("full.N3D"));
        QCOMPARE(bytes.count("\r\n"), MaxDataFileResults);
        QVERIFY(bytes.endsWith("   2.00\r\n   3.00\r\n"));
        QCOMPARE(status->text(), QString::fromUtf8("Zapisano wyników: 65535"));
    }

    void failedWriteKeepsTheResultsForAnotherFile()
    {
        Recorder r;
        auto *zapisz = control<QPushButton>(&r.win, "S_Zapisz");
        QVERIFY(QDir(r.dir.path()).mkdir(QStringLiteral("gone")));
        r.saveAs = {r.file("gone/a.N3D"), r.file("rescued.N3D")};
        MessageCatcher messages;
        zapisz->click();
        QVERIFY(r.feed({111, 222}));
        QVERIFY(QDir(r.file("gone")).removeRecursively());
        zapisz->click();
        QCOMPARE(
            messages.texts(), QStringList {QString::fromUtf8("Błąd. Nie można zapisać do pliku.")});
        QCOMPARE(readAll(r.file("rescued.N3D")), QByteArray("   1.11\r\n   2.22\r\n"));
        QCOMPARE(control<QLabel>(&r.win, "StatusPanel1")->text(),
            QString::fromUtf8("Zapisano wyników: 2"));
    }

    void unwritableFileIsFoundAtTheStart()
    {
        Recorder r;
        QVERIFY(QDir(r.dir.path()).mkdir(QStringLiteral("locked")));
        QVERIFY(QFile::setPermissions(r.file("locked"), QFile::ReadOwner | QFile::ExeOwner));
        if (CanWriteWholeFile(r.file("locked/a.N3D")))
            QSKIP("the folder's permissions are not enforced for this user");
        r.saveAs = {r.file("locked/a.N3D"), r.file("no/such/folder/b.N3D"), r.file("c.N3D")};
        MessageCatcher messages;
        control<QPushButton>(&r.win, "S_Zapisz")->click();
        const QString failed = QString::fromUtf8("Błąd. Nie można zapisać do pliku.");
        QCOMPARE(messages.texts(), (QStringList {failed, failed}));
        QVERIFY(r.win.Zapisywanie());
        QVERIFY(r.feed({111}));
        control<QPushButton>(&r.win, "S_Zapisz")->click();
        QCOMPARE(readAll(r.file("c.N3D")), QByteArray("   1.11\r\n"));
        QCOMPARE(messages.texts().size(), 2);
    }

    void closingWhileRecordingAsksOnce_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("recordTo");
        QTest::addColumn<QStringList>("otherFiles"); // offered when writing fails
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved"); // in kept.N3D
        const QString bad = QStringLiteral("gone/a.N3D"); // its folder goes while recording
        const QString good = QStringLiteral("kept.N3D");
        QTest::newRow("yes") << int(QMessageBox::Yes) << good << QStringList() << true << true;
        QTest::newRow("no") << int(QMessageBox::No) << good << QStringList() << true << false;
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << good << QStringList() << false
                                << false;
        QTest::newRow("yes, write fails, another file")
            << int(QMessageBox::Yes) << bad << QStringList {good} << true << true;
        // No other file and the results dropped on request: the window stays, recording ended.
        QTest::newRow("yes, write fails, dropped")
            << int(QMessageBox::Yes) << bad << QStringList() << false << false;
    }

    void closingWhileRecordingAsksOnce()
    {
        QFETCH(int, answer);
        QFETCH(QString, recordTo);
        QFETCH(QStringList, otherFiles);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        Recorder r;
        QVERIFY(QDir(r.dir.path()).mkdir(QStringLiteral("gone")));
        r.saveAs = {r.file(recordTo.toUtf8().constData())};
        control<QPushButton>(&r.win, "S_Zapisz")->click();
        QVERIFY(r.feed({111, 222}));
        QVERIFY(QDir(r.file("gone")).removeRecursively());
        for (const QString &name : otherFiles)
            r.saveAs.append(r.file(name.toUtf8().constData()));

        MessageCatcher boxes {QMessageBox::StandardButton(answer)};
        QCOMPARE(r.win.close(), closes);
        const QString question = QStringLiteral("Save the results before closing?");
        QCOMPARE(boxes.texts().count(question), 1);
        QCOMPARE(boxes.texts().first(), question);
        QCOMPARE(r.win.ComPort1->Connected(), !closes);
        const bool cancelled = answer == QMessageBox::Cancel;
        QCOMPARE(r.win.Zapisywanie(), cancelled);
        QCOMPARE(r.win.LiczbaWynikow(), cancelled ? 2 : 0);
        QCOMPARE(readAll(r.file("kept.N3D")),
            saved ? QByteArray("   1.11\r\n   2.22\r\n") : QByteArray());
    }

    void recordedFileOpensBackOnTheChart()
    {
        Recorder r;
        auto *zapisz = control<QPushButton>(&r.win, "S_Zapisz");
        auto *chart = control<TWykres>(&r.win, "Wykres1");
        r.saveAs = {r.file("back.N3D")};
        zapisz->click();
        QVERIFY(r.feed({-150, 250, 375}));
        zapisz->click();

        r.openPath = r.file("back.N3D");
        control<QPushButton>(&r.win, "Button2")->click();
        QCOMPARE(r.win.Recorder.Wyniki(),
            (QStringList {
                QStringLiteral("  - 1.50"), QStringLiteral("   2.50"), QStringLiteral("   3.75")}));
        QVERIFY(!control<QAction>(&r.win, "Danezurzdzenia1")->isChecked());
        QVERIFY(control<QToolButton>(&r.win, "Kosz")->isHidden());
        QVERIFY(control<QCheckBox>(&r.win, "filtr")->isChecked());
        QVERIFY(chart->AutoSkala());
        QVERIFY(control<QSlider>(&r.win, "TrackBar1")->isHidden());
        QCOMPARE(r.win.StoredSeries.size(), std::size_t(3));
        QVERIFY(chart->Ilosc() > 0);
        // Live results no longer reach the chart while the file is shown.
        const int points = chart->Ilosc();
        QVERIFY(r.feed({999}));
        QCOMPARE(chart->Ilosc(), points);
    }

    void trackBarForLongFiles()
    {
        Recorder r;
        auto *otworz = control<QAction>(&r.win, "Otwrz1");
        auto *scroll = control<QSlider>(&r.win, "TrackBar1");
        auto *redraw = control<QTimer>(&r.win, "Timer1");
        auto write = [&](const char *name, int lines) {
            QStringList texts;
            for (int i = 0; i < lines; ++i)
                texts.append(QStringLiteral("%1").arg(i % 50, 7));
            QVERIFY(WriteDataFile(r.file(name), texts));
        };
        write("long.N3D", 1000);
        write("short.N3D", 500);
        r.openPath = r.file("long.N3D");
        otworz->trigger();
        QVERIFY(!scroll->isHidden());
        QCOMPARE(scroll->maximum(), 472);
        QCOMPARE(scroll->value(), 1);
        // Moving it quickly redraws once, 250 ms after the last move.
        scroll->setValue(100);
        scroll->setValue(200);
        QVERIFY(redraw->isActive());
        QTRY_VERIFY(!redraw->isActive());

        r.openPath = r.file("short.N3D");
        otworz->trigger();
        QVERIFY(scroll->isHidden());
        QCOMPARE(scroll->value(), 1);

        // Back to live data.
        control<QPushButton>(&r.win, "SpeedButton1")->click();
        QVERIFY(control<QAction>(&r.win, "Danezurzdzenia1")->isChecked());
        QVERIFY(scroll->isHidden());
        QVERIFY(!control<QToolButton>(&r.win, "Kosz")->isHidden());
    }

    void badFilesLeaveTheViewAlone()
    {
        Recorder r;
        auto *otworz = control<QAction>(&r.win, "Otwrz1");
        QVERIFY(WriteDataFile(
            r.file("good.N3D"), {QStringLiteral("   1.00"), QStringLiteral("   2.00")}));
        r.openPath = r.file("good.N3D");
        otworz->trigger();
        MessageCatcher messages;
        QFile binary(r.file("bin.N3D"));
        QVERIFY(binary.open(QIODevice::WriteOnly));
        binary.write(QByteArray("\x00\x01\x02", 3));
        binary.close();
        r.openPath = r.file("bin.N3D");
        otworz->trigger();
        r.openPath = r.file("missing.N3D");
        otworz->trigger();
        QCOMPARE(messages.texts().size(), 2);
        QCOMPARE(messages.texts().at(0), QString::fromUtf8("Błąd. Nie można odczytac pliku."));
        QCOMPARE(r.win.LiczbaWynikow(), 2);

        QFile empty(r.file("empty.N3D"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        r.openPath = r.file("empty.N3D");
        otworz->trigger();
        QCOMPARE(r.win.LiczbaWynikow(), 0);
        QCOMPARE(control<TWykres>(&r.win, "Wykres1")->Ilosc(), 0);
        QCOMPARE(messages.texts().size(), 2);
    }

    void csvExportOfTheRecordingAndOfOpenedFiles()
    {
        Recorder r;
        auto *csvItem = control<QAction>(&r.win, "EksportCSV1");
        auto *zapisz = control<QPushButton>(&r.win, "S_Zapisz");
        QString csv;
        r.win.Questions.saveCsvFile = [&] { return csv; };
        QVERIFY(!csvItem->isEnabled());
        r.saveAs = {r.file("rec.N3D")};
        zapisz->click();
        QVERIFY(!csvItem->isEnabled()); // nothing kept yet
        const QDateTime before = QDateTime::currentDateTime();
        QVERIFY(r.feed({-150, 250}));
        r.win.RecordResult(QStringLiteral("    3.0"), " kA/m");
        const QDateTime after = QDateTime::currentDateTime();
        QVERIFY(csvItem->isEnabled());
        csv = r.file("during.csv");
        csvItem->trigger();

        // The stop empties the store; the recording stays there to export.
        zapisz->click();
        QCOMPARE(r.win.LiczbaWynikow(), 0);
        QVERIFY(csvItem->isEnabled());
        csv = r.file("after.csv");
        csvItem->trigger();
        const QByteArray recorded = readAll(r.file("during.csv"));
        QCOMPARE(readAll(csv), recorded);
        const QList<QByteArray> lines = recorded.split('\n');
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.first(), QByteArray("No,Time,Seconds,Value,Unit\r"));
        const QList<QByteArray> values = {"-1.50", "2.50", "3.0"}, units = {"mT", "mT", "kA/m"};
        QDateTime first;
        for (int i = 0; i < 3; ++i) {
            const QList<QByteArray> fields = lines.at(i + 1).chopped(1).split(',');
            QCOMPARE(fields.size(), 5);
            QCOMPARE(fields.at(0), QByteArray::number(i + 1));
            const QDateTime time
                = QDateTime::fromString(QString::fromLatin1(fields.at(1)), Qt::ISODateWithMs);
            QVERIFY2(time >= before && time <= after, fields.at(1).constData());
            QCOMPARE(time.offsetFromUtc(), before.offsetFromUtc());
            if (i == 0)
                first = time;
            QCOMPARE(fields.at(2), QByteArray::number(first.msecsTo(time) / 1000.0, 'f', 3));
            QCOMPARE(fields.at(3), values.at(i));
            QCOMPARE(fields.at(4), units.at(i));
        }

        // An opened file holds no times; a failed write says so as for data files.
        r.openPath = r.file("rec.N3D");
        control<QPushButton>(&r.win, "Button2")->click();
        csv = r.file("opened.csv");
        csvItem->trigger();
        QCOMPARE(
            readAll(csv), QByteArray("No,Time,Seconds,Value,Unit\r\n1,,,-1.50,\r\n2,,,2.50,\r\n3,,,3.0,\r\n"));
        MessageCatcher messages;
        csv = r.file("no/such/folder/x.csv");
        csvItem->trigger();
        QCOMPARE(
            messages.texts(), QStringList {QString::fromUtf8("Błąd. Nie można zapisać do pliku.")});

        // An empty file leaves nothing to export, also once a dialog has disabled and enabled
        // the window again.
        QFile empty(r.file("empty.N3D"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        r.openPath = empty.fileName();
        control<QAction>(&r.win, "Otwrz1")->trigger();
        r.win.setEnabled(false);
        r.win.setEnabled(true);
        QVERIFY(!csvItem->isEnabled());
    }
};

NERIX_TEST(PosixRecordingTest)
#include "PosixRecordingTest.moc"
