#include "f100sim/MemoryImage.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <random>

namespace f100sim {

namespace {

constexpr std::array<int, 31> kIsoSpeeds{6,   8,   10,  12,  16,   20,   25,   32,   40,   50,   64,
                                         80,  100, 125, 160, 200,  250,  320,  400,  500,  640,  800,
                                         1000, 1250, 1600, 2000, 2500, 3200, 4000, 5000, 6400};

// Speeds photographers actually load, for rolls whose description names none.
constexpr std::array<int, 6> kUsualIsos{100, 400, 200, 50, 800, 160};

struct Lens
{
    uint8_t MinFocal;  // focal length codes of the two ends
    uint8_t MaxFocal;
    uint8_t MaxApertureAtMin;  // aperture codes
    uint8_t MaxApertureAtMax;
    std::array<uint8_t, 6> FocalStops;  // where a zoom tends to be set; primes repeat
};

// Lenses an F100 owner would carry; every code has an entry in the frame value tables.
constexpr std::array<Lens, 7> kLenses{{
    {42, 68, 18, 18, {42, 48, 54, 60, 68, 68}},     // 17-35mm f/2.8
    {54, 98, 22, 26, {54, 60, 68, 80, 86, 98}},     // 24-85mm f/3.5-4.5
    {80, 80, 6, 6, {80, 80, 80, 80, 80, 80}},       // 50mm f/1.4
    {98, 98, 10, 10, {98, 98, 98, 98, 98, 98}},     // 85mm f/1.8
    {96, 128, 18, 18, {96, 100, 104, 112, 120, 128}},  // 80-200mm f/2.8
    {106, 106, 18, 18, {106, 106, 106, 106, 106, 106}},  // 105mm f/2.8 macro
    {142, 142, 24, 24, {142, 142, 142, 142, 142, 142}},  // 300mm f/4
}};

// Third-stop apertures from f/1.4 to f/22 (aperture codes).
constexpr std::array<uint8_t, 25> kApertures{6,  8,  10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30,
                                             32, 34, 36, 38, 40, 41, 44, 46, 48, 50, 52, 54};

// Third-stop shutter speeds from 1/15 s to 1/8000 s (shutter speed codes).
constexpr std::array<uint8_t, 28> kShutterSpeeds{24, 26, 28, 30, 32, 34, 36, 38, 40, 42,
                                                 44, 46, 48, 50, 52, 54, 56, 58, 60, 62,
                                                 64, 66, 68, 70, 72, 74, 76, 78};
constexpr int kFlashSyncIndex = 12;  // 1/250 s, the fastest speed with a flash

// Long manual exposures: 1/4, 1/2, 1", 2", 4", 10", bulb. None is 0xF3 or 0xFD.
constexpr std::array<uint8_t, 7> kLongExposures{12, 6, 0, 250, 244, 236, 225};

// Byte 4 flags and byte 12 mode bits of a frame record.
constexpr uint8_t kFlashFired = 0x01;
constexpr uint8_t kFlashTtl = 0x02;
constexpr uint8_t kMultipleExposure = 0x10;
constexpr uint8_t kMeterSpot = 0x01;
constexpr uint8_t kMeterCentre = 0x02;
constexpr uint8_t kExposureShutterPriority = 0x04;
constexpr uint8_t kExposureAperturePriority = 0x08;
constexpr uint8_t kExposureManual = 0x0C;
constexpr std::array<uint8_t, 5> kFlashModes{0x00, 0x10, 0x20, 0x30, 0x40};

class Dice
{
public:
    explicit Dice(uint32_t seed) : m_engine(seed) {}
    // mt19937's sequence is fixed by the standard, so images are the same everywhere.
    int below(int n) { return static_cast<int>(m_engine() % static_cast<uint32_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::mt19937 m_engine;
};

uint8_t evCode(int sixths)
{
    return static_cast<uint8_t>(static_cast<int8_t>(sixths));
}

int indexOfAperture(uint8_t code)
{
    const auto* found = std::lower_bound(kApertures.begin(), kApertures.end(), code);
    return static_cast<int>(found - kApertures.begin());
}

// Appends one frame record. The flags byte stays below 0x20 and the modes byte below
// 0x80, so a record can never end in the trailer byte 0xFD; the aperture code stays
// below 0x50, so bytes 1 and 2 can never read as a trailer followed by a header.
void appendFrame(QByteArray* image, Dice& dice, int frameNumber, const Lens& lens,
                 uint8_t exposureMode, uint8_t meterMode, int compensation, int* scene,
                 bool detailed)
{
    *scene = std::clamp(*scene + dice.below(5) - 2, 14, 44);
    const uint8_t focal = lens.FocalStops[static_cast<size_t>(dice.below(6))];
    const int widest = indexOfAperture(std::max(lens.MaxApertureAtMin, lens.MaxApertureAtMax));
    const bool flash = dice.chance(*scene < 22 ? 60 : 8);

    int apertureIndex = std::clamp(widest + dice.below(10), widest, static_cast<int>(kApertures.size()) - 1);
    int shutterIndex = *scene - apertureIndex - compensation / 2;
    const int fastest = flash ? kFlashSyncIndex : static_cast<int>(kShutterSpeeds.size()) - 1;
    if (shutterIndex > fastest) {
        apertureIndex = std::min(apertureIndex + (shutterIndex - fastest), static_cast<int>(kApertures.size()) - 1);
        shutterIndex = fastest;
    }
    shutterIndex = std::max(shutterIndex, 0);
    uint8_t shutter = kShutterSpeeds[static_cast<size_t>(shutterIndex)];
    int meterDifference = 0;
    if (exposureMode == kExposureManual) {
        if (!flash && *scene < 16 && dice.chance(50))
            shutter = kLongExposures[static_cast<size_t>(dice.below(static_cast<int>(kLongExposures.size())))];
        meterDifference = 2 * (dice.below(7) - 3);
    }

    uint8_t flags = 0;
    if (flash)
        flags |= dice.chance(85) ? (kFlashFired | kFlashTtl) : kFlashFired;
    if (dice.chance(3))
        flags |= kMultipleExposure;

    image->append(static_cast<char>(frameNumber));
    image->append(static_cast<char>(shutter));
    image->append(static_cast<char>(kApertures[static_cast<size_t>(apertureIndex)]));
    image->append(static_cast<char>(focal));
    image->append(static_cast<char>(flags));
    if (!detailed)
        return;

    const uint8_t flashMode = flash ? kFlashModes[static_cast<size_t>(dice.below(5))] : 0;
    const int flashCompensation = flash ? 2 * (dice.below(4) - 2) : 0;
    image->append(static_cast<char>(lens.MinFocal));
    image->append(static_cast<char>(lens.MaxFocal));
    image->append(static_cast<char>(lens.MaxApertureAtMin));
    image->append(static_cast<char>(lens.MaxApertureAtMax));
    image->append(static_cast<char>(evCode(meterDifference)));
    image->append(static_cast<char>(evCode(compensation)));
    image->append(static_cast<char>(evCode(flashCompensation)));
    image->append(static_cast<char>(meterMode | exposureMode | flashMode));
}

void appendRoll(QByteArray* image, const TSimRoll& roll, bool detailed)
{
    Dice dice(static_cast<uint32_t>(roll.RollNumber) * 7919u + static_cast<uint32_t>(roll.FrameCount));
    image->append(static_cast<char>(kRollHeader));
    image->append(static_cast<char>(roll.RollNumber >> 8));
    image->append(static_cast<char>(roll.RollNumber & 0xFF));

    const Lens* lens = &kLenses[static_cast<size_t>(dice.below(static_cast<int>(kLenses.size())))];
    static constexpr std::array<uint8_t, 6> exposureModes{kExposureAperturePriority, kExposureAperturePriority,
                                                          0x00, kExposureManual,
                                                          kExposureShutterPriority, kExposureAperturePriority};
    uint8_t exposureMode = exposureModes[static_cast<size_t>(dice.below(6))];
    uint8_t meterMode = 0;
    int compensation = 0;
    int scene = 20 + dice.below(20);
    for (int frame = 1; frame <= roll.FrameCount; ++frame) {
        // Now and then the photographer changes lens, mode, metering or compensation.
        if (dice.chance(8))
            lens = &kLenses[static_cast<size_t>(dice.below(static_cast<int>(kLenses.size())))];
        if (dice.chance(6))
            exposureMode = exposureModes[static_cast<size_t>(dice.below(6))];
        if (dice.chance(10))
            meterMode = dice.chance(60) ? 0 : (dice.chance(50) ? kMeterCentre : kMeterSpot);
        if (dice.chance(10))
            compensation = dice.chance(50) ? 0 : 2 * (dice.below(7) - 3);
        appendFrame(image, dice, frame, *lens, exposureMode, meterMode, compensation, &scene, detailed);
    }

    const int iso = roll.Iso != 0 ? roll.Iso : kUsualIsos[roll.RollNumber % kUsualIsos.size()];
    image->append(static_cast<char>(isoCode(iso)));
    image->append(static_cast<char>(kRollTrailer));
}

}  // namespace

int isoCode(int iso)
{
    const auto* found = std::find(kIsoSpeeds.begin(), kIsoSpeeds.end(), iso);
    return found == kIsoSpeeds.end() ? 0 : static_cast<int>(found - kIsoSpeeds.begin()) + 1;
}

bool parseRollDescription(const QString& text, QList<TSimRoll>* rolls, QString* error)
{
    rolls->clear();
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return true;
    for (const QString& item : trimmed.split(QLatin1Char(','))) {
        const QStringList parts = item.trimmed().split(QLatin1Char(':'));
        bool numberOk = false;
        bool framesOk = false;
        bool isoOk = true;
        TSimRoll roll;
        const int number = parts.value(0).toInt(&numberOk);
        roll.FrameCount = parts.value(1).toInt(&framesOk);
        if (parts.size() == 3)
            roll.Iso = parts[2].toInt(&isoOk);
        if (parts.size() < 2 || parts.size() > 3 || !numberOk || !framesOk || !isoOk) {
            *error = QStringLiteral("Roll \"%1\" is not ROLL:FRAMES or ROLL:FRAMES:ISO").arg(item.trimmed());
            return false;
        }
        if (number < 0 || number > 0xFFFF) {
            *error = QStringLiteral("Roll number %1 is outside 0 to 65535").arg(number);
            return false;
        }
        if (roll.FrameCount < 0 || roll.FrameCount > 255) {
            *error = QStringLiteral("Roll %1: frame count %2 is outside 0 to 255").arg(number).arg(roll.FrameCount);
            return false;
        }
        if (parts.size() == 3 && isoCode(roll.Iso) == 0) {
            *error = QStringLiteral("Roll %1: the camera has no film speed ISO %2").arg(number).arg(roll.Iso);
            return false;
        }
        roll.RollNumber = static_cast<uint16_t>(number);
        rolls->append(roll);
    }
    return true;
}

QList<TSimRoll> demoRolls()
{
    return {{41, 36, 0}, {42, 24, 0}, {43, 12, 0}};
}

QByteArray demoMemoryImage()
{
    QString error;
    return buildMemoryImage(demoRolls(), true, &error);
}

QByteArray emptyMemoryImage(bool detailed)
{
    QByteArray image;
    image.append(static_cast<char>(kAck));
    image.append(static_cast<char>(detailed ? 1 : 0));
    return image;
}

QByteArray buildMemoryImage(const QList<TSimRoll>& rolls, bool detailed, QString* error)
{
    QByteArray image = emptyMemoryImage(detailed);
    for (const TSimRoll& roll : rolls) {
        appendRoll(&image, roll, detailed);
        if (image.size() > kMaxImageSize) {
            *error = QStringLiteral("The rolls need more than the %1 bytes a memory image can hold")
                         .arg(kMaxImageSize);
            return {};
        }
    }
    return image;
}

bool checkMemoryImage(const QByteArray& image, QString* error)
{
    if (image.size() < 2) {
        *error = QStringLiteral("A memory image needs at least the acknowledgement and the mode byte");
        return false;
    }
    if (static_cast<uint8_t>(image[0]) != kAck) {
        *error = QStringLiteral("A memory image starts with 0x61, not 0x%1")
                     .arg(static_cast<uint8_t>(image[0]), 2, 16, QLatin1Char('0'));
        return false;
    }
    if (image.size() > kMaxImageSize) {
        *error = QStringLiteral("A memory image holds at most %1 bytes, not %2").arg(kMaxImageSize).arg(image.size());
        return false;
    }
    return true;
}

}  // namespace f100sim
