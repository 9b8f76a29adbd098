// End-to-end checks of nerix-sim from the program's side of its pseudo-terminal: a raw file
// descriptor that reads result frames and writes command frames, as the serial port would.
#include "TestMain.h"
#include "measure/FrameAssembler.h"
#include "measure/ResultFrame.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {
// One running simulator with a private settings store, and the line opened on its slave.
class SimRun {
public:
    explicit SimRun(const QStringList &arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(NERIX_SIM_PATH),
            QStringList {QStringLiteral("--ready-file"), ReadyFile(),
                QStringLiteral("--cells-file"), CellsFile()}
                + arguments);
    }
    ~SimRun()
    {
        if (fd >= 0)
            ::close(fd);
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            process.waitForFinished(5000);
        }
    }

    QString ReadyFile() const { return dir.filePath(QStringLiteral("ready")); }
    QString CellsFile() const { return dir.filePath(QStringLiteral("cells")); }
    QString ConfigFile() const { return dir.filePath(QStringLiteral("VL_NX3.conf")); }

    // Waits for the next stdout line of the simulator.
    QString NextLine(int ms = 5000)
    {
        QDeadlineTimer deadline(ms);
        while (!process.canReadLine() && !deadline.hasExpired())
            process.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1)));
        return process.canReadLine() ? QString::fromLatin1(process.readLine()).trimmed()
                                     : QString();
    }

    // Reads the announced path and opens it raw, as the program's serial port would.
    bool Connect()
    {
        const QString line = NextLine();
        if (!line.startsWith(QLatin1String("COM1 /dev/"))
            || !NextLine().startsWith(QLatin1String("COM2 /dev/")))
            return false;
        path = line.mid(5);
        fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            return false;
        termios raw {};
        tcgetattr(fd, &raw);
        cfmakeraw(&raw);
        tcsetattr(fd, TCSANOW, &raw);
        tcflush(fd, TCIOFLUSH);
        return true;
    }

    // Reads for up to ms, handing every decoded frame to accept until it returns true.
    // Returns false when the time ran out or the line failed.
    bool ReadFrames(int ms, const std::function<bool(const DecodedResult &)> &accept)
    {
        QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) {
            pollfd p {fd, POLLIN, 0};
            if (::poll(&p, 1, int(std::max<qint64>(deadline.remainingTime(), 1))) <= 0)
                continue;
            uint8_t buffer[4096];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0) {
                hungUp = n == 0 || errno == EIO;
                return false;
            }
            for (auto f = assembler.Feed(buffer, std::size_t(n)); f;
                 f = assembler.Feed(nullptr, 0)) {
                ++frames;
                if (accept(DecodeResultFrame(*f)))
                    return true;
            }
        }
        return false;
    }

    bool Write(std::initializer_list<uint8_t> bytes)
    {
        const std::vector<uint8_t> data(bytes);
        return ::write(fd, data.data(), data.size()) == ssize_t(data.size());
    }

    bool CellsFileHas(const QString &line, int ms = 5000)
    {
        return QTest::qWaitFor(
            [&]() {
                QFile file(CellsFile());
                return file.open(QIODevice::ReadOnly)
                    && QString::fromLatin1(file.readAll()).split(QLatin1Char('\n')).contains(line);
            },
            ms);
    }

    QTemporaryDir dir;
    QProcess process;
    QString path;
    int fd = -1;
    FrameAssembler assembler;
    int frames = 0;
    bool hungUp = false;
};
} // namespace

class PosixSimulatorTest : public QObject {
    Q_OBJECT
private slots:
    void streamsTheSimulatedReading_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("temperature");
        QTest::addColumn<int>("status");
        QTest::newRow("mT") << QStringList {"--field", "123.45", "--temp", "-15"} << 123.45 << -15.0
                            << 0x00;
        QTest::newRow("Gs coarse AC")
            << QStringList {"--field", "4567", "--unit", "Gs", "--range", "2", "--ac"} << 4567.0
            << 234.0 << 0x07;
        QTest::newRow("kA/m no probe")
            << QStringList {"--field", "-12.5", "--unit", "kA/m", "--no-probe"} << -12.5 << -10000.0
            << 0x08;
        QTest::newRow("mT fine beyond 100")
            << QStringList {"--field", "150"} << 150.0 << 234.0 << 0x00;
        QTest::newRow("coarse over-range")
            << QStringList {"--field", "5000", "--range", "2"} << 3000.0 << 234.0 << 0x02;
    }
    void streamsTheSimulatedReading()
    {
        QFETCH(QStringList, arguments);
        QFETCH(double, value);
        QFETCH(double, temperature);
        QFETCH(int, status);
        SimRun sim(arguments + QStringList {"--drift", "0", "--rate", "50"});
        QVERIFY(sim.Connect());
        QVERIFY(QFile::exists(sim.ReadyFile()));
        QSettings map(sim.ConfigFile(), QSettings::IniFormat);
        QCOMPARE(map.value(QStringLiteral("Ports/COM1")).toString(), sim.path);

        std::vector<DecodedResult> results;
        QVERIFY(sim.ReadFrames(5000, [&](const DecodedResult &r) {
            results.push_back(r);
            return results.size() == 5;
        }));
        for (const DecodedResult &r : results) {
            QCOMPARE(r.value, value);
            QCOMPARE(r.temperature, temperature);
            QCOMPARE(int(r.statusBits), status);
        }

        sim.process.terminate();
        QVERIFY(sim.process.waitForFinished(5000));
        QCOMPARE(sim.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.process.exitCode(), 0);
    }

    void commandFramesSetCellsAndTheReadingFollowsTheGain()
    {
        SimRun sim({"--field", "10", "--drift", "0", "--rate", "50"});
        QVERIFY(sim.Connect());
        QVERIFY(sim.CellsFileHas(QStringLiteral("cell 0 10000 10000")));
        // Garbage first, and the frame split over two writes: gain 20000 for DC1.
        QVERIFY(sim.Write({0x12, 0xAA, 0xAA, 0x55, 0x43}));
        QVERIFY(sim.Write({0x00, 0x20, 0x4E}));
        QCOMPARE(sim.NextLine(), QStringLiteral("C 0 20000"));
        QVERIFY(sim.ReadFrames(5000, [](const DecodedResult &r) { return r.value == 20.0; }));
        // The gain of another range leaves this one alone; cell 14 turns on auto power-off.
        QVERIFY(sim.Write({0xAA, 0x55, 0x43, 4, 0x88, 0x13, 0xAA, 0x55, 0x43, 14, 1, 0}));
        QCOMPARE(sim.NextLine(), QStringLiteral("C 4 5000"));
        QCOMPARE(sim.NextLine(), QStringLiteral("C 14 1"));
        QVERIFY(sim.ReadFrames(
            5000, [](const DecodedResult &r) { return r.autoPowerOff && r.value == 20.0; }));
        QVERIFY(sim.CellsFileHas(QStringLiteral("cell 14 1 0")));
        // "S" stores the cells; a gain of 32768 is taken as the unsigned word it is.
        QVERIFY(sim.Write({0xAA, 0x55, 0x53, 0, 0, 0, 0xAA, 0x55, 0x43, 0, 0x00, 0x80}));
        QCOMPARE(sim.NextLine(), QStringLiteral("S"));
        QCOMPARE(sim.NextLine(), QStringLiteral("C 0 32768"));
        QVERIFY(sim.CellsFileHas(QStringLiteral("saves 1")));
        QVERIFY(sim.CellsFileHas(QStringLiteral("cell 0 32768 20000")));
        QVERIFY(sim.CellsFileHas(QStringLiteral("cell 14 1 1")));
        QVERIFY(sim.ReadFrames(5000, [](const DecodedResult &r) { return r.value == 32.77; }));
    }

    void faultyLineStillGivesTheTrueReading()
    {
        SimRun sim({"--field", "55.55", "--drift", "0", "--max", "--garbage", "5", "--split",
            "--burst", "4"});
        QVERIFY(sim.Connect());
        int wrong = 0;
        QVERIFY(sim.ReadFrames(10000, [&](const DecodedResult &r) {
            wrong += r.value != 55.55;
            return sim.frames >= 100;
        }));
        QCOMPARE(wrong, 0);
    }

    void silenceThenHangup()
    {
        SimRun sim(
            {"--rate", "50", "--silent-after", "0.5", "--silence", "0.6", "--hangup-after", "2"});
        QVERIFY(sim.Connect());
        // Frames, then a gap of at least most of the silence, then frames again, then the line
        // goes away and the simulator ends by itself.
        qint64 longestGap = 0;
        QElapsedTimer clock;
        clock.start();
        qint64 previous = -1;
        sim.ReadFrames(10000, [&](const DecodedResult &) {
            const qint64 now = clock.elapsed();
            if (previous >= 0)
                longestGap = std::max(longestGap, now - previous);
            previous = now;
            return false;
        });
        QVERIFY(sim.hungUp);
        QVERIFY2(longestGap >= 450, qPrintable(QString::number(longestGap)));
        QVERIFY(sim.frames >= 20);
        QVERIFY(sim.process.waitForFinished(5000));
        QCOMPARE(sim.process.exitCode(), 0);
    }
};

NERIX_TEST(PosixSimulatorTest)
#include "PosixSimulatorTest.moc"
