#pragma once

// Helpers shared by the readers and the detection. Internal to the exchange layer.

#include "exchange/ExchangeErrors.h"

#include <QString>
#include <QStringList>

// An error that says where reading a file stopped: the file, the line (1-based; 0 for
// the file as a whole) and the field (may be empty).
EFileFormatError FileFormatError(const QString& fileName, int line, const QString& field,
                                 const QString& problem);

// The error for the frame line that would be frame 256 of a file.
EFileFormatError TooManyFramesError(const QString& fileName, int line);

// The file name without its directory.
QString FileNameOnly(const QString& fileName);

// Whether a line starts with a key, compared without regard to case.
bool StartsWithKey(const QString& line, QLatin1String key);

// A line of comma-separated fields of which some are enclosed in double quotes (a quote
// inside such a field is doubled). allQuoted tells whether every field was quoted and
// nothing stood outside the quotes.
struct TQuotedFields
{
    QStringList Fields;
    bool AllQuoted = true;
};
TQuotedFields SplitQuotedCommaLine(const QString& line);
