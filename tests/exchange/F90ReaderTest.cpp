#include "exchange/ExchangeErrors.h"
#include "exchange/FileFilters.h"

#include "ExchangeTestSupport.h"

#include <gtest/gtest.h>

namespace {

QByteArray pascal(const QByteArray& text)
{
    return char(text.size()) + text;
}

// An F90 header: model, two unused bytes, date, comment, camera, film speed, five bytes
// of which the fourth is the frame count.
QByteArray header(uint8_t filmSpeed, uint8_t frameCount, uint32_t date = 1072879500)
{
    QByteArray bytes = pascal("N90") + QByteArray(2, '\0');
    for (int i = 0; i < 4; ++i)
        bytes += char((date >> (8 * i)) & 0xFF);
    bytes += pascal("Roll comment") + pascal("F90X");
    bytes += char(filmSpeed);
    bytes += QByteArray(4, '\0');
    bytes += char(frameCount);
    bytes += '\0';
    return bytes;
}

// comment, shutter, aperture, mode flags, metering, flash sync, focal, compensation,
// flash compensation
QByteArray record(uint8_t shutter, uint8_t modeFlags, uint8_t metering, uint8_t sync,
                  uint8_t compensation, const QByteArray& comment = "frame")
{
    QByteArray bytes = pascal(comment);
    for (const uint8_t b : {shutter, uint8_t(30), modeFlags, metering, sync, uint8_t(80), compensation, uint8_t(252)})
        bytes += char(b);
    return bytes;
}

TRKRollSet read(const QByteArray& data, int32_t rollNumber = 9)
{
    TRKRollSet set;
    ReadF90Data(rktest::sourceFile(data, QStringLiteral("/d/roll.nkn")), set, rollNumber);
    return set;
}

}  // namespace

TEST(ExchangeF90Reader, ReadsTheRollAndEveryFieldOfAFrame)
{
    const TRKRollSet set = read(header(12, 2) + record(0x30, 0x21, 1, 5, 3, "first")
                                + record(0x02, 0x03, 2, 0, 0));
    ASSERT_EQ(set.Rolls.size(), 1);
    const TRKRoll& roll = set.Rolls.first();
    EXPECT_EQ(roll.RollNumber, 9);
    EXPECT_EQ(roll.ISO, 13);
    EXPECT_EQ(roll.Photographer, QString());
    EXPECT_EQ(roll.CameraType, QStringLiteral("F90X"));
    EXPECT_EQ(roll.Comment, QStringLiteral("Roll comment"));
    // 1072879500 s after 1970 is 2003-12-31 14:05:00, taken without a time zone.
    EXPECT_EQ(roll.Date, QDateTime(QDate(2003, 12, 31), QTime(14, 5)));

    ASSERT_EQ(set.Frames.size(), 2);
    TRKFrame expected;
    expected.RecordingMode = 1;
    expected.RollNumber = 9;
    expected.FrameNumber = 1;
    expected.Date = roll.Date;
    expected.Comment = QStringLiteral("first");
    expected.ShutterSpeed = 0x24;
    expected.Aperture = 30;
    expected.Focal = 80;
    expected.ExposureMode = 3;
    expected.MeterMode = 2;
    expected.FlashMode = 4;  // red-eye from the flags; sync byte 5 leaves it
    expected.ExposureComp = 253;
    expected.FlashComp = 252;
    EXPECT_EQ(set.Frames.at(0), expected);

    const TRKFrame& second = set.Frames.at(1);
    EXPECT_EQ(second.FrameNumber, 2);
    EXPECT_EQ(second.ShutterSpeed, 0x72);
    EXPECT_EQ(second.ExposureMode, 4);
    EXPECT_EQ(second.MeterMode, 3);
    EXPECT_EQ(second.FlashMode, 1);
    EXPECT_EQ(second.ExposureComp, 0);
}

TEST(ExchangeF90Reader, DecodesModesSyncAndFilmSpeed)
{
    const struct
    {
        uint8_t flags, metering, sync;
        uint8_t exposureMode, meterMode, flashMode;
    } cases[] = {
        {0x00, 0, 0, 1, 1, 1}, {0x01, 1, 1, 3, 2, 2}, {0x02, 2, 2, 2, 3, 3},
        {0x03, 3, 3, 4, 0, 0}, {0x21, 0, 5, 3, 1, 4}, {0x21, 0, 0, 3, 1, 1},
        {0xFC, 0, 9, 1, 1, 0}, {0x20, 0, 255, 1, 1, 4},
    };
    for (const auto& c : cases) {
        const TRKFrame frame = read(header(0, 1) + record(0x30, c.flags, c.metering, c.sync, 0)).Frames.at(0);
        EXPECT_EQ(frame.ExposureMode, c.exposureMode) << int(c.flags);
        EXPECT_EQ(frame.MeterMode, c.meterMode) << int(c.metering);
        EXPECT_EQ(frame.FlashMode, c.flashMode) << int(c.flags) << "/" << int(c.sync);
    }
    for (const auto& [byte, iso] : {std::pair{0, 1}, {12, 13}, {30, 31}, {31, 0}, {255, 0}})
        EXPECT_EQ(read(header(uint8_t(byte), 0)).Rolls.first().ISO, iso) << byte;
}

TEST(ExchangeF90Reader, ShutterTableHas75PairsAndAFallback)
{
    int mapped = 0;
    for (int code = 0; code < 256; ++code) {
        if (F90ShutterToF100(uint8_t(code)) != 0x72)
            ++mapped;
    }
    EXPECT_EQ(mapped, 75);
    const struct
    {
        uint8_t f90, f100;
    } cases[] = {{0x00, 0x71}, {0x01, 0xE1}, {0x02, 0x72}, {0x03, 0x72}, {0x04, 0xE2},
                 {0x16, 0x70}, {0x18, 0x00}, {0x30, 0x24}, {0x4C, 0x4E}, {0x4D, 0x72},
                 {0xFF, 0x72}};
    for (const auto& c : cases)
        EXPECT_EQ(F90ShutterToF100(c.f90), c.f100) << int(c.f90);
}

TEST(ExchangeF90Reader, TruncatedFilesKeepTheCompleteFrames)
{
    const QByteArray full = header(12, 3) + record(0x30, 0, 0, 0, 0) + record(0x30, 0, 0, 0, 0)
                            + record(0x30, 0, 0, 0, 0);
    const qsizetype headerSize = header(12, 3).size();
    const qsizetype recordSize = record(0x30, 0, 0, 0, 0).size();
    const struct
    {
        qsizetype size;
        qsizetype frames;
    } cases[] = {
        {full.size(), 3},
        {full.size() - 1, 2},
        {headerSize + recordSize + 1, 1},
        {headerSize, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(full.left(c.size)).Frames.size(), c.frames) << c.size;

    // A count larger than the data is not trusted either; one smaller than the data wins.
    EXPECT_EQ(read(header(12, 200) + record(0x30, 0, 0, 0, 0)).Frames.size(), 1);
    EXPECT_EQ(read(header(12, 1) + record(0x30, 0, 0, 0, 0) + record(0x30, 0, 0, 0, 0)).Frames.size(), 1);
}

TEST(ExchangeF90Reader, AHeaderCutShortIsAnErrorAndAppendsNothing)
{
    const QByteArray full = header(12, 0);
    for (qsizetype size = 0; size < full.size(); ++size) {
        TRKRollSet set;
        EXPECT_THROW(ReadF90Data(rktest::sourceFile(full.left(size)), set, 1), EFileFormatError) << size;
        EXPECT_EQ(set, TRKRollSet()) << size;
    }
    // A length byte pointing past the end of the file.
    TRKRollSet set;
    EXPECT_THROW(ReadF90Data(rktest::sourceFile(QByteArray("\x03N90\0\0\0\0\0\0\xff", 11)), set, 1),
                 EFileFormatError);
}
