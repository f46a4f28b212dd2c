#include "exchange/ExchangeErrors.h"
#include "exchange/ExportRolls.h"

#include "ExportFixture.h"
#include "TestSupport.h"

#include <QDir>
#include <QMap>

#include <gtest/gtest.h>

namespace {

// The golden rolls, handed out as the database would.
class TMemorySource : public TExportSource
{
public:
    TMemorySource()
    {
        for (const TGoldenRoll& roll : GoldenRolls())
            add(roll.Roll, roll.Frames);
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
