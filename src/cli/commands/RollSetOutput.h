#pragma once

// Printing a downloaded or decoded roll set: in text the rolls and frames as the database
// would store them (the column texts), in JSON the records with their camera codes.

#include "cli/Command.h"
#include "model/DataStructures.h"

#include <QJsonObject>

namespace cli {

// {"rolls": [...], "frames": [...]}: codes as numbers, dates as "YYYY-MM-DD", or with
// " hh:mm:ss" when they carry a time of day.
QJsonObject rollSetJson(const TRKRollSet& rollSet);

// Each roll with a table of its frames; frames of no listed roll come last.
void printRollSet(const TRKRollSet& rollSet, CliContext& context);

}  // namespace cli
