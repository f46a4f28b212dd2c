#include "CliRunner.h"

#include "TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>


TEST(ExchangeDetectCommand, PrintsFormatAndRollNumberOfEachFile)
{
    rktest::TempDir dir;
    const QString photoSecretary = dir.path(QStringLiteral("Roll 0012 (2003).txt"));
    const QString softTALK = dir.path(QStringLiteral("any.sdf"));
    const QString other = dir.path(QStringLiteral("notes.txt"));
    rktest::writeFile(photoSecretary, "100\t\tc\r\n");
    rktest::writeFile(softTALK, "separator=\t\r\nfilmno=34\r\nframes=0\r\ncamera=4\r\niso=100\r\ndata=\r\n");
    rktest::writeFile(other, "hello\r\n");

    const CliRun plain = RunCli({QStringLiteral("detect"), photoSecretary, softTALK, other});
    EXPECT_EQ(plain.exitCode, cli::Success) << plain.err.toStdString();
    EXPECT_EQ(plain.out, photoSecretary + QStringLiteral("\tphotosecretary\t122003\n") + softTALK
                             + QStringLiteral("\tsofttalk\t34\n") + other + QStringLiteral("\tunrecognised\t-1\n"));

    const CliRun json = RunCli({QStringLiteral("--json"), QStringLiteral("detect"), softTALK});
    const QJsonArray rows = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).toObject(), (QJsonObject{{QStringLiteral("file"), softTALK},
                                                  {QStringLiteral("format"), QStringLiteral("softtalk")},
                                                  {QStringLiteral("rollNumber"), 34}}));
}

TEST(ExchangeDetectCommand, ReportsUnreadableFilesAndGoesOn)
{
    rktest::TempDir dir;
    const QString present = dir.path(QStringLiteral("7.nkn"));
    rktest::writeFile(present, QByteArray("\x03N90", 4));
    const CliRun result = RunCli({QStringLiteral("detect"), dir.path(QStringLiteral("absent.txt")), present});
    EXPECT_EQ(result.exitCode, cli::Failure);
    EXPECT_TRUE(result.err.contains(QStringLiteral("EFileError - ")));
    EXPECT_TRUE(result.err.contains(QStringLiteral("absent.txt")));
    EXPECT_EQ(result.out, present + QStringLiteral("\tf90\t7\n"));
    EXPECT_EQ(RunCli({QStringLiteral("detect")}).exitCode, cli::UsageError);
}

namespace {

// A database with rolls 3 and 12, and a settings file naming the photographer.
struct TCliArchive
{
    TCliArchive()
    {
        rktest::writeFile(settings, "[Program]\r\nPhotographer=Imogen\r\n");
        EXPECT_EQ(RunCli({QStringLiteral("db"), QStringLiteral("create"), database}).exitCode, cli::Success);
        rktest::writeFile(dir.path(QStringLiteral("3.txt")), "100\t\tthree\r\n\r\n");
        rktest::writeFile(dir.path(QStringLiteral("12.txt")), "400\t\ttwelve\r\n\r\n\r\n");
        EXPECT_EQ(RunCli({QStringLiteral("--settings"), settings, QStringLiteral("import"), QStringLiteral("--db"),
                          database, QStringLiteral("--yes"), dir.path(QStringLiteral("3.txt")),
                          dir.path(QStringLiteral("12.txt"))})
                      .exitCode,
                  cli::Success);
    }

    CliRun import(const QStringList& files, bool yes = true)
    {
        QStringList arguments{QStringLiteral("--settings"), settings, QStringLiteral("import"),
                              QStringLiteral("--db"), database};
        if (yes)
            arguments << QStringLiteral("--yes");
        return RunCli(arguments + files);
    }

    rktest::TempDir dir;
    QString database = dir.path(QStringLiteral("archive.rkdb"));
    QString settings = dir.path(QStringLiteral("Rollkeeper.ini"));
};

}  // namespace

TEST(ExchangeImportCommand, ImportsFilesUnderTheirRollNumbers)
{
    TCliArchive archive;
    const CliRun rolls = RunCli({QStringLiteral("--json"), QStringLiteral("db"), QStringLiteral("rolls"), archive.database});
    const QJsonArray stored = QJsonDocument::fromJson(rolls.out.toUtf8()).array();
    ASSERT_EQ(stored.size(), 2) << rolls.out.toStdString();
    EXPECT_EQ(stored.at(0).toObject().value(QStringLiteral("RollNumber")).toInt(), 3);
    EXPECT_EQ(stored.at(0).toObject().value(QStringLiteral("Photographer")).toString(), QStringLiteral("Imogen"));
    EXPECT_EQ(stored.at(1).toObject().value(QStringLiteral("Comment")).toString(), QStringLiteral("twelve"));

    // Without --yes nothing is added; "=ROLL" overrides the file's own number.
    const QString file = archive.dir.path(QStringLiteral("3.txt"));
    const CliRun preview = archive.import({file + QStringLiteral("=30")}, false);
    EXPECT_EQ(preview.exitCode, cli::Success);
    EXPECT_TRUE(preview.out.contains(QStringLiteral("\tphotosecretary\t30\n"))) << preview.out.toStdString();
    EXPECT_TRUE(preview.out.contains(QStringLiteral("--yes")));
    const CliRun added = archive.import({file + QStringLiteral("=30")});
    EXPECT_EQ(added.exitCode, cli::Success) << added.err.toStdString();
    EXPECT_TRUE(added.out.contains(QStringLiteral("Imported 1 rolls and 1 frames")));
}

TEST(ExchangeImportCommand, ExplainsEveryRowThatBreaksTheRule)
{
    TCliArchive archive;
    const QString three = archive.dir.path(QStringLiteral("3.txt"));
    const QString noDigits = archive.dir.path(QStringLiteral("film.txt"));
    const QString other = archive.dir.path(QStringLiteral("other.txt"));
    const QString unrecognised = archive.dir.path(QStringLiteral("notes.txt"));
    rktest::writeFile(noDigits, "100\t\tc\r\n");
    rktest::writeFile(other, "100\t\tc\r\n");
    rktest::writeFile(unrecognised, "hello\r\n");

    const CliRun result = archive.import({three, noDigits, other + QStringLiteral("=40"),
                                          archive.dir.path(QStringLiteral("12.txt")) + QStringLiteral("=40"),
                                          unrecognised});
    EXPECT_EQ(result.exitCode, cli::Refused);
    EXPECT_TRUE(result.out.contains(three + QStringLiteral("\tphotosecretary\t3\troll number already in the database")));
    EXPECT_TRUE(result.out.contains(noDigits + QStringLiteral("\tphotosecretary\t-1\tno valid roll number")));
    EXPECT_TRUE(result.out.contains(other + QStringLiteral("\tphotosecretary\t40\tduplicate roll number")));
    EXPECT_TRUE(result.err.contains(unrecognised + QStringLiteral(": not a recognised exchange file, skipped")));
    EXPECT_FALSE(result.out.contains(unrecognised));
}

TEST(ExchangeImportCommand, AFileThatCannotBeReadAddsNothing)
{
    TCliArchive archive;
    const QString good = archive.dir.path(QStringLiteral("50.txt"));
    const QString bad = archive.dir.path(QStringLiteral("51.csv"));
    rktest::writeFile(good, "100\t\tc\r\n\r\n");
    rktest::writeFile(bad, "Film speed,Film number,Camera ID\r\n100,51,___\r\nFrame number\r\nx\r\n");
    const CliRun result = archive.import({good, bad});
    EXPECT_EQ(result.exitCode, cli::Failure);
    EXPECT_TRUE(result.err.contains(QStringLiteral("EFileFormatError - ")));
    EXPECT_TRUE(result.err.contains(QStringLiteral("line 4")));
    const CliRun rolls = RunCli({QStringLiteral("--json"), QStringLiteral("db"), QStringLiteral("rolls"), archive.database});
    EXPECT_EQ(QJsonDocument::fromJson(rolls.out.toUtf8()).array().size(), 2);
}

TEST(ExchangeExportCommand, WritesFilesAndSaysSo)
{
    TCliArchive archive;
    const CliRun result = RunCli({QStringLiteral("export"), QStringLiteral("--db"), archive.database,
                                  QStringLiteral("--format"), QStringLiteral("softtalk"), QStringLiteral("--rolls"),
                                  QStringLiteral("all"), QStringLiteral("--out"),
                                  archive.dir.path(QStringLiteral("out/%n/roll.sdf"))});
    EXPECT_EQ(result.exitCode, cli::Success) << result.err.toStdString();
    EXPECT_EQ(result.out, QDir::toNativeSeparators(archive.dir.path(QStringLiteral("out/3/roll.sdf"))) + QStringLiteral("\n")
                              + QDir::toNativeSeparators(archive.dir.path(QStringLiteral("out/12/roll.sdf")))
                              + QStringLiteral("\nData exported successfully\n"));
    EXPECT_TRUE(rktest::readFile(archive.dir.path(QStringLiteral("out/12/roll.sdf"))).contains("filmno=12\r\n"));

    const CliRun csv = RunCli({QStringLiteral("export"), QStringLiteral("--db"), archive.database,
                               QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--rolls"),
                               QStringLiteral("12"), QStringLiteral("--out"), archive.dir.path(QStringLiteral("a.csv"))});
    EXPECT_EQ(csv.exitCode, cli::Success);
    EXPECT_TRUE(rktest::readFile(archive.dir.path(QStringLiteral("a_Frames.csv"))).startsWith("\"RollNumber\";"));
}

TEST(ExchangeExportCommand, FailuresEndWithTheirMessage)
{
    TCliArchive archive;
    const auto exportTo = [&](const QString& format, const QString& rolls, const QString& out) {
        return RunCli({QStringLiteral("export"), QStringLiteral("--db"), archive.database, QStringLiteral("--format"),
                       format, QStringLiteral("--rolls"), rolls, QStringLiteral("--out"), out});
    };
    const CliRun none = exportTo(QStringLiteral("photosecretary"), QStringLiteral("98,99"), archive.dir.path(QStringLiteral("n.txt")));
    EXPECT_EQ(none.exitCode, cli::Failure);
    EXPECT_FALSE(none.out.contains(QStringLiteral("Data exported successfully")));

    rktest::writeFile(archive.dir.path(QStringLiteral("blocker")), "x");
    const CliRun directory = exportTo(QStringLiteral("softtalk"), QStringLiteral("3"),
                                      archive.dir.path(QStringLiteral("blocker/sub/r.sdf")));
    EXPECT_EQ(directory.exitCode, cli::Failure);
    EXPECT_TRUE(directory.err.contains(QStringLiteral("Could not create the directory")));

    const CliRun file = exportTo(QStringLiteral("csv"), QStringLiteral("3"), archive.dir.path(QStringLiteral("missing/r.csv")));
    EXPECT_EQ(file.exitCode, cli::Failure);
    EXPECT_TRUE(file.err.contains(QStringLiteral("EFileError - ")));

    EXPECT_EQ(exportTo(QStringLiteral("mv1"), QStringLiteral("3"), QStringLiteral("x")).exitCode, cli::UsageError);
    EXPECT_EQ(exportTo(QStringLiteral("csv"), QStringLiteral("3,x"), QStringLiteral("x")).exitCode, cli::UsageError);
}
