// The camera commands against a simulated camera on a pty (--port), and the demo camera.

#include "CliRunner.h"

#include "TestSupport.h"
#include "f100sim/F100Simulator.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

QJsonObject JsonOf(const CliRun& run)
{
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

class CameraCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        F100SimOptions options;
        options.Rolls = {TSimRoll{41, 36, 100}};
        options.Detailed = true;
        sim = std::make_unique<F100Simulator>(options);
        QString error;
        ASSERT_TRUE(sim->start(&error)) << error.toStdString();
        rktest::writeFile(settingsFile, "[Program]\nPhotographer=Tess Tester\n");
    }

    CliRun Run(QStringList arguments)
    {
        return RunCli(QStringList{QStringLiteral("--settings"), settingsFile,
                                  QStringLiteral("--port"), sim->ptyPath()}
                      + arguments);
    }

    rktest::TempDir dir;
    QString settingsFile = dir.path(QStringLiteral("Rollkeeper.ini"));
    std::unique_ptr<F100Simulator> sim;
};

}  // namespace

TEST_F(CameraCommands, DownloadPrintsTheRollSetAndSavesTheImage)
{
    const QString image = dir.path(QStringLiteral("memory.bin"));
    const CliRun text = Run({QStringLiteral("download"), QStringLiteral("--image-out"), image});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.startsWith(QStringLiteral("1 roll, 36 frames\n")));
    EXPECT_TRUE(text.out.contains(QStringLiteral("Roll 41  ISO 100  F100  Tess Tester")));
    EXPECT_TRUE(text.err.isEmpty());  // no progress: stderr is not a terminal
    EXPECT_EQ(rktest::readFile(image), sim->memoryImage());

    const QJsonObject json = JsonOf(Run({QStringLiteral("--json"), QStringLiteral("download")}));
    EXPECT_EQ(json.value(QStringLiteral("result")).toInt(-1), 0);
    EXPECT_EQ(json.value(QStringLiteral("message")).toString(QStringLiteral("?")), QString());
    const QJsonArray rolls = json.value(QStringLiteral("rolls")).toArray();
    ASSERT_EQ(rolls.size(), 1);
    EXPECT_EQ(rolls[0].toObject().value(QStringLiteral("RollNumber")).toInt(), 41);
    EXPECT_EQ(rolls[0].toObject().value(QStringLiteral("Photographer")).toString(),
              QStringLiteral("Tess Tester"));
    EXPECT_EQ(rolls[0].toObject().value(QStringLiteral("Date")).toString(),
              QDate::currentDate().toString(Qt::ISODate));
    const QJsonArray frames = json.value(QStringLiteral("frames")).toArray();
    ASSERT_EQ(frames.size(), 36);
    const QJsonObject frame = frames[0].toObject();
    EXPECT_EQ(frame.size(), 20);
    EXPECT_EQ(frame.value(QStringLiteral("RecordingMode")).toInt(), 1);
    EXPECT_TRUE(frame.value(QStringLiteral("ShutterSpeed")).isDouble());
    EXPECT_TRUE(frame.value(QStringLiteral("MultipleExposure")).isBool());

    // The saved image decodes offline to the same roll set.
    const CliRun decoded = Run({QStringLiteral("--json"), QStringLiteral("decode"), image});
    ASSERT_EQ(decoded.exitCode, 0);
    EXPECT_EQ(JsonOf(decoded).value(QStringLiteral("frames")), json.value(QStringLiteral("frames")));
    EXPECT_EQ(JsonOf(decoded).value(QStringLiteral("rolls")), json.value(QStringLiteral("rolls")));
}

TEST_F(CameraCommands, SettingsRoundTrips)
{
    CliRun run = Run({QStringLiteral("camera"), QStringLiteral("custom-settings"), QStringLiteral("write"),
                      QStringLiteral("--preset"), QStringLiteral("1100000000000000000000"),
                      QStringLiteral("--set"), QStringLiteral("CSM15=8 seconds"),
                      QStringLiteral("--set"), QStringLiteral("CSM22=on")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    run = Run({QStringLiteral("--json"), QStringLiteral("camera"), QStringLiteral("custom-settings"),
               QStringLiteral("read")});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(JsonOf(run).value(QStringLiteral("preset")).toString(),
              QStringLiteral("1100000000000020000001"));

    run = Run({QStringLiteral("--json"), QStringLiteral("camera"), QStringLiteral("data-settings"),
               QStringLiteral("read")});
    ASSERT_EQ(run.exitCode, 0);
    QJsonObject json = JsonOf(run);
    EXPECT_EQ(json.value(QStringLiteral("dataSize")).toInt(), 473);
    EXPECT_EQ(json.value(QStringLiteral("status")).toString(),
              QStringLiteral("Shooting data present (1 roll, 36 frames)"));

    // The camera holds data: it keeps its data settings.
    run = Run({QStringLiteral("camera"), QStringLiteral("data-settings"), QStringLiteral("write"),
               QStringLiteral("--mode"), QStringLiteral("simple")});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Data settings not stored in camera")));

    run = Run({QStringLiteral("camera"), QStringLiteral("delete-data"), QStringLiteral("--yes")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    run = Run({QStringLiteral("camera"), QStringLiteral("data-settings"), QStringLiteral("write"),
               QStringLiteral("--mode"), QStringLiteral("simple"), QStringLiteral("--record"),
               QStringLiteral("off")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    json = JsonOf(Run({QStringLiteral("--json"), QStringLiteral("camera"),
                       QStringLiteral("data-settings"), QStringLiteral("read")}));
    const QJsonObject settings = json.value(QStringLiteral("settings")).toObject();
    EXPECT_EQ(settings.value(QStringLiteral("RecordingMode")).toInt(-1), 0);
    EXPECT_EQ(settings.value(QStringLiteral("RecordShootingData")).toInt(-1), 0);
    EXPECT_EQ(settings.value(QStringLiteral("MemoryFullAction")).toInt(-1), 0);  // kept
    EXPECT_EQ(json.value(QStringLiteral("status")).toString(), QStringLiteral("Shooting data not present"));
    run = Run({QStringLiteral("camera"), QStringLiteral("data-size")});
    EXPECT_EQ(run.out, QStringLiteral("0\n"));
}

TEST_F(CameraCommands, PresetsKeepFileOrder)
{
    const QString a = QStringLiteral("1100000000000000000000");
    const QString b = QStringLiteral("0000000000000003000000");
    for (const auto& [name, text] : {std::pair{QStringLiteral("Sports"), a}, {QStringLiteral("Astro"), b}})
        ASSERT_EQ(Run({QStringLiteral("camera"), QStringLiteral("presets"), QStringLiteral("save"), name,
                       QStringLiteral("--preset"), text})
                      .exitCode,
                  0);
    EXPECT_EQ(Run({QStringLiteral("camera"), QStringLiteral("presets"), QStringLiteral("list")}).out,
              QStringLiteral("Sports\nAstro\n"));
    const CliRun shown = Run({QStringLiteral("camera"), QStringLiteral("presets"), QStringLiteral("show"),
                              QStringLiteral("Astro")});
    EXPECT_TRUE(shown.out.contains(QStringLiteral("CSM16 = 3 (20 seconds)")));
    EXPECT_TRUE(shown.out.contains(QStringLiteral("Preset: ") + b));

    // A preset goes to the camera by name.
    ASSERT_EQ(Run({QStringLiteral("camera"), QStringLiteral("custom-settings"), QStringLiteral("write"),
                   QStringLiteral("--from-preset"), QStringLiteral("Astro")})
                  .exitCode,
              0);
    EXPECT_TRUE(Run({QStringLiteral("camera"), QStringLiteral("custom-settings"), QStringLiteral("read")})
                    .out.contains(QStringLiteral("Preset: ") + b));

    ASSERT_EQ(Run({QStringLiteral("camera"), QStringLiteral("presets"), QStringLiteral("delete"),
                   QStringLiteral("Sports")})
                  .exitCode,
              0);
    EXPECT_EQ(Run({QStringLiteral("camera"), QStringLiteral("presets"), QStringLiteral("list")}).out,
              QStringLiteral("Astro\n"));
}

TEST_F(CameraCommands, ExitStatuses)
{
    const QString bad = dir.path(QStringLiteral("bad.bin"));
    rktest::writeFile(bad, QByteArray::fromHex("6100F30007012A1250000DFD33"));
    const struct
    {
        QStringList arguments;
        int exitCode;
        const char* err;
    } cases[] = {
        {{QStringLiteral("camera"), QStringLiteral("delete-data")}, 2, "--yes"},
        {{QStringLiteral("camera"), QStringLiteral("custom-settings"), QStringLiteral("write"),
          QStringLiteral("--preset"), QStringLiteral("110")}, 2, "22 digits"},
        {{QStringLiteral("camera"), QStringLiteral("custom-settings"), QStringLiteral("write"),
          QStringLiteral("--set"), QStringLiteral("CSM15=9")}, 2, "CSM15 cannot be"},
        {{QStringLiteral("camera"), QStringLiteral("custom-settings"), QStringLiteral("write"),
          QStringLiteral("--from-preset"), QStringLiteral("None")}, 1, "No preset"},
        {{QStringLiteral("camera"), QStringLiteral("data-settings"), QStringLiteral("write"),
          QStringLiteral("--record"), QStringLiteral("maybe")}, 2, "not \"maybe\""},
        {{QStringLiteral("camera"), QStringLiteral("presets"), QStringLiteral("show"),
          QStringLiteral("None")}, 1, "No preset"},
        {{QStringLiteral("decode"), bad}, 1, "not a memory image"},
        {{QStringLiteral("decode")}, 2, "one memory image"},
        {{QStringLiteral("--port"), QStringLiteral("/dev/no-such-port"), QStringLiteral("camera"),
          QStringLiteral("data-size")}, 3, "Could not open port"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.contains(QLatin1String(c.err))) << run.err.toStdString();
    }
    EXPECT_TRUE(sim->commands().isEmpty());  // nothing reached the camera
}

TEST(DemoCamera, DownloadsTheSampleMemory)
{
    rktest::TempDir dir;
    const CliRun run = RunCli({QStringLiteral("--settings"), dir.path(QStringLiteral("none.ini")),
                               QStringLiteral("--demo"), QStringLiteral("--json"),
                               QStringLiteral("download")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(JsonOf(run).value(QStringLiteral("rolls")).toArray().size(), 3);
    EXPECT_EQ(JsonOf(run).value(QStringLiteral("frames")).toArray().size(), 72);
}
