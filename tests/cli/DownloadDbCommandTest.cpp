// download --db: the camera's data (or a saved memory image) added to a database file.

#include "CliRunner.h"

#include "TestSupport.h"
#include "f100sim/F100Simulator.h"
#include "f100sim/MemoryImage.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class DownloadDb : public testing::Test
{
protected:
    void SetUp() override { rktest::writeFile(settingsFile, "[Program]\nPhotographer=Tess Tester\n"); }

    CliRun Run(const QStringList& arguments)
    {
        return RunCli(QStringList{QStringLiteral("--settings"), settingsFile} + arguments);
    }

    QString image(const char* name, const QList<TSimRoll>& rolls)
    {
        QString error;
        const QString file = dir.path(QLatin1String(name));
        rktest::writeFile(file, f100sim::buildMemoryImage(rolls, true, &error));
        return file;
    }

    rktest::TempDir dir;
    QString settingsFile = dir.path(QStringLiteral("Rollkeeper.ini"));
    QString database = dir.path(QStringLiteral("rolls.rkdb"));
};

TEST_F(DownloadDb, SavedImagesExtendTheDatabaseOrAreRefused)
{
    const QString first = image("first.bin", {{41, 36, 100}, {42, 24, 400}});
    const QString later = image("later.bin", {{41, 36, 100}, {42, 30, 400}, {43, 5, 0}});
    const QString other = image("other.bin", {{41, 20, 100}});
    const QString junk = dir.path(QStringLiteral("junk.bin"));
    rktest::writeFile(junk, "not an image");
    const QString db = QStringLiteral("--db");
    const QString from = QStringLiteral("--from-image");
    const QString download = QStringLiteral("download");
    struct Step
    {
        QStringList arguments;
        int exitCode;
        const char* outPart;
        const char* errPart;
    };
    const Step steps[] = {
        {{download, from, first, db, database}, cli::Failure, "", "Failed to open file"},
        {{download, from, first, db, database, QStringLiteral("--create")}, cli::Success,
         "Added 2 rolls and 60 frames", ""},
        {{download, from, first, db, database}, cli::Success,
         "There doesn't appear to be any new rolls/frames to add.", ""},
        {{download, from, later, db, database}, cli::Success, "Added 1 rolls and 11 frames", ""},
        {{download, from, other, db, database}, cli::Refused, "", "from a different camera"},
        {{download, from, junk, db, database}, cli::Failure, "", "is not a memory image"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(qPrintable(step.arguments.join(QLatin1Char(' '))));
        const CliRun run = Run(step.arguments);
        EXPECT_EQ(run.exitCode, step.exitCode) << qPrintable(run.err);
        EXPECT_TRUE(run.out.contains(QLatin1String(step.outPart))) << qPrintable(run.out);
        EXPECT_TRUE(run.err.contains(QLatin1String(step.errPart))) << qPrintable(run.err);
    }
    const CliRun frames = Run({QStringLiteral("db"), QStringLiteral("frames"), database,
                               QStringLiteral("--roll"), QStringLiteral("42")});
    EXPECT_EQ(frames.out.count(QLatin1Char('\n')), 31);
    EXPECT_TRUE(frames.out.contains(QStringLiteral("\t\n")));  // PictureFileName empty
}

TEST_F(DownloadDb, FromTheCameraAndNothingWhenTheCameraFails)
{
    F100SimOptions options;
    options.Rolls = {TSimRoll{41, 36, 100}};
    F100Simulator sim(options);
    QString error;
    ASSERT_TRUE(sim.start(&error)) << error.toStdString();
    const QStringList command{QStringLiteral("download"), QStringLiteral("--db"), database,
                              QStringLiteral("--create")};

    const CliRun missing = Run(QStringList{QStringLiteral("--port"), dir.path(QStringLiteral("no-such-port"))} + command);
    EXPECT_EQ(missing.exitCode, cli::CameraFailure);
    EXPECT_FALSE(QFile::exists(database));

    const CliRun added = Run(QStringList{QStringLiteral("--port"), sim.ptyPath()} + command);
    EXPECT_EQ(added.exitCode, cli::Success) << qPrintable(added.err);
    EXPECT_TRUE(added.out.contains(QStringLiteral("Added 1 rolls and 36 frames")));
    const CliRun again = Run(QStringList{QStringLiteral("--port"), sim.ptyPath()} + command);
    EXPECT_EQ(again.exitCode, cli::Success);
    EXPECT_TRUE(again.out.contains(QStringLiteral("There doesn't appear")));
}

}  // namespace
