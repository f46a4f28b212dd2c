#include "exchange/ExchangeErrors.h"
#include "exchange/ExportRolls.h"

#include "TestSupport.h"

#include <QDir>
#include <QMap>

#include <gtest/gtest.h>

namespace {

TExportFrame frame(int32_t roll, int32_t number, QStringList texts, QDate date = {},
                   QString comment = {}, QString picture = {})
{
    // ShutterSpeed, Aperture, Lens, Focal, MaxAperture, ExposureMode, MeterMode,
    // ExposureValueDiff, ExposureComp, FlashType, FlashMode, FlashComp
    TExportFrame f;
    f.RollNumber = roll;
    f.FrameNumber = number;
    QString* const columns[] = {&f.ShutterSpeed, &f.Aperture,  &f.Lens,         &f.Focal,
                                &f.MaxAperture,  &f.ExposureMode, &f.MeterMode, &f.ExposureValueDiff,
                                &f.ExposureComp, &f.FlashType, &f.FlashMode,    &f.FlashComp};
    for (int i = 0; i < 12; ++i)
        *columns[i] = texts.value(i);
    f.Date = date;
    f.Comment = comment;
    f.PictureFileName = picture;
    return f;
}

// Rolls as the database would hand them out, covering every form of the writers.
class TMemorySource : public TExportSource
{
public:
    TMemorySource()
    {
        const QDate day(2003, 12, 31);
        add({3, "Ansel Adams", "F100", "100", "Holiday in Caf\u00e9\r\n\"Second\" line", day},
            {frame(3, 1, {"1/250", "f5.6", "28-70mm", "35mm", "f3.5-f4.5", "Aperture priority", "Spot",
                          "-0.3", "+0.7", "TTL", "REAR", "-1.0"},
                   day, "Sunset; \"red\"", "/pics/1.jpg"),
             frame(3, 2, {"2\"", "UNKNOWN", "50mm", "50mm", "f1.4", "Program + ME", "Matrix", "0.0", "0.0",
                          "OFF", "", ""},
                   day),
             frame(3, 3, {"1/60", "f8", "", "85", "", "ME", "", "", "", "Non-TTL", "", ""}, {},
                   "two\r\nlines"),
             frame(3, 4, {"1/8000", "f22", "80-200mm", "135mm", "f2.8", "Manual", "Centre", "+20.0",
                          "-20.0", "UNKNOWN", "RED-EYE+SLOW", "+0.5"},
                   QDate(2004, 1, 1))});
        add({12, "Ansel Adams", "F5", "UNKNOWN", "", QDate(2004, 1, 2)}, {frame(12, 1, {"1/125"})});
        add({7, "Ansel Adams", "Nikon FM2", "400", "Other", day}, {frame(7, 1, {"1/125"})});
    }

    bool readRoll(int32_t rollNumber, TExportRoll& roll, QList<TExportFrame>& frames) override
    {
        if (!m_rolls.contains(rollNumber))
            return false;
        roll = m_rolls.value(rollNumber);
        frames = m_frames.value(rollNumber);
        return true;
    }

private:
    void add(const TExportRoll& roll, const QList<TExportFrame>& frames)
    {
        m_rolls.insert(roll.RollNumber, roll);
        m_frames.insert(roll.RollNumber, frames);
    }

    QMap<int32_t, TExportRoll> m_rolls;
    QMap<int32_t, QList<TExportFrame>> m_frames;
};

void expectGolden(const QString& written, const QString& golden)
{
    EXPECT_EQ(rktest::readFile(written), rktest::readFile(rktest::fixturePath(QStringLiteral("exchange/") + golden)))
        << golden.toStdString();
}

}  // namespace

TEST(ExchangeExport, SoftTALKFilesMatchTheGoldenFiles)
{
    rktest::TempDir dir;
    TMemorySource source;
    const TExportResult result = ExportRollsFrom(dir.path(QStringLiteral("roll.sdf")), efSoftTALK, {3, 12, 7}, source);
    EXPECT_TRUE(result.Success);
    EXPECT_EQ(result.Files, QStringList({dir.path(QStringLiteral("roll3.sdf")), dir.path(QStringLiteral("roll12.sdf")),
                                         dir.path(QStringLiteral("roll7.sdf"))}));
    for (const char* name : {"roll3.sdf", "roll12.sdf", "roll7.sdf"})
        expectGolden(dir.path(QString::fromLatin1(name)), QString::fromLatin1(name));
}

TEST(ExchangeExport, PhotoSecretaryFilesMatchTheGoldenFilesInCreatedDirectories)
{
    rktest::TempDir dir;
    TMemorySource source;
    const TExportResult result =
        ExportRollsFrom(dir.path(QStringLiteral("out/%n/data.txt")), efPhotoSecretary, {3, 12}, source);
    EXPECT_TRUE(result.Success);
    expectGolden(dir.path(QStringLiteral("out/3/data.txt")), QStringLiteral("roll3.txt"));
    expectGolden(dir.path(QStringLiteral("out/12/data.txt")), QStringLiteral("roll12.txt"));
}

TEST(ExchangeExport, CSVFilesMatchTheGoldenFiles)
{
    rktest::TempDir dir;
    TMemorySource source;
    const TExportResult result = ExportRollsFrom(dir.path(QStringLiteral("rolls.csv")), efCSV, {3, 99, 12}, source);
    EXPECT_TRUE(result.Success);
    expectGolden(dir.path(QStringLiteral("rolls_Rolls.csv")), QStringLiteral("rolls_Rolls.csv"));
    expectGolden(dir.path(QStringLiteral("rolls_Frames.csv")), QStringLiteral("rolls_Frames.csv"));

    // "%n" stays as typed in both names.
    const TExportResult kept = ExportRollsFrom(dir.path(QStringLiteral("r%n.csv")), efCSV, {3, 12}, source);
    EXPECT_EQ(kept.Files, QStringList({dir.path(QStringLiteral("r%n_Rolls.csv")), dir.path(QStringLiteral("r%n_Frames.csv"))}));
}

TEST(ExchangeExport, FileNamePatterns)
{
    const struct
    {
        const char* fileName;
        qsizetype rolls;
        int32_t roll;
        const char* written;
    } cases[] = {
        {"/out/roll.sdf", 1, 3, "/out/roll.sdf"},
        {"/out/rolls.txt", 2, 3, "/out/rolls3.txt"},
        {"/out/rolls.txt", 2, 12, "/out/rolls12.txt"},
        {"/out/r%N.txt", 2, 3, "/out/r33.txt"},  // no "%n" in its case: one is inserted
        {"/out/r%N.txt", 1, 3, "/out/r3.txt"},
        {"/out/%n/data.txt", 2, 12, "/out/12/data.txt"},
        {"/out.d/rolls", 2, 5, "/out.d/rolls5"},
        {"/out/a.b.txt", 2, 5, "/out/a.b5.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExportFileName(ExportFilePattern(QString::fromLatin1(c.fileName), c.rolls), c.roll),
                  QString::fromLatin1(c.written))
            << c.fileName;
    }
}

TEST(ExchangeExport, MissingRollsAreSkippedAndNoneIsAFailure)
{
    rktest::TempDir dir;
    TMemorySource source;
    const TExportResult some = ExportRollsFrom(dir.path(QStringLiteral("r.txt")), efPhotoSecretary, {99, 7}, source);
    EXPECT_TRUE(some.Success);
    EXPECT_EQ(some.Files, QStringList({dir.path(QStringLiteral("r7.txt"))}));

    const TExportResult none = ExportRollsFrom(dir.path(QStringLiteral("n.txt")), efSoftTALK, {98, 99}, source);
    EXPECT_FALSE(none.Success);
    EXPECT_TRUE(none.Files.isEmpty());
    EXPECT_TRUE(none.Message.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).contains(QStringLiteral("r7.txt")));
    EXPECT_FALSE(ExportRollsFrom(dir.path(QStringLiteral("u.txt")), efUnrecognised, {3}, source).Success);
}

TEST(ExchangeExport, ADirectoryThatCannotBeCreatedStopsTheExport)
{
    rktest::TempDir dir;
    TMemorySource source;
    rktest::writeFile(dir.path(QStringLiteral("12")), "a file where a directory should be");
    const TExportResult result =
        ExportRollsFrom(dir.path(QStringLiteral("%n/data.txt")), efPhotoSecretary, {3, 12, 7}, source);
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Message, QStringLiteral("Could not create the directory \"%1\", aborting export")
                                  .arg(QDir::toNativeSeparators(dir.path(QStringLiteral("12/")))));
    EXPECT_EQ(result.Files, QStringList({dir.path(QStringLiteral("3/data.txt"))}));
    EXPECT_TRUE(QFile::exists(dir.path(QStringLiteral("3/data.txt"))));
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("7"))));
}

TEST(ExchangeExport, AFileThatCannotBeWrittenIsAnError)
{
    rktest::TempDir dir;
    TMemorySource source;
    // The CSV export creates no directory.
    EXPECT_THROW(ExportRollsFrom(dir.path(QStringLiteral("missing/r.csv")), efCSV, {3}, source), EFileError);
    QDir(dir.path()).mkdir(QStringLiteral("taken.sdf"));
    EXPECT_THROW(ExportRollsFrom(dir.path(QStringLiteral("taken.sdf")), efSoftTALK, {3}, source), EFileError);
}
