#include "f100sim/PtyLink.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#ifdef __linux__
#include <sys/inotify.h>
#endif

namespace f100sim {

namespace {

void closeFd(int* fd)
{
    if (*fd >= 0)
        ::close(*fd);
    *fd = -1;
}

bool makeRaw(int fd)
{
    termios attributes{};
    if (tcgetattr(fd, &attributes) != 0)
        return false;
    cfmakeraw(&attributes);
    return tcsetattr(fd, TCSANOW, &attributes) == 0;
}

bool addFlags(int fd, int statusFlags)
{
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | statusFlags) == 0 && fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

}  // namespace

PtyLink::~PtyLink()
{
    close();
}

bool PtyLink::open(QString* error)
{
    close();
    m_stop = false;
    m_clients = 0;
    int stopPipe[2];
    if (::pipe(stopPipe) != 0) {
        *error = systemError("pipe");
        return false;
    }
    m_stopRead = stopPipe[0];
    m_stopWrite = stopPipe[1];
    addFlags(m_stopRead, O_NONBLOCK);
    addFlags(m_stopWrite, O_NONBLOCK);

    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    // Raw at once: with line editing on, the pty would swallow bytes such as 0x03,
    // 0x11 and 0x13 before anyone reads them.
    if (m_master < 0 || !makeRaw(m_master) || grantpt(m_master) != 0 || unlockpt(m_master) != 0
        || !addFlags(m_master, O_NONBLOCK)) {
        *error = systemError("Couldn't create a pseudo-terminal");
        close();
        return false;
    }
#ifdef __linux__
    char name[128];
    if (ptsname_r(m_master, name, sizeof name) != 0) {
        *error = systemError("ptsname");
        close();
        return false;
    }
    m_path = QString::fromLocal8Bit(name);
#else
    m_path = QString::fromLocal8Bit(ptsname(m_master));
#endif
    m_slave = ::open(m_path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0 || !makeRaw(m_slave)) {
        *error = systemError("Couldn't open the pseudo-terminal's slave side");
        close();
        return false;
    }
#ifdef __linux__
    m_notify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_notify >= 0 && inotify_add_watch(m_notify, m_path.toLocal8Bit().constData(), IN_OPEN | IN_CLOSE) < 0)
        closeFd(&m_notify);
#endif
    return true;
}

void PtyLink::closePty()
{
    closeFd(&m_notify);
    closeFd(&m_slave);
    closeFd(&m_master);
}

void PtyLink::close()
{
    closePty();
    closeFd(&m_stopRead);
    closeFd(&m_stopWrite);
}

void PtyLink::requestStop()
{
    m_stop = true;
    if (m_stopWrite >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_stopWrite, &byte, 1);
    }
}

void PtyLink::waitForInput(int timeoutMs)
{
    pollfd fds[3] = {{m_stopRead, POLLIN, 0}, {m_master, POLLIN, 0}, {m_notify, POLLIN, 0}};
    ::poll(fds, m_notify >= 0 ? 3 : 2, timeoutMs);
}

void PtyLink::waitForRoom(int timeoutMs)
{
    pollfd fds[3] = {{m_stopRead, POLLIN, 0}, {m_master, POLLOUT, 0}, {m_notify, POLLIN, 0}};
    ::poll(fds, m_notify >= 0 ? 3 : 2, timeoutMs);
}

QByteArray PtyLink::readAvailable()
{
    QByteArray bytes;
    char buffer[512];
    while (m_master >= 0) {
        const ssize_t count = ::read(m_master, buffer, sizeof buffer);
        if (count <= 0)
            break;
        bytes.append(buffer, count);
    }
    return bytes;
}

qsizetype PtyLink::writeSome(const char* data, qsizetype size)
{
    if (m_master < 0)
        return 0;
    const ssize_t count = ::write(m_master, data, static_cast<size_t>(size));
    return count > 0 ? count : 0;
}

void PtyLink::waitUntilDelivered(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    // Written bytes pass through the pty's own buffer before the client can count them.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    int unread = 0;
    while (!m_stop && m_slave >= 0 && ::ioctl(m_slave, FIONREAD, &unread) == 0 && unread > 0
           && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool PtyLink::takePortClosed()
{
    bool lastClosed = false;
#ifdef __linux__
    if (m_notify < 0)
        return false;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(m_notify, buffer, sizeof buffer);
        if (count <= 0)
            break;
        for (ssize_t offset = 0; offset < count;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            if (event->mask & IN_OPEN) {
                if (m_clients++ == 0)
                    tcflush(m_slave, TCIFLUSH);
            } else if (event->mask & IN_CLOSE) {
                if (m_clients > 0 && --m_clients == 0) {
                    tcflush(m_slave, TCIFLUSH);
                    lastClosed = true;
                }
            }
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
#endif
    return lastClosed;
}

void sleepUntil(std::chrono::steady_clock::time_point deadline)
{
#if defined(__linux__)
    // steady_clock is CLOCK_MONOTONIC here; an absolute deadline keeps paced bytes
    // from drifting the way a chain of relative sleeps does.
    const auto sinceEpoch = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch());
    timespec when{};
    when.tv_sec = static_cast<time_t>(sinceEpoch.count() / 1000000000);
    when.tv_nsec = static_cast<long>(sinceEpoch.count() % 1000000000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &when, nullptr) == EINTR) {
    }
#else
    std::this_thread::sleep_until(deadline);
#endif
}

}  // namespace f100sim
