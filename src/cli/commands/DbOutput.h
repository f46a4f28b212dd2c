#pragma once

// What the database commands share: opening a database file as a view opens it, and
// printing the rows of a table object, every column as stored.

#include "cli/Command.h"

#include <QString>

class TDatabase;
class TDBTable;

namespace cli {

// Opens the file; on failure prints "Failed to open file FILE: " and the error to err
// and returns false.
bool openDatabaseFile(TDatabase& database, const QString& fileName, CliContext& context);

// Prints every row of the table from its first: with --json an array of objects (null
// for an empty number or date, numbers as numbers); otherwise a header line and one
// tab-separated line per row.
void printRows(TDBTable& table, CliContext& context);

}  // namespace cli
