#include "exchange/ExchangeErrors.h"
#include "exchange/FileFilters.h"

#include "ExchangeTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QString Photographer = QStringLiteral("Ansel");

TRKRollSet read(const QByteArray& data, int32_t rollNumber = -1,
                const QString& name = QStringLiteral("/d/Roll 0012 (2003).txt"))
{
    TRKRollSet set;
    ReadPhotoSecretaryData(rktest::sourceFile(data, name), set, rollNumber, Photographer);
    return set;
}

// A frame line as our writer writes it, with date, time, third field and comment.
QByteArray frameLine(const QByteArray& multiple, const QByteArray& date, const QByteArray& time,
                     const QByteArray& comment = "")
{
    return "1\t250\tF5.6\t35 (28-70)\tF3.5 - F4.5\tCenter weighted\tAperture priority auto\tRear\t"
           "+0.7\t-0.3\t-1.0\tTTL\t" + multiple + "\t" + date + "\t" + time + "\t\t" + comment;
}

}  // namespace

TEST(ExchangePhotoSecretaryReader, ReadsARollAndItsFrames)
{
    const TRKRollSet set = read(
        "100\tunused\t My roll \r\n" + frameLine("On", "12/31/2003", "14:05:00", " Nice light ") + "\r\n");
    ASSERT_EQ(set.Rolls.size(), 1);
    const TRKRoll& roll = set.Rolls.first();
    EXPECT_EQ(roll.RollNumber, 122003);  // from the file name
    EXPECT_EQ(roll.ISO, 13);
    EXPECT_EQ(roll.Comment, QStringLiteral(" My roll "));
    EXPECT_EQ(roll.CameraType, QStringLiteral("F100"));
    EXPECT_EQ(roll.Photographer, Photographer);
    EXPECT_EQ(roll.Date, rktest::fileTime());

    ASSERT_EQ(set.Frames.size(), 1);
    TRKFrame expected;
    expected.RecordingMode = 1;
    expected.RollNumber = 122003;
    expected.FrameNumber = 1;
    expected.ShutterSpeed = 48;
    expected.Aperture = 30;
    expected.Focal = 68;
    expected.LensMinFocal = 60;
    expected.LensMaxFocal = 92;
    expected.MaxApertureAtMin = 22;
    expected.MaxApertureAtMax = 26;
    expected.MeterMode = 2;
    expected.ExposureMode = 2;
    expected.FlashMode = 3;
    expected.ExposureComp = 4;
    expected.ExposureValueDiff = 254;
    expected.FlashComp = 250;
    expected.FlashType = 3;
    expected.MultipleExposure = true;
    expected.Comment = QStringLiteral("Nice light");
    expected.Date = QDateTime(QDate(2003, 12, 31), QTime(14, 5));
    EXPECT_EQ(set.Frames.first(), expected);
}

TEST(ExchangePhotoSecretaryReader, FrameDateComesFromItsFieldsOrTheFile)
{
    const struct
    {
        const char* multiple;
        const char* date;
        const char* time;
        QDateTime expected;
    } cases[] = {
        {"On", "12/31/2003", "14:05:00", QDateTime(QDate(2003, 12, 31), QTime(14, 5))},
        {"Off", "12/31/2003", "14:05:00", QDateTime(QDate(2003, 12, 31), QTime(14, 5))},
        {"Off", "12/31/2003", "", QDateTime(QDate(2003, 12, 31), QTime(0, 0))},
        {"Off", "", "14:05:00", rktest::fileTime()},  // a time without a day is no date
        {"Off", "", "", rktest::fileTime()},
    };
    for (const auto& c : cases) {
        const TRKRollSet set = read("100\t\t\r\n" + frameLine(c.multiple, c.date, c.time) + "\r\n");
        ASSERT_EQ(set.Frames.size(), 1);
        EXPECT_EQ(set.Frames.first().Date, c.expected) << c.multiple << c.date << c.time;
    }
}

TEST(ExchangePhotoSecretaryReader, RollLineAndSeparators)
{
    const struct
    {
        const char* name;
        QByteArray data;
        int32_t rollNumber;
        uint8_t iso;
        const char* comment;
        qsizetype frames;
        const char* cameraType;
    } cases[] = {
        {"blank comment gives the file name", "400\t\t  \r\n", 7, 19, "Roll 0012 (2003).txt", 0, ""},
        {"empty file", "", 7, 0, "Roll 0012 (2003).txt", 0, ""},
        {"semicolons", "400;x;Semi\r\n1;250;;;;;;;;;;;;;;;\r\n", 7, 19, "Semi", 1, "F100"},
        {"quoted commas", "\"400\",\"\",\"Quoted, with comma\"\r\n\"1\",\"250\"\r\n", 7, 19,
         "Quoted, with comma", 1, "F100"},
        // Blank lines are frames too, as many as there are lines after the first.
        {"blank lines", "100\t\tc\r\n\r\n\r\n\r\n", 7, 13, "c", 3, "F100"},
    };
    for (const auto& c : cases) {
        const TRKRollSet set = read(c.data, c.rollNumber);
        ASSERT_EQ(set.Rolls.size(), 1) << c.name;
        EXPECT_EQ(set.Rolls.first().RollNumber, c.rollNumber) << c.name;
        EXPECT_EQ(set.Rolls.first().ISO, c.iso) << c.name;
        EXPECT_EQ(set.Rolls.first().Comment, QString::fromLatin1(c.comment)) << c.name;
        EXPECT_EQ(set.Frames.size(), c.frames) << c.name;
        EXPECT_EQ(set.Rolls.first().CameraType, QString::fromLatin1(c.cameraType)) << c.name;
    }
    EXPECT_EQ(read("100\t\t\r\n1;250;;;;;;;;;;;;;;;\r\n").Frames.first().ShutterSpeed, 0);
    EXPECT_EQ(read("400;x;Semi\r\n1;250;;;;;;;;;;;;;;;\r\n").Frames.first().ShutterSpeed, 48);
    EXPECT_EQ(read("\"400\",\"\",\"c\"\r\n\"1\",\"250\",\"\"\r\n").Frames.first().ShutterSpeed, 48);
    EXPECT_EQ(read("100\t\tc\r\n", -1, QStringLiteral("/d/film.txt")).Rolls.first().RollNumber, -1);
}

TEST(ExchangePhotoSecretaryReader, UnknownExposureModeAndSimpleFrames)
{
    const TRKRollSet set = read(rktest::crlfLines(
        {"100\t\tc", "1\t250\tF2.8\t50\tF1.4\tMulti\tShutter priority\tNormal\t\t\t\tOff\tOff\t\t\t\t",
         "2\t250\tF2.8\t50\tF1.4\tSpot\twhatever\tNormal\t0.0\t\t\tOff\tOff\t\t\t\t"}));
    ASSERT_EQ(set.Frames.size(), 2);
    EXPECT_EQ(set.Frames.at(0).ExposureMode, 3);
    EXPECT_EQ(set.Frames.at(0).RecordingMode, 0);  // two empty compensation fields
    EXPECT_EQ(set.Frames.at(0).MeterMode, 1);
    EXPECT_EQ(set.Frames.at(1).ExposureMode, 3);
    EXPECT_EQ(set.Frames.at(1).RecordingMode, 1);
    EXPECT_EQ(set.Frames.at(1).MeterMode, 3);
    EXPECT_EQ(set.Frames.at(1).FlashType, 1);
}

TEST(ExchangePhotoSecretaryReader, RejectsMoreThan255Frames)
{
    QByteArray file = "100\t\tc\r\n";
    for (int i = 1; i <= 256; ++i)
        file += "\r\n";
    TRKRollSet set;
    EXPECT_THROW(ReadPhotoSecretaryData(rktest::sourceFile(file), set, 1, Photographer), EFileFormatError);
    EXPECT_EQ(set, TRKRollSet());
    file.chop(2);
    EXPECT_EQ(read(file).Frames.size(), 255);
}
