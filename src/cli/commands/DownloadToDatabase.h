#pragma once

// The database half of "download --db FILE": the comparison with the stored rolls and
// the add, with the messages a database view would show, printed instead.

#include "cli/Command.h"
#include "model/DataStructures.h"

#include <QString>

namespace cli {

// Adds the new part of a downloaded roll set to the database file (created first when
// `create` is set and it does not exist). Prints the outcome: the rows added, "nothing
// new" (exit Success), "different camera" or a refused row's message (exit Refused),
// a file that cannot be opened (exit Failure). Progress "stage n/m" goes to stderr when
// it is a terminal.
int addDownloadToDatabase(const TRKRollSet& rollSet, const QString& fileName, bool create,
                          CliContext& context);

}  // namespace cli
