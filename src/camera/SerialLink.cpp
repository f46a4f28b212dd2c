#include "camera/SerialLink.h"

#include <QDeadlineTimer>
#include <QSerialPort>

namespace {

constexpr int TimeoutMs = 1000;

// A modem-line request refused as unsupported comes from a device that has no modem
// lines at all (a pty answers "Inappropriate ioctl for device"); a real adapter that
// refuses one is broken and is not used.
bool SetModemLine(QSerialPort& port, bool (QSerialPort::*setter)(bool), bool on)
{
    if ((port.*setter)(on))
        return true;
    const bool noModemLines = port.error() == QSerialPort::UnsupportedOperationError;
    if (noModemLines)
        port.clearError();
    return noModemLines;
}

}  // namespace

SerialLink::SerialLink() = default;

SerialLink::~SerialLink()
{
    close();
}

bool SerialLink::open(const QString& portName, QString* error)
{
    close();
    if (portName.isEmpty()) {
        if (error)
            *error = QStringLiteral("no port name");
        return false;
    }
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(portName);
    // Set before opening: the open applies them all at once, and a pty, which ignores
    // parity, then still opens.
    bool configured = port->setBaudRate(QSerialPort::Baud9600)
                      && port->setDataBits(QSerialPort::Data8)
                      && port->setParity(QSerialPort::EvenParity)
                      && port->setStopBits(QSerialPort::TwoStop)
                      && port->setFlowControl(QSerialPort::NoFlowControl);
    if (!configured || !port->open(QIODevice::ReadWrite)) {
        if (error)
            *error = port->errorString();
        return false;
    }
    configured = SetModemLine(*port, &QSerialPort::setDataTerminalReady, true)
                 && SetModemLine(*port, &QSerialPort::setRequestToSend, false);
    if (!configured) {
        if (error)
            *error = port->errorString();
        port->close();
        return false;
    }
    port->clear();
    m_port = std::move(port);
    return true;
}

void SerialLink::close()
{
    if (m_port) {
        m_port->close();
        m_port.reset();
    }
}

bool SerialLink::isOpen() const
{
    return m_port != nullptr;
}

qint64 SerialLink::read(char* buffer, qint64 count)
{
    if (!m_port || count <= 0)
        return 0;
    const QDeadlineTimer deadline(TimeoutMs);
    qint64 received = 0;
    for (;;) {
        const qint64 got = m_port->read(buffer + received, count - received);
        if (got > 0)
            received += got;
        if (received >= count || deadline.hasExpired())
            break;
        if (!m_port->waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            // A time-out, or a read error once the other end has gone: either way no
            // more data comes within this read.
            m_port->clearError();
            break;
        }
    }
    return received;
}

void SerialLink::write(const char* data, qint64 count)
{
    if (!m_port || count <= 0)
        return;
    m_port->write(data, count);
    const QDeadlineTimer deadline(TimeoutMs);
    while (m_port->bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (!m_port->waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            break;
    }
    m_port->clearError();
}
