// The MV-1 reader on any bytes.

#include "ExchangeFuzzSupport.h"
#include "exchange/MV1.h"

#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TSourceFile file = rkfuzz::source(data, size);
    const TRKRollSet set = rkfuzz::runReader(
        [&](TRKRollSet& s) { ReadMV1Data(file, s, 5, QStringLiteral("P")); });
    rkfuzz::check(set.Rolls.size() <= 1);
    QSet<int> numbers;
    for (const TRKFrame& frame : set.Frames) {
        rkfuzz::check(!numbers.contains(frame.FrameNumber));
        numbers.insert(frame.FrameNumber);
    }
    return 0;
}
