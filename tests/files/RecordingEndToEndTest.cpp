// Recording from the simulated meter through the program's handlers and its interval
// dialog, then opening the file again: the series comes back onto the chart.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/DialogAnswerer.h"
#include "common/MessageCatcher.h"
#include "common/SimProcess.h"

#include "app/MainWin.h"
#include "core/Jezyki.h"
#include "files/SpeedStep.h"
#include "measure/Wykres.h"
#include "serial/CPort.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

class RecordingEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }

    void recordStopAndReopen()
    {
        SimProcess sim(
            {QStringLiteral("--field"), QStringLiteral("-7.5"), QStringLiteral("--drift"),
                QStringLiteral("0"), QStringLiteral("--rate"), QStringLiteral("50")});
        QVERIFY(sim.started());
        MessageCatcher messages; // a message box would otherwise wait for a click for good
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("session.N3D"));
        TMainWin win;
        auto *zapisz = control<QPushButton>(&win, "S_Zapisz");
        auto *status = control<QLabel>(&win, "StatusPanel1");
        auto *chart = control<TWykres>(&win, "Wykres1");
        control<QPushButton>(&win, "S_Polacz")->click();
        QTRY_COMPARE(control<QLabel>(&win, "SWynik")->text(), QStringLiteral("  - 7.50 mT"));

        // Every second result, chosen in the program's interval dialog; the file name is
        // what the save dialog would return.
        DialogAnswerer<TSpeedStepWin> step([](TSpeedStepWin *dialog) {
            dialog->SpinEdit1->setValue(2);
            dialog->OK->click();
        });
        win.Questions.saveDataFile = [&] { return path; };
        zapisz->click();
        QVERIFY(step.answered());
        QVERIFY(win.Zapisywanie());
        QCOMPARE(win.Recorder.KrokZapisu(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(win.LiczbaWynikow() >= 10, 10000);
        zapisz->click();
        QVERIFY(!win.Zapisywanie());
        QVERIFY(status->text().startsWith(QString::fromUtf8("Zapisano wyników: ")));
        const int kept = status->text().section(QLatin1Char(' '), -1).toInt();
        QVERIFY(kept >= 10);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.count("  - 7.50\r\n"), kept);

        win.Questions.openDataFile = [&] { return path; };
        control<QPushButton>(&win, "Button2")->click();
        QCOMPARE(win.LiczbaWynikow(), kept);
        QVERIFY(!control<QAction>(&win, "Danezurzdzenia1")->isChecked());
        QCOMPARE(win.StoredSeries.front(), -7.5);
        // The flat series lies mid-height, from the first column on.
        QTRY_VERIFY(chart->Ilosc() >= kept - 1);
        const QImage &image = chart->image();
        QCOMPARE(image.pixelColor(1, 217 - 2 - 107), QColor(255, 255, 0));
        QVERIFY(messages.texts().isEmpty());
    }
};

NERIX_TEST(RecordingEndToEndTest)
#include "RecordingEndToEndTest.moc"
