#include "RawClient.h"

#include "f100sim/F100SimOptions.h"
#include "f100sim/MemoryImage.h"

#include "TestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

QString programPath()
{
    return rktest::binaryPath(QStringLiteral("tools/f100sim/f100sim"));
}

// Starts f100sim and reads the pty path from its first line.
QString startProgram(QProcess* process, const QStringList& arguments)
{
    process->start(programPath(), arguments);
    if (!process->waitForStarted(5000) || !process->waitForReadyRead(5000))
        return {};
    return QString::fromLocal8Bit(process->readLine()).trimmed();
}

}  // namespace

TEST(SimProgram, ServesUntilStandardInputCloses)
{
    QProcess process;
    const QString path = startProgram(&process, {QStringLiteral("--rolls"), QStringLiteral("5:3")});
    ASSERT_TRUE(path.startsWith(QLatin1String("/dev/"))) << path.toStdString();
    EXPECT_EQ(query(path, "OQ").toHex(), "61002c");  // 5 + 3 * 13 bytes
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}

TEST(SimProgram, StopsCleanlyOnTerminateAndKeepsItsState)
{
    rktest::TempDir dir;
    const QStringList arguments{QStringLiteral("--state"), dir.path("state"), QStringLiteral("--mode"),
                                QStringLiteral("simple"), QStringLiteral("--rolls"), QStringLiteral("1:1")};
    {
        QProcess process;
        const QString path = startProgram(&process, arguments);
        ASSERT_FALSE(path.isEmpty());
        EXPECT_EQ(query(path, "EP").toHex(), "61");
        process.terminate();
        ASSERT_TRUE(process.waitForFinished(5000));
        EXPECT_EQ(process.exitCode(), 0);
    }
    QProcess process;
    const QString path = startProgram(&process, arguments);
    EXPECT_EQ(query(path, "LQ").toHex(), "6100") << "erased memory kept";
    process.terminate();
    process.waitForFinished(5000);
}

TEST(SimProgram, WritesAnImageFileAndServesIt)
{
    rktest::TempDir dir;
    const QString file = dir.path("image.bin");
    EXPECT_EQ(QProcess::execute(programPath(), {QStringLiteral("--write-image"), file, QStringLiteral("--rolls"),
                                                QStringLiteral("3:2,4:1"), QStringLiteral("--mode"),
                                                QStringLiteral("simple")}),
              0);
    QString error;
    const QByteArray image = rktest::readFile(file);
    EXPECT_EQ(image, f100sim::buildMemoryImage({{3, 2, 0}, {4, 1, 0}}, false, &error));

    QProcess process;
    const QString path = startProgram(&process, {QStringLiteral("--image"), file});
    EXPECT_EQ(query(path, "LQ"), image);
    process.closeWriteChannel();
    process.waitForFinished(5000);
}

TEST(SimProgram, RefusesBadArguments)
{
    rktest::TempDir dir;
    rktest::writeFile(dir.path("bad.bin"), QByteArray::fromHex("7901"));
    const QStringList bad[] = {
        {QStringLiteral("--rolls"), QStringLiteral("1:999")},
        {QStringLiteral("--mode"), QStringLiteral("fast")},
        {QStringLiteral("--baud")},
        {QStringLiteral("--baud"), QStringLiteral("12")},
        {QStringLiteral("--fault"), QStringLiteral("error-status")},
        {QStringLiteral("--fault"), QStringLiteral("stall-mid-reply"), QStringLiteral("soon")},
        {QStringLiteral("--fault"), QStringLiteral("gremlins")},
        {QStringLiteral("--image"), dir.path("bad.bin")},
        {QStringLiteral("--image"), dir.path("missing.bin")},
        {QStringLiteral("--custom-settings"), QStringLiteral("0010")},
        {QStringLiteral("--whatever")},
    };
    for (const QStringList& arguments : bad) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        F100SimOptions options;
        QString writeImage;
        bool help = false;
        QString error;
        EXPECT_FALSE(parseSimArguments(arguments, &options, &writeImage, &help, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(QProcess::execute(programPath(), {QStringLiteral("--mode"), QStringLiteral("fast")}), 2);
}

TEST(SimProgram, ParsesEveryOption)
{
    rktest::TempDir dir;
    F100SimOptions options;
    QString writeImage;
    bool help = false;
    QString error;
    ASSERT_TRUE(parseSimArguments({QStringLiteral("--rolls=1:2"), QStringLiteral("--film-loaded"),
                                   QStringLiteral("--baud"), QStringLiteral("9600"), QStringLiteral("--fault"),
                                   QStringLiteral("no-ack"), QStringLiteral("MQ"), QStringLiteral("--fault-on"),
                                   QStringLiteral("3"), QStringLiteral("--log"), dir.path("log"),
                                   QStringLiteral("--custom-settings"), QStringLiteral("01020304"),
                                   QStringLiteral("--data-settings"), QStringLiteral("0b")},
                                  &options, &writeImage, &help, &error))
        << error.toStdString();
    EXPECT_EQ(options.Rolls, (QList<TSimRoll>{{1, 2, 0}}));
    EXPECT_TRUE(options.FilmLoaded);
    EXPECT_EQ(options.Baud, 9600);
    EXPECT_EQ(options.Fault.Kind, ESimFault::NoAck);
    EXPECT_EQ(options.Fault.Command, "MQ");
    EXPECT_EQ(options.Fault.OnlyNth, 3);
    EXPECT_EQ(options.LogPath, dir.path("log"));
    EXPECT_EQ(options.CustomSettings, (std::array<uint8_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(options.DataSettings, 0x0B);

    ASSERT_TRUE(parseSimArguments({QStringLiteral("--fault"), QStringLiteral("stall-mid-reply"),
                                   QStringLiteral("1500"), QStringLiteral("--fault-command"), QStringLiteral("LQ")},
                                  &options, &writeImage, &help, &error));
    EXPECT_EQ(options.Fault.StallMs, 1500);
    EXPECT_EQ(options.Fault.Command, "LQ");
}
