#pragma once

// The F100's shooting data memory as it answers "LQ": 0x61, the recording mode
// (0 simple, 1 detailed), then per roll a header F3 hi lo, one 5- or 13-byte record per
// frame and a trailer of film speed code and FD.

#include "f100sim/F100SimOptions.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace f100sim {

inline constexpr uint8_t kAck = 0x61;
inline constexpr uint8_t kError = 0x79;
inline constexpr uint8_t kRollHeader = 0xF3;
inline constexpr uint8_t kRollTrailer = 0xFD;
inline constexpr int kMaxImageSize = 0xFFFF;  // the reply length is 16 bits

// Parses "ROLL:FRAMES[:ISO],..." e.g. "10:36,11:20:400". An empty text is no rolls.
bool parseRollDescription(const QString& text, QList<TSimRoll>* rolls, QString* error);

// Builds a memory image with plausible frames: real lenses, table-valid shutter,
// aperture and focal codes, varied modes, flash and compensations. The same rolls
// always give the same bytes. No frame byte can be mistaken for a roll boundary.
// Returns an empty array with *error set when the image would exceed 65535 bytes.
QByteArray buildMemoryImage(const QList<TSimRoll>& rolls, bool detailed, QString* error);

// The shooting data of the demo mode: detailed rolls 41 (36 frames), 42 (24) and 43
// (12). resources/demo/sample-memory.bin holds the same bytes, for f100sim --image.
QList<TSimRoll> demoRolls();
QByteArray demoMemoryImage();

// An empty memory in the given recording mode: just the acknowledgement and mode byte.
QByteArray emptyMemoryImage(bool detailed);

// Checks what the camera itself guarantees about a memory image it is given: the
// acknowledgement byte first, a mode byte, and at most 65535 bytes. The roll data is
// taken as it stands, so odd images can be served on purpose.
bool checkMemoryImage(const QByteArray& image, QString* error);

// Film speed code (1 to 31) of an ISO value, or 0 when the camera has no such speed.
int isoCode(int iso);

}  // namespace f100sim
