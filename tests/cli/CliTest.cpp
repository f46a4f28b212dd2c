#include "CliRunner.h"

#include <gtest/gtest.h>

TEST(Cli, UsageErrorsExitWithTwoAndExplainOnStderr)
{
    struct Case
    {
        QStringList arguments;
        QString errorText;
    };
    const Case cases[] = {
        {{}, QStringLiteral("Usage: rollkeeper-cli")},
        {{QStringLiteral("no-such-command")}, QStringLiteral("Unknown command: no-such-command")},
        {{QStringLiteral("decode"), QStringLiteral("--port")}, QStringLiteral("Missing value after --port")},
        {{QStringLiteral("download"), QStringLiteral("--bogus")}, QStringLiteral("Unknown option 'bogus'")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, cli::UsageError);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(c.errorText)) << run.err.toStdString();
    }
}

TEST(Cli, HelpNamesTheCommandAndGoesToStdout)
{
    const CliRun general = RunCli({QStringLiteral("--help")});
    EXPECT_EQ(general.exitCode, cli::Success);
    EXPECT_TRUE(general.out.contains(QStringLiteral("camera data-size")));

    // The help of a command with words of its own, asked for after them.
    const CliRun command = RunCli({QStringLiteral("camera"), QStringLiteral("data-size"),
                                   QStringLiteral("--help")});
    EXPECT_EQ(command.exitCode, cli::Success);
    EXPECT_TRUE(command.out.startsWith(QStringLiteral("Usage: rollkeeper-cli camera data-size")))
        << command.out.toStdString();
}
