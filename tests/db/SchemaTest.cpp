#include "DbFixture.h"

#include "db/Sqlite.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <sqlite3.h>

namespace {

QString pragma(TDBConnection& connection, const char* name)
{
    TSqlStatement statement(connection.handle(), QStringLiteral("PRAGMA ") + QLatin1String(name));
    return statement.step() ? statement.text(0) : QString();
}

void runSql(const QString& file, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    ExecuteSql(db, QString::fromUtf8(sql));
    sqlite3_close(db);
}

TEST(Schema, NewFileIsEmptyVersionedAndRunsTheConnectionSettings)
{
    DbFixture db;
    EXPECT_TRUE(db.rolls.isEmpty());
    EXPECT_TRUE(db.frames.isEmpty());
    EXPECT_EQ(pragma(db.connection, "user_version"), QString::number(kSchemaVersion));
    EXPECT_EQ(pragma(db.connection, "journal_mode"), QStringLiteral("wal"));
    EXPECT_EQ(pragma(db.connection, "foreign_keys"), QStringLiteral("1"));
    EXPECT_EQ(pragma(db.connection, "synchronous"), QStringLiteral("1"));
    EXPECT_EQ(db.frames.fieldNames().join(QLatin1Char(',')),
              QStringLiteral("RollNumber,FrameNumber,ShutterSpeed,Aperture,Lens,Focal,"
                             "MaxAperture,ExposureMode,MeterMode,ExposureValueDiff,ExposureComp,"
                             "FlashType,FlashMode,FlashComp,Date,Comment,PictureFileName"));
    EXPECT_EQ(db.rolls.fieldNames().join(QLatin1Char(',')),
              QStringLiteral("RollNumber,Photographer,CameraType,ISO,Comment,Date"));
}

TEST(Schema, UnknownFormatCodeIsRefused)
{
    rktest::TempDir dir;
    try {
        CreateDatabaseFile(1, dir.path(QStringLiteral("x.rkdb")));
        FAIL() << "format 1 accepted";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Unknown database type"));
    }
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("x.rkdb"))));
}

TEST(Schema, CreatingReplacesTheWholeOldContentAndItsLog)
{
    DbFixture db;
    db.addRoll(1);
    db.addFrames(1, 3);
    db.frames.close();
    db.rolls.close();
    db.connection.close();
    CreateDatabaseFile(kNativeDatabaseFormat, db.file());
    db.connection.open(db.file());
    db.rolls.open();
    EXPECT_TRUE(db.rolls.isEmpty());
    EXPECT_EQ(QueryInteger(db.connection.handle(), QStringLiteral("SELECT count(*) FROM Frames")), 0);
}

TEST(Schema, PathWithSpacesOpens)
{
    rktest::TempDir dir;
    const QString file = dir.path(QStringLiteral("my rolls 2004 .rkdb"));
    CreateDatabaseFile(kNativeDatabaseFormat, file);
    TDBConnection connection;
    connection.open(file);
    EXPECT_TRUE(connection.isOpen());
}

TEST(Schema, FilesThatAreNotOursFailToOpenAndStayUntouched)
{
    struct Case
    {
        const char* name;
        std::function<void(const QString&)> make;
        const char* messagePart;
    };
    const Case cases[] = {
        {"text file", [](const QString& f) { rktest::writeFile(f, "Roll 1, frame 1\n"); },
         "not a database"},
        {"empty file", [](const QString& f) { rktest::writeFile(f, {}); }, "not a Rollkeeper database"},
        {"other SQLite file",
         [](const QString& f) { runSql(f, "CREATE TABLE Rolls(x); CREATE TABLE Frames(y);"); },
         "not a Rollkeeper database"},
        {"our version, other columns",
         [](const QString& f) { runSql(f, "CREATE TABLE Rolls(RollNumber); PRAGMA user_version=1;"); },
         "columns of table Rolls differ"},
        {"newer version",
         [](const QString& f) { runSql(f, "CREATE TABLE t(x); PRAGMA user_version=99;"); },
         "newer version"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rktest::TempDir dir;
        const QString file = dir.path(QStringLiteral("f.rkdb"));
        c.make(file);
        const QByteArray before = rktest::readFile(file);
        TDBConnection connection;
        try {
            connection.open(file);
            ADD_FAILURE() << "opened";
        } catch (const EDatabaseError& error) {
            EXPECT_TRUE(error.message().contains(QLatin1String(c.messagePart))) << qPrintable(error.message());
        }
        EXPECT_FALSE(connection.isOpen());
        EXPECT_EQ(rktest::readFile(file), before);
        EXPECT_FALSE(QFile::exists(file + QStringLiteral("-wal")));
    }
}

TEST(Schema, MissingFileIsNotCreated)
{
    rktest::TempDir dir;
    TDBConnection connection;
    EXPECT_THROW(connection.open(dir.path(QStringLiteral("none.rkdb"))), EDatabaseError);
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("none.rkdb"))));
}

TEST(Schema, RowsTheDatabaseRefuses)
{
    struct Case
    {
        const char* name;
        std::function<void(DbFixture&)> act;  // ends with the refused post
        QString kind;
        bool onRolls;
    };
    const QString longText(256, QLatin1Char('x'));
    const Case cases[] = {
        {"second roll with the same number", [](DbFixture& db) { db.addRoll(1); },
         QStringLiteral("EKeyViolation"), true},
        {"second frame with the same pair", [](DbFixture& db) { db.addFrames(1, 1); },
         QStringLiteral("EKeyViolation"), false},
        {"frame of a roll that does not exist",
         [](DbFixture& db) {
             db.frames.insert();
             db.frames.field(QStringLiteral("RollNumber")).setInteger(7);
             db.frames.field(QStringLiteral("FrameNumber")).setInteger(1);
             db.frames.post();
         },
         QStringLiteral("ERelationshipViolation"), false},
        {"roll without a number",
         [](DbFixture& db) {
             db.rolls.insert();
             db.rolls.field(QStringLiteral("Comment")).setString(QStringLiteral("c"));
             db.rolls.post();
         },
         QStringLiteral("ERequiredValueMissing"), true},
        {"frame without a number",
         [](DbFixture& db) {
             db.frames.insert();
             db.frames.post();
         },
         QStringLiteral("ERequiredValueMissing"), false},
        {"comment of 256 characters",
         [&](DbFixture& db) {
             db.rolls.insert();
             db.rolls.field(QStringLiteral("RollNumber")).setInteger(2);
             db.rolls.field(QStringLiteral("Comment")).setString(longText);
             db.rolls.post();
         },
         QStringLiteral("EValueRejected"), true},
        {"renumbering a roll that has frames",
         [](DbFixture& db) {
             db.rolls.edit();
             db.rolls.field(QStringLiteral("RollNumber")).setInteger(5);
             db.rolls.post();
         },
         QStringLiteral("ERelationshipViolation"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DbFixture db;
        db.addRoll(1);
        db.addFrames(1, 1);
        TDBTable& table = c.onRolls ? db.rolls : db.frames;
        const int rows = table.rowCount();
        try {
            c.act(db);
            ADD_FAILURE() << "accepted";
        } catch (const EDatabaseError& error) {
            EXPECT_EQ(error.kind(), c.kind) << qPrintable(error.describe());
        }
        EXPECT_NE(table.state(), TDBState::Browse);  // left for the caller to cancel
        table.cancel();
        EXPECT_EQ(table.state(), TDBState::Browse);
        EXPECT_EQ(table.rowCount(), rows);
        EXPECT_EQ(QueryInteger(db.connection.handle(), QStringLiteral("SELECT count(*) FROM Frames")), 1);
    }
}

TEST(Schema, EmptyDatesAndTextsAndLongestTextsAreAccepted)
{
    DbFixture db;
    db.rolls.insert();
    db.rolls.field(QStringLiteral("RollNumber")).setInteger(1);
    for (const char* column : {"Photographer", "CameraType", "ISO", "Comment"})
        db.rolls.field(QLatin1String(column)).setString(QString());
    db.rolls.field(QStringLiteral("Comment")).setString(QString(255, QChar(0xe9)));
    db.rolls.field(QStringLiteral("Date")).setString(QString());
    db.rolls.post();
    db.rolls.refresh();
    EXPECT_TRUE(db.rolls.field(QStringLiteral("Date")).isNull());
    EXPECT_FALSE(db.rolls.field(QStringLiteral("ISO")).isNull());  // an empty text, not NULL
    EXPECT_EQ(db.rolls.field(QStringLiteral("Comment")).asString().size(), 255);
}

TEST(Schema, EngineTestPassesHereAndEveryFailureHasAMessage)
{
    EXPECT_EQ(EngineTest(), TEngineTestResult::Ok);
    EXPECT_TRUE(EngineTestMessage(TEngineTestResult::Ok).isEmpty());
    for (auto result : {TEngineTestResult::NothingWorks, TEngineTestResult::LibraryTooOld,
                        TEngineTestResult::SchemaFails})
        EXPECT_TRUE(EngineTestMessage(result).contains(QLatin1String("https://www.sqlite.org/")));
}

}  // namespace

namespace {

TEST(OpenDatabase, ReturnsFalseWhenThereIsNothingToDoAndNamesTheFailingStage)
{
    rktest::TempDir dir;
    TDatabase database;
    database.FileName = dir.path(QStringLiteral("none.rkdb"));
    EXPECT_FALSE(database.OpenDatabase());
    EXPECT_FALSE(database.isOpen());

    database.FileName = dir.path(QStringLiteral("notes.rkdb"));
    rktest::writeFile(database.FileName, "Roll 1\n");
    try {
        database.OpenDatabase();
        FAIL() << "opened";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.message().startsWith(
            QStringLiteral("Error while opening database connection: EDatabaseError - ")))
            << qPrintable(error.message());
    }
    EXPECT_FALSE(database.isOpen());
    EXPECT_FALSE(database.rolls().isOpen());

    database.FileName = dir.path(QStringLiteral("good.rkdb"));
    CreateDatabaseFile(kNativeDatabaseFormat, database.FileName);
    EXPECT_TRUE(database.OpenDatabase());
    EXPECT_TRUE(database.frames().isOpen());
    EXPECT_EQ(database.connection().name(), QStringLiteral("DB"));
    EXPECT_FALSE(database.OpenDatabase());  // already open: nothing changes
    EXPECT_TRUE(database.frames().isOpen());
}

}  // namespace
