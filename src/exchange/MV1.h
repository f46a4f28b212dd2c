#pragma once

// MV-1 data files: comma-separated text without quoting. Line 1 is the header "Film
// speed,Film number,Camera ID", line 2 holds those three values, line 3 names the
// columns of the frame lines (in any order), and every further line is one frame.
//
// Errors as the other readers (FileFilters.h): EFileError when the file cannot be read,
// EFileFormatError naming file, line and column when a frame cannot be imported (a frame
// number that is no integer or lies outside 0 to 255, a frame number met twice, a line
// without a value for a column that is read).

#include "exchange/TextFile.h"
#include "model/DataStructures.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// The first line of an MV-1 file, compared without regard to case.
bool IsMV1Header(const QString& line);

// The film number of the second line when it holds exactly three fields and that field
// is an integer; -1 otherwise.
int32_t MV1RollNumber(const QStringList& lines);

// Appends one roll and its frames and returns true; returns false and appends nothing
// when the file has two lines or fewer or does not begin with the header. rollNumber is
// stored as given.
bool ReadMV1File(const QString& fileName, TRKRollSet& rollSet, int32_t rollNumber,
                 const QString& photographer);
bool ReadMV1Data(const TSourceFile& source, TRKRollSet& rollSet, int32_t rollNumber,
                 const QString& photographer);
