// The F90 reader on any bytes: a cut or lying file must never read past its end.

#include "ExchangeFuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TSourceFile file = rkfuzz::source(data, size);
    const TRKRollSet set = rkfuzz::runReader([&](TRKRollSet& s) { ReadF90Data(file, s, 3); });
    rkfuzz::check(set.Rolls.size() <= 1 && set.Frames.size() <= 255);
    for (const TRKFrame& frame : set.Frames)
        rkfuzz::check(frame.RollNumber == 3 && frame.RecordingMode == 1);
    return 0;
}
