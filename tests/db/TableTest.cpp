#include "DbFixture.h"

#include "db/Sqlite.h"

#include <gtest/gtest.h>

namespace {

const QString kRoll = QStringLiteral("RollNumber");
const QString kFrame = QStringLiteral("FrameNumber");
const QString kComment = QStringLiteral("Comment");

// Counts the emissions of one signal while it lives.
struct Counter
{
    template <typename Signal>
    Counter(TDBTable* table, Signal signal)
        : connection(QObject::connect(table, signal, table, [this] { ++count; }))
    {
    }
    ~Counter() { QObject::disconnect(connection); }
    QMetaObject::Connection connection;
    int count = 0;
};

// Rolls 1, 3 and 5 with 2, 0 and 3 frames.
class TableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addRoll(5, QStringLiteral("five"));
        db.addRoll(1, QStringLiteral("one"));
        db.addRoll(3, QStringLiteral("three"));
        db.addFrames(5, 3);
        db.addFrames(1, 2);
        db.rolls.first();
    }

    QList<int> frameNumbers()
    {
        QList<int> numbers;
        for (db.frames.first(); !db.frames.eof(); db.frames.next())
            numbers << db.frames.field(kFrame).asInteger();
        return numbers;
    }

    DbFixture db;
};

TEST_F(TableTest, RollsAreSortedAndTheDetailHoldsExactlyTheCurrentRollsFrames)
{
    struct Step
    {
        int roll;
        QList<int> frames;
    };
    const Step steps[] = {{1, {1, 2}}, {3, {}}, {5, {1, 2, 3}}};
    db.rolls.first();
    for (const Step& step : steps) {
        EXPECT_EQ(db.rolls.field(kRoll).asInteger(), step.roll);
        EXPECT_EQ(db.frames.rowCount(), step.frames.size());
        EXPECT_EQ(frameNumbers(), step.frames);
        db.rolls.next();
    }
    EXPECT_TRUE(db.rolls.eof());
    EXPECT_EQ(db.rolls.field(kRoll).asInteger(), 5);
}

TEST_F(TableTest, DetailFollowsTheMasterInQuietModeToo)
{
    TQuietScope quiet(db.rolls);
    EXPECT_TRUE(db.rolls.isQuiet());
    ASSERT_TRUE(db.rolls.locate(kRoll, {5}));
    EXPECT_EQ(db.frames.rowCount(), 3);
    ASSERT_TRUE(db.rolls.locate(kRoll, {3}));
    EXPECT_TRUE(db.frames.isEmpty());
}

TEST_F(TableTest, QuietCounterNests)
{
    db.rolls.beginQuiet();
    db.rolls.beginQuiet();
    db.rolls.endQuiet();
    EXPECT_TRUE(db.rolls.isQuiet());
    db.rolls.endQuiet();
    EXPECT_FALSE(db.rolls.isQuiet());
}

TEST_F(TableTest, LocateMovesOnlyWhenFoundAndLookupNeverMoves)
{
    struct Case
    {
        QString fields;
        QVariantList values;
        bool found;
    };
    const Case cases[] = {
        {kRoll + QStringLiteral(";") + kComment, {5, QStringLiteral("five")}, true},
        {kRoll + QStringLiteral(";") + kComment, {5, QStringLiteral("Five")}, false},  // exact
        {kRoll, {QStringLiteral("3")}, true},
        {kRoll, {4}, false},
    };
    for (const Case& c : cases) {
        db.rolls.first();
        EXPECT_EQ(db.rolls.locate(c.fields, c.values), c.found) << qPrintable(c.fields);
        EXPECT_EQ(db.rolls.recNo() != 0, c.found);
    }
    db.rolls.first();
    EXPECT_EQ(db.rolls.lookup(kRoll, {5}, kComment).toString(), QStringLiteral("five"));
    EXPECT_TRUE(db.rolls.lookup(kRoll, {4}, kComment).isNull());
    EXPECT_EQ(db.rolls.recNo(), 0);
    EXPECT_THROW(db.rolls.locate(kRoll, {1, 2}), EDatabaseError);
}

TEST_F(TableTest, BookmarksSurviveARefreshAndNoticeADeletedRow)
{
    ASSERT_TRUE(db.rolls.locate(kRoll, {3}));
    TDBBookmark mark = db.rolls.bookmark();
    db.rolls.first();
    db.rolls.refresh();
    ASSERT_TRUE(db.rolls.bookmarkValid(mark));
    db.rolls.gotoBookmark(mark);
    EXPECT_EQ(db.rolls.field(kRoll).asInteger(), 3);

    ExecuteSql(db.connection.handle(), QStringLiteral("DELETE FROM Rolls WHERE RollNumber = 3"));
    db.rolls.refresh();
    EXPECT_FALSE(db.rolls.bookmarkValid(mark));
    EXPECT_THROW(db.rolls.gotoBookmark(mark), EDatabaseError);
    TDBTable::freeBookmark(mark);
    EXPECT_TRUE(mark.isNull());
}

TEST_F(TableTest, InsertedRowTakesItsSortedPlaceAndCancelLeavesNothing)
{
    db.addRoll(2);
    EXPECT_EQ(db.rolls.recNo(), 1);
    EXPECT_TRUE(db.frames.isEmpty());

    db.rolls.insert();
    db.rolls.field(kRoll).setInteger(9);
    db.rolls.cancel();
    db.rolls.refresh();
    EXPECT_EQ(db.rolls.rowCount(), 4);
    EXPECT_EQ(db.rolls.lookup(kRoll, {9}, kRoll), QVariant());
}

TEST_F(TableTest, UpdateSendsOnlyModifiedFieldsAndNoticesAConflict)
{
    TDBConnection other;
    other.open(db.file());
    ASSERT_TRUE(db.rolls.locate(kRoll, {1}));

    // Another program changes the photographer meanwhile; our comment edit keeps it.
    db.rolls.edit();
    db.rolls.field(kComment).setString(QStringLiteral("edited"));
    ExecuteSql(other.handle(), QStringLiteral("UPDATE Rolls SET Photographer='Ann' WHERE RollNumber=1"));
    db.rolls.post();
    db.rolls.refresh();
    EXPECT_EQ(db.rolls.field(QStringLiteral("Photographer")).asString(), QStringLiteral("Ann"));
    EXPECT_EQ(db.rolls.field(kComment).asString(), QStringLiteral("edited"));

    // Both change the comment: ours would overwrite theirs, so the post is refused.
    db.rolls.edit();
    db.rolls.field(kComment).setString(QStringLiteral("mine"));
    ExecuteSql(other.handle(), QStringLiteral("UPDATE Rolls SET Comment='theirs' WHERE RollNumber=1"));
    EXPECT_THROW(db.rolls.post(), EDatabaseError);
    EXPECT_EQ(db.rolls.state(), TDBState::Edit);
    db.rolls.cancel();
    EXPECT_EQ(db.rolls.field(kComment).asString(), QStringLiteral("edited"));
}

TEST_F(TableTest, MovingPostsAPendingEdit)
{
    db.rolls.edit();
    db.rolls.field(kComment).setString(QStringLiteral("kept"));
    db.rolls.next();
    EXPECT_EQ(db.rolls.state(), TDBState::Browse);
    EXPECT_EQ(db.rolls.lookup(kRoll, {1}, kComment).toString(), QStringLiteral("kept"));
}

TEST_F(TableTest, FieldValuesAreCheckedAndDatesLoseTheirTimeOfDay)
{
    db.rolls.edit();
    db.rolls.field(QStringLiteral("Date")).setDateTime(QDateTime(QDate(2004, 7, 9), QTime(17, 45)));
    EXPECT_THROW(db.rolls.field(QStringLiteral("Date")).setString(QStringLiteral("2004-02-30")), EValueRejected);
    EXPECT_THROW(db.rolls.field(kRoll).setString(QStringLiteral("abc")), EValueRejected);
    EXPECT_THROW(db.rolls.field(kRoll).setValue(qint64(1) << 40), EValueRejected);
    EXPECT_THROW(db.rolls.field(QStringLiteral("Nope")), EDatabaseError);
    db.rolls.post();
    EXPECT_EQ(QueryInteger(db.connection.handle(),
                           QStringLiteral("SELECT count(*) FROM Rolls WHERE Date = '2004-07-09'")), 1);
    EXPECT_EQ(db.rolls.field(QStringLiteral("Date")).asDateTime(), QDateTime(QDate(2004, 7, 9), QTime(0, 0)));
    EXPECT_THROW(db.rolls.field(kComment).setString(QStringLiteral("x")), EDatabaseError);  // browse
}

TEST_F(TableTest, EventsAreAlwaysSentAndControlUpdatesWaitWhileDisabled)
{
    Counter scrolls(&db.rolls, &TDBTable::afterScroll);
    Counter controls(&db.rolls, &TDBTable::controlsChanged);
    Counter refreshes(&db.rolls, &TDBTable::afterRefresh);
    db.rolls.disableControls();
    db.rolls.disableControls();
    db.rolls.next();
    db.rolls.next();
    db.rolls.enableControls();
    EXPECT_TRUE(db.rolls.controlsDisabled());
    EXPECT_EQ(controls.count, 0);
    db.rolls.enableControls();
    EXPECT_EQ(controls.count, 1);
    EXPECT_EQ(scrolls.count, 2);
    db.rolls.refresh();
    EXPECT_EQ(refreshes.count, 1);

    Counter opens(&db.rolls, &TDBTable::afterOpen);
    db.rolls.close();
    db.rolls.open();
    EXPECT_EQ(opens.count, 1);
    EXPECT_EQ(db.rolls.recNo(), 0);
}

TEST_F(TableTest, InsertOnlyTableLoadsNothingButFindsAndAddsRows)
{
    TDBTable frames;
    frames.setConnection(&db.connection);
    frames.setTableName(QStringLiteral("Frames"));
    frames.setOpenMode(TDBOpenMode::InsertOnly);
    frames.open();
    EXPECT_EQ(frames.rowCount(), 0);
    EXPECT_EQ(frames.lookup(kRoll + QStringLiteral(";") + kFrame, {5, 3}, kFrame).toInt(), 3);
    EXPECT_TRUE(frames.locate(kRoll + QStringLiteral(";") + kFrame, {5, 2}));
    EXPECT_FALSE(frames.locate(kRoll + QStringLiteral(";") + kFrame, {5, 4}));

    frames.insert();
    frames.field(kRoll).setInteger(5);
    frames.field(kFrame).setInteger(4);
    frames.post();
    frames.insert();
    frames.field(kRoll).setInteger(5);
    frames.field(kFrame).setInteger(4);
    EXPECT_THROW(frames.post(), EKeyViolation);
    frames.cancel();
    EXPECT_LE(frames.rowCount(), 1);
    db.rolls.locate(kRoll, {5});
    db.frames.refresh();
    EXPECT_EQ(db.frames.rowCount(), 4);
}

}  // namespace
