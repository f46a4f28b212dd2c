#pragma once

// Which part of a download is new to a database. The camera's memory usually repeats
// rolls and frames already stored; the comparison finds where the new data begins, or
// tells that the data cannot belong to this database at all. The database view and the
// command-line tool both call it, on the user-interface thread, with the database's
// roll table and its frame table (the detail of the roll table).

#include "db/Table.h"
#include "model/DataStructures.h"

#include <QString>

#include <cstdint>

enum class TComparisonOutcome { NothingNew, NewData, DifferentCamera };

struct TDownloadComparison
{
    TComparisonOutcome Outcome = TComparisonOutcome::NothingNew;
    // The adder's start point for NewData; -1 and -1 add the whole set.
    int32_t FMinR = -1;
    int32_t FMinF = -1;
};

// Compares the rolls of the set, in their order, with the stored rolls. The roll table
// is held in quiet mode throughout (the frame table still follows it) and is returned
// to the row that was current before. Throws EDatabaseError when the tables fail.
//
// Accepted as an extension of the database: a run of stored rolls with as many frames
// as downloaded, then at most one roll with fewer frames stored than downloaded, then
// rolls that are not stored. A stored roll with more frames than downloaded, or a later
// roll already stored, means a different camera. Rolls after the start point that are
// stored without any frame are the remains of an add that was cut short (a crash, a
// refused frame) and count as not stored, so downloading again completes them.
TDownloadComparison CompareDownload(const TRKRollSet& rollSet, TDBTable& rollTable,
                                    TDBTable& frameTable);

// What a finished download leads to: an empty database takes the whole set without a
// comparison; otherwise CompareDownload.
TDownloadComparison DecideDownload(const TRKRollSet& rollSet, TDBTable& rollTable,
                                   TDBTable& frameTable);

// The messages of the outcomes that add nothing.
QString NothingNewMessage();
QString DifferentCameraMessage();
