#pragma once

// The simulator's end of a pseudo-terminal: the master side, plus the slave side held
// open so that clients opening and closing the port never hang it up. POSIX only.
//
// One thread uses the link (the simulator's serving thread); requestStop() alone may
// be called from any other thread.

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>

namespace f100sim {

class PtyLink
{
public:
    PtyLink() = default;
    ~PtyLink();
    PtyLink(const PtyLink&) = delete;
    PtyLink& operator=(const PtyLink&) = delete;

    bool open(QString* error);
    // Closes the pty (a client sees a hang-up) but keeps the stop signal working.
    void closePty();
    // Closes everything.
    void close();
    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_path; }

    void requestStop();
    bool stopRequested() const { return m_stop.load(); }

    // Blocks until input arrives, a client opens or closes the port, a stop is
    // requested or timeoutMs passes (-1: no limit).
    void waitForInput(int timeoutMs);
    // Blocks until the pty takes more output, a stop is requested or timeoutMs passes.
    void waitForRoom(int timeoutMs);

    // What has arrived so far, without blocking.
    QByteArray readAvailable();
    // Writes what the pty takes now, without blocking; returns how many bytes it took.
    qsizetype writeSome(const char* data, qsizetype size);
    // Waits until the client has read everything sent, at most timeoutMs.
    void waitUntilDelivered(int timeoutMs);

    // Follows clients opening and closing the port. Returns true when the last client
    // closed it since the previous call; output it had not read is then dropped, as
    // closing a real serial port drops it.
    bool takePortClosed();

private:
    int m_master = -1;
    int m_slave = -1;
    int m_notify = -1;
    int m_stopRead = -1;
    int m_stopWrite = -1;
    int m_clients = 0;
    QString m_path;
    std::atomic<bool> m_stop{false};
};

// Sleeps until an absolute deadline, so that a series of waits does not drift.
void sleepUntil(std::chrono::steady_clock::time_point deadline);

}  // namespace f100sim
