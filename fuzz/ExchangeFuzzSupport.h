#pragma once

// Shared by the exchange fuzz targets: the input as an in-memory file, and the checks
// every reader's result must pass. Any exception other than the layer's own errors, and
// any broken check, aborts, which is what the fuzzer reports.

#include "exchange/FileFilters.h"
#include "model/Errors.h"

#include <QDateTime>

#include <cstdint>
#include <cstdlib>

namespace rkfuzz {

inline TSourceFile source(const uint8_t* data, size_t size)
{
    return TSourceFile{QStringLiteral("/fuzz/Roll 12.txt"),
                       QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
                       QDateTime(QDate(2004, 5, 6), QTime(7, 8, 9))};
}

inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Runs a reader on a fresh roll set; a reader that fails must leave the set empty.
template<typename Reader>
TRKRollSet runReader(Reader reader)
{
    TRKRollSet set;
    try {
        reader(set);
    } catch (const ERKError&) {
        check(set.Rolls.isEmpty() && set.Frames.isEmpty());
        return set;
    }
    return set;
}

}  // namespace rkfuzz
