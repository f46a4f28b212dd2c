// The simulator's serving thread: it reads what the client sends, logs it, runs each
// complete command on the camera state and sends the reply, with the configured pacing
// and fault.

#include "f100sim/SimulatorImpl.h"

#include "f100sim/MemoryImage.h"
#include "f100sim/SimStateFile.h"

#include <QFile>

#include <optional>

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using namespace f100sim;

namespace {

// A camera that has received part of a command gives up after this much silence.
constexpr auto kCommandTimeout = 1000ms;
// How long to wait at most for room in the pty before checking for a stop again.
constexpr int kRoomWaitMs = 100;

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<long long>(left, 0));
}

}  // namespace

TSimState F100Simulator::Impl::initialState()
{
    TSimState state{options.CustomSettings, options.DataSettings, {}};
    QString error;
    if (!options.Image.isEmpty()) {
        if (checkMemoryImage(options.Image, &error))
            state.Image = options.Image;
        else
            initError = error;
    } else {
        state.DataSettings = options.Detailed ? (state.DataSettings | F100Device::kDetailedModeBit)
                                              : (state.DataSettings & ~F100Device::kDetailedModeBit);
        state.Image = buildMemoryImage(options.Rolls, options.Detailed, &error);
        if (state.Image.isEmpty())
            initError = error;
    }
    if (!options.StatePath.isEmpty() && QFile::exists(options.StatePath)) {
        if (!loadStateFile(options.StatePath, &state, &error))
            initError = error;
    }
    if (!initError.isEmpty())
        state.Image.clear();
    return state;
}

void F100Simulator::Impl::serve()
{
    while (!link.stopRequested() && link.isOpen()) {
        link.waitForInput(reader.inCommand() ? millisecondsUntil(lastByte + kCommandTimeout) : -1);
        if (link.stopRequested())
            break;
        receive();
        if (reader.inCommand() && Clock::now() - lastByte >= kCommandTimeout)
            reader.reset();
        process();
    }
}

// Takes in what has arrived; returns true when the last client closed the port.
bool F100Simulator::Impl::receive()
{
    const bool closed = link.takePortClosed();
    if (closed) {
        reader.reset();
        pending.clear();
    }
    const QByteArray bytes = link.readAvailable();
    if (bytes.isEmpty())
        return closed;
    lastByte = Clock::now();
    {
        std::lock_guard lock(mutex);
        for (char byte : bytes)
            log.append(TSimLogEntry{lastByte, static_cast<uint8_t>(byte)});
    }
    const double seconds = std::chrono::duration<double>(lastByte - started).count();
    for (char byte : bytes) {
        pending.push_back(static_cast<uint8_t>(byte));
        if (logFile)
            std::fprintf(logFile, "%.6f %02X\n", seconds, static_cast<uint8_t>(byte));
    }
    if (logFile)
        std::fflush(logFile);
    return closed;
}

void F100Simulator::Impl::process()
{
    while (!pending.empty() && link.isOpen() && !link.stopRequested()) {
        const uint8_t byte = pending.front();
        pending.pop_front();
        TSimCommand command;
        if (reader.feed(byte, &command))
            execute(command);
    }
}

ESimFault F100Simulator::Impl::faultFor(const QByteArray& name)
{
    if (fault.Kind == ESimFault::None)
        return ESimFault::None;
    QByteArray target = fault.Command;
    if (target.isEmpty() && fault.Kind == ESimFault::HangupMidReply)
        target = "LQ";
    if (!target.isEmpty() && target != name)
        return ESimFault::None;
    ++faultMatches;
    if (fault.OnlyNth > 0 && faultMatches != fault.OnlyNth)
        return ESimFault::None;
    return fault.Kind;
}

void F100Simulator::Impl::execute(const TSimCommand& command)
{
    TSimReply reply;
    ESimFault shown = ESimFault::None;
    int stallMs = 0;
    std::optional<TSimState> changed;
    {
        std::lock_guard lock(mutex);
        commands.append(TSimCommandEntry{lastByte, command.Name, command.Payload});
        shown = faultFor(command.Name);
        stallMs = fault.StallMs;
        switch (shown) {
        case ESimFault::Silent:
            break;
        case ESimFault::ErrorStatus:
            reply = F100Device::errorReply();
            break;
        case ESimFault::NoAck:
            // A reply the camera garbled: it did nothing, and says neither yes nor no.
            reply = F100Device::changesState(command.Name) ? TSimReply{} : device.execute(command);
            reply.Answers = true;
            reply.StateChanged = false;
            if (reply.Payload.isEmpty())
                reply.Payload.append(char(0));
            reply.Payload[0] = static_cast<char>(F100Device::kNoAckStatus);
            break;
        default:
            reply = device.execute(command);
            break;
        }
        if (reply.StateChanged && !options.StatePath.isEmpty())
            changed = device.state();
    }
    if (changed)
        writeStateFile(*changed);
    if (reply.Answers)
        send(reply.Payload, shown, stallMs);
}

void F100Simulator::Impl::send(const QByteArray& payload, ESimFault shownFault, int stallMs)
{
    const auto length = static_cast<uint16_t>(payload.size());
    QByteArray header;
    header.append(static_cast<char>(length >> 8));
    header.append(static_cast<char>(length & 0xFF));
    const qsizetype half = payload.size() / 2;

    switch (shownFault) {
    case ESimFault::Noise:
        transmit(noiseBytes() + header + payload);
        return;
    case ESimFault::NoiseAfter:
        transmit(header + payload + noiseBytes());
        return;
    case ESimFault::TruncateReply:
        transmit(header + payload.left(half));
        return;
    case ESimFault::StallMidReply:
        if (transmit(header + payload.left(half)) && stall(std::chrono::milliseconds(stallMs)))
            transmit(payload.mid(half));
        return;
    case ESimFault::HangupMidReply:
        if (transmit(header + payload.left(half))) {
            // The cable is pulled once the client has the first half: its next read
            // fails at once. (Closing sooner would also discard what it has not read.)
            link.waitUntilDelivered(1000);
            running = false;
            link.closePty();
        }
        return;
    default:
        transmit(header + payload);
        return;
    }
}

// Sends bytes, paced at the configured baud rate. Returns false when a stop was
// requested or the client closed the port, which ends the reply.
bool F100Simulator::Impl::transmit(const QByteArray& bytes)
{
    const auto byteTime = options.Baud > 0 ? std::chrono::nanoseconds(12'000'000'000LL / options.Baud)
                                           : std::chrono::nanoseconds(0);
    auto deadline = Clock::now();
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        if (link.stopRequested() || receive())
            return false;
        qsizetype count = 0;
        if (byteTime.count() > 0) {
            // A byte is on the client's side only once its last stop bit has gone out.
            deadline += byteTime;
            sleepUntil(deadline);
            count = link.writeSome(bytes.constData() + sent, 1);
        } else {
            count = link.writeSome(bytes.constData() + sent, bytes.size() - sent);
        }
        if (count == 0) {
            link.waitForRoom(kRoomWaitMs);
            deadline = Clock::now();
        }
        sent += count;
    }
    return true;
}

bool F100Simulator::Impl::stall(std::chrono::milliseconds duration)
{
    const auto deadline = Clock::now() + duration;
    while (Clock::now() < deadline) {
        link.waitForInput(millisecondsUntil(deadline));
        if (link.stopRequested() || receive())
            return false;
    }
    return true;
}

QByteArray F100Simulator::Impl::noiseBytes()
{
    QByteArray bytes;
    const auto count = 1 + noise() % 6;
    for (uint32_t i = 0; i < count; ++i)
        bytes.append(static_cast<char>(noise() & 0xFF));
    return bytes;
}

void F100Simulator::Impl::writeStateFile(const TSimState& state)
{
    QString error;
    if (!saveStateFile(options.StatePath, state, &error))
        std::fprintf(stderr, "f100sim: %s\n", qPrintable(error));
}
