// Every result an operation can end with, against the simulated camera on a pty: the
// code, and the commands the camera saw (which shows the retry, or its absence).

#include "SimCamera.h"
#include "camera/CameraOperations.h"
#include "camera/CameraTexts.h"
#include "camera/F100.h"

#include <gtest/gtest.h>

namespace {

F100SimOptions Loaded()
{
    return WithRolls({3, 2});
}

F100SimOptions Empty()
{
    return WithRolls({});
}

F100SimOptions Faulty(F100SimOptions options, ESimFault kind, const char* command = "",
                      int onlyNth = 0, int stallMs = 0)
{
    options.Fault = TSimFault{kind, QByteArray(command), stallMs, onlyNth};
    return options;
}

F100SimOptions Film(F100SimOptions options)
{
    options.FilmLoaded = true;
    return options;
}

struct ResultCase
{
    const char* name;
    F100SimOptions options;
    uint8_t operation;
    uint8_t result;
    const char* commands;
};

void PrintTo(const ResultCase& c, std::ostream* os)
{
    *os << c.name;
}

class F100Results : public testing::TestWithParam<ResultCase>
{
};

}  // namespace

TEST_P(F100Results, EndsWithItsCodeAfterTheseCommands)
{
    const ResultCase& c = GetParam();
    SimCamera camera(c.options);
    ASSERT_TRUE(camera.started()) << camera.error().toStdString();

    TF100 f100;
    // Writes ask for something other than what the camera holds.
    f100.CustomSettings = DecodeCustomSettings(0x00106A0E);
    f100.CustomSettings.CSM01 = 1;
    f100.DataSettings.RecordingMode = 0;
    f100.DataSettings.MemoryFullAction = 1;

    EXPECT_EQ(RunCameraOperation(f100, c.operation, camera.settings()), c.result);
    EXPECT_EQ(camera.commandNames(), QByteArray(c.commands));
    EXPECT_EQ(f100.ResultMessage(), CameraResultMessage(c.result));
}

INSTANTIATE_TEST_SUITE_P(
    Camera, F100Results,
    testing::Values(
        ResultCase{"ReadCustomSettings", Loaded(), 0, 0, "CQ"},
        ResultCase{"WriteCustomSettings", Loaded(), 1, 0, "CQ DP CQ"},
        ResultCase{"ReadDataSettings", Loaded(), 2, 0, "MQ"},
        ResultCase{"WriteDataSettings", Empty(), 3, 0, "MQ NP MQ"},
        ResultCase{"Download", Loaded(), 4, 0, "MQ OQ LQ"},
        ResultCase{"ReadDataSize", Loaded(), 5, 0, "OQ"},
        ResultCase{"DeleteShootingData", Loaded(), 6, 0, "EP MQ"},
        ResultCase{"UnknownOperationExchangesNothing", Loaded(), 7, 0, ""},
        ResultCase{"OnlyErrorStatusCountsInQueries", Faulty(Loaded(), ESimFault::NoAck, "CQ"), 0,
                   0, "CQ"},
        ResultCase{"NoReplyRetried", Faulty(Loaded(), ESimFault::Silent), 0, 4, "CQ CQ"},
        ResultCase{"CutShortRetried", Faulty(Loaded(), ESimFault::TruncateReply, "OQ"), 5, 3,
                   "OQ OQ"},
        ResultCase{"CustomSettingsErrorRetried", Faulty(Loaded(), ESimFault::ErrorStatus, "CQ"),
                   0, 6, "CQ CQ"},
        ResultCase{"DataSettingsErrorRetried", Faulty(Loaded(), ESimFault::ErrorStatus, "MQ"), 2,
                   7, "MQ MQ"},
        ResultCase{"DataSizeErrorRetried", Faulty(Loaded(), ESimFault::ErrorStatus, "OQ"), 5, 8,
                   "OQ OQ"},
        ResultCase{"CustomSettingsNotStoredRetried", Faulty(Loaded(), ESimFault::Silent, "DP"),
                   1, 10, "CQ DP CQ CQ CQ DP CQ CQ"},
        ResultCase{"DataSettingsRefusedWithFilmRetried", Film(Empty()), 3, 11,
                   "MQ NP MQ MQ MQ NP MQ MQ"},
        ResultCase{"DataSettingsRefusedWithDataRetried", Loaded(), 3, 11,
                   "MQ NP MQ MQ MQ NP MQ MQ"},
        ResultCase{"DeleteRefusedWithFilmRetried", Film(Loaded()), 6, 14, "EP EP"},
        ResultCase{"DeleteWithoutAcknowledgementRetried", Faulty(Loaded(), ESimFault::NoAck, "EP"),
                   6, 4, "EP EP"},
        ResultCase{"DownloadOfEmptyMemoryNotRetried", Empty(), 4, 13, "MQ"},
        ResultCase{"DownloadErrorNotRetried", Faulty(Loaded(), ESimFault::ErrorStatus, "LQ"), 4, 9,
                   "MQ OQ LQ"},
        ResultCase{"DownloadWithoutAcknowledgement", Faulty(Loaded(), ESimFault::NoAck, "LQ"), 4,
                   9, "MQ OQ LQ"},
        ResultCase{"DownloadCutShort", Faulty(Loaded(), ESimFault::TruncateReply, "LQ"), 4, 3,
                   "MQ OQ LQ"},
        ResultCase{"DownloadStalled", Faulty(Loaded(), ESimFault::StallMidReply, "LQ", 0, 2500),
                   4, 3, "MQ OQ LQ"},
        ResultCase{"DownloadRetriesItsFirstQuery",
                   Faulty(Loaded(), ESimFault::ErrorStatus, "MQ", 1), 4, 0, "MQ MQ OQ LQ"},
        ResultCase{"DownloadSizeErrorNotRetried", Faulty(Loaded(), ESimFault::ErrorStatus, "OQ"), 4,
                   8, "MQ OQ"}),
    [](const testing::TestParamInfo<ResultCase>& info) { return std::string(info.param.name); });
