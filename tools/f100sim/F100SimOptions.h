#pragma once

// What a simulated F100 is started with: its memory, its settings, whether film is
// loaded, how fast it talks, and which fault it shows. The same options come from the
// command line of f100sim (parseSimArguments) and from code that runs the simulator
// in-process (tests, demo mode).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// One roll of a roll description such as "10:36,11:20:400".
struct TSimRoll
{
    uint16_t RollNumber = 0;
    int FrameCount = 0;  // 0 to 255
    int Iso = 0;         // film speed (100, 400, ...); 0 picks one from the roll number

    friend bool operator==(const TSimRoll&, const TSimRoll&) = default;
};

enum class ESimFault {
    None,
    Silent,          // the command gets no reply and has no effect
    TruncateReply,   // the length header, then only the first half of the payload
    ErrorStatus,     // the reply is "y" alone and the command has no effect
    NoAck,           // the reply's first byte is neither "a" nor "y"; no effect
    Noise,           // random bytes before the reply header
    NoiseAfter,      // random bytes after the reply
    StallMidReply,   // a pause of StallMs in the middle of the reply
    HangupMidReply,  // the pty is closed in the middle of the reply (an unplugged cable)
};

struct TSimFault
{
    ESimFault Kind = ESimFault::None;
    // Two letters such as "LQ": only that command is affected. Empty: every command,
    // except for HangupMidReply, which then hits "LQ" replies only.
    QByteArray Command;
    int StallMs = 0;
    // 1-based: only the Nth affected command shows the fault; 0: every one.
    int OnlyNth = 0;
};

struct F100SimOptions
{
    // Memory image: the payload of the reply to "LQ" (0x61, recording mode, rolls).
    // When empty, it is built from Rolls and Detailed.
    QByteArray Image;
    QList<TSimRoll> Rolls;
    bool Detailed = true;

    // Custom settings bytes B1..B4 and the data settings byte as the camera holds them.
    // The data-present bit (4) of the data settings always follows the memory, and
    // its recording mode bit (3) follows the mode of a memory that holds rolls.
    std::array<uint8_t, 4> CustomSettings{0x00, 0x10, 0x62, 0x0E};
    uint8_t DataSettings = 0x2B;

    // When set, settings and memory are read from this file if it exists (it then wins
    // over Image and Rolls) and written back after every change and at stop.
    QString StatePath;

    bool FilmLoaded = false;
    // 0: bytes go out as fast as the pty takes them; otherwise each byte sent takes
    // 12 bit times (start bit, 8 data bits, even parity, 2 stop bits).
    int Baud = 0;
    TSimFault Fault;
    // When set, every received byte is appended to this file as it arrives.
    QString LogPath;
};

// Parses f100sim's command line (without the program name). Also reads --image FILE
// into Image. Returns false with a message in *error on bad input.
// *writeImagePath receives the --write-image FILE argument (empty when not given).
bool parseSimArguments(const QStringList& arguments, F100SimOptions* options,
                       QString* writeImagePath, bool* helpRequested, QString* error);

QString simHelpText();
