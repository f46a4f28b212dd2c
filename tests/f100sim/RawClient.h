#pragma once

// A bare POSIX client of the simulated camera: opens the pty slave in raw mode and
// speaks the wire protocol by hand, so the simulator is tested without the program's
// own serial layer.

#include <QByteArray>
#include <QString>

#include <chrono>

class RawClient
{
public:
    explicit RawClient(const QString& path);
    ~RawClient();
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    void close();
    void send(const QByteArray& bytes);
    // Wake byte, then the frame for the command and payload.
    void sendCommand(const QByteArray& name, const QByteArray& payload = {});
    // Reads until count bytes have come or the line was silent for quietMs.
    QByteArray read(int count, int quietMs = 1000);
    // A full reply: the 2-byte length, then that many payload bytes. Empty when no
    // header came.
    QByteArray readReply(int quietMs = 1000);
    // True when a read reports the other end gone (end of file or an error).
    bool hungUp(int waitMs);

private:
    int m_fd = -1;
};

// One command with its reply payload (length header checked and removed).
QByteArray query(const QString& path, const QByteArray& name, const QByteArray& payload = {});

QByteArray bytes(std::initializer_list<int> values);
