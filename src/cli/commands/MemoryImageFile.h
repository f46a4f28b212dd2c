#pragma once

// A saved memory image of the camera (download --image-out), read and decoded offline
// with the photographer's name from the settings, for decode and download --from-image.

#include "cli/Command.h"
#include "model/DataStructures.h"

#include <QString>

namespace cli {

// Prints why to err and returns false when the file cannot be read, the settings cannot
// be read, or the bytes are not a memory image.
bool decodeMemoryImageFile(const QString& fileName, CliContext& context, TRKRollSet& rollSet);

}  // namespace cli
