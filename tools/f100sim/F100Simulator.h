#pragma once

// A simulated Nikon F100 on a pseudo-terminal. Open ptyPath() as a serial port and it
// answers the camera's protocol byte for byte: wake byte, 4-byte command frames,
// length-prefixed replies with status "a" or "y". It keeps custom settings, data
// settings and a shooting data memory, refuses what the camera refuses, and can show
// the faults of a bad cable or a confused camera (F100SimOptions::Fault).
//
// Threads: start() runs the device on its own thread. Every public method may be
// called from any thread. stop() (also run by the destructor) returns promptly, even in
// the middle of a long reply.
//
// The simulator keeps the pty's slave side open itself, so a client may open and
// close the port as often as it likes, as with a real serial port. When the last
// client closes the port, data it did not read is dropped, and so is the rest of a
// reply still being sent, as a real port does. (The simulator learns of the close a
// moment after it happens: always before it runs the next client's first command,
// but a client that reads at once after reopening may still see the old bytes.)

#include "f100sim/F100Device.h"
#include "f100sim/F100SimOptions.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>

struct TSimLogEntry
{
    std::chrono::steady_clock::time_point Time;  // when the byte was read from the pty
    uint8_t Byte = 0;
};

struct TSimCommandEntry
{
    std::chrono::steady_clock::time_point Time;  // when the command's last byte arrived
    QByteArray Name;
    QByteArray Payload;
};

class F100Simulator
{
public:
    explicit F100Simulator(const F100SimOptions& options = {});
    ~F100Simulator();
    F100Simulator(const F100Simulator&) = delete;
    F100Simulator& operator=(const F100Simulator&) = delete;

    // Prepares the memory and settings (from the state file, the image or the rolls),
    // opens the pty and starts serving. Returns false with a message on failure.
    bool start(QString* error);
    // Ends serving, closes the pty and writes the state file when one is set.
    void stop();
    // True from start() until stop(), or until a hang-up fault closed the pty.
    bool isRunning() const;
    // The slave side to open as the serial port, e.g. "/dev/pts/3"; empty before start.
    QString ptyPath() const;

    // Every byte received, in order, with the time it arrived.
    QList<TSimLogEntry> log() const;
    // Every complete command received, in order (also the ones a fault answered).
    QList<TSimCommandEntry> commands() const;
    void clearLog();

    std::array<uint8_t, 4> customSettings() const;
    uint8_t dataSettings() const;  // as "MQ" answers it, data-present bit included
    QByteArray memoryImage() const;
    bool filmLoaded() const;

    void setCustomSettings(const std::array<uint8_t, 4>& bytes);
    void setDataSettings(uint8_t byte);
    // Replaces the memory; returns false with a message for an image the camera could
    // not hold (see f100sim::checkMemoryImage).
    bool setMemoryImage(const QByteArray& image, QString* error);
    void setFilmLoaded(bool loaded);
    // Replaces the fault; the count of affected commands starts again.
    void setFault(const TSimFault& fault);

    bool saveState(const QString& path, QString* error) const;
    bool loadState(const QString& path, QString* error);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
