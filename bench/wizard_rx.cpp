// How long one receive event of the calibration wizard's meter link blocks the window: the read,
// the frame decoding, the labels and the one measurement of the reference instrument, whose
// reply is read after its fixed 100 ms pause.
// Usage: wizard_rx PATH_TO_NERIX_SIM [EVENTS]   (offscreen, or under xvfb-run to paint for real)
// Starts nerix-sim with a private settings store, opens both links of the wizard on it, times
// every receive event and prints the spread.
#include "calib/KalibracjaMain.h"
#include "serial/CPort.h"

#include "BenchSim.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
// CPU time of the calling thread: the work of an event apart from its pause.
double threadCpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: wizard_rx PATH_TO_NERIX_SIM [EVENTS]\n");
        return 2;
    }
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    const std::size_t events = argc > 2 ? std::size_t(std::max(std::atoi(argv[2]), 1)) : 50;

    QProcess sim;
    if (!StartBenchSim(sim, argv[1], {QStringLiteral("--drift"), QStringLiteral("0")}))
        return 1;

    TkKalibracja wizard(nullptr);
    std::vector<double> ms;
    double cpuMs = 0;
    const auto handler = wizard.kComKalib->OnRxChar;
    wizard.kComKalib->OnRxChar = [&](TComPort &port, int count) {
        const double cpuStart = threadCpuMs();
        QElapsedTimer clock;
        clock.start();
        handler(port, count);
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
        cpuMs += threadCpuMs() - cpuStart;
        if (ms.size() == events)
            QCoreApplication::quit();
    };
    wizard.kComKalibOpen();
    wizard.kComWzorOpen();
    if (!wizard.kComKalib->Connected() || !wizard.kComWzor->Connected()) {
        std::fprintf(stderr, "the wizard's links did not open\n");
        return 1;
    }
    QApplication::exec();
    wizard.kComKalibClose();
    wizard.kComWzorClose();
    sim.terminate();
    sim.waitForFinished(3000);

    std::sort(ms.begin(), ms.end());
    const auto at = [&](double share) { return ms[std::size_t(share * double(ms.size() - 1))]; };
    std::printf("%zu receive events: min %.2f ms, median %.2f ms, 99th percentile %.2f ms, "
                "max %.2f ms; CPU %.3f ms per event; reference %.4f, meter %.4f\n",
        ms.size(), ms.front(), at(0.5), at(0.99), ms.back(), cpuMs / double(ms.size()),
        wizard.WartoscWzorcowa, wizard.WartoscKalibrowana);
    return 0;
}
