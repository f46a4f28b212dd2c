#include "exchange/ExchangeErrors.h"
#include "exchange/ExportRolls.h"

#include "DatabaseFixture.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

class ExchangeExportDatabase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rktest::createDatabase(m_dir.path(QStringLiteral("archive.rkdb")), GoldenRolls());
        m_database.FileName = m_dir.path(QStringLiteral("archive.rkdb"));
        ASSERT_TRUE(m_database.OpenDatabase());
    }

    TExportResult exportRolls(const QString& name, TExchangeFormat format, const QList<int32_t>& rolls)
    {
        return ExportRolls(m_dir.path(name), format, rolls, m_database.frames(), m_database.rolls());
    }

    void expectGolden(const QString& written, const QString& golden)
    {
        EXPECT_EQ(rktest::readFile(m_dir.path(written)),
                  rktest::readFile(rktest::fixturePath(QStringLiteral("exchange/") + golden)))
            << golden.toStdString();
    }

    // Where the view's tables stand: roll number and frame number.
    std::pair<int, int> position()
    {
        return {m_database.rolls().field(QStringLiteral("RollNumber")).asInteger(),
                m_database.frames().field(QStringLiteral("FrameNumber")).asInteger()};
    }

    rktest::TempDir m_dir;
    TDatabase m_database;
};

}  // namespace

TEST_F(ExchangeExportDatabase, WritesTheGoldenFilesFromTheTables)
{
    EXPECT_TRUE(exportRolls(QStringLiteral("roll.sdf"), efSoftTALK, {3, 12, 7}).Success);
    for (const char* name : {"roll3.sdf", "roll12.sdf", "roll7.sdf"})
        expectGolden(QString::fromLatin1(name), QString::fromLatin1(name));
    EXPECT_TRUE(exportRolls(QStringLiteral("roll.txt"), efPhotoSecretary, {3, 12}).Success);
    expectGolden(QStringLiteral("roll3.txt"), QStringLiteral("roll3.txt"));
    expectGolden(QStringLiteral("roll12.txt"), QStringLiteral("roll12.txt"));
    EXPECT_TRUE(exportRolls(QStringLiteral("rolls.csv"), efCSV, {3, 99, 12}).Success);
    expectGolden(QStringLiteral("rolls_Rolls.csv"), QStringLiteral("rolls_Rolls.csv"));
    expectGolden(QStringLiteral("rolls_Frames.csv"), QStringLiteral("rolls_Frames.csv"));
}

TEST_F(ExchangeExportDatabase, PutsTheTablesBackWhereTheyStoodEvenOnAnError)
{
    ASSERT_TRUE(m_database.rolls().locate(QStringLiteral("RollNumber"), {3}));
    m_database.frames().next();
    m_database.frames().next();
    ASSERT_EQ(position(), std::pair(3, 3));

    EXPECT_TRUE(exportRolls(QStringLiteral("r.txt"), efPhotoSecretary, {12, 7}).Success);
    EXPECT_EQ(position(), std::pair(3, 3));

    QDir(m_dir.path()).mkdir(QStringLiteral("taken12.sdf"));
    EXPECT_THROW(exportRolls(QStringLiteral("taken.sdf"), efSoftTALK, {7, 12}), EFileError);
    EXPECT_EQ(position(), std::pair(3, 3));
    EXPECT_FALSE(m_database.rolls().controlsDisabled());
    EXPECT_FALSE(m_database.frames().controlsDisabled());
}
