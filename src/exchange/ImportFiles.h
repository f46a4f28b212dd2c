#pragma once

// Importing a list of files into a database, as the import window and the command-line
// tool do it: every row of the list names a file and the roll number it is to be
// imported as. The rule below must hold for every row; then each file is read, in list
// order, into one roll set, and that set is added to the database as a download is, with
// everything new (-1/-1). A file that cannot be read or converted ends the import before
// anything is added.
//
// Runs on the user-interface thread (the thread that owns the database's tables).

#include "model/DataStructures.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class TDatabase;

struct TImportRow
{
    QString FileName;
    std::optional<int32_t> RollNumber;  // empty: the row has no roll number
};

// Why a row breaks the import rule. A row may break several parts; the first in this
// order is given.
enum class TImportRowProblem {
    None,
    NoValidRollNumber,     // none, or not above 0
    DuplicateRollNumber,   // another row has the same number
    RollNumberInDatabase,  // the database holds a roll of that number
};

// "no valid roll number", "duplicate roll number", "roll number already in the
// database"; empty for None.
QString ImportRowProblemText(TImportRowProblem problem);

// The problem of every row, in row order. Roll numbers are compared as numbers, so
// "012" and "12" are the same roll.
QList<TImportRowProblem> CheckImportRule(const QList<TImportRow>& rows,
                                         const std::function<bool(int32_t)>& rollInDatabase);

// The same against an open database (its roll table).
QList<TImportRowProblem> CheckImportRule(const QList<TImportRow>& rows, TDatabase& database);

// True when the list has at least one row and no row has a problem.
bool ImportAllowed(const QList<TImportRowProblem>& problems);

// Reads every file of the list, in order, into one roll set. Throws what the readers
// throw (EFileError, EFileFormatError), and EFileFormatError for a text the database
// could not hold (longer than 255 characters); a file that is not recognised adds nothing.
TRKRollSet ReadImportFiles(const QList<TImportRow>& rows, const QString& photographer);

struct TImportResult
{
    QList<TImportRowProblem> Problems;  // of every row; nothing was read unless all None
    bool Added = false;                 // the whole roll set went to the database
    QString Message;  // a refused row's message, or why the add could not start
    int RollsAdded = 0;
    int FramesAdded = 0;
};

// Checks the rule against the open database, reads the files and adds the roll set,
// waiting for the adder (the caller's thread runs an event loop meanwhile). Throws what
// ReadImportFiles throws; nothing is added then.
TImportResult ImportFiles(TDatabase& database, const QList<TImportRow>& rows,
                          const QString& photographer,
                          const std::function<void(const QString& countText, const QString& stageText)>&
                              onProgress = {});
