#pragma once
// nerix-sim started for a benchmark. It writes its port map into the settings store of
// $XDG_CONFIG_HOME (the benchmark points it at a private folder first) and announces its two
// ports, the meter's and the reference's, one line each, once the map is written.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdio>

// Starts the simulator and waits for both announcements ("COM1 /dev/pts/N" for the meter
// first), kept in `announced` when given; false, with the reason printed, when it did not start.
inline bool StartBenchSim(
    QProcess &sim, const char *path, const QStringList &arguments, QStringList *announced = nullptr)
{
    sim.start(QString::fromLocal8Bit(path), arguments);
    for (int lines = 0; lines < 2;) {
        if (!sim.canReadLine() && !sim.waitForReadyRead(5000)) {
            std::fprintf(stderr, "nerix-sim did not start\n");
            return false;
        }
        while (sim.canReadLine() && lines < 2) {
            const QString line = QString::fromLocal8Bit(sim.readLine()).trimmed();
            if (announced)
                *announced << line;
            ++lines;
        }
    }
    return true;
}
