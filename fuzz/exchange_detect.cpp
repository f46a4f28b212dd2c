// Format detection and the roll number a file proposes, on any bytes.

#include "ExchangeFuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TSourceFile file = rkfuzz::source(data, size);
    try {
        const TExchangeFormat format = DetectFormat(file.Data);
        rkfuzz::check(format == efSoftTALK || format == efPhotoSecretary || format == efF90
                      || format == efMV1 || format == efUnrecognised);
        const int32_t rollNumber = ProposedRollNumber(file, format);
        rkfuzz::check(format != efUnrecognised || rollNumber == -1);
    } catch (const ERKError&) {
    }
    return 0;
}
