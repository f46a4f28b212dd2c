#include "exchange/ExchangeErrors.h"
#include "exchange/FileFilters.h"
#include "exchange/MV1.h"

#include "ExchangeTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A PhotoSecretary line of the given number of fields, separated by sep.
QByteArray fields(int count, char sep = '\t')
{
    QByteArray line = "1";
    for (int i = 1; i < count; ++i)
        line += sep + QByteArray("x");
    return line;
}

QByteArray quotedFields(int count)
{
    QByteArray line = "\"1\"";
    for (int i = 1; i < count; ++i)
        line += ",\"x\"";
    return line;
}

const QByteArray SoftTALK = rktest::crlfLines(
    {"comment=", "separator=\t", "filmno=12", "frames=1", "camera=4", "ISO=  100", "data="});

// The SoftTALK keys but "FILMNO=".
const QByteArray OtherKeys = rktest::crlfLines({"separator=\t", "frames=1", "camera=4", "ISO=  100", "data="});

}  // namespace

TEST(ExchangeDetection, RecognisesFormatsByContentInOrder)
{
    const struct
    {
        const char* name;
        QByteArray data;
        TExchangeFormat format;
    } cases[] = {
        {"mv1", "Film speed,Film number,Camera ID\r\n100,12,___\r\n", efMV1},
        {"mv1 in capitals", "FILM SPEED,FILM NUMBER,CAMERA ID\n", efMV1},
        {"mv1 with a trailing space", "Film speed,Film number,Camera ID \r\n", efUnrecognised},
        {"f90", QByteArray("\x03N90\x00\x00", 6), efF90},
        {"f90 magic wins over keys", "\x03N90\r\nfilmno=1\r\n", efF90},
        {"softtalk", SoftTALK, efSoftTALK},
        {"softtalk upper case", SoftTALK.toUpper(), efSoftTALK},
        {"softtalk without frames=",
         rktest::crlfLines({"separator=\t", "filmno=12", "camera=4", "iso=100", "data="}),
         efUnrecognised},
        // One key is enough to rule out the PhotoSecretary test.
        {"one key and photosecretary lines", "100\t\tc\r\nfilmno=3\r\n" + fields(17) + "\r\n",
         efUnrecognised},
        {"photosecretary tabs", "100\t\tcomment\r\n" + fields(17) + "\r\n" + fields(20), efPhotoSecretary},
        {"photosecretary semicolons", "100;;comment\r\n" + fields(17, ';') + "\r\n", efPhotoSecretary},
        {"photosecretary quoted commas",
         quotedFields(3) + "\r\n" + quotedFields(17) + "\r\n", efPhotoSecretary},
        {"quoted commas with an unquoted field", quotedFields(3) + "\r\n" + fields(17, ',') + "\r\n",
         efUnrecognised},
        {"a frame line of 15 fields", "100\t\tc\r\n" + fields(17) + "\r\n" + fields(15) + "\r\n",
         efUnrecognised},
        {"roll line with three tabs", "100\t\tc\t\r\n" + fields(17) + "\r\n", efUnrecognised},
        {"blank lines do not matter", "\r\n100\t\tc\r\n\r\n  \r\n" + fields(17) + "\r\n\r\n",
         efUnrecognised},  // the first line is blank, so the roll line is a later line
        {"blank lines between frames", "100\t\tc\r\n\r\n" + fields(17) + "\r\n \t \r\n",
         efPhotoSecretary},
        {"blank lines only", "\r\n\r\n", efPhotoSecretary},
        {"no bytes at all", "", efUnrecognised},
        {"binary garbage", QByteArray("\x00\xff\x10\x80garbage\x00", 12), efUnrecognised},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectFormat(c.data), c.format) << c.name;
}

TEST(ExchangeDetection, ProposesRollNumbers)
{
    const struct
    {
        const char* name;
        QByteArray data;
        const char* fileName;
        int32_t rollNumber;
    } cases[] = {
        {"softtalk filmno", SoftTALK, "/d/r.sdf", 12},
        {"softtalk leading digits", "FILMNO=  34b\r\nfilmno=5\r\n" + OtherKeys, "/d/7.sdf", 34},
        {"softtalk not a number", "filmno=abc\r\n" + OtherKeys, "/d/7.sdf", 0},
        {"softtalk too large", "filmno=99999999999\r\n" + OtherKeys, "/d/7.sdf", -1},
        {"photosecretary file name", "100\t\tc\r\n", "/d/Roll 0012 (2003).txt", 122003},
        {"photosecretary no digits", "100\t\tc\r\n", "/d/film.txt", -1},
        {"photosecretary directory digits ignored", "100\t\tc\r\n", "/d2004/film.txt", -1},
        {"photosecretary beyond 32 bits", "100\t\tc\r\n", "/d/12345678901.txt", -1},
        {"f90 file name", QByteArray("\x03N90", 4), "/d/roll42.nkn", 42},
        {"mv1 film number", "Film speed,Film number,Camera ID\r\n100,17,___\r\n", "/d/a9.csv", 17},
        {"mv1 four fields", "Film speed,Film number,Camera ID\r\n100,17,___,x\r\n", "/d/a9", -1},
        {"mv1 not an integer", "Film speed,Film number,Camera ID\r\n100,1x,___\r\n", "/d/a9", -1},
        {"mv1 one line", "Film speed,Film number,Camera ID\r\n", "/d/a9", -1},
        {"unrecognised", "hello\r\n", "/d/5.txt", -1},
    };
    for (const auto& c : cases) {
        const TSourceFile source = rktest::sourceFile(c.data, QString::fromLatin1(c.fileName));
        EXPECT_EQ(ProposedRollNumber(source, DetectFormat(c.data)), c.rollNumber) << c.name;
    }
}

TEST(ExchangeDetection, WorksOnFilesAndReportsUnreadableOnes)
{
    rktest::TempDir dir;
    const QString file = dir.path(QStringLiteral("Roll 7.txt"));
    rktest::writeFile(file, "100\t\tc\r\n" + fields(17) + "\r\n");
    EXPECT_EQ(DetectFileFormat(file), efPhotoSecretary);
    EXPECT_EQ(ReadFileRollNumber(file), 7);
    EXPECT_THROW(DetectFileFormat(dir.path(QStringLiteral("absent.txt"))), EFileError);
}

TEST(ExchangeDetection, FormatNamesRoundTrip)
{
    for (const TExchangeFormat format : {efSoftTALK, efPhotoSecretary, efCSV, efF90, efMV1, efUnrecognised})
        EXPECT_EQ(ExchangeFormatFromName(ExchangeFormatName(format)), format);
    EXPECT_EQ(ExchangeFormatName(efPhotoSecretary), QStringLiteral("photosecretary"));
}
