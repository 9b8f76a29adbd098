// CPU use of the running program fed by the simulated meter at the line's maximum rate.
// Usage: live_cpu PATH_TO_NERIX_SIM [SECONDS] [--paints | --no-paint] [-- SIM_OPTION...]
// (run under xvfb-run to paint for real; "-- --latency 16" feeds it as a USB adapter would)
// Starts nerix-sim --max with a private settings store, starts the program's windows,
// presses "Connect", lets it run, and prints the CPU time used as a share of one core, the
// chart's points and the results processed. --paints also lists the paint events per widget
// and second (SWynik's is how often the value reaches the screen); counting them costs a
// little CPU of its own. --no-paint turns the main window's screen updates off: what is left
// is the cost of receiving and processing the frames, the floor under everything painting
// costs.
#include "app/AboutWin.h"
#include "app/MainWin.h"
#include "app/Startup.h"
#include "measure/Wykres.h"

#include "BenchSim.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {
// Counts the paint events of every widget by its name.
class PaintCounter : public QObject {
public:
    QMap<QString, int> counts;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++counts[watched->objectName().isEmpty()
                    ? QString::fromLatin1(watched->metaObject()->className())
                    : watched->objectName()];
        return false;
    }
};

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr,
            "usage: live_cpu PATH_TO_NERIX_SIM [SECONDS] [--paints | --no-paint] "
            "[-- SIM_OPTION...]\n");
        return 2;
    }
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
    const bool listPaints = argc > 3 && QByteArray(argv[3]) == "--paints";
    const bool noPaint = argc > 3 && QByteArray(argv[3]) == "--no-paint";

    QStringList simOptions {
        QStringLiteral("--max"), QStringLiteral("--noise"), QStringLiteral("0.3")};
    for (int i = 2; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--") {
            while (++i < argc)
                simOptions << QString::fromLocal8Bit(argv[i]);
        }
    }
    QProcess sim;
    if (!StartBenchSim(sim, argv[1], simOptions))
        return 1;
    AppWindows windows = createWindows();
    windows.AboutWin->Timer1Timer();
    windows.MainWin->S_Polacz->click();

    if (noPaint)
        windows.MainWin->setUpdatesEnabled(false);
    PaintCounter paints;
    if (listPaints)
        app.installEventFilter(&paints);

    const double cpuStart = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    QApplication::exec();
    const double cpu = cpuSeconds() - cpuStart;
    const double elapsed = double(wall.elapsed()) / 1000.0;
    std::printf("%.1f s at the maximum frame rate: %.2f s CPU = %.2f %% of one core; "
                "chart points %d; results %d (%.1f a second)\n",
        elapsed, cpu, 100.0 * cpu / elapsed, windows.MainWin->Wykres1->Ilosc(),
        windows.MainWin->Processing.Statistics().count,
        windows.MainWin->Processing.Statistics().count / elapsed);
    for (auto it = paints.counts.cbegin(); it != paints.counts.cend(); ++it)
        std::printf("  %-20s %7.1f paints/s\n", qPrintable(it.key()), it.value() / elapsed);
    sim.terminate();
    sim.waitForFinished(3000);
    return 0;
}
