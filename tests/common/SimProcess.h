#pragma once
// nerix-sim started for a test: it writes its port map into the test run's private settings
// store, so the program under test finds the simulated meter on COM1 and the reference
// instrument on COM2 (or on the ports --meter-port and --reference-port name).
#include "TestMain.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class SimProcess {
public:
    explicit SimProcess(const QStringList &arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), nerixtest::configHome());
        process_.setProcessEnvironment(env);
        process_.start(QStringLiteral(NERIX_SIM_PATH),
            QStringList {QStringLiteral("--cells-file"), cellsFile()} + arguments);
        const auto announced = [this](QString &port, QString &path) {
            const QString line = nextLine();
            const qsizetype space = line.indexOf(QLatin1Char(' '));
            if (line.startsWith(QLatin1String("COM")) && space > 0) {
                port = line.left(space);
                path = line.mid(space + 1);
            }
        };
        announced(meterPort_, devicePath_);
        announced(referencePort_, referencePath_);
    }
    ~SimProcess() { stop(); }

    bool started() const { return !devicePath_.isEmpty() && !referencePath_.isEmpty(); }
    const QString &devicePath() const { return devicePath_; }
    const QString &referencePath() const { return referencePath_; }
    const QString &meterPort() const { return meterPort_; }
    const QString &referencePort() const { return referencePort_; }
    // A line on the simulator's standard input ("field 20").
    void input(const QByteArray &line) { process_.write(line + '\n'); }
    QString cellsFile() const { return dir_.filePath(QStringLiteral("cells")); }

    void stop()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            process_.waitForFinished(5000);
        }
    }
    QProcess &process() { return process_; }

    // The next line the simulator printed (an accepted command, for instance "C 14 1").
    QString nextLine(int ms = 5000)
    {
        QDeadlineTimer deadline(ms);
        while (!process_.canReadLine() && !deadline.hasExpired())
            process_.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1)));
        return process_.canReadLine() ? QString::fromLatin1(process_.readLine()).trimmed()
                                      : QString();
    }

    // True once the cells file holds the line (for instance "cell 10 1234 0").
    bool cellsFileHas(const QString &line, int ms = 5000)
    {
        return QTest::qWaitFor(
            [&] {
                QFile file(cellsFile());
                return file.open(QIODevice::ReadOnly)
                    && QString::fromLatin1(file.readAll()).split(QLatin1Char('\n')).contains(line);
            },
            ms);
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
    QString meterPort_;
    QString devicePath_;
    QString referencePort_;
    QString referencePath_;
};
