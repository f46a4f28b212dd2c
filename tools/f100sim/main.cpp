// f100sim: a simulated Nikon F100 on a pseudo-terminal, for demos, tests and trying
// the program without a camera. See --help.

#include "f100sim/F100Simulator.h"
#include "f100sim/MemoryImage.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

// Standard input counts as the controlling end only when it is a pipe or a terminal;
// started with </dev/null, the simulator runs until it gets a signal.
bool watchStandardInput()
{
    struct stat status{};
    return ::fstat(STDIN_FILENO, &status) == 0 && (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode)
                                                   || ::isatty(STDIN_FILENO));
}

void waitForEnd()
{
    const bool watchInput = watchStandardInput();
    for (;;) {
        pollfd fds[2] = {{g_signalPipe[0], POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (::poll(fds, watchInput ? 2 : 1, -1) < 0 && errno != EINTR)
            return;
        if (fds[0].revents & POLLIN)
            return;
        if (watchInput && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
            char buffer[256];
            if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
                return;
        }
    }
}

int writeImage(const F100SimOptions& options, const QString& path)
{
    QString error;
    QByteArray image = options.Image;
    if (image.isEmpty())
        image = f100sim::buildMemoryImage(options.Rolls, options.Detailed, &error);
    if (image.isEmpty()) {
        std::fprintf(stderr, "f100sim: %s\n", qPrintable(error));
        return 1;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size() || !file.commit()) {
        std::fprintf(stderr, "f100sim: Couldn't create \"%s\": %s\n", qPrintable(path), qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    F100SimOptions options;
    QString writeImagePath;
    bool help = false;
    QString error;
    if (!parseSimArguments(arguments, &options, &writeImagePath, &help, &error)) {
        std::fprintf(stderr, "f100sim: %s\nTry f100sim --help.\n", qPrintable(error));
        return 2;
    }
    if (help) {
        std::fputs(qPrintable(simHelpText()), stdout);
        return 0;
    }
    if (!writeImagePath.isEmpty())
        return writeImage(options, writeImagePath);

    if (::pipe(g_signalPipe) != 0) {
        std::perror("f100sim: pipe");
        return 1;
    }
    ::fcntl(g_signalPipe[1], F_SETFL, O_NONBLOCK);
    struct sigaction action{};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    F100Simulator simulator(options);
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "f100sim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(simulator.ptyPath()));
    std::fflush(stdout);
    waitForEnd();
    simulator.stop();
    return 0;
}
