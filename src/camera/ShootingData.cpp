#include "camera/ShootingData.h"

#include "model/BitManip.h"
#include "model/Texts.h"

namespace {

constexpr uint8_t Acknowledgement = 0x61;
constexpr uint8_t RollHeader = 0xF3;
constexpr uint8_t TrailerEnd = 0xFD;
constexpr int SimpleRecordSize = 5;
constexpr int DetailedRecordSize = 13;

uint8_t FlashTypeOf(uint8_t flags)
{
    if (!BitIsSet(flags, 0))
        return 1;  // flash off
    return BitIsSet(flags, 1) ? 3 : 2;  // TTL : non-TTL
}

uint8_t MeterModeOf(uint8_t modes)
{
    if (BitIsSet(modes, 1))
        return 2;  // centre-weighted
    return BitIsSet(modes, 0) ? 3 : 1;  // spot : matrix
}

uint8_t ExposureModeOf(uint8_t modes)
{
    if (BitIsSet(modes, 3))
        return BitIsSet(modes, 2) ? 4 : 2;  // manual : aperture priority
    return BitIsSet(modes, 2) ? 3 : 1;      // shutter priority : programmed
}

uint8_t FlashModeOf(uint8_t modes)
{
    if (BitIsSet(modes, 6))
        return 5;  // red-eye reduction with slow sync
    if (BitIsSet(modes, 5))
        return BitIsSet(modes, 4) ? 4 : 3;  // red-eye reduction : rear curtain
    return BitIsSet(modes, 4) ? 2 : 1;      // slow sync : normal
}

QDateTime DayOf(const QDate& date)
{
    return QDateTime(date, QTime(0, 0));
}

bool Fail(TRKRollSet& rollSet, QString* problem, const QString& why)
{
    rollSet = TRKRollSet();
    if (problem)
        *problem = why;
    return false;
}

}  // namespace

TRKFrame DecodeFrameRecord(uint8_t recordingMode, const uint8_t* record, int32_t rollNumber,
                           const QDate& today)
{
    TRKFrame frame;
    frame.RecordingMode = recordingMode;
    frame.RollNumber = rollNumber;
    frame.FrameNumber = record[0];
    frame.ShutterSpeed = record[1];
    frame.Aperture = record[2];
    frame.Focal = record[3];
    frame.FlashType = FlashTypeOf(record[4]);
    frame.MultipleExposure = BitIsSet(record[4], 4);
    if (recordingMode == 1) {
        frame.LensMinFocal = record[5];
        frame.LensMaxFocal = record[6];
        frame.MaxApertureAtMin = record[7];
        frame.MaxApertureAtMax = record[8];
        frame.ExposureValueDiff = record[9];
        frame.ExposureComp = record[10];
        frame.FlashComp = record[11];
        frame.MeterMode = MeterModeOf(record[12]);
        frame.ExposureMode = ExposureModeOf(record[12]);
        frame.FlashMode = FlashModeOf(record[12]);
    }
    frame.Date = DayOf(today);
    return frame;
}

bool DecodeShootingData(const QByteArray& packet, TRKRollSet& rollSet,
                        const QString& photographer, QString* problem, const QDate& today)
{
    rollSet = TRKRollSet();
    const auto* bytes = reinterpret_cast<const uint8_t*>(packet.constData());
    const qsizetype size = packet.size();
    if (size < 6)
        return Fail(rollSet, problem,
                    QStringLiteral("the image has %1 bytes, fewer than 6").arg(size));
    if (bytes[0] != Acknowledgement)
        return Fail(rollSet, problem,
                    QStringLiteral("the image does not begin with 0x61 but with 0x%1")
                        .arg(bytes[0], 2, 16, QLatin1Char('0')));
    if (bytes[1] > 1)
        return Fail(rollSet, problem,
                    QStringLiteral("unknown recording mode 0x%1")
                        .arg(bytes[1], 2, 16, QLatin1Char('0')));

    const uint8_t mode = bytes[1];
    const qsizetype recordSize = mode == 1 ? DetailedRecordSize : SimpleRecordSize;
    const qsizetype last = size - 1;
    const QString camera = RKText(rktext::CameraF100);
    int32_t rollNumber = 0;

    // The film speed of the last roll; there must be one to receive it.
    auto setFilmSpeed = [&](qsizetype p) {
        if (rollSet.Rolls.isEmpty())
            return Fail(rollSet, problem,
                        QStringLiteral("film speed at byte %1 before any roll header").arg(p));
        rollSet.Rolls.last().ISO = bytes[p];
        return true;
    };

    qsizetype p = 2;
    while (p <= last) {
        const uint8_t b = bytes[p];
        if (b == RollHeader && (p == 2 || (p < last && bytes[p - 1] == TrailerEnd))) {
            if (p + 2 > last)
                return Fail(rollSet, problem,
                            QStringLiteral("roll header at byte %1 cut short").arg(p));
            TRKRoll roll;
            roll.RollNumber = bytes[p + 1] * 256 + bytes[p + 2];
            roll.Photographer = photographer;
            roll.CameraType = camera;
            roll.Date = DayOf(today);
            rollNumber = roll.RollNumber;
            rollSet.Rolls.append(roll);
            p += 3;
        } else if (p >= last - 2) {
            if (p == last)
                return Fail(rollSet, problem,
                            QStringLiteral("a single byte left at the end (byte %1)").arg(p));
            if (bytes[p + 1] == TrailerEnd && !setFilmSpeed(p))
                return false;
            p += 2;
        } else if (bytes[p + 1] == TrailerEnd && bytes[p + 2] == RollHeader) {
            if (!setFilmSpeed(p))
                return false;
            p += 2;
        } else {
            if (p + recordSize - 1 > last)
                return Fail(rollSet, problem,
                            QStringLiteral("frame record at byte %1 cut short").arg(p));
            rollSet.Frames.append(DecodeFrameRecord(mode, bytes + p, rollNumber, today));
            p += recordSize;
        }
    }
    return true;
}

std::optional<TRollFrameCount> EstimateRollsAndFrames(uint16_t dataSize, bool detailed)
{
    if (dataSize < 5)
        return TRollFrameCount{};
    const int recordSize = detailed ? DetailedRecordSize : SimpleRecordSize;
    int rolls = 1;
    int rest = dataSize - 5;
    while (rest >= 0) {
        if (rest % recordSize == 0 && (rest / recordSize) / rolls < 40)
            return TRollFrameCount{static_cast<uint16_t>(rolls),
                                   static_cast<uint16_t>(rest / recordSize)};
        rest -= 5;
        ++rolls;
    }
    return std::nullopt;
}
