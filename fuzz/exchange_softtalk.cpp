// The SoftTALK reader on any bytes, with a roll number given and taken from the file.

#include "ExchangeFuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TSourceFile file = rkfuzz::source(data, size);
    for (const int32_t rollNumber : {-1, 7}) {
        const TRKRollSet set = rkfuzz::runReader(
            [&](TRKRollSet& s) { ReadSoftTALKData(file, s, rollNumber, QStringLiteral("P")); });
        rkfuzz::check(set.Frames.size() <= MaxFramesPerFile);
        for (qsizetype i = 0; i < set.Frames.size(); ++i)
            rkfuzz::check(set.Frames.at(i).FrameNumber == i + 1);
    }
    return 0;
}
