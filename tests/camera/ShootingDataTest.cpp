#include "camera/ShootingData.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const QDate Today(2026, 5, 4);
const QString Name = QStringLiteral("Ansel");

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(QByteArray(hex));
}

struct RollSummary
{
    int32_t number;
    uint8_t iso;
};

struct FrameSummary
{
    int32_t roll;
    uint8_t number;
    uint8_t shutter;
};

struct WalkCase
{
    const char* what;
    const char* image;
    std::vector<RollSummary> rolls;
    std::vector<FrameSummary> frames;
};

}  // namespace

TEST(ShootingData, DecodesTheSmallestImage)
{
    TRKRollSet set;
    ASSERT_TRUE(DecodeShootingData(Hex("61 00 F3 00 07 01 2A 12 50 00 0D FD"), set, Name,
                                   nullptr, Today));
    ASSERT_EQ(set.Rolls.size(), 1);
    const TRKRoll& roll = set.Rolls[0];
    EXPECT_EQ(roll.RollNumber, 7);
    EXPECT_EQ(roll.ISO, 13);
    EXPECT_EQ(roll.Photographer, Name);
    EXPECT_EQ(roll.CameraType, QStringLiteral("F100"));
    EXPECT_TRUE(roll.Comment.isEmpty());
    EXPECT_EQ(roll.Date, QDateTime(Today, QTime(0, 0)));

    ASSERT_EQ(set.Frames.size(), 1);
    TRKFrame expected;
    expected.RecordingMode = 0;
    expected.RollNumber = 7;
    expected.FrameNumber = 1;
    expected.ShutterSpeed = 42;
    expected.Aperture = 18;
    expected.Focal = 80;
    expected.FlashType = 1;
    expected.Date = QDateTime(Today, QTime(0, 0));
    EXPECT_EQ(set.Frames[0], expected);
}

TEST(ShootingData, WalksRollsAndTheFormatsAmbiguities)
{
    const std::vector<WalkCase> cases = {
        {"two rolls: the trailer's code goes to the first, frames after the header to the "
         "second",
         "61 00 F3 00 0A 01 20 12 50 00 02 21 12 50 00 0D FD F3 01 02 01 30 12 50 00 11 FD",
         {{10, 0x0D}, {258, 0x11}},
         {{10, 1, 0x20}, {10, 2, 0x21}, {258, 1, 0x30}}},
        {"a record starting with F3 right after a record ending with FD is a roll header",
         "61 00 F3 00 01 01 20 12 50 FD F3 00 05 02 21 12 50 00 0D FD",
         {{1, 0}, {5, 0x0D}},
         {{1, 1, 0x20}, {5, 2, 0x21}}},
        {"frame bytes FD F3 in the middle of a roll read as a trailer and a header",
         "61 00 F3 00 01 01 20 12 50 00 02 FD F3 50 00 03 22 12 50 00 0D FD",
         {{1, 0x02}, {0x5000, 0x0D}},
         {{1, 1, 0x20}, {0x5000, 3, 0x22}}},
        {"a header without frames and trailer", "61 01 F3 00 09 64 FD", {{9, 0x64}}, {}},
        {"two bytes at the end without a trailer are passed over",
         "61 00 F3 00 01 01 20 12 50 00 0D 0E",
         {{1, 0}},
         {{1, 1, 0x20}}},
        {"a frame before any roll header carries roll 0",
         "61 00 01 20 12 50 00 F3 00 02 0D FD",
         {},
         {{0, 1, 0x20}, {0, 0xF3, 0x00}}},
    };
    for (const WalkCase& c : cases) {
        SCOPED_TRACE(c.what);
        TRKRollSet set;
        QString problem;
        ASSERT_TRUE(DecodeShootingData(Hex(c.image), set, Name, &problem, Today))
            << problem.toStdString();
        ASSERT_EQ(set.Rolls.size(), qsizetype(c.rolls.size()));
        for (size_t i = 0; i < c.rolls.size(); ++i) {
            EXPECT_EQ(set.Rolls[i].RollNumber, c.rolls[i].number);
            EXPECT_EQ(set.Rolls[i].ISO, c.rolls[i].iso);
        }
        ASSERT_EQ(set.Frames.size(), qsizetype(c.frames.size()));
        for (size_t i = 0; i < c.frames.size(); ++i) {
            EXPECT_EQ(set.Frames[i].RollNumber, c.frames[i].roll);
            EXPECT_EQ(set.Frames[i].FrameNumber, c.frames[i].number);
            EXPECT_EQ(set.Frames[i].ShutterSpeed, c.frames[i].shutter);
        }
    }
}

TEST(ShootingData, RefusesImagesItCannotWalkAndHandsOnNothing)
{
    const struct
    {
        const char* what;
        const char* image;
    } cases[] = {
        {"empty", ""},
        {"five bytes", "61 00 F3 00 07"},
        {"no acknowledgement", "79 00 F3 00 07 01 2A 12 50 00 0D FD"},
        {"unknown recording mode", "61 4C F3 00 07 01 2A 12 50 00 0D FD"},
        {"a single byte left at the end", "61 00 F3 00 07 01 2A 12 50 00 0D FD 33"},
        {"a roll header cut short", "61 00 F3 00 07 01 2A 12 50 00 0D FD F3 00"},
        {"a simple record cut short", "61 00 F3 00 07 01 2A 12 50"},
        {"a detailed record cut short", "61 01 F3 00 07 01 2A 12 50 00 18 60 18 30 00 0D FD"},
        {"a film speed before any roll", "61 00 0D FD F3 00 07"},
        {"a trailer at the end before any roll", "61 00 01 2A 12 50 00 0D FD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TRKRollSet set;
        TRKRoll stale;
        stale.RollNumber = 99;
        set.Rolls.append(stale);
        QString problem;
        EXPECT_FALSE(DecodeShootingData(Hex(c.image), set, Name, &problem, Today));
        EXPECT_TRUE(set.Rolls.isEmpty());
        EXPECT_TRUE(set.Frames.isEmpty());
        EXPECT_FALSE(problem.isEmpty());
    }
}

TEST(ShootingData, DecodesFrameRecordBits)
{
    const struct
    {
        uint8_t flags, modes;
        uint8_t flashType;
        bool multiple;
        uint8_t meter, exposure, flashMode;
    } cases[] = {
        {0x00, 0x00, 1, false, 1, 1, 1},
        {0x01, 0x01, 2, false, 3, 1, 1},
        {0x03, 0x02, 3, false, 2, 1, 1},
        {0x02, 0x03, 1, false, 2, 1, 1},  // TTL bit without flash; centre-weighted over spot
        {0x10, 0x04, 1, true, 1, 3, 1},
        {0xEC, 0x08, 1, false, 1, 2, 1},  // unused bits ignored
        {0x00, 0x0C, 1, false, 1, 4, 1},
        {0x00, 0x10, 1, false, 1, 1, 2},
        {0x00, 0x20, 1, false, 1, 1, 3},
        {0x00, 0x30, 1, false, 1, 1, 4},
        {0x00, 0x4C, 1, false, 1, 4, 5},
        {0x00, 0xF0, 1, false, 1, 1, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << int(c.flags) << " modes " << int(c.modes));
        const uint8_t record[13] = {4, 40, 20, 60, c.flags, 30, 70, 11, 19, 0xFA, 0x06, 0x03,
                                    c.modes};
        const TRKFrame frame = DecodeFrameRecord(1, record, 12, Today);
        EXPECT_EQ(frame.RecordingMode, 1);
        EXPECT_EQ(frame.RollNumber, 12);
        EXPECT_EQ(frame.FrameNumber, 4);
        EXPECT_EQ(frame.ShutterSpeed, 40);
        EXPECT_EQ(frame.Aperture, 20);
        EXPECT_EQ(frame.Focal, 60);
        EXPECT_EQ(frame.FlashType, c.flashType);
        EXPECT_EQ(frame.MultipleExposure, c.multiple);
        EXPECT_EQ(frame.MeterMode, c.meter);
        EXPECT_EQ(frame.ExposureMode, c.exposure);
        EXPECT_EQ(frame.FlashMode, c.flashMode);
        EXPECT_EQ(frame.LensMinFocal, 30);
        EXPECT_EQ(frame.LensMaxFocal, 70);
        EXPECT_EQ(frame.MaxApertureAtMin, 11);
        EXPECT_EQ(frame.MaxApertureAtMax, 19);
        EXPECT_EQ(frame.ExposureValueDiff, 0xFA);
        EXPECT_EQ(frame.ExposureComp, 0x06);
        EXPECT_EQ(frame.FlashComp, 0x03);

        // A simple record has only the first five bytes; the rest stays 0.
        const TRKFrame simple = DecodeFrameRecord(0, record, 12, Today);
        EXPECT_EQ(simple.RecordingMode, 0);
        EXPECT_EQ(simple.FlashType, c.flashType);
        EXPECT_EQ(simple.MultipleExposure, c.multiple);
        EXPECT_EQ(simple.LensMinFocal, 0);
        EXPECT_EQ(simple.FlashComp, 0);
        EXPECT_EQ(simple.MeterMode, 0);
        EXPECT_EQ(simple.ExposureMode, 0);
        EXPECT_EQ(simple.FlashMode, 0);
    }
}

TEST(ShootingData, EstimatesRollsAndFrames)
{
    const struct
    {
        uint16_t size;
        bool detailed;
        std::optional<TRollFrameCount> expected;
    } cases[] = {
        {0, false, TRollFrameCount{0, 0}},
        {4, true, TRollFrameCount{0, 0}},
        {5, false, TRollFrameCount{1, 0}},
        {10, false, TRollFrameCount{1, 1}},
        {10, true, TRollFrameCount{2, 0}},
        {185, false, TRollFrameCount{1, 36}},
        {370, false, TRollFrameCount{2, 72}},
        {473, true, TRollFrameCount{1, 36}},
        {210, false, TRollFrameCount{2, 40}},  // 41 frames would be too many for one roll
        {8, false, std::nullopt},
        {9, true, std::nullopt},
        {65535, false, TRollFrameCount{320, 12787}},
        {65535, true, TRollFrameCount{133, 4990}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << (c.detailed ? " detailed" : " simple"));
        EXPECT_EQ(EstimateRollsAndFrames(c.size, c.detailed), c.expected);
    }
}
