#include "RollSets.h"

#include "db/DatabaseAdder.h"
#include "db/DownloadComparison.h"
#include "db/Sqlite.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Rolls = std::vector<std::pair<int, int>>;  // roll number, frame count

TRKRollSet setOf(const Rolls& rolls)
{
    TRKRollSet set;
    for (const auto& roll : rolls) {
        const TRKRollSet one = MakeRollSet({roll});
        set.Rolls += one.Rolls;
        set.Frames += one.Frames;
    }
    return set;
}

// Stores exactly the given rolls and frame counts, as a partial add would leave them.
void store(TDatabase& db, const Rolls& rolls)
{
    RunAdder(db, setOf(rolls), -1, -1);
}

struct Case
{
    const char* name;
    Rolls stored;
    Rolls downloaded;
    TComparisonOutcome outcome;
    int FMinR;
    int FMinF;
};

const Case kCases[] = {
    {"empty database takes everything", {}, {{10, 3}}, TComparisonOutcome::NewData, -1, -1},
    {"more frames of the last roll and a new roll", {{10, 36}, {11, 12}},
     {{10, 36}, {11, 20}, {12, 5}}, TComparisonOutcome::NewData, 11, 13},
    {"exactly what is stored", {{10, 36}, {11, 12}}, {{10, 36}, {11, 12}},
     TComparisonOutcome::NothingNew, 11, 13},
    {"fewer frames than stored", {{10, 36}}, {{10, 30}}, TComparisonOutcome::DifferentCamera, 10, 37},
    {"first roll new, a later one stored", {{11, 5}}, {{10, 3}, {11, 5}},
     TComparisonOutcome::DifferentCamera, -1, -1},
    {"only new rolls", {{10, 36}, {11, 12}}, {{12, 3}, {13, 4}}, TComparisonOutcome::NewData, -1, -1},
    {"no rolls downloaded", {{10, 36}}, {}, TComparisonOutcome::NothingNew, -1, -1},
    // An add cut short leaves its later rolls stored without frames: completed again.
    {"rolls left without frames by a cut add", {{10, 36}, {11, 12}, {12, 0}, {13, 0}},
     {{10, 36}, {11, 20}, {12, 5}, {13, 2}}, TComparisonOutcome::NewData, 11, 13},
    {"cut add before any frame", {{10, 36}, {11, 0}, {12, 0}}, {{10, 36}, {11, 4}, {12, 5}},
     TComparisonOutcome::NewData, 11, 1},
    {"a later roll stored with frames", {{10, 36}, {11, 12}, {12, 1}},
     {{10, 36}, {11, 20}, {12, 5}}, TComparisonOutcome::DifferentCamera, 11, 13},
    {"an empty stored roll without a start point", {{12, 0}}, {{11, 3}, {12, 5}},
     TComparisonOutcome::DifferentCamera, -1, -1},
    {"a complete run then a new roll", {{10, 36}, {11, 12}}, {{10, 36}, {11, 12}, {12, 1}},
     TComparisonOutcome::NewData, 11, 13},
};

TEST(DownloadComparison, Outcomes)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        rktest::TempDir dir;
        TestDatabase test(dir.path(QStringLiteral("c.rkdb")));
        TDatabase& db = test.database;
        store(db, c.stored);
        const TDownloadComparison result = DecideDownload(setOf(c.downloaded), db.rolls(), db.frames());
        EXPECT_EQ(result.Outcome, c.outcome);
        EXPECT_EQ(result.FMinR, c.FMinR);
        EXPECT_EQ(result.FMinF, c.FMinF);
    }
}

// After the add, a second download of the same data finds nothing new, and the database
// holds exactly the downloaded rows: the start point skipped nothing and doubled nothing.
TEST(DownloadComparison, AddingTheNewDataCompletesTheDatabase)
{
    for (const Case& c : kCases) {
        if (c.outcome != TComparisonOutcome::NewData)
            continue;
        SCOPED_TRACE(c.name);
        rktest::TempDir dir;
        TestDatabase test(dir.path(QStringLiteral("c.rkdb")));
        TDatabase& db = test.database;
        store(db, c.stored);
        const TRKRollSet download = setOf(c.downloaded);
        const TDownloadIntoDatabaseResult added = AddDownload(db, download);
        EXPECT_TRUE(added.Message.isEmpty()) << qPrintable(added.Message);
        const TDownloadIntoDatabaseResult again = AddDownload(db, download);
        EXPECT_EQ(again.Outcome, TComparisonOutcome::NothingNew);
        EXPECT_EQ(again.Message, NothingNewMessage());
        for (const auto& [roll, frames] : c.downloaded) {
            EXPECT_EQ(QueryInteger(db.connection().handle(),
                                   QStringLiteral("SELECT count(*) FROM Frames WHERE RollNumber = %1").arg(roll)),
                      frames);
        }
    }
}

TEST(DownloadComparison, RollTableIsQuietThroughoutAndReturnsToItsRow)
{
    rktest::TempDir dir;
    TestDatabase test(dir.path(QStringLiteral("c.rkdb")));
    TDatabase& db = test.database;
    store(db, {{10, 2}, {11, 3}, {12, 1}});
    ASSERT_TRUE(db.rolls().locate(QStringLiteral("RollNumber"), {11}));
    int loudScrolls = 0;
    QObject guard;
    QObject::connect(&db.rolls(), &TDBTable::afterScroll, &guard, [&] {
        if (!db.rolls().isQuiet())
            ++loudScrolls;
    });
    CompareDownload(setOf({{10, 2}, {11, 3}, {12, 1}}), db.rolls(), db.frames());
    EXPECT_EQ(loudScrolls, 0);
    EXPECT_FALSE(db.rolls().isQuiet());
    EXPECT_EQ(db.rolls().field(QStringLiteral("RollNumber")).asInteger(), 11);
    EXPECT_EQ(db.frames().rowCount(), 3);
}

TEST(DownloadComparison, SecondAddWhileOneRunsIsRefused)
{
    rktest::TempDir dir;
    TestDatabase test(dir.path(QStringLiteral("c.rkdb")));
    TDatabaseAdder adder(test.database);
    QStringList messages;
    QEventLoop loop;
    adder.OnMessage = [&](const QString& message) { messages << message; };
    adder.OnDone = [&] { loop.quit(); };
    ASSERT_TRUE(adder.AddRollSet(MakeRollSet({{1, 30}}), -1, -1));
    EXPECT_FALSE(adder.AddRollSet(MakeRollSet({{2, 1}}), -1, -1));
    loop.exec();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Can't add two rollsets at once")});
    EXPECT_FALSE(adder.Adding());
    EXPECT_EQ(adder.LastFramesAdded(), 30);
    EXPECT_EQ(test.database.rolls().rowCount(), 1);  // reopened: the new roll shows

    test.database.CloseDatabase();
    EXPECT_FALSE(adder.AddRollSet(MakeRollSet({{2, 1}}), -1, -1));
    EXPECT_TRUE(messages.last().startsWith(QStringLiteral("Failed to create thread for adding rollset: EDatabaseError - ")));
}

}  // namespace
