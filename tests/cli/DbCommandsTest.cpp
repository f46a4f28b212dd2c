#include "CliRunner.h"

#include "db/Sqlite.h"

#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

void runSql(const QString& file, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    ExecuteSql(db, QString::fromUtf8(sql));
    sqlite3_close(db);
}

TEST(DbCommands, CreateRefusesToOverwriteUnlessForced)
{
    rktest::TempDir dir;
    const QString file = dir.path(QStringLiteral("my rolls.rkdb"));
    EXPECT_EQ(RunCli({QStringLiteral("db"), QStringLiteral("create"), file}).exitCode, cli::Success);
    runSql(file, "INSERT INTO Rolls(RollNumber) VALUES(1)");

    const CliRun again = RunCli({QStringLiteral("db"), QStringLiteral("create"), file});
    EXPECT_EQ(again.exitCode, cli::Failure);
    EXPECT_TRUE(again.err.startsWith(QStringLiteral("Couldn't create \"") + file + QLatin1Char('"')));
    EXPECT_EQ(RunCli({QStringLiteral("db"), QStringLiteral("rolls"), file}).out.count(QLatin1Char('\n')), 2);

    EXPECT_EQ(RunCli({QStringLiteral("db"), QStringLiteral("create"), file, QStringLiteral("--force")}).exitCode,
              cli::Success);
    EXPECT_EQ(RunCli({QStringLiteral("db"), QStringLiteral("rolls"), file}).out.count(QLatin1Char('\n')), 1);
}

TEST(DbCommands, RollsAndFramesShowEveryColumnAsStored)
{
    rktest::TempDir dir;
    const QString file = dir.path(QStringLiteral("a.rkdb"));
    RunCli({QStringLiteral("db"), QStringLiteral("create"), file});
    runSql(file, "INSERT INTO Rolls VALUES(7,'Ann','F100','400','',NULL);"
                 "INSERT INTO Frames(RollNumber,FrameNumber,Aperture,Date) VALUES(7,2,'f2.8','2004-07-09'),(7,1,'f4',NULL)");

    const CliRun rolls = RunCli({QStringLiteral("--json"), QStringLiteral("db"), QStringLiteral("rolls"), file});
    ASSERT_EQ(rolls.exitCode, cli::Success) << qPrintable(rolls.err);
    const QJsonObject roll = QJsonDocument::fromJson(rolls.out.toUtf8()).array().at(0).toObject();
    EXPECT_EQ(roll.value(QStringLiteral("RollNumber")).toInt(), 7);
    EXPECT_EQ(roll.value(QStringLiteral("Comment")).toString(QStringLiteral("x")), QString());
    EXPECT_TRUE(roll.value(QStringLiteral("Date")).isNull());
    EXPECT_EQ(roll.size(), 6);

    const CliRun frames = RunCli({QStringLiteral("db"), QStringLiteral("frames"), file, QStringLiteral("--roll"), QStringLiteral("7")});
    ASSERT_EQ(frames.exitCode, cli::Success) << qPrintable(frames.err);
    const QStringList lines = frames.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(0).split(QLatin1Char('\t')).size(), 17);
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("7\t1\t\tf4\t")));
    EXPECT_TRUE(lines.at(2).startsWith(QStringLiteral("7\t2\t\tf2.8\t")));
    EXPECT_EQ(lines.at(2).split(QLatin1Char('\t')).at(14), QStringLiteral("2004-07-09"));
}

TEST(DbCommands, BadInputFailsWithAMessage)
{
    rktest::TempDir dir;
    const QString file = dir.path(QStringLiteral("a.rkdb"));
    const QString text = dir.path(QStringLiteral("notes.txt"));
    rktest::writeFile(text, "not a database");
    RunCli({QStringLiteral("db"), QStringLiteral("create"), file});
    struct Case
    {
        QStringList arguments;
        int exitCode;
        const char* errPart;
    };
    const Case cases[] = {
        {{QStringLiteral("db"), QStringLiteral("rolls"), text}, cli::Failure, "Failed to open file"},
        {{QStringLiteral("db"), QStringLiteral("rolls"), dir.path(QStringLiteral("none.rkdb"))}, cli::Failure, "does not exist"},
        {{QStringLiteral("db"), QStringLiteral("frames"), file, QStringLiteral("--roll"), QStringLiteral("3")}, cli::Failure, "no roll 3"},
        {{QStringLiteral("db"), QStringLiteral("frames"), file}, cli::UsageError, "--roll N"},
        {{QStringLiteral("db"), QStringLiteral("create")}, cli::UsageError, "one database file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(c.arguments.join(QLatin1Char(' '))));
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.contains(QLatin1String(c.errPart))) << qPrintable(run.err);
    }
    EXPECT_EQ(rktest::readFile(text), QByteArray("not a database"));
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("none.rkdb"))));
}

}  // namespace
