#include "exchange/ExchangeErrors.h"
#include "exchange/MV1.h"

#include "ExchangeTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QString Photographer = QStringLiteral("Ansel");
const QByteArray Header = "Film speed,Film number,Camera ID";
const QByteArray Columns =
    "Frame number,Shutter speed,Aperture,Focal length,Lens maximum aperture,Metering system,"
    "Exposure mode,Exposure compensation value,EV difference in Manual,"
    "Flash exposure compensation value,Speedlight setting,Multiple exposure";

TRKRollSet read(const QByteArray& data, int32_t rollNumber = 21)
{
    TRKRollSet set;
    EXPECT_TRUE(ReadMV1Data(rktest::sourceFile(data, QStringLiteral("/d/mv1data.csv")), set, rollNumber,
                            Photographer));
    return set;
}

QString readError(const QByteArray& data)
{
    TRKRollSet set;
    try {
        ReadMV1Data(rktest::sourceFile(data, QStringLiteral("/d/mv1data.csv")), set, 1, Photographer);
    } catch (const EFileFormatError& error) {
        EXPECT_EQ(set, TRKRollSet());
        return error.message();
    }
    return QString();
}

}  // namespace

TEST(ExchangeMV1Reader, ReadsTheRollAndEveryColumn)
{
    const TRKRollSet set = read(rktest::crlfLines(
        {Header, "100,17,___", Columns,
         "3,1/250,5.6,35mm (28-70mm),3.5-4.5,Center weighted,shutter priority,+0.7,-0.3,-1.0,TTL,2"}));
    ASSERT_EQ(set.Rolls.size(), 1);
    const TRKRoll& roll = set.Rolls.first();
    EXPECT_EQ(roll.RollNumber, 21);  // the film number only proposes a number
    EXPECT_EQ(roll.ISO, 13);
    EXPECT_EQ(roll.Photographer, Photographer);
    EXPECT_EQ(roll.CameraType, QStringLiteral("F100"));
    EXPECT_EQ(roll.Comment, QStringLiteral("mv1data.csv"));
    EXPECT_EQ(roll.Date, rktest::fileTime());

    ASSERT_EQ(set.Frames.size(), 1);
    TRKFrame expected;
    expected.RecordingMode = 1;
    expected.RollNumber = 21;
    expected.FrameNumber = 3;
    expected.Date = rktest::fileTime();
    expected.ShutterSpeed = 48;
    expected.Aperture = 30;
    expected.Focal = 68;
    expected.LensMinFocal = 60;
    expected.LensMaxFocal = 92;
    expected.MaxApertureAtMin = 22;
    expected.MaxApertureAtMax = 26;
    expected.MeterMode = 2;
    expected.ExposureMode = 3;
    expected.ExposureComp = 4;
    expected.ExposureValueDiff = 254;
    expected.FlashComp = 250;
    expected.FlashType = 3;
    expected.MultipleExposure = true;
    EXPECT_EQ(set.Frames.first(), expected);
}

TEST(ExchangeMV1Reader, ColumnsInAnyOrderOrMissing)
{
    // The same values in another column order, in other case.
    const TRKRollSet reordered = read(rktest::crlfLines(
        {Header, "100,17,1234",
         "MULTIPLE EXPOSURE,aperture,Frame Number,Lens maximum aperture,Exposure mode,Metering system",
         "None,5.6,3,2.8,,Spot", "NONE,5.6,4,2.8,m,matrix"}));
    EXPECT_EQ(reordered.Rolls.first().CameraType, QStringLiteral("F5 [1234]"));
    ASSERT_EQ(reordered.Frames.size(), 2);
    const TRKFrame& frame = reordered.Frames.first();
    EXPECT_EQ(frame.FrameNumber, 3);
    EXPECT_EQ(frame.Aperture, 30);
    EXPECT_EQ(frame.MaxApertureAtMin, 18);
    EXPECT_EQ(frame.MaxApertureAtMax, 18);
    EXPECT_EQ(frame.ExposureMode, 0);
    EXPECT_EQ(frame.MeterMode, 3);
    EXPECT_FALSE(frame.MultipleExposure);
    EXPECT_EQ(frame.FlashType, 4);  // no "Speedlight setting" column: converted from ""
    EXPECT_EQ(reordered.Frames.at(1).ExposureMode, 4);
    EXPECT_EQ(reordered.Frames.at(1).MeterMode, 1);

    // Without a "Multiple exposure" column no frame is a multiple exposure.
    const TRKRollSet without = read(rktest::crlfLines({Header, "100,17,___", "Frame number", "1"}));
    EXPECT_FALSE(without.Frames.first().MultipleExposure);
}

TEST(ExchangeMV1Reader, ShortFilesAppendNothing)
{
    for (const QByteArray& data : {QByteArray(), rktest::crlfLines({Header}),
                                   rktest::crlfLines({Header, "100,17,___"}),
                                   rktest::crlfLines({"Film speed", "100,17,___", Columns})}) {
        TRKRollSet set;
        EXPECT_FALSE(ReadMV1Data(rktest::sourceFile(data), set, 1, Photographer));
        EXPECT_EQ(set, TRKRollSet());
    }
    // A file with the column line and no frames is a roll without frames; blank lines at
    // its end are no frames either.
    const TRKRollSet empty = read(rktest::crlfLines({Header, "100,17,___", Columns, "", " "}));
    EXPECT_EQ(empty.Rolls.size(), 1);
    EXPECT_TRUE(empty.Frames.isEmpty());
}

TEST(ExchangeMV1Reader, RejectsFramesItCannotStoreNamingLineAndColumn)
{
    const struct
    {
        const char* name;
        QByteArray frameLines;
        const char* where;
    } cases[] = {
        {"not an integer", "1,x\r\nx,1/250\r\n", "line 5, field \"Frame number\""},
        {"blank line among frames", "1,x\r\n\r\n2,x\r\n", "line 5, field \"Frame number\""},
        {"above 255", "256,x\r\n", "line 4, field \"Frame number\""},
        {"negative", "-1,x\r\n", "line 4, field \"Frame number\""},
        {"twice", "7,x\r\n7,x\r\n", "line 5, field \"Frame number\""},
        {"missing value", "7\r\n", "line 4, field \"Shutter speed\""},
    };
    for (const auto& c : cases) {
        const QString message = readError(rktest::crlfLines({Header, "100,17,___", "Frame number,Shutter speed"})
                                           + c.frameLines);
        EXPECT_TRUE(message.contains(QStringLiteral("mv1data.csv"))) << c.name << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromLatin1(c.where))) << c.name << ": " << message.toStdString();
    }
    EXPECT_EQ(read(rktest::crlfLines({Header, "100,17,___", "Frame number", "0", "255"})).Frames.size(), 2);
}
