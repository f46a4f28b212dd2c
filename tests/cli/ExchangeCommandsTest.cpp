#include "CliRunner.h"

#include "TestSupport.h"

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
