#include "exchange/ExchangeErrors.h"
#include "exchange/FileFilters.h"

#include "ExchangeTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QString Photographer = QStringLiteral("Ansel");

TRKRollSet read(const QByteArray& data, int32_t rollNumber = -1)
{
    TRKRollSet set;
    ReadSoftTALKData(rktest::sourceFile(data, QStringLiteral("/d/roll.sdf")), set, rollNumber,
                     Photographer);
    return set;
}

// An F100 frame line as our writer writes it: twelve fields, each followed by a TAB, and
// seven more TABs.
const QByteArray F100Line =
    "1\t  1/250\t  f/5.6\t  A Mode\t  Spot\t-0,3\t+0,7\t  35mm (28mm-70mm)\t  f/3.5 - f/4.5\t"
    "  TTL   Rear\t-1,0\tMy comment\t\t\t\t\t\t\t\t";

}  // namespace

TEST(ExchangeSoftTALKReader, ReadsAnF100Roll)
{
    const TRKRollSet set = read(rktest::crlfLines(
        {"comment=First", "comment=Second\r", "separator=\t", "filmno=12", "frames=1", "camera=4",
         "ISO=  100", "data=", F100Line}));
    ASSERT_EQ(set.Rolls.size(), 1);
    const TRKRoll& roll = set.Rolls.first();
    EXPECT_EQ(roll.RollNumber, 12);
    EXPECT_EQ(roll.ISO, 13);
    EXPECT_EQ(roll.CameraType, QStringLiteral("F100"));
    EXPECT_EQ(roll.Photographer, Photographer);
    EXPECT_EQ(roll.Comment, QStringLiteral("First\r\nSecond"));
    EXPECT_EQ(roll.Date, rktest::fileTime());

    ASSERT_EQ(set.Frames.size(), 1);
    TRKFrame expected;
    expected.RecordingMode = 1;
    expected.RollNumber = 12;
    expected.FrameNumber = 1;
    expected.ShutterSpeed = 48;
    expected.Aperture = 30;
    expected.ExposureMode = 2;
    expected.MeterMode = 3;
    expected.ExposureValueDiff = 254;
    expected.ExposureComp = 4;
    expected.Focal = 68;
    expected.LensMinFocal = 60;
    expected.LensMaxFocal = 92;
    expected.MaxApertureAtMin = 22;
    expected.MaxApertureAtMax = 26;
    expected.FlashType = 3;
    expected.FlashMode = 3;
    expected.FlashComp = 250;
    expected.Comment = QStringLiteral("My comment");
    expected.Date = rktest::fileTime();
    EXPECT_EQ(set.Frames.first(), expected);
}

TEST(ExchangeSoftTALKReader, FrameLinesFollowTheCameraCode)
{
    const struct
    {
        const char* camera;
        const char* cameraType;
        uint8_t recordingMode, shutter;
    } cases[] = {
        {"1", "F90/N90", 0, 0},
        {"2", "F90X/N90s", 0, 0},
        {"8", "F5", 1, 48},  // the F5 field order; detailed when a flash mode is read
        {"3", "Unknown", 0, 0},
    };
    for (const auto& c : cases) {
        const TRKRollSet set = read(rktest::crlfLines(
            {"filmno=3", QByteArray("camera=") + c.camera, "data=",
             "1\t1/250\tf/2.8\tTTL   Normal\tSpot\t", "2\t1/250\t"}));
        ASSERT_EQ(set.Frames.size(), 2) << c.camera;
        EXPECT_EQ(set.Rolls.first().CameraType, QString::fromLatin1(c.cameraType));
        EXPECT_EQ(set.Frames.at(0).RecordingMode, c.recordingMode) << c.camera;
        EXPECT_EQ(set.Frames.at(0).ShutterSpeed, c.shutter) << c.camera;
        EXPECT_EQ(set.Frames.at(1).FrameNumber, 2) << c.camera;
        EXPECT_EQ(set.Frames.at(1).Date, rktest::fileTime());
    }
}

TEST(ExchangeSoftTALKReader, GivenRollNumberWinsAndSeveralRollsShareIt)
{
    const QByteArray file = rktest::crlfLines(
        {"filmno=5", "camera=4", "data=", F100Line, "filmno=6", "iso=400", F100Line});
    const TRKRollSet own = read(file);
    ASSERT_EQ(own.Rolls.size(), 2);
    EXPECT_EQ(own.Rolls.at(1).RollNumber, 6);
    EXPECT_EQ(own.Rolls.at(1).ISO, 19);
    EXPECT_EQ(own.Frames.at(1).RollNumber, 6);
    EXPECT_EQ(own.Frames.at(1).FrameNumber, 2);  // counted through the file

    // Under one given number both "FILMNO=" lines make one roll, so the adder is not
    // handed the same roll twice.
    const TRKRollSet given = read(file, 40);
    ASSERT_EQ(given.Rolls.size(), 1);
    EXPECT_EQ(given.Rolls.first().RollNumber, 40);
    EXPECT_EQ(given.Rolls.first().ISO, 19);
    ASSERT_EQ(given.Frames.size(), 2);
    EXPECT_EQ(given.Frames.at(0).RollNumber, 40);
    EXPECT_EQ(given.Frames.at(1).FrameNumber, 2);
}

TEST(ExchangeSoftTALKReader, LinesBeforeTheFirstRollTouchNoRoll)
{
    TRKRollSet set;
    TRKRoll earlier;
    earlier.RollNumber = 1;
    earlier.ISO = 13;
    set.Rolls << earlier;
    ReadSoftTALKData(rktest::sourceFile(rktest::crlfLines(
                         {"camera=8", "iso=400", "data=", "1\t1/250\t", "filmno=2", "frames=1"})),
                     set, -1, Photographer);
    ASSERT_EQ(set.Rolls.size(), 2);
    EXPECT_EQ(set.Rolls.first(), earlier);
    EXPECT_EQ(set.Rolls.at(1).CameraType, QString());
    EXPECT_EQ(set.Rolls.at(1).ISO, 0);
    EXPECT_TRUE(set.Frames.isEmpty());
}

TEST(ExchangeSoftTALKReader, CommentsAndMultipleExposures)
{
    const TRKRollSet set = read(rktest::crlfLines(
        {"filmno=1", "camera=4", "data=",
         "1\t  1/250\t  f/5.6\t  P Mode\t  Matrix\t0,0\t0,0\t  50mm\t  f/1.4\t  Off\t0,0\t"
         "Double(Multiexposure)\t\t\t\t\t\t\t\t",
         "2\t\t\t\t\t\t\t\t\t\t\t\t\t", "", "3\t"}));
    ASSERT_EQ(set.Frames.size(), 3);  // the empty line is no frame
    EXPECT_EQ(set.Frames.at(0).Comment, QStringLiteral("Double"));
    EXPECT_TRUE(set.Frames.at(0).MultipleExposure);
    EXPECT_EQ(set.Frames.at(0).FlashType, 1);
    EXPECT_EQ(set.Frames.at(1).Comment, QString());
    EXPECT_FALSE(set.Frames.at(1).MultipleExposure);
    EXPECT_EQ(set.Frames.at(2).Comment, QString());  // shorter than the eight separators
}

TEST(ExchangeSoftTALKReader, RejectsMoreThan255FramesAndAppendsNothing)
{
    QByteArray file = rktest::crlfLines({"filmno=1", "camera=1", "data="});
    for (int i = 1; i <= 256; ++i)
        file += QByteArray::number(i) + "\r\n";
    TRKRollSet set;
    try {
        ReadSoftTALKData(rktest::sourceFile(file, QStringLiteral("/d/long.sdf")), set, 3, Photographer);
        FAIL() << "256 frames were read";
    } catch (const EFileFormatError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("long.sdf")));
        EXPECT_TRUE(error.message().contains(QStringLiteral("line 259")));
    }
    EXPECT_EQ(set, TRKRollSet());

    file.chop(5);  // 255 frames fit
    ReadSoftTALKData(rktest::sourceFile(file), set, 3, Photographer);
    EXPECT_EQ(set.Frames.size(), 255);
    EXPECT_EQ(set.Frames.last().FrameNumber, 255);
}
