// nerix-sim: the simulated meter and reference instrument the program and its tests talk to
// through pseudo-terminals. One plain poll loop serves every device: bytes from the program go
// to the device's handler, and each device is ticked when the time it asked for comes. Lines on
// standard input change the simulated field.
#include "FieldModel.h"
#include "Meter.h"
#include "Reference.h"
#include "SimOptions.h"
#include "core/SettingsStore.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {
int signalPipe[2] = {-1, -1};

void OnSignal(int number)
{
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t n = write(signalPipe[1], &byte, 1);
    errno = saved;
}

bool InstallSignals()
{
    if (pipe2(signalPipe, O_NONBLOCK | O_CLOEXEC) != 0)
        return false;
    struct sigaction action { };
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int number : {SIGINT, SIGTERM, SIGUSR1})
        sigaction(number, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

bool PublishPorts(const std::vector<std::unique_ptr<SimDevice>> &devices)
{
    const auto settings = openSettingsStore();
    for (const auto &device : devices)
        settings->setValue(QStringLiteral("Ports/") + QLatin1String(device->PortName()),
            QString::fromStdString(device->SlavePath()));
    settings->sync();
    if (settings->status() != QSettings::NoError) {
        std::fprintf(stderr, "nerix-sim: cannot write the port map to %s\n",
            qPrintable(settings->fileName()));
        return false;
    }
    return true;
}

void AnnouncePorts(const std::vector<std::unique_ptr<SimDevice>> &devices)
{
    for (const auto &device : devices)
        std::printf("%s %s\n", device->PortName(), device->SlavePath().c_str());
    std::fflush(stdout);
}

bool CreateReadyFile(const std::string &path)
{
    std::FILE *file = std::fopen(path.c_str(), "w");
    if (!file)
        return false;
    return std::fclose(file) == 0;
}

timespec Until(SimClock::time_point now, SimClock::time_point when)
{
    const auto wait = std::max(when - now, SimClock::duration::zero());
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
    return {static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}

enum class LoopEnd { Signal, Hangup, Failure };

// Standard input, line by line: "field VALUE" sets the true field. At its end it is no
// longer watched.
class Console {
public:
    explicit Console(FieldModel &field)
        : field_(field)
    {
    }
    int Fd() const { return open_ ? STDIN_FILENO : -1; }

    void Read()
    {
        char buffer[256];
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            if (n == 0 || (errno != EINTR && errno != EAGAIN))
                open_ = false;
            return;
        }
        pending_.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
            Line(std::string_view(pending_).substr(0, end));
            pending_.erase(0, end + 1);
        }
        if (pending_.size() > 1024)
            pending_.clear(); // no line is that long
    }

private:
    void Line(std::string_view line)
    {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        constexpr std::string_view kField = "field ";
        double value = 0;
        if (line.starts_with(kField)) {
            const std::string_view number = line.substr(kField.size());
            const auto [ptr, ec]
                = std::from_chars(number.data(), number.data() + number.size(), value);
            if (ec == std::errc() && ptr == number.data() + number.size()) {
                field_.SetField(value);
                return;
            }
        }
        if (!line.empty())
            std::fprintf(stderr, "nerix-sim: not understood: %.*s (field VALUE)\n",
                int(line.size()), line.data());
    }

    FieldModel &field_;
    bool open_ = true;
    std::string pending_;
};

LoopEnd Run(std::vector<std::unique_ptr<SimDevice>> &devices, Console &console,
    SimClock::time_point start, double hangupAfter)
{
    const bool hangs = hangupAfter >= 0;
    const SimClock::time_point hangup = start
        + std::chrono::duration_cast<SimClock::duration>(
            std::chrono::duration<double>(std::max(hangupAfter, 0.0)));
    std::vector<SimClock::time_point> due(devices.size(), start);
    std::vector<pollfd> fds(devices.size() + 2);
    for (;;) {
        SimClock::time_point now = SimClock::now();
        if (hangs && now >= hangup)
            return LoopEnd::Hangup;
        for (std::size_t d = 0; d < devices.size(); ++d) {
            if (due[d] <= now)
                due[d] = devices[d]->Tick(now);
        }
        SimClock::time_point next = *std::min_element(due.begin(), due.end());
        if (hangs)
            next = std::min(next, hangup);
        for (std::size_t d = 0; d < devices.size(); ++d)
            fds[d] = {devices[d]->MasterFd(), POLLIN, 0};
        fds[devices.size()] = {console.Fd(), POLLIN, 0}; // ignored once it is -1
        fds.back() = {signalPipe[0], POLLIN, 0};
        const timespec timeout = Until(SimClock::now(), next);
        const int ready = ppoll(fds.data(), fds.size(), &timeout, nullptr);
        if (ready < 0 && errno != EINTR) {
            std::perror("nerix-sim: poll");
            return LoopEnd::Failure;
        }
        if (ready <= 0)
            continue;
        now = SimClock::now();
        for (std::size_t d = 0; d < devices.size(); ++d) {
            if (!(fds[d].revents & POLLIN))
                continue;
            uint8_t buffer[4096];
            const ssize_t n = read(fds[d].fd, buffer, sizeof buffer);
            if (n > 0) {
                devices[d]->OnBytes(buffer, static_cast<std::size_t>(n), now);
                due[d] = now; // an answer may be due later: the device says when
            }
        }
        if (fds[devices.size()].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL))
            console.Read();
        if (fds.back().revents & POLLIN) {
            unsigned char number = 0;
            while (read(signalPipe[0], &number, 1) == 1) {
                if (number == SIGUSR1) {
                    for (const auto &device : devices)
                        device->Dump();
                } else {
                    return LoopEnd::Signal;
                }
            }
        }
    }
}
} // namespace

int main(int argc, char **argv)
{
    bool help = false;
    const std::optional<SimOptions> options = ParseSimOptions(argc, argv, help);
    if (help) {
        std::fputs(kSimUsage, stdout);
        return 0;
    }
    if (!options)
        return 2;
    if (!InstallSignals()) {
        std::perror("nerix-sim: signals");
        return 1;
    }
    const SimClock::time_point start = SimClock::now();
    FieldModel field(options->field, options->drift, options->driftPeriod);
    std::vector<std::unique_ptr<SimDevice>> devices;
    try {
        devices.push_back(std::make_unique<Meter>(options->meter, field, start));
        devices.push_back(std::make_unique<Reference>(
            options->reference, field, WizardScale(options->meter), start));
        devices[0]->SetPortName(options->meterPort);
        devices[1]->SetPortName(options->referencePort);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "nerix-sim: %s\n", e.what());
        return 1;
    }
    if (!PublishPorts(devices))
        return 1;
    if (!options->readyFile.empty() && !CreateReadyFile(options->readyFile)) {
        std::fprintf(stderr, "nerix-sim: cannot create %s\n", options->readyFile.c_str());
        return 1;
    }
    // Announced last: once the path is printed, the map and the ready file are in place.
    AnnouncePorts(devices);
    Console console(field);
    const LoopEnd end = Run(devices, console, start, options->hangupAfter);
    devices.clear(); // closes every line
    return end == LoopEnd::Failure ? 1 : 0;
}
