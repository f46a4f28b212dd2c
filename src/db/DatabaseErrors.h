#pragma once

// Error kinds of the database layer. Every failure of SQLite, of a file that is not a
// Rollkeeper database, or of a row the database refuses is one of these; the kind is
// the class name, so a caller can print "kind - message" or catch a specific refusal.

#include "model/Errors.h"

RK_DECLARE_ERROR(EDatabaseError, ERKError)

// A second row with the key of an existing row (the primary key of a table).
RK_DECLARE_ERROR(EKeyViolation, EDatabaseError)

// A frame whose roll does not exist, or a roll number change that would orphan frames.
RK_DECLARE_ERROR(ERelationshipViolation, EDatabaseError)

// A required column (a roll or frame number) left empty.
RK_DECLARE_ERROR(ERequiredValueMissing, EDatabaseError)

// A value the column refuses: a text longer than 255 characters, a number that is not
// a whole number, a date that is not a day.
RK_DECLARE_ERROR(EValueRejected, EDatabaseError)

// Another connection holds the write lock for longer than the busy time-out.
RK_DECLARE_ERROR(EDatabaseBusy, EDatabaseError)
