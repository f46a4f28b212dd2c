#include "RawClient.h"

#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

RawClient::RawClient(const QString& path)
{
    m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    termios attributes{};
    tcgetattr(m_fd, &attributes);
    cfmakeraw(&attributes);
    tcsetattr(m_fd, TCSANOW, &attributes);
}

RawClient::~RawClient()
{
    close();
}

void RawClient::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void RawClient::send(const QByteArray& data)
{
    qsizetype sent = 0;
    while (m_fd >= 0 && sent < data.size()) {
        const ssize_t count = ::write(m_fd, data.constData() + sent, static_cast<size_t>(data.size() - sent));
        if (count <= 0)
            return;
        sent += count;
    }
}

void RawClient::sendCommand(const QByteArray& name, const QByteArray& payload)
{
    send(QByteArray(1, '\0'));
    send(name + bytes({static_cast<int>(payload.size() >> 8), static_cast<int>(payload.size() & 0xFF)}) + payload);
}

QByteArray RawClient::read(int count, int quietMs)
{
    QByteArray received;
    while (m_fd >= 0 && received.size() < count) {
        pollfd fd{m_fd, POLLIN, 0};
        if (::poll(&fd, 1, quietMs) <= 0)
            break;
        char buffer[4096];
        const ssize_t got = ::read(m_fd, buffer, std::min<size_t>(sizeof buffer, static_cast<size_t>(count - received.size())));
        if (got <= 0)
            break;
        received.append(buffer, got);
    }
    return received;
}

QByteArray RawClient::readReply(int quietMs)
{
    const QByteArray header = read(2, quietMs);
    if (header.size() < 2)
        return {};
    const int length = static_cast<uint8_t>(header[0]) * 256 + static_cast<uint8_t>(header[1]);
    return read(length, quietMs);
}

bool RawClient::hungUp(int waitMs)
{
    pollfd fd{m_fd, POLLIN, 0};
    if (::poll(&fd, 1, waitMs) <= 0)
        return false;
    if (fd.revents & (POLLHUP | POLLERR))
        return true;
    char byte;
    return ::read(m_fd, &byte, 1) <= 0;
}

QByteArray query(const QString& path, const QByteArray& name, const QByteArray& payload)
{
    RawClient client(path);
    client.sendCommand(name, payload);
    return client.readReply();
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(static_cast<char>(value));
    return result;
}
