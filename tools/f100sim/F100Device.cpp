#include "f100sim/F100Device.h"

#include "f100sim/MemoryImage.h"

namespace f100sim {

namespace {

constexpr uint8_t kWake = 0x00;

QByteArray acknowledged(const QByteArray& data = {})
{
    return QByteArray(1, static_cast<char>(kAck)) + data;
}

TSimReply answer(QByteArray payload, bool changed = false)
{
    return TSimReply{true, std::move(payload), changed};
}

}  // namespace

bool CommandReader::feed(uint8_t byte, TSimCommand* command)
{
    switch (m_state) {
    case State::Idle:
        if (byte == kWake) {
            m_state = State::Frame;
            m_frame.clear();
        }
        return false;
    case State::Frame:
        if (m_frame.isEmpty() && byte == kWake)
            return false;
        m_frame.append(static_cast<char>(byte));
        if (m_frame.size() < 4)
            return false;
        m_command = TSimCommand{m_frame.left(2), {}};
        m_payloadLength = static_cast<uint8_t>(m_frame[2]) * 256 + static_cast<uint8_t>(m_frame[3]);
        m_state = State::Payload;
        break;
    case State::Payload:
        m_command.Payload.append(static_cast<char>(byte));
        break;
    }
    if (m_command.Payload.size() < m_payloadLength)
        return false;
    *command = m_command;
    reset();
    return true;
}

void CommandReader::reset()
{
    m_state = State::Idle;
    m_frame.clear();
    m_command = {};
    m_payloadLength = 0;
}

F100Device::F100Device(const TSimState& state)
{
    setState(state);
}

TSimReply F100Device::errorReply()
{
    return answer(QByteArray(1, static_cast<char>(kError)));
}

bool F100Device::changesState(const QByteArray& name)
{
    return name == "DP" || name == "NP" || name == "EP";
}

uint8_t F100Device::dataSettingsByte() const
{
    return hasShootingData() ? (m_data | kDataPresentBit) : (m_data & ~kDataPresentBit);
}

TSimState F100Device::state() const
{
    return TSimState{m_custom, dataSettingsByte(), m_image};
}

void F100Device::setState(const TSimState& state)
{
    m_custom = state.CustomSettings;
    m_data = state.DataSettings;
    m_image = state.Image;
    if (m_image.size() < 2)
        m_image = emptyMemoryImage(m_data & kDetailedModeBit);
    const auto mode = static_cast<uint8_t>(m_image[1]);
    if (hasShootingData() && mode <= 1) {
        // The records were written in the mode the camera was set to.
        m_data = mode == 1 ? (m_data | kDetailedModeBit) : (m_data & ~kDetailedModeBit);
    } else if (!hasShootingData()) {
        m_image = emptyMemoryImage(m_data & kDetailedModeBit);
    }
}

TSimReply F100Device::execute(const TSimCommand& command)
{
    const QByteArray& name = command.Name;
    const qsizetype expectedPayload = name == "DP" ? 4 : name == "NP" ? 1 : 0;
    if (command.Payload.size() != expectedPayload)
        return errorReply();

    if (name == "CQ")
        return answer(acknowledged(QByteArray(reinterpret_cast<const char*>(m_custom.data()), 4)));
    if (name == "MQ")
        return answer(acknowledged(QByteArray(1, static_cast<char>(dataSettingsByte()))));
    if (name == "OQ") {
        const auto size = static_cast<uint16_t>(m_image.size() - 2);
        QByteArray count;
        count.append(static_cast<char>(size >> 8));
        count.append(static_cast<char>(size & 0xFF));
        return answer(acknowledged(count));
    }
    if (name == "LQ")
        return answer(m_image);
    if (name == "DP") {
        std::array<uint8_t, 4> written{};
        for (size_t i = 0; i < 4; ++i)
            written[i] = static_cast<uint8_t>(command.Payload[static_cast<qsizetype>(i)]);
        written[2] = (written[2] & ~kCameraOwnedB3Bits) | (m_custom[2] & kCameraOwnedB3Bits);
        m_custom = written;
        return TSimReply{false, {}, true};
    }
    if (name == "NP") {
        // The camera will not change how it records while it holds records or film.
        if (hasShootingData() || m_filmLoaded)
            return TSimReply{};
        const auto written = static_cast<uint8_t>(command.Payload[0]);
        m_data = (written & ~kCameraOwnedDataBits) | (m_data & kCameraOwnedDataBits);
        m_image = emptyMemoryImage(m_data & kDetailedModeBit);
        return TSimReply{false, {}, true};
    }
    if (name == "EP") {
        if (m_filmLoaded)
            return errorReply();
        m_image = emptyMemoryImage(m_data & kDetailedModeBit);
        m_data &= ~kDataPresentBit;
        return answer(acknowledged(), true);
    }
    return errorReply();
}

}  // namespace f100sim
