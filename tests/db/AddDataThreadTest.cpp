#include "RollSets.h"

#include "db/Sqlite.h"
#include "model/ColumnTexts.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

QString column(TDatabase& db, const QString& sql)
{
    TSqlStatement statement(db.connection().handle(), sql);
    return statement.step() ? statement.text(0) : QStringLiteral("(no row)");
}

int64_t count(TDatabase& db, const char* sql)
{
    return QueryInteger(db.connection().handle(), QString::fromLatin1(sql));
}

class AddDataThreadTest : public ::testing::Test
{
protected:
    rktest::TempDir dir;
    TestDatabase test{dir.path(QStringLiteral("a.rkdb"))};
    TDatabase& db = test.database;
};

TEST_F(AddDataThreadTest, EmptySetAddsNothingAndStillTerminates)
{
    const AdderRun run = RunAdder(db, TRKRollSet(), -1, -1);
    EXPECT_TRUE(run.terminated);
    EXPECT_TRUE(run.progress.isEmpty());
    EXPECT_TRUE(run.failure.isEmpty());
    EXPECT_TRUE(db.rolls().isEmpty());
}

TEST_F(AddDataThreadTest, StartPointSkipsWhatIsStoredAndCountsWholeSequences)
{
    RunAdder(db, MakeRollSet({{2, 2}, {3, 4}}), -1, -1);
    const AdderRun run = RunAdder(db, MakeRollSet({{2, 2}, {3, 6}, {4, 3}}), 3, 5);
    EXPECT_TRUE(run.failure.isEmpty()) << qPrintable(run.failure);
    const QString rolls = QStringLiteral("Adding rolls to database|");
    const QString frames = QStringLiteral("Adding frames to database|");
    EXPECT_EQ(run.progress, QStringList({rolls + QStringLiteral("3/3"), frames + QStringLiteral("7/11"),
                                         frames + QStringLiteral("8/11"), frames + QStringLiteral("9/11"),
                                         frames + QStringLiteral("10/11"), frames + QStringLiteral("11/11")}));
    EXPECT_EQ(run.rolls, 1);
    EXPECT_EQ(run.frames, 5);
    EXPECT_EQ(count(db, "SELECT count(*) FROM Rolls"), 3);
    EXPECT_EQ(count(db, "SELECT count(*) FROM Frames WHERE RollNumber = 3"), 6);
    EXPECT_EQ(count(db, "SELECT count(*) FROM Frames WHERE RollNumber = 4"), 3);
}

TEST_F(AddDataThreadTest, RefusedRowsStopTheAddAndKeepWhatCameBefore)
{
    struct Case
    {
        const char* name;
        TRKRollSet second;
        QString failureStart;
        int64_t frames;  // stored after both adds
    };
    TRKRollSet orphan = MakeRollSet({{8, 2}});
    orphan.Frames.append(MakeRollSet({{9, 1}}).Frames);  // roll 9 is not in the set
    orphan.Frames.append(MakeRollSet({{8, 3}}).Frames.last());
    const Case cases[] = {
        {"all rolls exist", MakeRollSet({{2, 2}, {3, 4}}),
         QStringLiteral("Roll insertion failed:  FMinR: -1 FMinF: -1 CrashR: 2\r\nEKeyViolation - "), 6},
        {"frame without its roll", orphan,
         QStringLiteral("Frame insertion failed:  FMinR: -1 FMinF: -1 CrashR: 9 CrashF: 1\r\n"
                        "ERelationshipViolation - "),
         8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rktest::TempDir caseDir;
        TestDatabase fresh(caseDir.path(QStringLiteral("c.rkdb")));
        RunAdder(fresh.database, MakeRollSet({{2, 2}, {3, 4}}), -1, -1);
        const AdderRun run = RunAdder(fresh.database, c.second, -1, -1);
        EXPECT_TRUE(run.terminated);
        EXPECT_TRUE(run.failure.startsWith(c.failureStart)) << qPrintable(run.failure);
        EXPECT_EQ(count(fresh.database, "SELECT count(*) FROM Frames"), c.frames);
    }
}

TEST_F(AddDataThreadTest, ColumnsGetTheirTextsAndDatesLoseTheirTime)
{
    TRKRollSet set = MakeRollSet({{1, 2}});
    set.Rolls[0].Photographer = QStringLiteral("Ann");
    set.Rolls[0].Comment = QStringLiteral("Alps");
    TRKFrame& simple = set.Frames[0];
    simple.MultipleExposure = true;
    simple.Comment = QStringLiteral("double");
    simple.Date = QDateTime(QDate(2004, 7, 10), QTime(23, 59, 59));
    TRKFrame& detailed = set.Frames[1];
    detailed.RecordingMode = 1;
    detailed.ExposureMode = 4;
    detailed.MeterMode = 3;
    detailed.LensMinFocal = 54;
    detailed.LensMaxFocal = 98;
    detailed.FlashType = 3;
    detailed.FlashMode = 2;
    detailed.FlashComp = 250;
    RunAdder(db, set, -1, -1);

    EXPECT_EQ(column(db, QStringLiteral("SELECT Photographer||'|'||CameraType||'|'||ISO||'|'||Comment||'|'||Date FROM Rolls")),
              QStringLiteral("Ann|F100|") + RollISOText(set.Rolls[0]) + QStringLiteral("|Alps|2004-07-09"));
    const char* frameColumns =
        "SELECT ShutterSpeed||'|'||Aperture||'|'||Focal||'|'||FlashType||'|'||Lens||'|'||"
        "MaxAperture||'|'||ExposureMode||'|'||MeterMode||'|'||ExposureValueDiff||'|'||"
        "ExposureComp||'|'||FlashMode||'|'||FlashComp FROM Frames WHERE FrameNumber = %1";
    for (const TRKFrame& frame : set.Frames) {
        const TFrameColumnTexts t = FrameColumnTexts(frame);
        const QStringList expected{t.ShutterSpeed, t.Aperture, t.Focal, t.FlashType, t.Lens,
                                   t.MaxAperture, t.ExposureMode, t.MeterMode, t.ExposureValueDiff,
                                   t.ExposureComp, t.FlashMode, t.FlashComp};
        EXPECT_EQ(column(db, QString::fromLatin1(frameColumns).arg(frame.FrameNumber)),
                  expected.join(QLatin1Char('|')));
    }
    EXPECT_EQ(column(db, QStringLiteral("SELECT ExposureMode||'|'||MeterMode||'|'||Lens||'|'||Comment||'|'||Date||'|'||PictureFileName FROM Frames WHERE FrameNumber = 1")),
              QStringLiteral("ME|||double|2004-07-10|"));
}

TEST_F(AddDataThreadTest, TablesCannotBeReplacedOnceAdding)
{
    QString refusal;
    QEventLoop loop;
    TAddDataThread* self = nullptr;
    TAddDataThread thread(
        true, -1, -1, [&](TAddDataThread&) { loop.quit(); },
        [&](const QString&, const QString&) {
            if (refusal.isEmpty()) {
                try {
                    self->SetRollTable(db.rolls());
                    refusal = QStringLiteral("accepted");
                } catch (const ERKError& error) {
                    refusal = error.message();
                }
            }
        },
        MakeRollSet({{1, 1}}), db.frames(), db.rolls(), false);
    self = &thread;
    thread.start();
    loop.exec();
    EXPECT_EQ(refusal, QStringLiteral("Can't change dataset while adding records"));
}

}  // namespace
