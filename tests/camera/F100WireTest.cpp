// What goes over the wire and when, progress, cancelling and a cable pulled mid-reply.

#include "SimCamera.h"
#include "camera/CameraOperations.h"
#include "camera/F100.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

QByteArray Bytes(const QList<TSimLogEntry>& log, qsizetype from, qsizetype count)
{
    QByteArray bytes;
    for (qsizetype i = from; i < from + count && i < log.size(); ++i)
        bytes.append(static_cast<char>(log[i].Byte));
    return bytes;
}

// The log holds the wake byte at `at`, then `frame`; the pause between them goes to
// `pauses`.
void ExpectCommandAt(const QList<TSimLogEntry>& log, qsizetype at, const QByteArray& frame,
                     std::vector<long long>& pauses)
{
    ASSERT_LE(at + 1 + frame.size(), log.size());
    EXPECT_EQ(log[at].Byte, 0x00);
    EXPECT_EQ(Bytes(log, at + 1, frame.size()).toHex(' '), frame.toHex(' '));
    pauses.push_back(ToMs(log[at + 1].Time - log[at].Time));
}

// The simulator stamps a byte when its thread gets to read it, which on a busy machine
// (or right after a client opened the port) can be a few milliseconds late, shortening
// the pause it sees. Every pause must be there, and the typical one at least 30 ms.
void ExpectQuietLineAfterWake(std::vector<long long> pauses)
{
    ASSERT_FALSE(pauses.empty());
    std::sort(pauses.begin(), pauses.end());
    EXPECT_GE(pauses.front(), 20);
    EXPECT_GE(pauses[pauses.size() / 2], 30);
}

QList<uint8_t> DownloadProgress(SimCamera& camera, uint8_t expectedResult = 0)
{
    QList<uint8_t> percents;
    TRKRollSet rollSet;
    QString message;
    EXPECT_EQ(CameraDownloadShootingData(camera.settings(), rollSet,
                                         [&](uint8_t percent) { percents << percent; }, message),
              expectedResult);
    return percents;
}

}  // namespace

TEST(F100Wire, WakeByteAPauseThenTheFrameAndItsPayload)
{
    SimCamera camera;
    ASSERT_TRUE(camera.started());
    QString message;
    std::vector<long long> pauses;

    TF100CustomSettings custom;
    ASSERT_EQ(CameraReadCustomSettings(camera.settings(), custom, message), 0);
    ExpectCommandAt(camera.sim().log(), 0, QByteArray::fromHex("43510000"), pauses);
    EXPECT_EQ(camera.sim().log().size(), 5);

    camera.sim().clearLog();
    custom.CSM13 = 1;
    ASSERT_EQ(CameraWriteCustomSettings(camera.settings(), custom, message), 0);
    QByteArray written(4, '\0');
    const uint32_t value = EncodeCustomSettings(custom);
    for (int i = 0; i < 4; ++i)
        written[i] = static_cast<char>(value >> (24 - 8 * i));
    ExpectCommandAt(camera.sim().log(), 0, QByteArray::fromHex("43510000"), pauses);
    ExpectCommandAt(camera.sim().log(), 5, QByteArray::fromHex("44500004") + written, pauses);
    ExpectCommandAt(camera.sim().log(), 14, QByteArray::fromHex("43510000"), pauses);

    camera.sim().setMemoryImage(QByteArray::fromHex("6101"), nullptr);
    camera.sim().clearLog();
    TF100DataSettings data;
    ASSERT_EQ(CameraReadDataSettings(camera.settings(), data, message), 0);
    data.RecordShootingData = 0;
    ASSERT_EQ(CameraWriteDataSettings(camera.settings(), data, message), 0);
    const QByteArray np = QByteArray::fromHex("4E500001")
                          + QByteArray(1, static_cast<char>(EncodeDataSettings(data)));
    ExpectCommandAt(camera.sim().log(), 5, QByteArray::fromHex("4D510000"), pauses);
    ExpectCommandAt(camera.sim().log(), 10, np, pauses);
    ExpectCommandAt(camera.sim().log(), 16, QByteArray::fromHex("4D510000"), pauses);
    EXPECT_EQ(camera.sim().log().size(), 21);
    ExpectQuietLineAfterWake(pauses);
}

TEST(F100Wire, ARetryFollowsASecondLater)
{
    SimCamera camera(WithRolls({1}));
    ASSERT_TRUE(camera.started());
    camera.sim().setFault(TSimFault{ESimFault::ErrorStatus, "OQ", 0, 1});
    uint16_t size = 0;
    QString message;
    ASSERT_EQ(CameraReadDataSize(camera.settings(), size, message), 0);
    const auto commands = camera.sim().commands();
    ASSERT_EQ(commands.size(), 2);
    EXPECT_GE(ToMs(commands[1].Time - commands[0].Time), 1000);
    EXPECT_EQ(size, 18);
}

TEST(F100Wire, ProgressRisesBelow100ThenEndsAt100)
{
    SimCamera camera(WithRolls({36, 36, 20}));
    ASSERT_TRUE(camera.started());
    ASSERT_GT(camera.sim().memoryImage().size(), 3 * 128);
    const QList<uint8_t> percents = DownloadProgress(camera);
    ASSERT_GE(percents.size(), 4);
    EXPECT_EQ(percents.last(), 100);
    for (qsizetype i = 0; i + 1 < percents.size(); ++i) {
        EXPECT_LT(percents[i], 100);
        EXPECT_LT(percents[i], percents[i + 1]);
    }
}

TEST(F100Wire, RepliesAreReadIn128ByteChunks)
{
    // 7 detailed rolls of one frame: 2 + 7 × 5 + 7 × 13 = 128 bytes; 2 rolls of 9 frames
    // in all: 2 + 2 × 5 + 9 × 13 = 129 bytes.
    const struct
    {
        F100SimOptions options;
        qsizetype size;
        QList<uint8_t> percents;
    } cases[] = {
        {WithRolls({1, 1, 1, 1, 1, 1, 1}), 128, {100}},
        {WithRolls({5, 4}), 129, {99, 100}},  // 128 of 129 bytes, then the last one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        SimCamera camera(c.options);
        ASSERT_TRUE(camera.started());
        ASSERT_EQ(camera.sim().memoryImage().size(), c.size);
        EXPECT_EQ(DownloadProgress(camera), c.percents);
    }
}

TEST(F100Wire, CancelDuringTheDownloadEndsWith2AndFreesTheCamera)
{
    SimCamera camera(WithRolls({36, 36}));
    ASSERT_TRUE(camera.started());

    QObject receiver;
    QEventLoop loop;
    QList<uint8_t> percents;
    int result = -1;
    qsizetype rolls = -1;
    QPointer<TF100> f100;
    f100 = new TF100(
        false, true, camera.port(), OpDownloadShootingData, &camera.settings(), &receiver,
        [&](uint8_t percent) {
            percents << percent;
            f100->Terminate();
        },
        [&](TCamera& ended) {
            result = ended.ResultCode;
            rolls = ended.RollSet.Rolls.size();
            loop.quit();
        });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(result, 2);
    EXPECT_EQ(rolls, 0);
    EXPECT_EQ(percents.size(), 1);
    EXPECT_TRUE(f100.isNull());  // freed after its completion handler
    EXPECT_EQ(camera.commandNames(), QByteArray("MQ OQ LQ"));
}

TEST(F100Wire, APulledCableEndsTheDownloadWith3)
{
    F100SimOptions options = WithRolls({36, 36});
    options.Fault = TSimFault{ESimFault::HangupMidReply, "LQ", 0, 0};
    SimCamera camera(options);
    ASSERT_TRUE(camera.started());
    QElapsedTimer timer;
    timer.start();
    TRKRollSet rollSet;
    QString message;
    EXPECT_EQ(CameraDownloadShootingData(camera.settings(), rollSet, nullptr, message), 3);
    EXPECT_LT(timer.elapsed(), 5000);  // no hang
    EXPECT_TRUE(rollSet.Rolls.isEmpty());
}
