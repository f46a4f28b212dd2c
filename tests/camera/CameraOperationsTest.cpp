// The synchronous wrappers against the simulated camera: what each hands back, and the
// port failures.

#include "SimCamera.h"
#include "camera/CameraOperations.h"
#include "camera/ShootingData.h"

#include <QSerialPort>

#include <gtest/gtest.h>

TEST(CameraOperations, ReadAndWriteCustomSettingsKeepTheCamerasOwnBits)
{
    F100SimOptions options;
    options.CustomSettings = {0x00, 0x10, 0xE2, 0x0E};  // B3 bits 1, 6 and 7 set
    SimCamera camera(options);
    ASSERT_TRUE(camera.started());

    TF100CustomSettings read;
    QString message = QStringLiteral("stale");
    ASSERT_EQ(CameraReadCustomSettings(camera.settings(), read, message), 0);
    EXPECT_TRUE(message.isEmpty());
    EXPECT_EQ(read, DecodeCustomSettings(0x0010E20E));

    // A preset knows nothing of the camera's bits; the write keeps them anyway.
    TF100CustomSettings wanted = TextToCustomSettings(QStringLiteral("1100000000000000000000"));
    ASSERT_EQ(CameraWriteCustomSettings(camera.settings(), wanted, message), 0);
    wanted.KeepB3Bit1 = wanted.KeepB3Bit6 = wanted.KeepB3Bit7 = 1;
    const uint32_t expected = EncodeCustomSettings(wanted);
    const auto bytes = camera.sim().customSettings();
    EXPECT_EQ(uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3],
              expected);
}

TEST(CameraOperations, WritingTheSameCustomSettingsStillSendsThemAndConfirmsOnce)
{
    SimCamera camera;
    ASSERT_TRUE(camera.started());
    TF100CustomSettings current;
    QString message;
    ASSERT_EQ(CameraReadCustomSettings(camera.settings(), current, message), 0);
    camera.sim().clearLog();
    EXPECT_EQ(CameraWriteCustomSettings(camera.settings(), current, message), 0);
    EXPECT_EQ(camera.commandNames(), QByteArray("CQ DP CQ"));
}

TEST(CameraOperations, DataSettingsSizeAndDelete)
{
    SimCamera camera(WithRolls({36}, true));
    ASSERT_TRUE(camera.started());
    QString message;

    TF100DataSettings settings;
    ASSERT_EQ(CameraReadDataSettings(camera.settings(), settings, message), 0);
    EXPECT_EQ(settings, DecodeDataSettings(camera.sim().dataSettings()));
    EXPECT_EQ(settings.ShootingDataPresent, 1);

    uint16_t size = 0;
    ASSERT_EQ(CameraReadDataSize(camera.settings(), size, message), 0);
    EXPECT_EQ(size, 473);
    EXPECT_EQ(EstimateRollsAndFrames(size, settings.RecordingMode == 1),
              (TRollFrameCount{1, 36}));

    ASSERT_EQ(CameraDeleteShootingData(camera.settings(), message), 0);
    ASSERT_EQ(CameraReadDataSettings(camera.settings(), settings, message), 0);
    EXPECT_EQ(settings.ShootingDataPresent, 0);

    // With the memory empty the settings take a write; only the user's three change.
    const uint8_t before = camera.sim().dataSettings();
    TF100DataSettings wanted = settings;
    wanted.RecordingMode = 0;
    wanted.MemoryFullAction = 1;
    wanted.KeepBit7 = 1;  // not the user's: the write keeps the camera's bit
    ASSERT_EQ(CameraWriteDataSettings(camera.settings(), wanted, message), 0);
    EXPECT_EQ(camera.sim().dataSettings(), uint8_t(before & ~0x09));

    EXPECT_EQ(CameraReadDataSize(camera.settings(), size, message), 0);
    EXPECT_EQ(size, 0);
}

TEST(CameraOperations, DownloadDecodesTheCamerasMemory)
{
    SimCamera camera(WithRolls({36, 12}, true));
    ASSERT_TRUE(camera.started());
    TRKRollSet rollSet;
    QByteArray image;
    QString message;
    ASSERT_EQ(CameraDownloadShootingData(camera.settings(), rollSet, nullptr, message, &image), 0);
    EXPECT_EQ(image, camera.sim().memoryImage());

    TRKRollSet expected;
    ASSERT_TRUE(DecodeShootingData(image, expected, QString::fromUtf8(Photographer)));
    EXPECT_EQ(rollSet, expected);
    ASSERT_EQ(rollSet.Rolls.size(), 2);
    EXPECT_EQ(rollSet.Frames.size(), 48);
    EXPECT_EQ(rollSet.Rolls[1].Photographer, QString::fromUtf8(Photographer));
}

TEST(CameraOperations, AMalformedImageEndsWith9AndNoRolls)
{
    const char* images[] = {
        "61 07 F3 00 07 01 2A 12 50 00 0D FD",  // unknown recording mode
        "61 00 F3 00 07 01 2A 12 50 00 0D FD 33",  // a single byte left at the end
    };
    for (const char* hex : images) {
        SCOPED_TRACE(hex);
        F100SimOptions options;
        options.Image = QByteArray::fromHex(hex);
        SimCamera camera(options);
        ASSERT_TRUE(camera.started()) << camera.error().toStdString();
        TRKRollSet rollSet;
        QString message;
        EXPECT_EQ(CameraDownloadShootingData(camera.settings(), rollSet, nullptr, message), 9);
        EXPECT_EQ(rollSet, TRKRollSet());
        EXPECT_EQ(message, CameraResultMessage(9));
    }
}

TEST(CameraOperations, APortThatCannotBeOpenedGives1WithoutRetry)
{
    SimCamera camera;
    ASSERT_TRUE(camera.started());

    // Another opener holds the port (its lock), as a download in progress would.
    QSerialPort holder(camera.port());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite)) << holder.errorString().toStdString();

    const QString ports[] = {camera.port(), QString(), QStringLiteral("/dev/no-such-port")};
    for (const QString& port : ports) {
        SCOPED_TRACE(port.toStdString());
        camera.settings().writePort(port);
        uint16_t size = 7;
        QString message;
        EXPECT_EQ(CameraReadDataSize(camera.settings(), size, message), 1);
        EXPECT_EQ(message, QStringLiteral("Could not open port"));
        EXPECT_EQ(size, 7);
    }
    EXPECT_EQ(camera.commandNames(), QByteArray());
}
