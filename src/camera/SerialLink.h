#pragma once

// The camera's serial line: 9600 baud, 8 data bits, even parity, two stop bits, DTR on,
// RTS off, no flow control. Every read returns when the requested bytes have arrived or
// after one second, whichever comes first; that second of silence is how the protocol
// tells that the camera stopped talking.
//
// Owned and used by one thread only (the camera thread creates it, uses it and destroys
// it there). Failures after opening are never thrown: a read returns the bytes it got,
// a write is best effort, as the camera's protocol checks everything by its replies.

#include <QString>

#include <memory>

class QSerialPort;

class SerialLink
{
public:
    SerialLink();
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Opens the port by its system name ("ttyUSB0", "/dev/ttyUSB0", "COM3") or a device
    // path such as a pty, and sets the line. False when the port cannot be opened (no
    // such port, in use, no permission) or a line setting fails; the port is then closed
    // and *error says why. A device without modem lines (a pty) cannot take DTR or RTS;
    // only that refusal is tolerated.
    bool open(const QString& portName, QString* error = nullptr);
    void close();
    bool isOpen() const;

    // One read of count bytes; returns how many arrived (0 to count) within one second.
    // A line whose other end has gone returns at once with what was already there.
    qint64 read(char* buffer, qint64 count);

    // One write of count bytes, handed to the device within one second or given up.
    void write(const char* data, qint64 count);

private:
    std::unique_ptr<QSerialPort> m_port;
};
