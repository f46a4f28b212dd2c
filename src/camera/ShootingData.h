#pragma once

// Pure decoding of the F100's shooting-data memory image, the payload of its reply to
// "LQ":
//
//   0x61 (acknowledgement), recording mode (0 simple, 1 detailed), then the rolls:
//   F3 hi lo (roll header) | frame records of 5 or 13 bytes | ISO code, FD (trailer)
//
// The format has no escaping: a roll header is only recognised at the start or right
// after a trailer's FD, and a trailer only where a roll header or the end follows it.
// Frame data that happens to look like that is read as a header or trailer, as the
// camera's own software reads it. No I/O here; safe to call from any thread.

#include "camera/CameraTexts.h"
#include "model/DataStructures.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>

// One frame record (5 bytes simple, 13 detailed; the first 5 the same in both) of the
// given roll. Fields a simple record lacks are 0. `record` must hold the record's bytes.
TRKFrame DecodeFrameRecord(uint8_t recordingMode, const uint8_t* record, int32_t rollNumber,
                           const QDate& today = QDate::currentDate());

// Fills rollSet from a memory image; rolls carry the photographer's name, the camera name
// "F100" and today's date, frames today's date.
//
// Returns false, with rollSet empty and the reason in *problem when given, for an image
// that is not a memory image (shorter than 6 bytes, no acknowledgement, unknown mode) or
// that the walk cannot finish inside it (a header or record cut short, a single byte
// left at the end, a film speed before any roll): nothing half-decoded is handed on.
bool DecodeShootingData(const QByteArray& packet, TRKRollSet& rollSet,
                        const QString& photographer, QString* problem = nullptr,
                        const QDate& today = QDate::currentDate());

// The fewest rolls for which the data size (the image without its first two bytes)
// splits into 5 bytes of header and trailer per roll and whole frame records, with fewer
// than 40 frames a roll on average. Sizes below 5 give no rolls and no frames; a size
// that fits no combination (the camera never reports one) gives no counts.
std::optional<TRollFrameCount> EstimateRollsAndFrames(uint16_t dataSize, bool detailed);
