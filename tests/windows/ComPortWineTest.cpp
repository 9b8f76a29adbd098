// The serial port component on Windows, run under Wine against pseudo-terminals whose other
// side is tests/windows/PtyDevice.cpp: COM2 and COM12 answer the test's commands, COM3 hangs
// up, COM23 (above the sixteen ports of old) is only listed. The test's main thread stands in for
// the UI thread: it runs what the event threads hand over whenever it waits. Prints one line per
// case and "N passed, M failed".
#include "serial/CPort.h"
#include "serial/PortEnumeration.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>

#include <windows.h>

namespace {
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Failure {
    std::string what;
};

#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (!(condition))                                                                          \
            throw Failure {"line " + std::to_string(__LINE__) + ": " #condition};                  \
    } while (false)

// The UI thread's queue: tasks the ports' event threads post run when the test waits.
class TaskQueue final : public ComEventBridge {
public:
    void post(std::function<void()> task) override
    {
        {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        changed_.notify_all();
    }

    // Runs posted tasks until `done` holds; false when it does not within `limit`.
    bool pumpUntil(const std::function<bool()> &done, Clock::duration limit = 5s)
    {
        const auto deadline = Clock::now() + limit;
        for (;;) {
            if (done())
                return true;
            std::function<void()> task;
            {
                std::unique_lock lock(mutex_);
                // Some conditions (bytes waiting in the driver) come without a task: look again
                // every few milliseconds.
                changed_.wait_until(
                    lock, std::min(deadline, Clock::now() + 5ms), [&] { return !tasks_.empty(); });
                if (!tasks_.empty()) {
                    task = std::move(tasks_.front());
                    tasks_.pop_front();
                }
            }
            if (task)
                task();
            else if (Clock::now() >= deadline)
                return done();
        }
    }

    // Runs posted tasks for the whole of `span`.
    void pumpFor(Clock::duration span)
    {
        pumpUntil([] { return false; }, span);
    }

    // Blocks, running nothing, until `count` tasks wait.
    bool waitQueued(std::size_t count)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 5s, [&] { return tasks_.size() >= count; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> tasks_;
};

std::shared_ptr<TaskQueue> ui = std::make_shared<TaskQueue>();

std::unique_ptr<TComPort> portOn(const char *name)
{
    auto port = std::make_unique<TComPort>(ui);
    port->SetPort(name);
    return port;
}

// Reads blocking until `count` bytes have come or two seconds have passed.
std::string readReply(TComPort &port, int count)
{
    const TComTimeouts before = port.Timeouts();
    port.SetTimeouts({0, 0, 2000, 100, 1000});
    std::string text;
    port.ReadText(text, count);
    port.SetTimeouts(before);
    return text;
}

std::string ask(TComPort &port, const std::string &command, int replyBytes)
{
    port.WriteText(command + "\n");
    return readReply(port, replyBytes);
}

double elapsedMs(Clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

long processCpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ms = [](const FILETIME &t) {
        return long(((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000);
    };
    return ms(kernel) + ms(user);
}

void enumerationListsTheMappedPortsWhole()
{
    const std::vector<std::string> names = EnumComPorts();
    for (const char *name : {"COM2", "COM3", "COM12", "COM23"})
        CHECK(std::count(names.begin(), names.end(), name) == 1);
    for (std::size_t i = 1; i < names.size(); ++i)
        CHECK(comPortNumber(names[i - 1]) < comPortNumber(names[i]));
}

// Each port by its friendly name, without the port name Windows appends to it, or by its bare
// name where the device manager has none (Wine's ports have none).
void enumerationLabelsEachPort()
{
    for (const ComPortInfo &port : ListComPorts()) {
        CHECK(port.description.find("(COM") == std::string::npos);
        CHECK(comPortLabel(port)
            == (port.description.empty() ? port.name : port.name + " (" + port.description + ")"));
        std::printf("  %s\n", comPortLabel(port).c_str());
    }
}

void openWriteAndRead()
{
    auto port = portOn("COM2");
    int opened = 0;
    port->OnAfterOpen = [&](TComPort &) { ++opened; };
    port->Open();
    CHECK(port->Connected() && opened == 1);
    const std::string text(300, 'w');
    CHECK(port->WriteText("echo " + text + "\n") == 306);
    CHECK(readReply(*port, 300) == text);
}

void openingAMissingPortFails()
{
    auto port = portOn("COM9");
    try {
        port->Open();
        CHECK(!"a port the machine lacks opened");
    } catch (const EComPort &e) {
        CHECK(e.Code() == 1 && e.WinCode() == ERROR_FILE_NOT_FOUND);
        CHECK(std::string(e.what()) == "Unable to open com port (win error code: 2)");
    }
    CHECK(!port->Connected());
}

void settingsReachTheLine()
{
    // The measuring link's settings, then a rate and stop bits changed while open.
    auto port = portOn("COM2");
    TComFlowControl flow;
    flow.ControlDTR = dtrEnable;
    port->SetFlowControl(flow);
    port->Open();
    CHECK(ask(*port, "state", 7) == "9600 1\n");
    port->SetBaudRate(br19200);
    port->SetStopBits(sbTwoStopBits);
    CHECK(ask(*port, "state", 8) == "19200 2\n");
}

void readTimeouts()
{
    struct Case {
        const char *name;
        TComTimeouts timeouts;
        int waiting; // bytes waiting before the read
        int expectedBytes;
        double expectedMs;
    };
    const std::uint32_t none = TComTimeouts::kNoInterval;
    const Case cases[] = {
        {"at once, nothing waiting", {none, 0, 0, 100, 1000}, 0, 0, 0},
        {"at once, bytes waiting", {none, 0, 0, 100, 1000}, 3, 3, 0},
        {"total limit, nothing comes", {0, 0, 200, 100, 1000}, 0, 0, 200},
        {"total limit, too few come", {0, 0, 150, 100, 1000}, 3, 3, 150},
        {"total limit per byte", {0, 20, 50, 100, 1000}, 0, 0, 250},
        {"interval after the last byte", {50, 0, 0, 100, 1000}, 3, 3, 50},
    };
    auto port = portOn("COM2");
    port->Open();
    for (const Case &c : cases) {
        if (c.waiting > 0) {
            port->WriteText("send " + std::to_string(c.waiting) + "\n");
            CHECK(ui->pumpUntil([&] { return port->InputCount() == c.waiting; }));
        }
        port->SetTimeouts(c.timeouts);
        char buffer[10];
        const auto start = Clock::now();
        const int got = port->Read(buffer, 10);
        const double ms = elapsedMs(start);
        if (got != c.expectedBytes || ms < c.expectedMs - 1 || ms > c.expectedMs + 20)
            throw Failure {std::string(c.name) + ": " + std::to_string(got) + " bytes after "
                + std::to_string(ms) + " ms"};
    }
}

void receiveEventOnATwoDigitPort()
{
    auto port = portOn("COM12");
    std::vector<int> counts;
    std::string data;
    bool onUiThread = true;
    const auto uiThread = std::this_thread::get_id();
    port->OnRxChar = [&](TComPort &sender, int count) {
        onUiThread &= std::this_thread::get_id() == uiThread;
        counts.push_back(count);
        std::string text;
        sender.ReadText(text, count);
        data += text;
    };
    port->Open();
    CHECK(port->Port() == "COM12");
    port->WriteText("send 40\n");
    CHECK(ui->pumpUntil([&] { return data.size() == 40; }));
    for (int i = 0; i < 40; ++i)
        CHECK(data[std::size_t(i)] == char(i));
    CHECK(onUiThread);
    CHECK(std::all_of(counts.begin(), counts.end(), [](int n) { return n > 0; }));

    // One arrival, one event with its count.
    counts.clear();
    port->WriteText("send 1\n");
    CHECK(ui->pumpUntil([&] { return data.size() == 41; }));
    CHECK(counts == std::vector<int> {1});
}

void purgeDropsWhatWaits()
{
    auto port = portOn("COM2");
    port->Open();
    port->WriteText("send 20\n");
    CHECK(ui->pumpUntil([&] { return port->InputCount() == 20; }));
    port->PurgeBuffers(true, false);
    CHECK(port->InputCount() == 0);
    CHECK(ask(*port, "echo z", 1) == "z");
}

void closeWhileAHandOverWaits()
{
    auto port = portOn("COM2");
    int received = 0;
    int closed = 0;
    port->OnRxChar = [&](TComPort &sender, int count) {
        std::string text;
        sender.ReadText(text, count);
        ++received;
    };
    port->OnAfterClose = [&](TComPort &) { ++closed; };
    for (int round = 0; round < 20; ++round) {
        port->Open();
        port->WriteText("send 64\n");
        CHECK(ui->waitQueued(1)); // the event thread now waits for the UI thread
        port->Close();
        CHECK(!port->Connected() && closed == round + 1);
        ui->pumpUntil([] { return false; }, 0s); // the stale hand-over does nothing
        CHECK(received == 0);
    }
    port->Open();
    port->WriteText("send 5\n");
    CHECK(ui->pumpUntil([&] { return received > 0; }));
}

void hangUpIsReportedOnce()
{
    auto port = portOn("COM3");
    std::vector<std::string> log;
    int lostCode = 0;
    port->OnAfterClose = [&](TComPort &p) { log.push_back(p.Connected() ? "open" : "close"); };
    port->OnLinkLost = [&](TComPort &p, const EComPort &why) {
        log.push_back(p.Connected() ? "open" : "lost");
        lostCode = why.Code();
    };
    port->Open();
    port->WriteText("hangup\n");
    CHECK(ui->pumpUntil([&] { return !log.empty(); }));
    const long cpuBefore = processCpuMs();
    ui->pumpFor(500ms);
    CHECK(processCpuMs() - cpuBefore < 150); // nothing spins on the dead device
    CHECK((log == std::vector<std::string> {"close", "lost"}));
    CHECK(!port->Connected() && lostCode == 3);
    port->Close();
    CHECK(log.size() == 2);
}

// Ends the run when a case does not finish: a deadlock shows as a failure, not a hang.
class Watchdog {
public:
    explicit Watchdog(const char *name)
        : thread_([this, name] {
            std::unique_lock lock(mutex_);
            if (!done_.wait_for(lock, 30s, [&] { return finished_; })) {
                std::printf("FAIL %s: still running after 30 s\n", name);
                std::fflush(stdout);
                std::_Exit(1);
            }
        })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};
} // namespace

int main()
{
    const struct {
        const char *name;
        void (*run)();
    } cases[] = {
        {"enumerationListsTheMappedPortsWhole", enumerationListsTheMappedPortsWhole},
        {"enumerationLabelsEachPort", enumerationLabelsEachPort},
        {"openWriteAndRead", openWriteAndRead},
        {"openingAMissingPortFails", openingAMissingPortFails},
        {"settingsReachTheLine", settingsReachTheLine},
        {"readTimeouts", readTimeouts},
        {"receiveEventOnATwoDigitPort", receiveEventOnATwoDigitPort},
        {"purgeDropsWhatWaits", purgeDropsWhatWaits},
        {"closeWhileAHandOverWaits", closeWhileAHandOverWaits},
        {"hangUpIsReportedOnce", hangUpIsReportedOnce},
    };
    int passed = 0;
    int failed = 0;
    for (const auto &c : cases) {
        std::string failure;
        {
            Watchdog watchdog(c.name);
            try {
                c.run();
            } catch (const Failure &f) {
                failure = f.what;
            } catch (const std::exception &e) {
                failure = std::string("exception: ") + e.what();
            }
        }
        ui->pumpFor(0s); // what a closed port left queued
        if (failure.empty()) {
            ++passed;
            std::printf("ok   %s\n", c.name);
        } else {
            ++failed;
            std::printf("FAIL %s: %s\n", c.name, failure.c_str());
        }
        std::fflush(stdout);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
