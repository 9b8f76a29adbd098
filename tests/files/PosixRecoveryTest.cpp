// A recording ended from outside: the program records in a child process from a
// pseudo-terminal and is killed; the next start saves what its journal kept.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/FileBytes.h"
#include "common/FileSizeLimit.h"
#include "common/MessageCatcher.h"
#include "common/MeterFrames.h"
#include "common/PortMap.h"
#include "common/PtyPair.h"

#include "app/MainWin.h"
#include "app/Startup.h"
#include "core/Jezyki.h"
#include "files/DataFile.h"
#include "files/RecoveryJournal.h"
#include "measure/ResultFrame.h"
#include "measure/ResultText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <csignal>
#include <cstdio>

namespace {
constexpr int FramePeriodMs = 7; // about the meter's rate

// The journals in the program's data folder.
QStringList journalsIn(const QString &folder)
{
    QStringList paths;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.nxj")}, QDir::Files))
        paths.append(dir.filePath(name));
    return paths;
}

// The raw value a result text shows (frames carry 1, 2, 3 ... in hundredths).
int rawOf(const QString &text)
{
    return int(std::lround(text.trimmed().remove(QLatin1Char(' ')).toDouble() * 100));
}
} // namespace

class PosixRecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }

    // The child's side of endedFromOutside: the program started as usual, connected to the
    // port it is given, recording into the file it is given, until it is ended.
    void recordingChild()
    {
        const QString port = qEnvironmentVariable("NERIX_RECORDING_CHILD");
        if (port.isEmpty())
            QSKIP("the child process of endedFromOutside");
        mapTestPort(1, port);
        AppWindows windows = createWindows();
        TMainWin *win = windows.MainWin.get();
        win->show();
        win->Questions.recordingStep = [] { return 1; };
        win->Questions.saveDataFile = [] { return qEnvironmentVariable("NERIX_RECORDING_FILE"); };
        control<QPushButton>(win, "S_Polacz")->click();
        control<QPushButton>(win, "S_Zapisz")->click();
        QVERIFY(win->Zapisywanie());
        std::printf("recording\n");
        std::fflush(stdout);
        QApplication::exec();
        std::printf("kept %d\n", win->LiczbaWynikow());
        std::fflush(stdout);
    }

    void endedFromOutside_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGKILL: at most a second lost") << int(SIGKILL);
        QTest::newRow("SIGTERM: nothing lost") << int(SIGTERM);
    }

    void endedFromOutside()
    {
        QFETCH(int, signal);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("rec.N3D"));
        const QString folder
            = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Nerix/recovery");
        QDir(folder).removeRecursively();
        PtyPair pty;
        QVERIFY(pty.isValid());

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("NERIX_TEST_CLASS"), QStringLiteral("PosixRecoveryTest"));
        env.insert(QStringLiteral("NERIX_RECORDING_CHILD"), QString::fromStdString(pty.slavePath()));
        env.insert(QStringLiteral("NERIX_RECORDING_FILE"), target);
        env.insert(QStringLiteral("NERIX_TEST_DATA_HOME"), qEnvironmentVariable("XDG_DATA_HOME"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("recordingChild")});
        QByteArray said;
        const auto childSaid = [&](const char *what) {
            return QTest::qWaitFor([&] {
                said += child.readAllStandardOutput();
                return said.contains(what);
            }, 20000);
        };
        QVERIFY(childSaid("recording\n"));

        // Frames at the meter's pace until the journal on the disk holds a few hundred.
        int sent = 0;
        QTimer feeder;
        feeder.setTimerType(Qt::PreciseTimer);
        connect(&feeder, &QTimer::timeout, [&] { pty.send(frame(int16_t(++sent))); });
        feeder.start(FramePeriodMs);
        QVERIFY(QTest::qWaitFor([&] {
            const QStringList journals = journalsIn(folder);
            return journals.size() == 1 && ReadJournal(readAll(journals[0])).texts.size() >= 300;
        }, 30000));
        ::kill(pid_t(child.processId()), signal);
        const int sentAtEnd = sent;
        feeder.stop();
        QVERIFY(child.waitForFinished(10000));
        said += child.readAllStandardOutput();

        // The next start offers it; "Yes" writes the data file.
        MessageCatcher boxes(QMessageBox::Yes);
        AppWindows windows = createWindows();
        windows.MainWin->show();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(target), 10000);
        const QStringList lines
            = QString::fromLatin1(readAll(target)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(boxes.texts().size(), 1);
        QCOMPARE(boxes.texts().first(),
            QStringLiteral("Interrupted recording: %1 results for the file %2. Save them now?")
                .arg(lines.size())
                .arg(target));
        QVERIFY(journalsIn(folder).isEmpty());
        // Byte for byte what a stop of the same results writes.
        const QString normal = dir.filePath(QStringLiteral("normal.N3D"));
        QVERIFY(WriteDataFile(normal, lines));
        QCOMPARE(readAll(target), readAll(normal));
        // None changed: the values sent, in their order.
        int previous = 0;
        for (const QString &line : lines) {
            QCOMPARE(line, PadLeadingMinus(FormatResult(0, rawOf(line) / 100.0)));
            QVERIFY2(rawOf(line) > previous && rawOf(line) <= sentAtEnd, qPrintable(line));
            previous = rawOf(line);
        }
        if (signal == SIGTERM) {
            QCOMPARE(child.exitStatus(), QProcess::NormalExit);
            QCOMPARE(child.exitCode(), 0);
            QVERIFY2(said.contains("kept " + QByteArray::number(lines.size()) + "\n"),
                said.constData());
        } else {
            const int secondOfFrames = 1000 / FramePeriodMs;
            QVERIFY2(sentAtEnd - previous <= secondOfFrames,
                qPrintable(QStringLiteral("%1 sent, %2 kept").arg(sentAtEnd).arg(previous)));
        }
    }

    // A journal that the disk refuses is told once; the recording goes on in memory and its
    // stop writes the data file.
    void fullDiskForTheJournal()
    {
        QTemporaryDir dir;
        PtyPair pty;
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        TMainWin win;
        win.JournalFolder = dir.filePath(QStringLiteral("journals"));
        const QString target = dir.filePath(QStringLiteral("rec.N3D"));
        win.Questions.recordingStep = [] { return 1; };
        win.Questions.saveDataFile = [&] { return target; };
        control<QPushButton>(&win, "S_Polacz")->click();
        MessageCatcher messages;
        QStringList expected;
        {
            // Room for the header and a few records; the data file of 40 results fits.
            FileSizeLimit limit(400);
            control<QPushButton>(&win, "S_Zapisz")->click();
            for (int i = 1; i <= 40; ++i) {
                expected.append(PadLeadingMinus(FormatResult(0, i / 100.0)));
                pty.send(frame(int16_t(i)));
                QTRY_COMPARE(win.LiczbaWynikow(), i);
            }
            QTRY_COMPARE(messages.texts().size(), 1);
            control<QPushButton>(&win, "S_Zapisz")->click();
        }
        QCOMPARE(messages.texts(),
            QStringList {QString::fromUtf8("Błąd. Nie można zapisać kopii zapasowej wyników na "
                                           "dysku; wyniki są nadal zbierane w pamięci.")});
        QVERIFY(WriteDataFile(dir.filePath(QStringLiteral("normal.N3D")), expected));
        QCOMPARE(readAll(target), readAll(dir.filePath(QStringLiteral("normal.N3D"))));
        QVERIFY(journalsIn(win.JournalFolder).isEmpty());
    }
};

NERIX_TEST(PosixRecoveryTest)
#include "PosixRecoveryTest.moc"
