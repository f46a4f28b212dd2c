#pragma once

// The F100 itself, without any I/O: a reader that turns received bytes into commands,
// and the camera state that executes them. The simulator feeds both from its pty.
// Not thread-safe: the simulator guards it with its own lock.

#include <QByteArray>

#include <array>
#include <cstdint>

namespace f100sim {

struct TSimCommand
{
    QByteArray Name;     // two ASCII letters, e.g. "CQ"
    QByteArray Payload;  // the bytes announced by the frame's count
};

// The camera listens for the wake byte 0x00 and ignores everything else until then.
// After a wake come 4 frame bytes (two letters, 16-bit big-endian payload count), then
// the payload. Further zero bytes right after a wake are wakes too: no command name
// starts with 0x00.
class CommandReader
{
public:
    // Returns true when this byte completes a command, which is stored in *command.
    bool feed(uint8_t byte, TSimCommand* command);
    // True between a wake and the end of its command.
    bool inCommand() const { return m_state != State::Idle; }
    void reset();

private:
    enum class State { Idle, Frame, Payload };
    State m_state = State::Idle;
    QByteArray m_frame;
    TSimCommand m_command;
    int m_payloadLength = 0;
};

struct TSimState
{
    std::array<uint8_t, 4> CustomSettings{};
    uint8_t DataSettings = 0;
    QByteArray Image;  // as answered to "LQ"

    friend bool operator==(const TSimState&, const TSimState&) = default;
};

struct TSimReply
{
    bool Answers = false;  // "DP" and "NP" are not answered
    QByteArray Payload;    // status byte first
    bool StateChanged = false;
};

class F100Device
{
public:
    // Custom settings bits B3 1, 6, 7 and data settings bits 2, 4, 5, 6, 7 belong to
    // the camera: a write never changes them.
    static constexpr uint8_t kCameraOwnedB3Bits = 0xC2;
    static constexpr uint8_t kCameraOwnedDataBits = 0xF4;
    static constexpr uint8_t kDataPresentBit = 0x10;
    static constexpr uint8_t kDetailedModeBit = 0x08;
    static constexpr uint8_t kNoAckStatus = 0x3F;

    // The image must have passed checkMemoryImage.
    explicit F100Device(const TSimState& state);

    TSimReply execute(const TSimCommand& command);
    // The reply to a command the camera does not understand or refuses.
    static TSimReply errorReply();
    // Whether executing the command may change the camera's state.
    static bool changesState(const QByteArray& name);

    // The data settings byte as "MQ" reports it: bit 4 follows the memory.
    TSimState state() const;
    void setState(const TSimState& state);
    bool filmLoaded() const { return m_filmLoaded; }
    void setFilmLoaded(bool loaded) { m_filmLoaded = loaded; }

private:
    bool hasShootingData() const { return m_image.size() > 2; }
    uint8_t dataSettingsByte() const;

    std::array<uint8_t, 4> m_custom{};
    uint8_t m_data = 0;
    QByteArray m_image;
    bool m_filmLoaded = false;
};

}  // namespace f100sim
