// The PhotoSecretary reader on any bytes.

#include "ExchangeFuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TSourceFile file = rkfuzz::source(data, size);
    const TRKRollSet set = rkfuzz::runReader(
        [&](TRKRollSet& s) { ReadPhotoSecretaryData(file, s, -1, QStringLiteral("P")); });
    rkfuzz::check(set.Rolls.size() <= 1 && set.Frames.size() <= MaxFramesPerFile);
    for (const TRKFrame& frame : set.Frames)
        rkfuzz::check(frame.RollNumber == 12);
    return 0;
}
