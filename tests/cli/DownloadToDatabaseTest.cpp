#include "../db/RollSets.h"

#include "cli/commands/DownloadToDatabase.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct AddRun
{
    int exitCode;
    QString out;
    QString err;
};

AddRun add(const TRKRollSet& set, const QString& file, bool create)
{
    AddRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    cli::CliContext context{out, err};
    run.exitCode = cli::addDownloadToDatabase(set, file, create, context);
    out.flush();
    err.flush();
    return run;
}

TEST(DownloadToDatabase, OutcomesAndExitCodes)
{
    rktest::TempDir dir;
    const QString file = dir.path(QStringLiteral("demo.rkdb"));
    TRKRollSet duplicateFrame = MakeRollSet({{10, 36}, {11, 14}, {12, 2}});
    duplicateFrame.Frames.append(duplicateFrame.Frames.last());
    struct Step
    {
        const char* name;
        TRKRollSet set;
        bool create;
        int exitCode;
        const char* outPart;
        const char* errPart;
    };
    const Step steps[] = {
        {"no file without --create", MakeRollSet({{10, 36}}), false, cli::Failure, "", "Failed to open file"},
        {"new file", MakeRollSet({{10, 36}, {11, 12}}), true, cli::Success, "Added 2 rolls and 48 frames", ""},
        {"same data again", MakeRollSet({{10, 36}, {11, 12}}), true, cli::Success,
         "There doesn't appear to be any new rolls/frames to add.", ""},
        {"fewer frames than stored", MakeRollSet({{10, 30}}), false, cli::Refused, "",
         "This appears to be shooting data from a different camera.\nPlease create"},
        {"a frame twice", duplicateFrame, false, cli::Refused, "Added 1 rolls and 4 frames",
         "Frame insertion failed:  FMinR: 11 FMinF: 13 CrashR: 12 CrashF: 2\nEKeyViolation - "},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        const AddRun run = add(step.set, file, step.create);
        EXPECT_EQ(run.exitCode, step.exitCode);
        EXPECT_TRUE(run.out.contains(QLatin1String(step.outPart))) << qPrintable(run.out);
        EXPECT_TRUE(run.err.contains(QLatin1String(step.errPart))) << qPrintable(run.err);
        EXPECT_FALSE(run.err.contains(QLatin1Char('\r')));  // not a terminal: no progress
    }
}

}  // namespace
