// The streaming cost of the program against a peer (bench/peer/serial_peer.cpp, Qt's own serial
// port), fed by the same simulated meter at the line's maximum of 137 frames a second.
// Usage: peer_cpu NERIX_SIM SERIAL_PEER PAIRS SECONDS LIVE_CPU... (run under xvfb-run -a)
// Each round runs every given live_cpu (builds of the program) and the peer once, one after
// another, in an order that rotates from round to round. Each run's first 3 s (start-up,
// connecting) are left out; then `perf stat -p` counts the process, all its threads, for
// SECONDS: CPU time, system calls and context switches. The simulator is not counted. Prints
// every run, then per program the medians, and the median of the rounds' CPU ratios to the
// peer. Counted work (calls and switches per frame) does not drift with the machine's load as
// CPU time does.
#include "BenchSim.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr double kFramesPerSecond = 9600.0 / 70.0;
constexpr int kSettleMs = 3000;

struct Counts {
    double cpuMs = 0;
    double syscalls = 0;
    double switches = 0;
};

// perf stat on a running process for `seconds`; the CSV lines name the event third.
Counts countProcess(qint64 pid, int seconds)
{
    QProcess perf;
    perf.start(QStringLiteral("perf"),
        {QStringLiteral("stat"), QStringLiteral("-x,"), QStringLiteral("-e"),
            QStringLiteral("task-clock,raw_syscalls:sys_enter,context-switches"),
            QStringLiteral("-p"), QString::number(pid), QStringLiteral("--"),
            QStringLiteral("sleep"), QString::number(seconds)});
    perf.waitForFinished((seconds + 30) * 1000);
    Counts counts;
    for (const QByteArray &line : perf.readAllStandardError().split('\n')) {
        const QList<QByteArray> fields = line.split(',');
        if (fields.size() < 3)
            continue;
        const double value = fields[0].toDouble();
        if (fields[2].startsWith("task-clock"))
            counts.cpuMs = value;
        else if (fields[2] == "raw_syscalls:sys_enter")
            counts.syscalls = value;
        else if (fields[2] == "context-switches")
            counts.switches = value;
    }
    return counts;
}

// Starts `program`, counts it once it has settled, and lets it end on its own.
Counts runAndCount(QProcess &program, int seconds)
{
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.waitForStarted();
    QThread::msleep(kSettleMs);
    const Counts counts = countProcess(program.processId(), seconds);
    program.waitForFinished(30000);
    QByteArray said = program.readAllStandardOutput().trimmed();
    std::printf("      %s\n", said.replace('\n', "\n      ").constData());
    return counts;
}

Counts runLive(const QString &liveCpu, const char *simPath, int seconds)
{
    QProcess live;
    live.start(liveCpu, {QString::fromLocal8Bit(simPath), QString::number(seconds + 5)});
    return runAndCount(live, seconds);
}

Counts runPeer(const QString &peerPath, const char *simPath, int seconds)
{
    QTemporaryDir config; // the simulator writes its port map there
    QProcess sim;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    sim.setProcessEnvironment(env);
    QStringList announced;
    if (!StartBenchSim(sim, simPath,
            {QStringLiteral("--max"), QStringLiteral("--noise"), QStringLiteral("0.3")},
            &announced))
        return {};
    QProcess peer;
    peer.start(peerPath, {announced.value(0).section(' ', 1), QString::number(seconds + 5)});
    const Counts counts = runAndCount(peer, seconds);
    sim.terminate();
    sim.waitForFinished(3000);
    return counts;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc < 6) {
        std::fprintf(stderr, "usage: peer_cpu NERIX_SIM SERIAL_PEER PAIRS SECONDS LIVE_CPU...\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    const char *simPath = argv[1];
    const QString peerPath = QString::fromLocal8Bit(argv[2]);
    const int rounds = std::max(1, std::atoi(argv[3]));
    const int seconds = std::max(1, std::atoi(argv[4]));
    QStringList programs; // the live_cpu builds, then the peer (empty name)
    for (int i = 5; i < argc; ++i)
        programs << QString::fromLocal8Bit(argv[i]);
    programs << QString();
    const double frames = kFramesPerSecond * seconds;

    std::vector<std::vector<Counts>> runs(std::size_t(programs.size()));
    for (int round = 0; round < rounds; ++round) {
        for (qsizetype k = 0; k < programs.size(); ++k) {
            const qsizetype which = (k + round) % programs.size();
            const QString &program = programs[which];
            std::printf(
                "round %d: %s\n", round + 1, program.isEmpty() ? "peer" : qPrintable(program));
            std::fflush(stdout);
            const Counts c = program.isEmpty() ? runPeer(peerPath, simPath, seconds)
                                               : runLive(program, simPath, seconds);
            std::printf("      CPU %.2f %% of one core, %.2f system calls and %.2f context "
                        "switches per frame\n",
                100.0 * c.cpuMs / (1000.0 * seconds), c.syscalls / frames, c.switches / frames);
            std::fflush(stdout);
            runs[std::size_t(which)].push_back(c);
        }
    }

    const std::vector<Counts> &peer = runs.back();
    std::printf("\nmedians over %d rounds of %d s (%.0f frames each):\n", rounds, seconds, frames);
    for (qsizetype k = 0; k < programs.size(); ++k) {
        std::vector<double> cpu, calls, switches, ratio;
        for (std::size_t r = 0; r < runs[std::size_t(k)].size(); ++r) {
            const Counts &c = runs[std::size_t(k)][r];
            cpu.push_back(100.0 * c.cpuMs / (1000.0 * seconds));
            calls.push_back(c.syscalls / frames);
            switches.push_back(c.switches / frames);
            if (peer[r].cpuMs > 0)
                ratio.push_back(c.cpuMs / peer[r].cpuMs);
        }
        std::printf("  %-40s CPU %5.2f %%  calls/frame %5.2f  switches/frame %5.2f",
            programs[k].isEmpty() ? "peer" : qPrintable(programs[k]), median(cpu), median(calls),
            median(switches));
        if (!programs[k].isEmpty())
            std::printf("  CPU / peer %.2f", median(ratio));
        std::printf("\n");
    }
    return 0;
}
