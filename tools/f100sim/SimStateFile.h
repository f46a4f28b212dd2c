#pragma once

// The file in which a simulated camera keeps its settings and memory across restarts:
// a few "key=hex" lines, easy to read and to edit by hand.
//
//   custom=0010620E
//   data=3B
//   image=6101F3000A...

#include "f100sim/F100Device.h"

#include <QString>

namespace f100sim {

// Reads a whole file; on failure *error says which file and why.
bool readWholeFile(const QString& path, QByteArray* contents, QString* error);

// Hex digits, two per byte; spaces between them are allowed.
bool parseHexBytes(QByteArray text, QByteArray* bytes);

// Written atomically: a failed write leaves the previous file as it was.
bool saveStateFile(const QString& path, const TSimState& state, QString* error);

// Every key must be present and valid; the image must pass checkMemoryImage.
// On failure *state is unchanged and *error names the file and line.
bool loadStateFile(const QString& path, TSimState* state, QString* error);

}  // namespace f100sim
