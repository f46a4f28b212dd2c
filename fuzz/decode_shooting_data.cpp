// Memory images straight from the wire: the decoder must stay inside every image, and
// either refuse it with an empty roll set or walk it to the end.

#include "camera/ShootingData.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray image(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TRKRollSet rollSet;
    QString problem;
    const bool decoded = DecodeShootingData(image, rollSet, QStringLiteral("fuzz"), &problem,
                                            QDate(2000, 1, 1));
    if (!decoded && (!rollSet.Rolls.isEmpty() || !rollSet.Frames.isEmpty() || problem.isEmpty()))
        std::abort();
    // Every roll takes at least 3 bytes and every frame 5 of the image.
    if (decoded && rollSet.Rolls.size() * 3 + rollSet.Frames.size() * 5 > image.size())
        std::abort();
    if (size >= 2) {
        const auto estimate = EstimateRollsAndFrames(static_cast<uint16_t>(data[0] << 8 | data[1]),
                                                     size % 2 == 1);
        if (estimate && estimate->Rolls == 0 && estimate->Frames != 0)
            std::abort();
    }
    return 0;
}
