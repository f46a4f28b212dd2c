#include "RawClient.h"

#include "f100sim/F100Simulator.h"
#include "f100sim/MemoryImage.h"

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

std::unique_ptr<F100Simulator> startWithFault(const TSimFault& fault, int baud = 0)
{
    F100SimOptions options;
    options.Rolls = {{7, 4, 200}};
    options.Fault = fault;
    options.Baud = baud;
    auto simulator = std::make_unique<F100Simulator>(options);
    QString error;
    EXPECT_TRUE(simulator->start(&error)) << error.toStdString();
    return simulator;
}

QByteArray header(qsizetype length)
{
    return bytes({static_cast<int>(length >> 8), static_cast<int>(length & 0xFF)});
}

}  // namespace

TEST(F100SimulatorFaults, EachFaultShowsOnTheWire)
{
    const QByteArray image = startWithFault({})->memoryImage();
    const QByteArray fullReply = header(image.size()) + image;
    const qsizetype half = image.size() / 2;

    struct Case
    {
        const char* what;
        TSimFault fault;
        const char* command;
        // Checks the raw bytes that arrived for the command.
        std::function<void(const QByteArray&)> check;
        bool erased;  // for "EP": whether the memory was erased
        qsizetype wireSize = -1;  // how many bytes arrive, when known
    };
    const Case cases[] = {
        {"silent", {ESimFault::Silent, {}, 0, 0}, "EP",
         [](const QByteArray& wire) { EXPECT_TRUE(wire.isEmpty()); }, false, 0},
        {"error status", {ESimFault::ErrorStatus, "EP", 0, 0}, "EP",
         [](const QByteArray& wire) { EXPECT_EQ(wire.toHex(), "000179"); }, false, 3},
        {"no acknowledgement", {ESimFault::NoAck, "EP", 0, 0}, "EP",
         [](const QByteArray& wire) {
             ASSERT_EQ(wire.size(), 3);
             EXPECT_NE(static_cast<uint8_t>(wire[2]), 0x61);
             EXPECT_NE(static_cast<uint8_t>(wire[2]), 0x79);
         },
         false, 3},
        {"error status on another command", {ESimFault::ErrorStatus, "LQ", 0, 0}, "EP",
         [](const QByteArray& wire) { EXPECT_EQ(wire.toHex(), "000161"); }, true, 3},
        {"truncated", {ESimFault::TruncateReply, {}, 0, 0}, "LQ",
         [&](const QByteArray& wire) { EXPECT_EQ(wire.toHex(), (header(image.size()) + image.left(half)).toHex()); },
         false, 2 + half},
        {"no acknowledgement of the memory", {ESimFault::NoAck, "LQ", 0, 0}, "LQ",
         [&](const QByteArray& wire) {
             ASSERT_EQ(wire.size(), fullReply.size());
             EXPECT_EQ(wire.mid(3), fullReply.mid(3));
             EXPECT_NE(static_cast<uint8_t>(wire[2]), 0x61);
             EXPECT_NE(static_cast<uint8_t>(wire[2]), 0x79);
         },
         false, fullReply.size()},
        {"noise before", {ESimFault::Noise, {}, 0, 0}, "LQ",
         [&](const QByteArray& wire) {
             EXPECT_GT(wire.size(), fullReply.size());
             EXPECT_TRUE(wire.endsWith(fullReply));
         },
         false},
        {"noise after", {ESimFault::NoiseAfter, {}, 0, 0}, "LQ",
         [&](const QByteArray& wire) {
             EXPECT_GT(wire.size(), fullReply.size());
             EXPECT_TRUE(wire.startsWith(fullReply));
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto simulator = startWithFault(c.fault);
        RawClient client(simulator->ptyPath());
        client.sendCommand(c.command);
        if (c.wireSize > 0) {
            c.check(client.read(static_cast<int>(c.wireSize), 2000));
            EXPECT_TRUE(client.read(1, 100).isEmpty()) << "nothing more";
        } else {
            // Unknown length: the reply is over once the line stays quiet.
            c.check(client.read(70000, 500));
        }
        if (QByteArray(c.command) == "EP") {
            EXPECT_EQ(simulator->memoryImage().size() == 2, c.erased);
        }
    }
}

TEST(F100SimulatorFaults, OnlyTheNthMatchingCommandShowsTheFault)
{
    auto simulator = startWithFault({ESimFault::ErrorStatus, "CQ", 0, 2});
    const char* expected[] = {"610010620e", "79", "610010620e"};
    for (const char* reply : expected) {
        EXPECT_EQ(query(simulator->ptyPath(), "MQ").toHex(), "613b");
        EXPECT_EQ(query(simulator->ptyPath(), "CQ").toHex(), reply);
    }
}

TEST(F100SimulatorFaults, StallPausesInTheMiddleOfTheReply)
{
    auto simulator = startWithFault({ESimFault::StallMidReply, "LQ", 300, 0});
    const qsizetype length = simulator->memoryImage().size();
    RawClient client(simulator->ptyPath());
    client.sendCommand("LQ");
    const QByteArray first = client.read(2 + length / 2, 1000);
    const auto firstDone = Clock::now();
    EXPECT_EQ(first.size(), 2 + length / 2);
    EXPECT_TRUE(client.read(1, 150).isEmpty()) << "still paused";
    const QByteArray rest = client.read(length - length / 2, 1000);
    EXPECT_GE(Clock::now() - firstDone, 250ms);
    EXPECT_EQ(first.mid(2) + rest, simulator->memoryImage());
}

TEST(F100SimulatorFaults, HangupClosesThePtyDuringTheMemoryReply)
{
    auto simulator = startWithFault({ESimFault::HangupMidReply, {}, 0, 0});
    RawClient client(simulator->ptyPath());
    client.sendCommand("OQ");  // only the memory reply is cut
    EXPECT_EQ(client.readReply().size(), 3);
    client.sendCommand("LQ");
    const QByteArray wire = client.read(2 + simulator->memoryImage().size(), 1000);
    EXPECT_EQ(wire.size(), 2 + simulator->memoryImage().size() / 2);
    EXPECT_TRUE(client.hungUp(1000));
    EXPECT_FALSE(simulator->isRunning());
}

TEST(F100SimulatorFaults, FaultCanBeChangedWhileRunning)
{
    auto simulator = startWithFault({});
    simulator->setFault({ESimFault::Silent, "MQ", 0, 0});
    EXPECT_TRUE(query(simulator->ptyPath(), "MQ").isEmpty());
    EXPECT_EQ(query(simulator->ptyPath(), "CQ").size(), 5);
    simulator->setFault({});
    EXPECT_EQ(query(simulator->ptyPath(), "MQ").toHex(), "613b");
}

TEST(F100SimulatorFaults, BaudRatePacesEveryByteSent)
{
    auto simulator = startWithFault({}, 9600);
    const qsizetype replyBytes = 2 + simulator->memoryImage().size();
    RawClient client(simulator->ptyPath());
    client.sendCommand("LQ");
    const auto sent = Clock::now();
    EXPECT_EQ(client.read(static_cast<int>(replyBytes), 1000).size(), replyBytes);
    // 12 bits a byte at 9600 baud; a lower bound only.
    EXPECT_GE(Clock::now() - sent, std::chrono::microseconds(replyBytes * 12 * 1000000 / 9600));
}
