// How closely the simulated F100 keeps to a real line: the demo memory read at
// 9600 baud (12 bits a byte) against its nominal time, and the largest memory read
// unpaced. Prints name=value lines.

#include "f100sim/F100Simulator.h"
#include "f100sim/MemoryImage.h"

#include <chrono>
#include <cstdio>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Seconds from sending "LQ" until the whole reply has arrived; negative on failure.
double timeMemoryRead(const F100SimOptions& options)
{
    F100Simulator simulator(options);
    QString error;
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return -1;
    }
    const qsizetype expected = 2 + simulator.memoryImage().size();
    const int fd = ::open(simulator.ptyPath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    termios attributes{};
    tcgetattr(fd, &attributes);
    cfmakeraw(&attributes);
    tcsetattr(fd, TCSANOW, &attributes);
    const char command[] = {0, 'L', 'Q', 0, 0};
    [[maybe_unused]] const ssize_t written = ::write(fd, command, sizeof command);
    const auto start = Clock::now();
    qsizetype received = 0;
    char buffer[4096];
    while (received < expected) {
        pollfd poll{fd, POLLIN, 0};
        if (::poll(&poll, 1, 2000) <= 0)
            break;
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count <= 0)
            break;
        received += count;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ::close(fd);
    return received == expected ? seconds : -1;
}

}  // namespace

int main()
{
    F100SimOptions paced;
    paced.Image = f100sim::demoMemoryImage();
    paced.Baud = 9600;
    const double nominal = static_cast<double>(2 + paced.Image.size()) * 12 / 9600;
    const double measured = timeMemoryRead(paced);
    std::printf("f100sim_demo_lq_bytes=%lld\n", static_cast<long long>(2 + paced.Image.size()));
    std::printf("f100sim_demo_lq_9600_nominal_s=%.4f\n", nominal);
    std::printf("f100sim_demo_lq_9600_measured_s=%.4f\n", measured);
    std::printf("f100sim_pacing_error_percent=%.2f\n", (measured - nominal) / nominal * 100);

    F100SimOptions unpaced;
    QList<TSimRoll> rolls;
    for (int roll = 1; roll <= 138; ++roll)
        rolls.append({static_cast<uint16_t>(roll), 36, 0});
    QString error;
    unpaced.Image = f100sim::buildMemoryImage(rolls, true, &error);
    const double fast = timeMemoryRead(unpaced);
    std::printf("f100sim_full_lq_bytes=%lld\n", static_cast<long long>(2 + unpaced.Image.size()));
    std::printf("f100sim_full_lq_unpaced_ms=%.2f\n", fast * 1000);
    return measured < 0 || fast < 0 ? 1 : 0;
}
