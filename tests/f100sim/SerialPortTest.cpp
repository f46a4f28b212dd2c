// The simulator seen through QSerialPort, the serial layer the program itself uses:
// opened with the camera's line settings, closed after every exchange.

#include "f100sim/F100Simulator.h"

#include <QSerialPort>

#include <gtest/gtest.h>

namespace {

QByteArray exchange(QSerialPort& port, const QByteArray& frame, qsizetype replySize)
{
    port.write(QByteArray(1, '\0'));
    port.write(frame);
    port.waitForBytesWritten(1000);
    QByteArray reply;
    while (reply.size() < replySize && port.waitForReadyRead(1000))
        reply += port.readAll();
    return reply;
}

}  // namespace

TEST(SimSerialPort, OpenQueryCloseCyclesThroughQSerialPort)
{
    F100SimOptions options;
    options.Rolls = {{12, 36, 400}};
    options.CustomSettings = {0x03, 0x11, 0x13, 0x0E};
    F100Simulator simulator(options);
    QString error;
    ASSERT_TRUE(simulator.start(&error)) << error.toStdString();
    const QByteArray image = simulator.memoryImage();
    for (int cycle = 0; cycle < 3; ++cycle) {
        SCOPED_TRACE(cycle);
        QSerialPort port;
        port.setPortName(simulator.ptyPath());
        port.setBaudRate(QSerialPort::Baud9600);
        port.setDataBits(QSerialPort::Data8);
        port.setParity(QSerialPort::EvenParity);
        port.setStopBits(QSerialPort::TwoStop);
        port.setFlowControl(QSerialPort::NoFlowControl);
        ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
        // 0x03, 0x11 and 0x13 (interrupt, XON, XOFF to a terminal) arrive untouched.
        EXPECT_EQ(exchange(port, QByteArray("CQ\0\0", 4), 7).toHex(), "00056103111" "30e");
        QByteArray memoryReply;
        memoryReply.append(static_cast<char>(image.size() >> 8));
        memoryReply.append(static_cast<char>(image.size() & 0xFF));
        EXPECT_EQ(exchange(port, QByteArray("LQ\0\0", 4), 2 + image.size()), memoryReply + image);
        port.close();
    }
    EXPECT_TRUE(simulator.isRunning());
}
