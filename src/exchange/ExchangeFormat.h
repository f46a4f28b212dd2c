#pragma once

// The exchange file formats, as detected on import and chosen on export. The values are
// fixed: the export uses the same numbering, which is why 3 (CSV, written only) exists.

#include <QString>

enum TExchangeFormat : int {
    efSoftTALK = 0,
    efPhotoSecretary = 1,
    efCSV = 3,  // written only, never detected
    efF90 = 4,
    efMV1 = 5,
    efUnrecognised = 6,
};

// Stable lower-case names for scripts: "softtalk", "photosecretary", "csv", "f90", "mv1",
// "unrecognised".
QString ExchangeFormatName(TExchangeFormat format);

// The format of a name given by ExchangeFormatName, or efUnrecognised.
TExchangeFormat ExchangeFormatFromName(const QString& name);
