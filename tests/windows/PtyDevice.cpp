// The device side of the Windows serial test: one pseudo-terminal per port name given on the
// command line, each printed as "COMn /dev/pts/N" once all are ready. The program under test
// drives each device with text lines:
//   "echo TEXT"  sends TEXT back
//   "send N"     sends the bytes 0, 1, ..., N-1 (modulo 256) in one write
//   "state"      sends the line rate and stop bits the port set, as "9600 1\n"
//   "hangup"     goes away, as an unplugged adapter does: the port's side hangs up
// Ends on SIGTERM, or when the process that started it ends.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {
struct Device {
    std::string name;
    int master = -1;
    int slave = -1; // held open, so the master does not hang up between the test's opens
    std::string line;
};

bool openDevice(Device &device)
{
    device.master = posix_openpt(O_RDWR | O_NOCTTY);
    if (device.master < 0 || grantpt(device.master) != 0 || unlockpt(device.master) != 0)
        return false;
    const char *path = ptsname(device.master);
    device.slave = path ? open(path, O_RDWR | O_NOCTTY) : -1;
    if (device.slave < 0)
        return false;
    termios t {};
    tcgetattr(device.slave, &t);
    cfmakeraw(&t);
    tcsetattr(device.slave, TCSANOW, &t);
    std::printf("%s %s\n", device.name.c_str(), path);
    return true;
}

void sendAll(int fd, const std::string &bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + sent, bytes.size() - sent);
        if (n > 0)
            sent += std::size_t(n);
        else if (n < 0 && errno != EINTR && errno != EAGAIN)
            return;
    }
}

int lineRate(speed_t code)
{
    static const struct {
        speed_t code;
        int rate;
    } kRates[] = {{B1200, 1200}, {B2400, 2400}, {B4800, 4800}, {B9600, 9600}, {B19200, 19200},
        {B38400, 38400}, {B57600, 57600}, {B115200, 115200}};
    for (const auto &r : kRates)
        if (r.code == code)
            return r.rate;
    return 0;
}

void hangUp(Device &device)
{
    close(device.master);
    close(device.slave);
    device.master = device.slave = -1;
}

void runCommand(Device &device, const std::string &command)
{
    if (command.rfind("echo ", 0) == 0) {
        sendAll(device.master, command.substr(5));
    } else if (command.rfind("send ", 0) == 0) {
        const int count = std::atoi(command.c_str() + 5);
        std::string bytes;
        for (int i = 0; i < count; ++i)
            bytes += char(i & 0xFF);
        sendAll(device.master, bytes);
    } else if (command == "state") {
        // The master reports the line state of its terminal, as the port set it.
        termios t {};
        tcgetattr(device.master, &t);
        sendAll(device.master,
            std::to_string(lineRate(cfgetospeed(&t))) + ((t.c_cflag & CSTOPB) ? " 2\n" : " 1\n"));
    } else if (command == "hangup") {
        hangUp(device);
    }
}

void serve(Device &device)
{
    char buffer[4096];
    const ssize_t n = read(device.master, buffer, sizeof buffer);
    if (n <= 0)
        return;
    for (ssize_t i = 0; i < n && device.master >= 0; ++i) {
        if (buffer[i] != '\n') {
            device.line += buffer[i];
            continue;
        }
        const std::string command = device.line;
        device.line.clear();
        runCommand(device, command);
    }
}
} // namespace

int main(int argc, char **argv)
{
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    std::vector<Device> devices;
    for (int i = 1; i < argc; ++i)
        devices.push_back(Device {argv[i], -1, -1, {}});
    for (Device &device : devices) {
        if (!openDevice(device)) {
            std::perror("pty-device");
            return 1;
        }
    }
    std::fflush(stdout);

    for (;;) {
        std::vector<pollfd> fds;
        for (const Device &device : devices)
            fds.push_back({device.master, POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return 1;
        }
        for (std::size_t i = 0; i < devices.size(); ++i)
            if (devices[i].master >= 0 && (fds[i].revents & POLLIN))
                serve(devices[i]);
    }
}
