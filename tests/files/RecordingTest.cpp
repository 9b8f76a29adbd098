// Recording results into data files and opening them again, through the main window.
#include "TestMain.h"
#include "common/MessageCatcher.h"
#include "common/PortMap.h"
#include "common/PtyPair.h"

#include "app/MainWin.h"
#include "core/Jezyki.h"
#include "files/DataFile.h"
#include "measure/ResultFrame.h"
#include "measure/Wykres.h"
#include "serial/CPort.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {
QByteArray frame(int16_t raw, uint8_t status = 0)
{
    const ResultFrameBytes bytes = MakeResultFrame(status, 200, raw);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Recorder {
    Recorder()
    {
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        win.S_Polacz->click();
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

class RecordingTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }

    void everyResultWithStepOne()
    {
        Recorder r;
        r.saveAs = {r.file("one.N3D")};
        r.win.S_Zapisz->click();
        QVERIFY(r.win.Zapisywanie());
        QCOMPARE(r.win.S_Zapisz->text(), QStringLiteral("Stop saving"));
        QVERIFY(!r.win.Zapisz1->isEnabled() && r.win.Zakoncz->isEnabled());
        QVERIFY(!r.win.Otwrz1->isEnabled() && !r.win.Button2->isEnabled());
        QVERIFY(r.feed({150, -150, 0, 12345}));
        r.win.S_Zapisz->click();
        QVERIFY(!r.win.Zapisywanie());
        QCOMPARE(readAll(r.file("one.N3D")),
            QByteArray("   1.50\r\n  - 1.50\r\n   0.00\r\n 123.45\r\n"));
        QCOMPARE(r.win.StatusPanel1->text(), QString::fromUtf8("Zapisano wyników: 4"));
        QCOMPARE(r.win.S_Zapisz->text(), QStringLiteral("Save as..."));
        QVERIFY(r.win.Zapisz1->isEnabled() && !r.win.Zakoncz->isEnabled());
        QVERIFY(r.win.Otwrz1->isEnabled() && r.win.Button2->isEnabled());
        QCOMPARE(r.win.LiczbaWynikow(), 0);
    }

    void everyThirdResult()
    {
        Recorder r;
        r.step = 3;
        r.saveAs = {r.file("three.N3D")};
        r.win.Zapisz1->trigger();
        QVERIFY(r.feed({100, 200, 300, 400, 500, 600, 700}));
        r.win.Zakoncz->trigger();
        QCOMPARE(readAll(r.file("three.N3D")), QByteArray("   3.00\r\n   6.00\r\n"));
    }

    void stoppingBeforeAnyKeptResultWritesNothing()
    {
        Recorder r;
        const QString path = r.file("keep.N3D");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("   7.00\r\n");
        old.close();
        r.step = 5;
        r.saveAs = {path};
        r.win.S_Zapisz->click();
        QVERIFY(r.feed({100, 200}));
        r.win.S_Zapisz->click();
        QCOMPARE(readAll(path), QByteArray("   7.00\r\n"));
        QCOMPARE(r.win.StatusPanel1->text(), QString());
    }

    void cancelledDialogsStartNothing()
    {
        Recorder r;
        r.step = 0; // the interval dialog closed by its close box
        r.saveAs = {r.file("x.N3D")};
        r.win.S_Zapisz->click();
        QVERIFY(!r.win.Zapisywanie());
        r.step = 2;
        r.saveAs.clear(); // the save dialog cancelled
        r.win.S_Zapisz->click();
        QVERIFY(!r.win.Zapisywanie());
        QVERIFY(r.win.Zapisz1->isEnabled());
    }

    void manyResultsAndTheFullStore()
    {
        Recorder r;
        r.saveAs = {r.file("many.N3D")};
        r.win.S_Zapisz->click();
        for (int i = 0; i < 300; ++i)
            r.win.RecordResult(QStringLiteral("   1.00"));
        r.win.S_Zapisz->click();
        QCOMPARE(readAll(r.file("many.N3D")).count("\r\n"), 300);
        QCOMPARE(r.win.StatusPanel1->text(), QString::fromUtf8("Zapisano wyników: 300"));

        r.saveAs = {r.file("full.N3D")};
        r.win.S_Zapisz->click();
        QCOMPARE(r.win.StatusPanel1->text(), QString()); // not the last recording's count
        for (int i = 1; i < MaxDataFileResults; ++i)
            r.win.RecordResult(QStringLiteral("   2.00"));
        QVERIFY(r.win.Zapisywanie());
        r.win.RecordResult(QStringLiteral("   3.00")); // the 65535th stops by itself
        QVERIFY(!r.win.Zapisywanie());
        const QByteArray bytes = readAll(r.file("full.N3D"));
        QCOMPARE(bytes.count("\r\n"), MaxDataFileResults);
        QVERIFY(bytes.endsWith("   2.00\r\n   3.00\r\n"));
        QCOMPARE(r.win.StatusPanel1->text(), QString::fromUtf8("Zapisano wyników: 65535"));
    }

    void failedWriteKeepsTheResultsForAnotherFile()
    {
        Recorder r;
        r.saveAs = {r.file("no/such/folder/a.N3D"), r.file("rescued.N3D")};
        MessageCatcher messages;
        r.win.S_Zapisz->click();
        QVERIFY(r.feed({111, 222}));
        r.win.S_Zapisz->click();
        QCOMPARE(
            messages.texts(), QStringList {QString::fromUtf8("Błąd. Nie można zapisać do pliku.")});
        QCOMPARE(readAll(r.file("rescued.N3D")), QByteArray("   1.11\r\n   2.22\r\n"));
        QCOMPARE(r.win.StatusPanel1->text(), QString::fromUtf8("Zapisano wyników: 2"));
    }

    void closingWhileRecordingAsksOnce_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("recordTo");
        QTest::addColumn<QStringList>("otherFiles"); // offered when writing fails
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved"); // in kept.N3D
        const QString bad = QStringLiteral("no/such/folder/a.N3D");
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
        r.saveAs = {r.file(recordTo.toUtf8().constData())};
        r.win.S_Zapisz->click();
        QVERIFY(r.feed({111, 222}));
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
        r.saveAs = {r.file("back.N3D")};
        r.win.S_Zapisz->click();
        QVERIFY(r.feed({-150, 250, 375}));
        r.win.S_Zapisz->click();

        r.openPath = r.file("back.N3D");
        r.win.Button2->click();
        QCOMPARE(r.win.Recorder.Wyniki(),
            (QStringList {
                QStringLiteral("  - 1.50"), QStringLiteral("   2.50"), QStringLiteral("   3.75")}));
        QVERIFY(!r.win.Danezurzdzenia1->isChecked());
        QVERIFY(r.win.Kosz->isHidden());
        QVERIFY(r.win.filtr->isChecked());
        QVERIFY(r.win.Wykres1->AutoSkala());
        QVERIFY(r.win.TrackBar1->isHidden());
        QCOMPARE(r.win.StoredSeries.size(), std::size_t(3));
        QVERIFY(r.win.Wykres1->Ilosc() > 0);
        // Live results no longer reach the chart while the file is shown.
        const int points = r.win.Wykres1->Ilosc();
        QVERIFY(r.feed({999}));
        QCOMPARE(r.win.Wykres1->Ilosc(), points);
    }

    void trackBarForLongFiles()
    {
        Recorder r;
        auto write = [&](const char *name, int lines) {
            QStringList texts;
            for (int i = 0; i < lines; ++i)
                texts.append(QStringLiteral("%1").arg(i % 50, 7));
            QVERIFY(WriteDataFile(r.file(name), texts));
        };
        write("long.N3D", 1000);
        write("short.N3D", 500);
        r.openPath = r.file("long.N3D");
        r.win.Otwrz1->trigger();
        QVERIFY(!r.win.TrackBar1->isHidden());
        QCOMPARE(r.win.TrackBar1->maximum(), 472);
        QCOMPARE(r.win.TrackBar1->value(), 1);
        // Moving it quickly redraws once, 250 ms after the last move.
        r.win.TrackBar1->setValue(100);
        r.win.TrackBar1->setValue(200);
        QVERIFY(r.win.Timer1->isActive());
        QTRY_VERIFY(!r.win.Timer1->isActive());

        r.openPath = r.file("short.N3D");
        r.win.Otwrz1->trigger();
        QVERIFY(r.win.TrackBar1->isHidden());
        QCOMPARE(r.win.TrackBar1->value(), 1);

        // Back to live data.
        r.win.SpeedButton1->click();
        QVERIFY(r.win.Danezurzdzenia1->isChecked());
        QVERIFY(r.win.TrackBar1->isHidden());
        QVERIFY(!r.win.Kosz->isHidden());
    }

    void badFilesLeaveTheViewAlone()
    {
        Recorder r;
        QVERIFY(WriteDataFile(
            r.file("good.N3D"), {QStringLiteral("   1.00"), QStringLiteral("   2.00")}));
        r.openPath = r.file("good.N3D");
        r.win.Otwrz1->trigger();
        MessageCatcher messages;
        QFile binary(r.file("bin.N3D"));
        QVERIFY(binary.open(QIODevice::WriteOnly));
        binary.write(QByteArray("\x00\x01\x02", 3));
        binary.close();
        r.openPath = r.file("bin.N3D");
        r.win.Otwrz1->trigger();
        r.openPath = r.file("missing.N3D");
        r.win.Otwrz1->trigger();
        QCOMPARE(messages.texts().size(), 2);
        QCOMPARE(messages.texts().at(0), QString::fromUtf8("Błąd. Nie można odczytac pliku."));
        QCOMPARE(r.win.LiczbaWynikow(), 2);

        QFile empty(r.file("empty.N3D"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        r.openPath = r.file("empty.N3D");
        r.win.Otwrz1->trigger();
        QCOMPARE(r.win.LiczbaWynikow(), 0);
        QCOMPARE(r.win.Wykres1->Ilosc(), 0);
        QCOMPARE(messages.texts().size(), 2);
    }

    void csvExportOfTheRecordingAndOfOpenedFiles()
    {
        Recorder r;
        QString csv;
        r.win.Questions.saveCsvFile = [&] { return csv; };
        QVERIFY(!r.win.EksportCSV1->isEnabled());
        r.saveAs = {r.file("rec.N3D")};
        r.win.S_Zapisz->click();
        QVERIFY(!r.win.EksportCSV1->isEnabled()); // nothing kept yet
        const QDateTime before = QDateTime::currentDateTime();
        QVERIFY(r.feed({-150, 250}));
        r.win.RecordResult(QStringLiteral("    3.0"), " kA/m");
        const QDateTime after = QDateTime::currentDateTime();
        QVERIFY(r.win.EksportCSV1->isEnabled());
        csv = r.file("during.csv");
        r.win.EksportCSV1->trigger();

        // The stop empties the store; the recording stays there to export.
        r.win.S_Zapisz->click();
        QCOMPARE(r.win.LiczbaWynikow(), 0);
        QVERIFY(r.win.EksportCSV1->isEnabled());
        csv = r.file("after.csv");
        r.win.EksportCSV1->trigger();
        const QByteArray recorded = readAll(r.file("during.csv"));
        QCOMPARE(readAll(csv), recorded);
        const QList<QByteArray> lines = recorded.split('\n');
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.first(), QByteArray("No,Time,Value,Unit\r"));
        const QList<QByteArray> values = {"-1.50", "2.50", "3.0"}, units = {"mT", "mT", "kA/m"};
        for (int i = 0; i < 3; ++i) {
            const QList<QByteArray> fields = lines.at(i + 1).chopped(1).split(',');
            QCOMPARE(fields.size(), 4);
            QCOMPARE(fields.at(0), QByteArray::number(i + 1));
            const QDateTime time
                = QDateTime::fromString(QString::fromLatin1(fields.at(1)), Qt::ISODateWithMs);
            QVERIFY2(time >= before && time <= after, fields.at(1).constData());
            QCOMPARE(time.offsetFromUtc(), before.offsetFromUtc());
            QCOMPARE(fields.at(2), values.at(i));
            QCOMPARE(fields.at(3), units.at(i));
        }

        // An opened file holds no times; a failed write says so as for data files.
        r.openPath = r.file("rec.N3D");
        r.win.Button2->click();
        csv = r.file("opened.csv");
        r.win.EksportCSV1->trigger();
        QCOMPARE(
            readAll(csv), QByteArray("No,Time,Value,Unit\r\n1,,-1.50,\r\n2,,2.50,\r\n3,,3.0,\r\n"));
        MessageCatcher messages;
        csv = r.file("no/such/folder/x.csv");
        r.win.EksportCSV1->trigger();
        QCOMPARE(
            messages.texts(), QStringList {QString::fromUtf8("Błąd. Nie można zapisać do pliku.")});

        // An empty file leaves nothing to export, also once a dialog has disabled and enabled
        // the window again.
        QFile empty(r.file("empty.N3D"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        r.openPath = empty.fileName();
        r.win.Otwrz1->trigger();
        r.win.setEnabled(false);
        r.win.setEnabled(true);
        QVERIFY(!r.win.EksportCSV1->isEnabled());
    }
};

NERIX_TEST(RecordingTest)
#include "RecordingTest.moc"
